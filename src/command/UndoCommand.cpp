#include "command/UndoCommand.h"

#include "command/ViewInput.h"
#include "document/MorvekDoc.h"

namespace editcommands {

void OnUndo(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    view.CancelCommand();
    doc->Undo().Undo();
    doc->ValidateAllElements();
    doc->RefreshAllBridges();
}

} // namespace editcommands
