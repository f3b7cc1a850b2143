#pragma once
// The construction dialogs in the view's window: the arc, ellipse and
// dimension dialogs shown modally over the view.
#include "app/ConstructDriver.h"

class QWidget;

namespace app {

class ConstructDialogsWindow : public ConstructDialogUi {
public:
    explicit ConstructDialogsWindow(QWidget* view) : view_(view) {}

    int ShowArcDialog(dlg::ArcInputs& inputs, CMorvekDoc& doc) override;
    int ShowEllipseDialog(dlg::EllipseState& state, CMorvekDoc& doc) override;
    int ShowDimensionDialog(dlg::DimensionState& state, CMorvekDoc& doc) override;
    void Repaint() override;

private:
    QWidget* view_;
};

} // namespace app
