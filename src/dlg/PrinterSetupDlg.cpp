#include "dlg/PrinterSetupDlg.h"

#include "dlg/DialogButtons.h"
#include "options/LanguageTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dlg {

namespace {

constexpr int kCaptionPrintSetup = 755;
constexpr int kTextModeGroup = 758;
constexpr int kTextOverlap = 766;
constexpr TextIdRange kTextModes{763, 3}; // 1:1 tiled, drawing fitted, view fitted
constexpr int kTextCenterX = 2702;
constexpr int kTextCenterY = 2703;

} // namespace

CPrinterSetupDlg::CPrinterSetupDlg(COptions& options, QWidget* parent)
    : QDialog(parent), options_(options), fields_(PrintSetupFields::Read(options))
{
    setWindowTitle(Translate(kCaptionPrintSetup));
    auto* group = new QGroupBox(Translate(kTextModeGroup), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (int mode = 1; mode <= 3; ++mode) {
        auto* radio = new QRadioButton(Translate(kTextModes.At(mode - 1)), group);
        modes_[mode - 1] = radio;
        buttons->addButton(radio, mode);
        groupLayout->addWidget(radio);
        if (mode == 1) {
            auto* row = new QHBoxLayout;
            row->addSpacing(20);
            row->addWidget(new QLabel(Translate(kTextOverlap), group));
            overlap_ = new QSpinBox(group);
            overlap_->setRange(0, PrintSetupFields::kMaxOverlap);
            overlap_->setValue(fields_.overlap);
            row->addWidget(overlap_);
            row->addStretch();
            groupLayout->addLayout(row);
        }
    }
    if (fields_.selectedMode != 0)
        modes_[fields_.selectedMode - 1]->setChecked(true);

    centerX_ = new QCheckBox(Translate(kTextCenterX), this);
    centerY_ = new QCheckBox(Translate(kTextCenterY), this);
    centerX_->setChecked(fields_.centerX);
    centerY_->setChecked(fields_.centerY);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(centerX_);
    layout->addWidget(centerY_);
    layout->addWidget(OkCancelButtons(this));

    connect(buttons, &QButtonGroup::idClicked, this, [this](int mode) {
        fields_.ChooseMode(mode);
        ShowEnabling();
    });
    ShowEnabling();
}

void CPrinterSetupDlg::ShowEnabling()
{
    overlap_->setEnabled(fields_.overlapEnabled);
    centerX_->setEnabled(fields_.centerEnabled);
    centerY_->setEnabled(fields_.centerEnabled);
}

void CPrinterSetupDlg::accept()
{
    fields_.overlap = overlap_->value();
    fields_.centerX = centerX_->isChecked();
    fields_.centerY = centerY_->isChecked();
    fields_.Store(options_);
    QDialog::accept();
}

} // namespace dlg
