#include "dlg/AutoInstanceDlg.h"

#include "dlg/CalcLayoutDlg.h"
#include "dlg/NumberFields.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/LayoutStore.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dlg {

namespace {

// One group's fields in their rows: angle, the two distances, the two
// shifts; the pick codes of the distance rows.
struct GroupFields {
    AutoField angle, gap1, gap2, shift1, shift2;
    int pick1, pick2;
    int group, shiftLabel;
};

constexpr GroupFields kGroups[2] = {
    {AutoField::XAngle, AutoField::XGap1, AutoField::XGap2, AutoField::XVerticalShift1, AutoField::XVerticalShift2,
     kPickXFirst, kPickXSecond, CAutoInstanceDlg::kTextGroupX, CAutoInstanceDlg::kTextVerticalShift},
    {AutoField::YAngle, AutoField::YGap1, AutoField::YGap2, AutoField::YHorizontalShift1,
     AutoField::YHorizontalShift2, kPickYFirst, kPickYSecond, CAutoInstanceDlg::kTextGroupY,
     CAutoInstanceDlg::kTextHorizontalShift},
};

} // namespace

CAutoInstanceDlg::CAutoInstanceDlg(QWidget* parent, LayoutStore& store, int& layoutCounter, const Section& section,
                                   PaperSizes papers)
    : QDialog(parent), store_(store), layoutCounter_(layoutCounter), section_(section), papers_(std::move(papers))
{
    setObjectName(QStringLiteral("AutoInstanceDlg"));
    setWindowTitle(Translate(kTextCaption));
    auto* groups = new QHBoxLayout;
    for (int g = 0; g < 2; ++g) {
        const GroupFields& gf = kGroups[g];
        const bool x = g == 0;
        auto* box = new QGroupBox(Translate(gf.group), this);
        auto* grid = new QGridLayout(box);
        auto* radios = new QButtonGroup(box);
        for (int r = 0; r < 2; ++r) {
            auto* radio = new QRadioButton(Translate(r == 0 ? kTextSameTurn : kTextAlternateTurn), box);
            radio->setObjectName(QStringLiteral("Radio%1%2").arg(x ? QLatin1Char('X') : QLatin1Char('Y')).arg(r));
            radios->addButton(radio);
            radios_[static_cast<std::size_t>((x ? 0 : 2) + r)] = radio;
            grid->addWidget(radio, r, 0, 1, 3);
            connect(radio, &QRadioButton::toggled, this, &CAutoInstanceDlg::UpdateEnabling);
        }
        const auto field = [&](AutoField f) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QStringLiteral("Field%1").arg(static_cast<int>(f)));
            MakeDoubleField(edit);
            fields_[static_cast<std::size_t>(f)] = edit;
            return edit;
        };
        const auto pick = [&](int code) {
            auto* button = new QPushButton(QStringLiteral("..."), box);
            button->setObjectName(QStringLiteral("Pick%1").arg(code));
            button->setAutoDefault(false);
            button->setMaximumWidth(30);
            picks_[static_cast<std::size_t>(code - kPickXFirst)] = button;
            connect(button, &QPushButton::clicked, this, [this, code] { OnPick(code); });
            return button;
        };
        int row = 2;
        grid->addWidget(new QLabel(Translate(kTextRotation), box), row, 0);
        grid->addWidget(field(gf.angle), row++, 1);
        grid->addWidget(new QLabel(Translate(kTextDistance), box), row++, 0, 1, 3);
        grid->addWidget(new QLabel(Translate(kTextFirstSecond), box), row, 0);
        grid->addWidget(field(gf.gap1), row, 1);
        grid->addWidget(pick(gf.pick1), row++, 2);
        grid->addWidget(new QLabel(Translate(kTextSecondThird), box), row, 0);
        grid->addWidget(field(gf.gap2), row, 1);
        grid->addWidget(pick(gf.pick2), row++, 2);
        grid->addWidget(new QLabel(Translate(gf.shiftLabel), box), row++, 0, 1, 3);
        grid->addWidget(new QLabel(Translate(kTextShiftRow1), box), row, 0);
        grid->addWidget(field(gf.shift1), row++, 1);
        grid->addWidget(new QLabel(Translate(kTextShiftRow2), box), row, 0);
        grid->addWidget(field(gf.shift2), row++, 1);
        auto* repeat = new QLineEdit(box);
        repeat->setObjectName(x ? QStringLiteral("RepeatX") : QStringLiteral("RepeatY"));
        repeat->setValidator(new QIntValidator(0, kMaxAutoCount, repeat));
        connect(repeat, &QLineEdit::textEdited, this, [this, repeat] { OnRepeatEdited(repeat); });
        (x ? repeatX_ : repeatY_) = repeat;
        grid->addWidget(new QLabel(Translate(kTextRepeat), box), row, 0);
        grid->addWidget(repeat, row, 1);
        groups->addWidget(box);
    }
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(Translate(kTextOk), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(Translate(kTextCancel), QDialogButtonBox::RejectRole);
    QPushButton* save = buttons->addButton(Translate(kTextSave), QDialogButtonBox::ActionRole);
    optimize_ = buttons->addButton(Translate(kTextOptimize), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("Save"));
    optimize_->setObjectName(QStringLiteral("Optimize"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        params_ = GetParams();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &CAutoInstanceDlg::OnSave);
    connect(optimize_, &QPushButton::clicked, this, &CAutoInstanceDlg::OnOptimize);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    ShowParams(params_);
}

void CAutoInstanceDlg::SetParams(const AutoLayoutParams& params)
{
    params_ = params;
    ShowParams(params);
}

void CAutoInstanceDlg::ShowParams(const AutoLayoutParams& params)
{
    Radio(true, params.x.rotateAlternate)->setChecked(true);
    Radio(false, params.y.rotateAlternate)->setChecked(true);
    for (int f = 0; f < kAutoFieldCount; ++f)
        fields_[static_cast<std::size_t>(f)]->setText(NumberText(FieldValue(params, static_cast<AutoField>(f))));
    repeatX_->setText(QString::number(RepeatValue(params.x.count)));
    repeatY_->setText(QString::number(RepeatValue(params.y.count)));
    UpdateEnabling();
}

AutoLayoutParams CAutoInstanceDlg::GetParams() const
{
    AutoLayoutParams params = params_;
    params.x.rotateAlternate = Radio(true, true)->isChecked();
    params.y.rotateAlternate = Radio(false, true)->isChecked();
    for (int f = 0; f < kAutoFieldCount; ++f) {
        double value = 0.0;
        if (ReadNumber(fields_[static_cast<std::size_t>(f)], value))
            FieldValue(params, static_cast<AutoField>(f)) = value;
    }
    params.x.count = RepeatValue(repeatX_->text().toInt());
    params.y.count = RepeatValue(repeatY_->text().toInt());
    return params;
}

void CAutoInstanceDlg::UpdateEnabling()
{
    const bool xAlternate = Radio(true, true)->isChecked();
    const bool yAlternate = Radio(false, true)->isChecked();
    for (int f = 0; f < kAutoFieldCount; ++f)
        fields_[static_cast<std::size_t>(f)]->setEnabled(IsFieldEnabled(static_cast<AutoField>(f), xAlternate, yAlternate));
    for (int code = kPickXFirst; code <= kPickYSecond; ++code)
        PickButton(code)->setEnabled(IsPickEnabled(code, xAlternate, yAlternate));
}

void CAutoInstanceDlg::OnRepeatEdited(QLineEdit* edit)
{
    if (!edit->text().isEmpty() && edit->text().toInt() == 0)
        edit->setText(QStringLiteral("1"));
}

void CAutoInstanceDlg::OnSave()
{
    const AutoLayoutParams params = GetParams();
    const QString name = SavedLayoutName(layoutCounter_);
    ++layoutCounter_;
    (void)store_.AddLayout(params.x, params.y, name); // the store takes any pair
    (void)platform::ask(TranslateKey(QStringLiteral("layout saved as")) + name, Translate(kTextCaption),
                        platform::PromptButtons::Ok, platform::PromptIcon::Information); // only told
}

void CAutoInstanceDlg::OnOptimize()
{
    std::vector<const SavedLayout*> layouts;
    store_.GetLayouts(layouts);
    if (layouts.empty())
        OnSave();
    CalcLayout dialog(this, store_, section_, papers_);
    if (dialog.exec() != QDialog::Accepted || !dialog.GetChosenResult())
        return;
    const ChosenLayoutResult& chosen = *dialog.GetChosenResult();
    SetParams(ParamsOfResult(*chosen.result->layout, chosen.fit));
}

void CAutoInstanceDlg::OnPick(int pickCode)
{
    params_ = GetParams();
    done(pickCode);
}

} // namespace dlg
