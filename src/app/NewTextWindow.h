#pragma once
// Construct > Basic > Text in the view: the new-text driver over the real
// sheet, its position pick armed on the command engine (the after-finish
// brings the point back to the text page alone).
#include "dlg/NewTextDriver.h"

class ViewInput;

namespace app {

class DocumentView;

class NewTextWindow : public dlg::PropertiesHost {
public:
    NewTextWindow(DocumentView& view, ViewInput& input);

    void Start() { (void)driver_.Run(0); }
    dlg::NewTextDriver& Driver() { return driver_; }

    int RunSheet(dlg::PropertySheetRun& run) override;
    void ArmPick(int code) override;
    void EditDieBoard() override {}
    void Repaint() override;

private:
    DocumentView& view_;
    ViewInput& input_;
    dlg::NewTextDriver driver_;
};

} // namespace app
