#pragma once
// The element properties in the view: the properties driver over the
// real sheet, its pages' picks armed on the command engine (the after-finish
// brings the point back to the driver and recomputes the drawing), and the
// die-board dialog for a board's properties.
#include "dlg/PropertiesDriver.h"

class ViewInput;
class QWidget;

namespace app {

class DocumentView;

class PropertiesWindow : public dlg::PropertiesHost {
public:
    PropertiesWindow(DocumentView& view, ViewInput& input);

    // 2DPopup > Properties: the element under the context menu (none: the
    // selection) is edited.
    void OnPopupProperties(CElement* popupElement);
    dlg::PropertiesDriver& Driver() { return driver_; }

    int RunSheet(dlg::PropertySheetRun& run) override;
    void ArmPick(int code) override;
    void EditDieBoard() override;
    void Repaint() override;

private:
    DocumentView& view_;
    ViewInput& input_;
    dlg::PropertiesDriver driver_;
};

} // namespace app
