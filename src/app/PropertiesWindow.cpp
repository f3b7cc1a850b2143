#include "app/PropertiesWindow.h"

#include "app/DocumentView.h"
#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "dlg/PropertySheet.h"
#include "document/MorvekDoc.h"

namespace app {

PropertiesWindow::PropertiesWindow(DocumentView& view, ViewInput& input)
    : view_(view), input_(input),
      driver_(view.Document(), const_cast<COptions*>(input.Options()), *this) // pages only read the options
{
}

void PropertiesWindow::OnPopupProperties(CElement* popupElement)
{
    CMorvekDoc& doc = view_.Document();
    if (doc.GetModifyState() != 0)
        return; // an edit state is open: no new one
    doc.SetEditElement(popupElement);
    driver_.EditProperties(0);
}

int PropertiesWindow::RunSheet(dlg::PropertySheetRun& run)
{
    return dlg::PropertySheet::Run(run, &view_);
}

void PropertiesWindow::ArmPick(int code)
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    // The dimension's points are nodes only.
    const bool nodesOnly = code == dlg::propend::kPickDimensionFirst || code == dlg::propend::kPickDimensionSecond
                           || code == dlg::propend::kPickDimensionThird;
    RequestDescription d = requestsetup::SilentPick(InputPoint, nodesOnly ? SnapNode : requestsetup::kPointSnap);
    d.commandCode = code;
    const CallbackCommand::Callback after = [this, code](CInputRequest& r) {
        const InputStep& step = r.Step(0);
        driver_.EditProperties(code, step.x, step.y, step.nodeIndex, step.nodeCompanion);
        view_.Document().UpdateAllElements();
        view_.update();
        return 1;
    };
    request->Start(input_, d, std::make_unique<CallbackCommand>(nullptr, after));
}

void PropertiesWindow::EditDieBoard()
{
    (void)view_.EditDieBoard();
}

void PropertiesWindow::Repaint()
{
    view_.RefreshCursor();
    view_.update();
}

} // namespace app
