#pragma once
// The print set-up dialog: print mode (1:1 over overlapping pages, drawing
// fitted, view fitted), the page overlap of the 1:1 mode and the centring
// of the fitted modes. OK stores the values in the options for the run;
// Cancel stores nothing (and the print that opened it stops).
#include "dlg/PrintSetupFields.h"

#include <QDialog>

class COptions;
class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace dlg {

class CPrinterSetupDlg : public QDialog {
    Q_OBJECT
public:
    CPrinterSetupDlg(COptions& options, QWidget* parent = nullptr);

    const PrintSetupFields& Fields() const { return fields_; }
    QRadioButton* ModeButton(int mode) const { return modes_[mode - 1]; }
    QSpinBox* OverlapBox() const { return overlap_; }
    QCheckBox* CenterXBox() const { return centerX_; }
    QCheckBox* CenterYBox() const { return centerY_; }

    void accept() override;

private:
    void ShowEnabling();

    COptions& options_;
    PrintSetupFields fields_;
    QRadioButton* modes_[3] = {};
    QSpinBox* overlap_ = nullptr;
    QCheckBox* centerX_ = nullptr;
    QCheckBox* centerY_ = nullptr;
};

} // namespace dlg
