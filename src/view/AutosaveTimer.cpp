#include "view/AutosaveTimer.h"

#include "document/MorvekDoc.h"

bool AutosaveTimer::OnTimer(CMorvekDoc& doc)
{
    if (!enabled_ || !doc.IsModified() || doc.GetModifyState() != 0 || doc.commandActive != 0)
        return false;
    // The copy's file dialog-free write may still pump messages: no second
    // tick inside it.
    Pause pause(*this);
    doc.Undo().Close(); // a step left open by a cancelled value entry
    doc.AutoSave();
    return true;
}
