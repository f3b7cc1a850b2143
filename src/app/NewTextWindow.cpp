#include "app/NewTextWindow.h"

#include "app/DocumentView.h"
#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "dlg/PropertySheet.h"

namespace app {

NewTextWindow::NewTextWindow(DocumentView& view, ViewInput& input)
    : view_(view), input_(input),
      driver_(view.Document(), const_cast<COptions*>(input.Options()), *this) // the page only reads the options
{
}

int NewTextWindow::RunSheet(dlg::PropertySheetRun& run)
{
    return dlg::PropertySheet::Run(run, &view_);
}

void NewTextWindow::ArmPick(int code)
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    RequestDescription d = requestsetup::SilentPick(InputPoint);
    d.commandCode = code;
    const CallbackCommand::Callback after = [this, code](CInputRequest& r) {
        const InputStep& step = r.Step(0);
        (void)driver_.Run(code, dlg::PickedPoint{step.x, step.y, step.nodeIndex, step.nodeCompanion});
        return 1;
    };
    request->Start(input_, d, std::make_unique<CallbackCommand>(nullptr, after));
}

void NewTextWindow::Repaint()
{
    view_.RefreshCursor();
    view_.update();
}

} // namespace app
