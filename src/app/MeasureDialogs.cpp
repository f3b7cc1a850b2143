#include "app/MeasureDialogs.h"

#include "display/DisplayList.h"
#include "dlg/BobstWoodDlg.h"
#include "dlg/LineLengthDlg.h"

namespace app {

bool RunMeasureDialog(int commandId, QWidget* view, const CMorvekDoc& doc)
{
    if (commandId == kCmdLineLength) {
        // The line types the drawing is shown with; none before start-up.
        if (const LinetypeTable* linetypes = DisplayList::GetLinetypeTable()) {
            dlg::CLineLength dialog(view, doc, *linetypes);
            dialog.exec();
        }
        return true;
    }
    if (commandId == dlg::CBobstWoodDlg::kCommand) {
        dlg::CBobstWoodDlg dialog(view);
        dialog.exec();
        return true;
    }
    return false;
}

} // namespace app
