// Construct > Shapes > Polygon and Rectangle: each asks its sizes in its
// dialog and, on OK only, asks the centre point.
#include "app/DocumentView.h"

#include "command/ConstructCommands.h"
#include "dlg/ShapeDialogs.h"
#include "options/Options.h"

namespace app {

bool DocumentView::RunShapeCommand(int commandId)
{
    if (commandId != constructcommands::kCmdPolygon && commandId != constructcommands::kCmdRectangle)
        return false;
    COptions* options = COptions::Current();
    if (!options)
        return true;
    if (commandId == constructcommands::kCmdPolygon) {
        dlg::CPolygonDlg dialog(*options, polygon_, this);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        polygon_ = dialog.Values();
        constructcommands::StartPolygon(input_);
    } else {
        dlg::CRectangleDlg dialog(*options, this);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        constructcommands::StartRectangle(input_);
    }
    return true;
}

} // namespace app
