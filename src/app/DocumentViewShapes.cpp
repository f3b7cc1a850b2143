// Construct > Shapes > Polygon and Rectangle: each asks its sizes in its
// dialog and, on OK only, asks the centre point. Construct > Basic >
// Relative Line: its tool window.
#include "app/DocumentView.h"

#include "command/ConstructCommands.h"
#include "dlg/RelativeLineDlg.h"
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

void DocumentView::ShowRelativeLine()
{
    if (!relativeLine_) {
        relativeLine_ = new dlg::CLineCreateDlg(*doc_, this);
        connect(relativeLine_, &dlg::CLineCreateDlg::DrawingChanged, this, [this] { update(); });
    }
    relativeLine_->ShowPen();
    relativeLine_->show();
    relativeLine_->raise();
    relativeLine_->activateWindow();
}

} // namespace app
