#include "dlg/LanguageDlg.h"

#include "dlg/DialogButtons.h"
#include "options/LanguageTable.h"
#include "options/Options.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace dlg {
namespace {

constexpr QSize kFlagSize(32, 32);
constexpr QColor kListBackground(224, 224, 224);

// Horizontal or vertical bands of equal width.
void Bands(QPainter& p, const QRect& r, std::initializer_list<QColor> colours, bool vertical)
{
    const int n = static_cast<int>(colours.size());
    int i = 0;
    for (const QColor& c : colours) {
        if (vertical)
            p.fillRect(QRect(r.left() + r.width() * i / n, r.top(), r.width() * (i + 1) / n - r.width() * i / n,
                             r.height()), c);
        else
            p.fillRect(QRect(r.left(), r.top() + r.height() * i / n, r.width(),
                             r.height() * (i + 1) / n - r.height() * i / n), c);
        ++i;
    }
}

void UnionFlag(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(1, 33, 105));
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = r.height() / 10;
    p.setPen(QPen(Qt::white, 2 * u));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(QPen(QColor(200, 16, 46), 0.8 * u));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(r.left(), r.center().y() - 1.7 * u, r.width(), 3.4 * u), Qt::white);
    p.fillRect(QRectF(r.center().x() - 1.7 * u, r.top(), 3.4 * u, r.height()), Qt::white);
    p.fillRect(QRectF(r.left(), r.center().y() - u, r.width(), 2 * u), QColor(200, 16, 46));
    p.fillRect(QRectF(r.center().x() - u, r.top(), 2 * u, r.height()), QColor(200, 16, 46));
}

} // namespace

QPixmap LanguageFlag(int index, QSize size)
{
    QPixmap flag(size);
    flag.fill(Qt::transparent);
    QPainter p(&flag);
    // A 3:2 flag in the middle of the square, with a thin frame.
    const int h = size.width() * 2 / 3;
    const QRect r(0, (size.height() - h) / 2, size.width(), h);
    switch (index) {
    case 0: Bands(p, r, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)}, false); break;
    case 1: UnionFlag(p, r); break;
    case 2:
        Bands(p, r, {QColor(170, 21, 27), QColor(241, 191, 0), QColor(241, 191, 0), QColor(170, 21, 27)}, false);
        break;
    case 3: Bands(p, r, {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)}, true); break;
    case 4: Bands(p, r, {QColor(0, 146, 70), Qt::white, QColor(206, 43, 55)}, true); break;
    case 5: Bands(p, r, {QColor(205, 42, 62), Qt::white, QColor(67, 111, 77)}, false); break;
    case 6: {
        p.fillRect(QRect(r.left(), r.top(), r.width() * 2 / 5, r.height()), QColor(0, 102, 0));
        p.fillRect(QRect(r.left() + r.width() * 2 / 5, r.top(), r.width() - r.width() * 2 / 5, r.height()),
                   QColor(255, 0, 0));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 204, 0), 1.5));
        p.setBrush(Qt::NoBrush);
        const qreal radius = r.height() / 4.0;
        p.drawEllipse(QPointF(r.left() + r.width() * 2.0 / 5, r.center().y() + 0.5), radius, radius);
        break;
    }
    case 7: Bands(p, r, {Qt::white, QColor(0, 57, 166), QColor(213, 43, 30)}, false); break;
    case 8: Bands(p, r, {QColor(198, 54, 60), QColor(12, 64, 118), Qt::white}, false); break;
    default: break;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return flag;
}

CLanguageDlg::CLanguageDlg(QWidget* parent, COptions& options)
    : QDialog(parent), options_(options), list_(new QListWidget(this)), order_(new QLabel(this)), ok_(nullptr)
{
    setObjectName(QStringLiteral("LanguageDlg"));
    setWindowTitle(Translate(kCaptionLanguage));
    list_->setViewMode(QListView::IconMode);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setIconSize(kFlagSize);
    list_->setGridSize(QSize(96, 64));
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWordWrap(true);
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, kListBackground);
    list_->setPalette(palette);
    for (int i = 0; i < kLanguageCount; ++i) {
        auto* item = new QListWidgetItem(QIcon(LanguageFlag(i, kFlagSize)), LanguageLabel(i), list_);
        item->setData(Qt::UserRole, i);
    }
    order_->setObjectName(QStringLiteral("OrderText"));
    auto* group = new QGroupBox(Translate(kTextLanguageGroup), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(list_);
    groupLayout->addWidget(order_);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    resize(420, 320);
    connect(list_, &QListWidget::itemSelectionChanged, this, &CLanguageDlg::OnItemChanged);
    OnItemChanged();
}

void CLanguageDlg::OnItemChanged()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty())
        choice_.Select(selected.front()->data(Qt::UserRole).toInt());
    order_->setText(choice_.OrderText());
    ok_->setEnabled(choice_.CanAccept());
}

void CLanguageDlg::accept()
{
    if (!choice_.CanAccept())
        return;
    options_.SetLanguageOrder(choice_.OrderText());
    options_.ReloadLanguageOrder();
    QDialog::accept();
}

bool RunLanguageDialog(QWidget* parent, COptions& options)
{
    CLanguageDlg dialog(parent, options);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace dlg
