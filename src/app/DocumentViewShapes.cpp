// Construct > Shapes > Polygon and Rectangle: each asks its sizes in its
// dialog and, on OK only, asks the centre point. The edge dialog of
// Construct > Geometry > Edge and Die > Stripper > Outline by Click, the
// die-board dialog of Die > Wood, and Construct > Basic > Relative Line's
// tool window.
#include "app/DocumentView.h"

#include "command/ConstructCommands.h"
#include "display/DisplayList.h"
#include "dlg/EdgeDlg.h"
#include "dlg/RelativeLineDlg.h"
#include "dlg/ShapeDialogs.h"
#include "dlg/WoodDlg.h"
#include "document/MorvekDoc.h"
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

std::optional<OutlineSettings> DocumentView::AskEdge(bool restricted)
{
    const LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    const COptions* options = COptions::Current();
    if (!linetypes)
        return std::nullopt;
    AutosaveTimer::Pause pause(autosave_);
    return dlg::CEdgeDlg::Ask(this, edge_, *linetypes, options ? options->GetLineType() : 1, restricted);
}

int DocumentView::EditDieBoard()
{
    if (doc_->GetModifyState() != 0)
        return QDialog::Rejected;
    input_.CancelCommand();
    commandUi_.SetStatusText(QString());
    int result = QDialog::Rejected;
    {
        AutosaveTimer::Pause pause(autosave_);
        result = dlg::EditDieBoard(this, *doc_, dieBoard_);
    }
    RefreshCursor();
    update();
    return result;
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
