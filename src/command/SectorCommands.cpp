#include "command/SectorCommands.h"

#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "display/DrawContext.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "options/Options.h"
#include "platform/Device.h"
#include "section/Section.h"
#include "section/SectionExplosion.h"
#include "section/UndoManager.h"
#include "view/ViewCore.h"

namespace sectorcommands {

namespace {

using namespace requestsetup;
using namespace ElementTypeId;

// The crossing gap in millimetres at the view's zoom.
double CrossingGap(const CInputRequest& request)
{
    const ViewInput* view = request.GetView();
    const double zoom = view ? view->Core().GetZoom() : 0.0;
    return zoom > 0.0 ? kCrossingGapPixels / zoom : 0.0;
}

// The n-th crossing of the element nearest to (x, y) beyond the gap, its
// crossing list rebuilt first; none when it has fewer.
std::optional<die::coord> NearCrossing(Section& section, CElement& element, double x, double y, double gap, int n)
{
    section.GetCrossNodes(&element);
    const CrossPoint p = element.FindNthNearestCrossPoint(x, y, gap, n);
    if (!p.other)
        return std::nullopt;
    return die::coord{p.x, p.y};
}

// The small diagonal cross at a model point, in the complement of the
// view's background colour.
void DrawCross(const CInputRequest& request, platform::Device& dc, const die::coord& at)
{
    const ViewInput* view = request.GetView();
    if (!view)
        return;
    const int background = view->Options() ? view->Options()->GetBackgroundColour() : 0;
    const auto colour = static_cast<platform::ColorRef>(~background & 0x00FFFFFF);
    const platform::DevicePoint p = view->Core().Transform().ToDevicePixel(at.x, at.y, DrawContext::GetMirrorFlags());
    const platform::Pen old = dc.selectPen(platform::Pen::make(platform::PenStyle::Solid, 1, colour));
    dc.moveTo(p.x - 5, p.y - 5);
    dc.lineTo(p.x + 6, p.y + 6);
    dc.moveTo(p.x - 5, p.y + 5);
    dc.lineTo(p.x + 6, p.y - 6);
    dc.selectPen(old);
}

// Whether the element left its slot (an editing operation replaces or
// removes what it changes).
int Outcome(const Section& section, int slot, const CElement* element)
{
    return slot < 0 || section.GetElement(slot) == element ? 0 : 1;
}

// Removes the stretch between the two points of the element step 0 picked.
int DeletePart(CInputRequest& owner, const die::coord& from, const die::coord& to, bool keepSector)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    CElement* element = request->Step(0).element;
    if (!section || !element)
        return 0;
    const int slot = section->GetIdx(element);
    section->DeleteElementPart(element, from.x, from.y, to.x, to.y, keepSector);
    return Outcome(*section, slot, element);
}

die::coord PointOf(const InputStep& step)
{
    return {step.x, step.y};
}

// Sector and Cut element: the crossing the next click of a crossing step
// would take is marked.
class SectorCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
    int Draw(CInputRequest& request, platform::Device* dc) override;
};
class CutElementCommand : public SectorCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The part between the two crossings nearest to the click (beyond the gap);
// the two crossings of the hovered element are marked.
class QuickDeleteSectorCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
    int Draw(CInputRequest& request, platform::Device* dc) override;
};
class DeleteElementCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The picked die part exploded into simple elements, after the request ends.
class SplitUpCommand : public InteractiveCommand {
public:
    int AfterFinish(CInputRequest& request) override;
};

} // namespace

void StartCutElement(ViewInput& view)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(kCodeCutElement, -1, 0);
    d.Add(ElementStep(kTextPickElement, {Line, Arc, Ellipse}));
    d.Add(CrossingStep(kTextFirstPoint, 0));
    request->Start(view, d, std::make_unique<CutElementCommand>());
}

void StartSector(ViewInput& view, bool keepSector)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    doc->sectorMode = keepSector;
    RequestDescription d = Describe(kCodeSector, -1, 0);
    d.Add(ElementStep(kTextPickElement, {Line, Arc, Ellipse}));
    d.Add(CrossingStep(kTextFirstPoint, 0));
    d.Add(CrossingStep(kTextSecondPoint, 0));
    view.Request()->Start(view, d, std::make_unique<SectorCommand>());
}

void StartQuickDeleteSector(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    doc->sectorMode = false;
    RequestDescription d = Describe(kCodeSector, -1, 0);
    d.Add(ElementStep(kTextPickElement, {Line, Arc, Ellipse}));
    view.Request()->Start(view, d, std::make_unique<QuickDeleteSectorCommand>());
}

void StartDeleteElement(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!section)
        return;
    if (section->GetSelectedCount() > 0) {
        UndoTransaction tx(doc->Undo(), kTextDeleteElement, section);
        section->DeleteSelectedElements();
        tx.commit(); // marks the drawing modified
        return;
    }
    RequestDescription d = Describe(kCodeDeleteElement, kTextDeleteElement, 0);
    d.Add(ElementStep(kTextDeleteElement, {}));
    view.Request()->Start(view, d, std::make_unique<DeleteElementCommand>());
}

void StartSplitUp(ViewInput& view)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(kCodeSplitUp, -1, -1);
    d.Add(ElementStep(kTextSplitUpPrompt, {Wood, Bobst, Martin, SeperationRule, BobstSP, StripperWood}));
    request->Start(view, d, std::make_unique<SplitUpCommand>());
}

int CutElementCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    const die::coord at = PointOf(request->Step(1));
    return DeletePart(*request, at, at, false);
}

int SectorCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    return DeletePart(*request, PointOf(request->Step(1)), PointOf(request->Step(2)),
                      request->GetDocument()->sectorMode);
}

int QuickDeleteSectorCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const InputStep& picked = request->Step(0);
    if (!section || picked.resultKind != InputElement || !picked.element)
        return 0;
    const double gap = CrossingGap(*request);
    const std::optional<die::coord> first = NearCrossing(*section, *picked.element, picked.x, picked.y, gap, 1);
    const std::optional<die::coord> second = NearCrossing(*section, *picked.element, picked.x, picked.y, gap, 2);
    if (!first || !second)
        return 0;
    return DeletePart(*request, *first, *second, request->GetDocument()->sectorMode);
}

int DeleteElementCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    CElement* element = request->Step(0).element;
    if (!section || !element || section->GetIdx(element) < 0)
        return 0;
    section->DeleteElement(element);
    request->GetDocument()->Cursor().element = nullptr;
    return 1;
}

int SplitUpCommand::AfterFinish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    CElement* element = request->Step(0).element;
    if (!section || !element || section->GetIdx(element) < 0)
        return 0;
    CMorvekDoc* doc = request->GetDocument();
    UndoTransaction tx(doc->Undo(), kTextSplitUpTitle, section);
    SectionExplosion target(*section);
    element->SplitUp(target); // the element is gone afterwards
    tx.commit();              // marks the drawing modified
    doc->Cursor().element = nullptr;
    return 1;
}

int SectorCommand::Draw(CInputRequest& owner, platform::Device* dc)
{
    CInputRequest* request = &owner;
    InputStep* step = request->Current();
    Section* section = CurrentSection(*request);
    if (!dc || !section || !step || !step->Accepts(InputPoint) || step->snapFlags != SnapCrossing)
        return 0;
    const InputStep* linked = request->GetStep(step->linkedStep);
    if (!linked || !linked->element)
        return 0;
    const CursorInfo& c = request->GetDocument()->Cursor();
    const std::optional<die::coord> at =
        NearCrossing(*section, *linked->element, c.modelX, c.modelY, CrossingGap(*request), 1);
    if (!at)
        return 0;
    DrawCross(*request, *dc, *at);
    return 1;
}

int QuickDeleteSectorCommand::Draw(CInputRequest& owner, platform::Device* dc)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const CursorInfo& c = request->GetDocument()->Cursor();
    if (!dc || !section || !c.element || !request->IsTypeAllowed(0, c.element->GetTypeId()))
        return 0;
    const double gap = CrossingGap(*request);
    int marked = 0;
    for (int n = 1; n <= 2; ++n) {
        if (const std::optional<die::coord> at = NearCrossing(*section, *c.element, c.modelX, c.modelY, gap, n)) {
            DrawCross(*request, *dc, *at);
            ++marked;
        }
    }
    return marked;
}

} // namespace sectorcommands
