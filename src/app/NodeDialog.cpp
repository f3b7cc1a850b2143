#include "app/NodeDialog.h"

#include "app/MorvekXPApp.h"
#include "command/CInputRequest.h"
#include "command/ViewInput.h"
#include "dlg/PropPointDlg.h"
#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QWidget>

#include <memory>

namespace app {

namespace {

bool UseSecondaryRelativity()
{
    const CMorvekXPApp* morvek = CMorvekXPApp::Current();
    return morvek == nullptr || morvek->UseSecondaryRelativity();
}

// The pick of a reference (or end) node: the dialog comes back with the
// clicked node chosen, or as it was when no node was clicked.
void ArmNodePick(QWidget* view, ViewInput& input, int node, const dlg::NodeForm& form, bool endNode)
{
    CInputRequest* request = input.Request();
    if (!request)
        return;
    const CallbackCommand::Callback after = [view, &input, node, form, endNode](CInputRequest& r) {
        dlg::NodeForm next = form;
        const int picked = r.Step(0).nodeIndex;
        if (picked >= 0) {
            if (endNode) {
                next.end = picked;
                next.mode = dlg::NodeForm::Mode::Radius;
            } else {
                next.reference = picked;
            }
        }
        ShowNodeDialog(view, input, node, next);
        return 1;
    };
    RequestDescription d;
    d.silentStart = true;
    InputStep& step = d.Add();
    step.accepted = InputPoint;
    step.snapFlags = SnapNode;
    request->Start(input, d, std::make_unique<CallbackCommand>(nullptr, after));
}

} // namespace

void ShowNodeDialog(QWidget* view, ViewInput& input, int node, dlg::NodeForm form)
{
    CMorvekDoc* doc = input.GetDocument();
    if (!doc)
        return;
    dlg::NodeProperties properties(*doc, node, UseSecondaryRelativity());
    (void)doc->Nodes().SetCacheValid(false);
    const int result = [&] {
        dlg::CPropPointDlg dialog(view, properties, form);
        return dialog.exec();
    }();
    (void)doc->Nodes().SetCacheValid(false);
    doc->RefreshAllBridges();
    if (result == dlg::CPropPointDlg::kEndPickReference || result == dlg::CPropPointDlg::kEndPickEnd)
        ArmNodePick(view, input, node, form, result == dlg::CPropPointDlg::kEndPickEnd);
    view->update();
}

bool RunNodeProperties(QWidget* view, ViewInput& input, int popupNode, double zoom)
{
    CMorvekDoc* doc = input.GetDocument();
    if (!doc || popupNode < 0 || popupNode >= doc->Nodes().GetCount() || !doc->Nodes().GetNode(popupNode))
        return false;
    int node = popupNode;
    const std::vector<int> here = dlg::NodesAt(doc->Nodes(), popupNode, zoom);
    if (here.size() > 1) {
        dlg::CSelectPointDlg choose(view, doc->Nodes(), here);
        if (choose.exec() != QDialog::Accepted || choose.Result() < 0)
            return false;
        node = choose.Result();
    }
    if (node == doc->GetOriginNode()) {
        (void)platform::ask(Translate(kTextOriginNode), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning);
        return false;
    }
    ShowNodeDialog(view, input, node, dlg::NodeProperties(*doc, node, UseSecondaryRelativity()).Load());
    return true;
}

} // namespace app
