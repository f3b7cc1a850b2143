#include "dlg/LineTypePropDlg.h"

#include "dlg/NumberFields.h"
#include "dlg/OneValue.h"

#include "linetype/LinetypeTable.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dlg {
namespace {

constexpr int kCaption = 634;
// The pen styles' texts and the order they are listed in.
constexpr int kTextStyles[] = {372, 373, 371, 374}; // solid, dash, dot, dash-dot
// The labels of the three data fields and of the two subtype boxes.
constexpr TextIdRange kTextDataLabels{546, 3};
constexpr TextIdRange kTextSubtypeLabels{549, 2};

QColor ToQColor(platform::ColorRef c)
{
    return QColor(platform::redOf(c), platform::greenOf(c), platform::blueOf(c));
}

Qt::PenStyle QtStyle(int style)
{
    switch (style) {
    case LinetypeStyle::Dash: return Qt::DashLine;
    case LinetypeStyle::Dot: return Qt::DotLine;
    case LinetypeStyle::DashDot: return Qt::DashDotLine;
    default: return Qt::SolidLine;
    }
}

// The frame that shows the pen: a line through its middle, 5 pixels in from
// either side, on the drawing's background.
class PenSample : public QWidget {
public:
    PenSample(QWidget* parent, platform::ColorRef background, const std::unique_ptr<LineTypeFields>& fields)
        : QWidget(parent), background_(background), fields_(fields)
    {
        setMinimumSize(200, 40);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(background_));
        if (!fields_)
            return;
        QPen pen(ToQColor(fields_->colour), fields_->width, QtStyle(fields_->style));
        p.setPen(pen);
        const int y = height() / 2;
        p.drawLine(5, y, width() - 6, y);
    }

private:
    platform::ColorRef background_;
    const std::unique_ptr<LineTypeFields>& fields_;
};

} // namespace

CLineTypePropDlg::CLineTypePropDlg(QWidget* parent, const std::map<int, QString>& subtypeNames,
                                   platform::ColorRef background)
    : QDialog(parent), subtypeNames_(subtypeNames), background_(background), id_(new QLineEdit(this)),
      name_(new QLineEdit(this)), kind_(new QComboBox(this)), width_(new QSpinBox(this)),
      style_(new QComboBox(this)), colourButton_(new QPushButton(Translate(554), this))
{
    setObjectName(QStringLiteral("LineTypePropDlg"));
    setWindowTitle(Translate(kCaption));
    MakeIntField(id_);
    width_->setRange(0, Linetype::MaxWidth);
    auto* form = new QFormLayout;
    form->addRow(Translate(543), id_);
    form->addRow(Translate(544), name_);
    form->addRow(Translate(545), kind_);
    for (int i = 0; i < kTextDataLabels.count; ++i) {
        data_[i] = new QLineEdit(this);
        MakeDoubleField(data_[i]);
        form->addRow(Translate(kTextDataLabels.At(i)), data_[i]);
    }
    for (int i = 0; i < kTextSubtypeLabels.count; ++i) {
        subtypes_[i] = new QComboBox(this);
        form->addRow(Translate(kTextSubtypeLabels.At(i)), subtypes_[i]);
    }
    form->addRow(Translate(551), colourButton_);
    form->addRow(Translate(552), width_);
    form->addRow(Translate(553), style_);
    sample_ = new PenSample(this, background_, fields_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate(133));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sample_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLineTypePropDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLineTypePropDlg::reject);
    connect(colourButton_, &QPushButton::clicked, this, &CLineTypePropDlg::ChooseColour);
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_ || !fields_)
            return;
        fields_->kind = kind_->currentData().toInt();
        ApplyKindRule();
    });
    connect(width_, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_ || !fields_)
            return;
        fields_->SetWidth(value);
        ShowFields();
    });
    connect(style_, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_ || !fields_)
            return;
        fields_->SetStyle(style_->currentData().toInt());
        ShowFields();
    });
}

CLineTypePropDlg::~CLineTypePropDlg() = default;

void CLineTypePropDlg::SetLineType(Linetype* record, std::optional<std::set<int>> takenIds, int* id)
{
    record_ = record;
    idTarget_ = id;
    fields_ = std::make_unique<LineTypeFields>(*record, std::move(takenIds), *id);
    *idTarget_ = fields_->id;
    filling_ = true;
    kind_->clear();
    for (int kind : fields_->KindItems())
        kind_->addItem(LinetypeTable::ToText(kind, 0), kind);
    for (QComboBox* box : subtypes_) {
        box->clear();
        for (const auto& [number, name] : subtypeNames_)
            box->addItem(name, number);
    }
    style_->clear();
    for (int style = 0; style < 4; ++style)
        style_->addItem(Translate(kTextStyles[style]), style);
    filling_ = false;
    ShowFields();
    ApplyKindRule();
}

void CLineTypePropDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (fields_)
        ShowFields();
}

void CLineTypePropDlg::ShowFields()
{
    filling_ = true;
    id_->setText(QString::number(fields_->id));
    name_->setText(fields_->name);
    kind_->setCurrentIndex(kind_->findData(fields_->kind));
    for (int i = 0; i < 3; ++i)
        data_[i]->setText(NumberText(fields_->data[i]));
    const int subtypes[2] = {fields_->subtype1, fields_->subtype2};
    for (int i = 0; i < 2; ++i) {
        const int at = subtypes_[i]->findData(subtypes[i]);
        subtypes_[i]->setCurrentIndex(at >= 0 ? at : (subtypes_[i]->count() > 0 ? 0 : -1));
    }
    width_->setValue(fields_->width);
    style_->setCurrentIndex(style_->findData(fields_->style));
    filling_ = false;
    sample_->update();
}

void CLineTypePropDlg::ApplyKindRule()
{
    kind_->setEnabled(fields_->KindEnabled());
    id_->setEnabled(fields_->IdEnabled());
    for (int i = 0; i < 3; ++i)
        data_[i]->setEnabled(fields_->DataEnabled(i + 1));
    for (int i = 0; i < 2; ++i)
        subtypes_[i]->setEnabled(fields_->SubtypeEnabled(i + 1));
}

void CLineTypePropDlg::ChooseColour()
{
    const QColor chosen = QColorDialog::getColor(ToQColor(fields_->colour), this);
    if (!chosen.isValid())
        return;
    fields_->colour = platform::rgb(chosen.red(), chosen.green(), chosen.blue());
    sample_->update();
}

bool CLineTypePropDlg::ReadFields()
{
    if (!ReadNumber(id_, fields_->id))
        return false;
    fields_->name = name_->text();
    fields_->kind = kind_->currentData().toInt();
    fields_->subtype1 = subtypes_[0]->currentData().toInt();
    fields_->subtype2 = subtypes_[1]->currentData().toInt();
    for (int i = 0; i < 3; ++i) {
        if (!data_[i]->isEnabled())
            continue;
        if (!ReadNumber(data_[i], fields_->data[i]))
            return false;
    }
    return true;
}

void CLineTypePropDlg::accept()
{
    if (!fields_)
        return QDialog::reject();
    if (!ReadFields()) {
        (void)platform::ask(Translate(kTextNotANumber), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Error); // Ok only
        return;
    }
    if (!fields_->Accept(*record_, *idTarget_)) {
        (void)platform::ask(QString::fromLatin1(LineTypeFields::kIdTaken), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Error); // Ok only
        id_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace dlg
