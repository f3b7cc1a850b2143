#include "command/BridgeMoveCommand.h"

#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "display/DrawContext.h"
#include "element/Element.h"
#include "section/Section.h"
#include "view/ViewCore.h"

namespace bridgemove {

namespace {

// The element with the picked bridge moved to the drag point, in no table.
std::unique_ptr<CElement> MovedCopy(const CInputRequest& request, const CElement& element)
{
    std::unique_ptr<CElement> copy = Section::CreateElement(element);
    const InputStep& drag = request.steps[1];
    if (copy)
        copy->MoveBridgeTo(request.steps[0].subPart, drag.x, drag.y);
    return copy;
}

} // namespace

void StartBridgeMove(ViewInput& view, CElement* element)
{
    CMorvekDoc* doc = view.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    const int slot = section && element ? section->GetIdx(element) : -1;
    if (slot < 0)
        return;
    CInputRequest* request =
        requestsetup::Begin(view, 2, kCodeBridgeMove, OnBridgeMoveFinish, kTextTitle, 0);
    request->SetDrawMoveCallbacks(OnBridgeMoveDraw, nullptr);
    InputStep& bridge = request->steps[0];
    bridge.accepted = InputSubPart;
    bridge.elementGiven = element;
    bridge.elementSlot = slot;
    bridge.subPart = -1;
    InputStep& drag = request->steps[1];
    const CursorInfo& c = doc->Cursor();
    drag.accepted = InputDrag;
    drag.dragButton = 1;
    drag.dragStartX = drag.x = c.modelX;
    drag.dragStartY = drag.y = c.modelY;
    // No prompt: the press on a bridge starts at once.
    request->currentStep = 0;
    request->SetRunning(true);
    view.popupActive = false;
}

int OnBridgeMoveFinish(CInputRequest* request)
{
    Section* section = requestsetup::CurrentSection(request);
    InputStep& bridge = request->steps[0];
    CElement* element = section ? section->GetElement(bridge.elementSlot) : nullptr;
    if (!element || bridge.subPart < 0)
        return 0;
    std::unique_ptr<CElement> copy = MovedCopy(*request, *element);
    if (!copy)
        return 0;
    bridge.elementGiven = section->ReplaceElement(bridge.elementSlot, std::move(copy));
    return 1;
}

int OnBridgeMoveDraw(CInputRequest* request, platform::Device* dc)
{
    Section* section = requestsetup::CurrentSection(request);
    const ViewInput* view = request->GetView();
    const InputStep& bridge = request->steps[0];
    if (!dc || !view || !section || request->currentStep != 1 || !bridge.elementGiven)
        return 0;
    std::unique_ptr<CElement> copy = MovedCopy(*request, *bridge.elementGiven);
    if (!copy)
        return 0;
    const ViewCore& core = view->Core();
    const int placements = section->GetInstanceCount();
    for (int i = 0; i < std::max(placements, 1); ++i) {
        DrawContext context(dc, placements > 0 ? section->GetInstance(i) : CInstance{},
                            core.ShowsSpecialLineTypes(), core.ShowsBridges(), core.GetOrigin());
        context.scale = core.GetZoom();
        copy->DrawBridges(bridge.subPart, context);
    }
    return 1;
}

} // namespace bridgemove
