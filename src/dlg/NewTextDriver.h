#pragma once
// Construct > Basic > Text: the text page alone in its new-text mode (no
// working copy, no preview). Its position pick closes the sheet and comes
// back to the text page alone with the point; OK adds the text in one undo
// step (text 174), which marks the drawing modified, and the view repaints.
#include "dlg/PropertiesDriver.h"

class CMorvekDoc;
class COptions;

namespace dlg {

class NewTextDriver {
public:
    static constexpr int kTextUndoTitle = 174;

    // The host's RunSheet shows the sheet, its ArmPick arms the position
    // pick whose after-finish calls Run(kPickTextBase, point) here, and its
    // Repaint repaints the view.
    NewTextDriver(CMorvekDoc& doc, COptions* options, PropertiesHost& host)
        : doc_(doc), options_(options), host_(host)
    {
    }

    // code 0: a fresh new text; propend::kPickTextBase: the picked point
    // becomes the text's position and the page shows again with what was
    // typed. Any other code does nothing. True when a text was added.
    bool Run(int code = 0, const PickedPoint& point = {});

    PropertyValues& Values() { return values_; }

private:
    CMorvekDoc& doc_;
    COptions* options_;
    PropertiesHost& host_;
    PropertyValues values_;
};

} // namespace dlg
