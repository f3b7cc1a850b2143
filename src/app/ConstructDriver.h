#pragma once
// The construction dialogs of the view: Construct > Basic > Arc and
// Ellipse and Construct > Dimension > Linear, Angular and Radius. The
// driver keeps each dialog's values between showings, shows the dialog
// (modal) and, when a pick button ended it, takes one point (or, for the
// dimension's circle, one arc) from the drawing through the command engine,
// stores it and shows the dialog again with everything kept. The dialogs'
// OK adds the element itself.
#include "dlg/ArcConstruction.h"
#include "dlg/DimensionFields.h"
#include "dlg/EllipseFields.h"

#include <functional>

class CMorvekDoc;
class ViewInput;
struct InputStep;

namespace app {

// How the driver shows its dialogs; the view implements it with the
// widgets, tests with a script. Each returns the dialog's end: 1 OK, 0
// Cancel, or a pick button's code (dlg::CArcDlg::kPick..., ...).
class ConstructDialogUi {
public:
    virtual ~ConstructDialogUi() = default;
    virtual int ShowArcDialog(dlg::ArcInputs& inputs, CMorvekDoc& doc) = 0;
    virtual int ShowEllipseDialog(dlg::EllipseState& state, CMorvekDoc& doc) = 0;
    virtual int ShowDimensionDialog(dlg::DimensionState& state, CMorvekDoc& doc) = 0;
    virtual void Repaint() {}
};

class ConstructDriver {
public:
    static constexpr int kCmdArc = 176;
    static constexpr int kCmdEllipse = 32802;
    static constexpr int kCmdLinear = 210;
    static constexpr int kCmdAngular = 211;
    static constexpr int kCmdRadius = 212;

    ConstructDriver(ViewInput& input, ConstructDialogUi& ui) : input_(input), ui_(ui) {}

    // The five commands; false for another id.
    bool RunCommand(int commandId);
    // Shows a dialog with what it holds (a pick's reopening).
    void ShowArc();
    void ShowEllipse();
    void ShowDimension();

    dlg::ArcInputs& Arc() { return arc_; }
    dlg::EllipseState& Ellipse() { return ellipse_; }
    dlg::DimensionState& Dimension() { return dimension_; }

private:
    // One point from the drawing with the snap flags: `store` takes it, then
    // `reopen` shows the dialog again.
    void PickPoint(int snapFlags, std::function<void(const InputStep&)> store, void (ConstructDriver::*reopen)());
    void PickCircle();
    void OnArcEnd(int code);
    void OnEllipseEnd(int code);
    void OnDimensionEnd(int code);

    ViewInput& input_;
    ConstructDialogUi& ui_;
    dlg::ArcInputs arc_;
    dlg::EllipseState ellipse_;
    dlg::DimensionState dimension_;
};

} // namespace app
