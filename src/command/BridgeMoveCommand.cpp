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
    const InputStep& drag = *request.GetStep(1);
    if (copy)
        copy->MoveBridgeTo(request.GetStep(0)->subPart, drag.x, drag.y);
    return copy;
}

// The element in the remembered slot replaced by a copy with the picked
// bridge at the dragged point; the copy is the element of the next move.
// Draws the bridges of such a copy at the drag point, in every placement of
// the section, the moved one highlighted.
class BridgeMoveCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
    int Draw(CInputRequest& request, platform::Device* dc) override;
};

} // namespace

void StartBridgeMove(ViewInput& view, CElement* element)
{
    CMorvekDoc* doc = view.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    const int slot = section && element ? section->GetIdx(element) : -1;
    if (slot < 0)
        return;
    RequestDescription d = requestsetup::Describe(kCodeBridgeMove, kTextTitle, 0);
    // No prompt: the press on a bridge starts at once.
    d.silentStart = true;
    InputStep& bridge = d.Add();
    bridge.accepted = InputSubPart;
    bridge.elementGiven = element;
    bridge.elementSlot = slot;
    bridge.subPart = -1;
    InputStep& drag = d.Add();
    const CursorInfo& c = doc->Cursor();
    drag.accepted = InputDrag;
    drag.dragButton = 1;
    drag.dragStartX = drag.x = c.modelX;
    drag.dragStartY = drag.y = c.modelY;
    view.Request()->Start(view, d, std::make_unique<BridgeMoveCommand>());
    view.popupActive = false;
}

int BridgeMoveCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = requestsetup::CurrentSection(*request);
    InputStep& bridge = request->Step(0);
    CElement* element = section ? section->GetElement(bridge.elementSlot) : nullptr;
    if (!element || bridge.subPart < 0)
        return 0;
    std::unique_ptr<CElement> copy = MovedCopy(*request, *element);
    if (!copy)
        return 0;
    bridge.elementGiven = section->ReplaceElement(bridge.elementSlot, std::move(copy));
    return 1;
}

int BridgeMoveCommand::Draw(CInputRequest& owner, platform::Device* dc)
{
    CInputRequest* request = &owner;
    Section* section = requestsetup::CurrentSection(*request);
    const ViewInput* view = request->GetView();
    const InputStep& bridge = request->Step(0);
    if (!dc || !view || !section || request->CurrentIndex() != 1 || !bridge.elementGiven)
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
