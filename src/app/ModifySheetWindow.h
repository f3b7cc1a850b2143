#pragma once
// The modify driver's sheet in the view's window: the dlg::ModifySheet
// widget shown modally over the view, which repaints on the driver's asking.
#include "app/ModifyDriver.h"

class CMorvekDoc;
class QWidget;

namespace app {

class ModifySheetWindow : public ModifySheetUi {
public:
    ModifySheetWindow(QWidget* view, CMorvekDoc& doc) : view_(view), doc_(doc) {}

    int ShowModifySheet(dlg::ModifyPages& pages, int kind, const QString& caption) override;
    void Repaint() override;

private:
    QWidget* view_;
    CMorvekDoc& doc_;
};

} // namespace app
