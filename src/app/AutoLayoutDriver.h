#pragma once
// Die > Automatic Layout and the layout optimisation (command 33013) of a
// view. The driver applies the current layer's step-and-repeat records,
// shows the automatic layout dialog and applies what it returns; a pick
// button of the dialog starts the distance pick in the drawing, whose
// result is added to the row of the button before the dialog opens again.
// The pending pick lives with the pick request of this view's document:
// a pick in another drawing never reaches this one, and a cancelled pick
// leaves nothing behind. The layout is not recorded for undo; a change of
// the layer's placements marks the drawing modified.
#include "dlg/AutoLayoutFields.h"

#include <functional>

class CMorvekDoc;
class PaperSizeTable;
class QWidget;
class ViewInput;

namespace app {

class AutoLayoutDriver {
public:
    // Shows the dialog with the records (changed in place on OK or a pick)
    // and returns kCancel, kOk or a pick code.
    using ShowDialog = std::function<int(dlg::AutoLayoutParams& params)>;
    static constexpr int kCancel = 0;
    static constexpr int kOk = 1;

    AutoLayoutDriver(ViewInput& input, ShowDialog show, std::function<void()> repaint)
        : input_(input), show_(std::move(show)), repaint_(std::move(repaint))
    {
    }

    // Die > Automatic Layout; with a pick code, the picked vector (dx, dy)
    // is first added to that row of the layer's records. True when the
    // dialog was left through a pick button and the pick runs.
    bool Run(int pickCode = dlg::kPickNone, double dx = 0.0, double dy = 0.0);

private:
    ViewInput& input_;
    ShowDialog show_;
    std::function<void()> repaint_;
};

// The paper sizes the dialogs use: the application's table, or the given
// fallback when no application object runs (filled with the standard sizes
// on first use).
PaperSizeTable& PaperSizesOrFallback(PaperSizeTable& fallback);

// The automatic layout dialog over the document's store and current layer.
int ShowAutoLayoutDialog(QWidget* parent, CMorvekDoc& doc, PaperSizeTable& papers, dlg::AutoLayoutParams& params);
// Command 33013: the layout optimisation dialog; its result is not used.
void RunLayoutOptimisation(QWidget* parent, CMorvekDoc& doc, PaperSizeTable& papers);

} // namespace app
