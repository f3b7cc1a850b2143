#include "dlg/ChamferDlg.h"

#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace dlg {

namespace {

// The edit ids of the five values, in field order.
constexpr int kEditIds[ChamferChoice::kFieldCount] = {1026, 1027, 1093, 1095, 1156};
const QColor kSketchColour(128, 128, 0);

// The explanatory sketch: element 2 rising to the chamfer, the chamfer,
// element 1 running on; the cut-off corner in black; the numbered markers
// of the two elements.
class ChamferSketch : public QWidget {
public:
    explicit ChamferSketch(QWidget* parent) : QWidget(parent) { setMinimumSize(231, 166); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int w = width() * 437 / 462;
        const int h = height() * 290 / 332;
        const int b = w - 100;
        const int d = (3 * h - 240) / 5 + 80;
        const int e = 2 * b / 5;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kSketchColour, 3));
        p.drawLine(100, h, 100, d);
        p.drawLine(100, d, 100 + e, 80);
        p.drawLine(100 + e, 80, w, 80);
        const int r = b / 10;
        p.drawEllipse(QPoint(100, d), r, r);
        p.drawEllipse(QPoint(100 + e, 80), r, r);
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(100, 80, 100 + e, 80);
        p.drawLine(100, 80, 100, d);
        const int m = b / 20;
        const QPoint markers[2] = {{100 + b / 2, 65}, {85, 80 + (h - 80) / 2}};
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(kSketchColour);
        for (int i = 0; i < 2; ++i) {
            p.drawEllipse(markers[i], m, m);
            const QRect label(markers[i].x() - 20, markers[i].y() - m - 20, 40, 18);
            p.drawText(i == 0 ? label : label.translated(-m - 20, m + 20), Qt::AlignCenter,
                       platform::cformat("%d", i + 1));
        }
    }
};

} // namespace

CChamferDlg::CChamferDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChamferDlg"));
    auto* instruction = new QLabel(Translate(kTextInstruction), this);
    instruction->setObjectName(QStringLiteral("Static1217"));
    instruction->setWordWrap(true);
    auto* form = new QFormLayout;
    const QString labels[ChamferChoice::kFieldCount] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("L"),
                                                        QStringLiteral("\u03b1 1"), QStringLiteral("\u03b1 2")};
    for (int f = 0; f < ChamferChoice::kFieldCount; ++f) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(kEditIds[f]));
        edit->setText(platform::cformat("%f", 0.0));
        connect(edit, &QLineEdit::textChanged, this, &CChamferDlg::OnEdited);
        edits_[static_cast<std::size_t>(f)] = edit;
        form->addRow(labels[f], edit);
    }
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(Translate(kTextOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(Translate(kTextCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* body = new QHBoxLayout;
    body->addWidget(new ChamferSketch(this), 1);
    body->addLayout(form);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addLayout(body);
    layout->addWidget(buttons);
    OnEdited();
}

void CChamferDlg::OnEdited()
{
    for (int f = 0; f < ChamferChoice::kFieldCount; ++f)
        choice_.values[static_cast<std::size_t>(f)] = platform::wtof(edits_[static_cast<std::size_t>(f)]->text());
    ok_->setEnabled(choice_.IsComplete());
}

bool CChamferDlg::Ask(QWidget* parent, double (&values)[5])
{
    CChamferDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.Choice().IsComplete())
        return false;
    for (int f = 0; f < ChamferChoice::kFieldCount; ++f)
        values[f] = dialog.Choice().values[static_cast<std::size_t>(f)];
    return true;
}

} // namespace dlg
