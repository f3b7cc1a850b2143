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
double CrossingGap(const CInputRequest* request)
{
    const ViewInput* view = request->GetView();
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
void DrawCross(const CInputRequest* request, platform::Device& dc, const die::coord& at)
{
    const ViewInput* view = request->GetView();
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
int Outcome(CInputRequest* request, const Section& section, int slot, const CElement* element)
{
    if (slot < 0 || section.GetElement(slot) == element)
        return 0;
    request->GetDocument()->SetModifiedFlag(true);
    return 1;
}

// Removes the stretch between the two points of the element step 0 picked.
int DeletePart(CInputRequest* request, const die::coord& from, const die::coord& to, bool keepSector)
{
    Section* section = CurrentSection(request);
    CElement* element = request->steps[0].element;
    if (!section || !element)
        return 0;
    const int slot = section->GetIdx(element);
    section->DeleteElementPart(element, from.x, from.y, to.x, to.y, keepSector);
    return Outcome(request, *section, slot, element);
}

die::coord PointOf(const InputStep& step)
{
    return {step.x, step.y};
}

} // namespace

void StartCutElement(ViewInput& view)
{
    CInputRequest* request = Begin(view, 2, kCodeCutElement, OnCutElementFinish, -1, 0);
    if (!request)
        return;
    request->SetDrawMoveCallbacks(OnSectorDraw, nullptr);
    ElementStep(request->steps[0], kTextPickElement, {Line, Arc, Ellipse});
    CrossingStep(request->steps[1], kTextFirstPoint, 0);
    request->Start();
}

void StartSector(ViewInput& view, bool keepSector)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    doc->sectorMode = keepSector;
    CInputRequest* request = Begin(view, 3, kCodeSector, OnSectorFinish, -1, 0);
    request->SetDrawMoveCallbacks(OnSectorDraw, nullptr);
    ElementStep(request->steps[0], kTextPickElement, {Line, Arc, Ellipse});
    CrossingStep(request->steps[1], kTextFirstPoint, 0);
    CrossingStep(request->steps[2], kTextSecondPoint, 0);
    request->Start();
}

void StartQuickDeleteSector(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    doc->sectorMode = false;
    CInputRequest* request = Begin(view, 1, kCodeSector, OnQuickDeleteSectorFinish, -1, 0);
    request->SetDrawMoveCallbacks(OnQuickDeleteSectorDraw, nullptr);
    ElementStep(request->steps[0], kTextPickElement, {Line, Arc, Ellipse});
    request->Start();
}

void StartDeleteElement(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!section)
        return;
    if (section->GetSelectedCount() > 0) {
        CUndoManager& undo = doc->Undo();
        undo.Open(kTextDeleteElement, section);
        section->DeleteSelectedElements();
        undo.Close();
        doc->SetModifiedFlag(true);
        return;
    }
    CInputRequest* request = Begin(view, 1, kCodeDeleteElement, OnDeleteElementFinish, kTextDeleteElement, 0);
    ElementStep(request->steps[0], kTextDeleteElement, {});
    request->Start();
}

void StartSplitUp(ViewInput& view)
{
    CInputRequest* request = Begin(view, 1, kCodeSplitUp, nullptr, -1, -1);
    if (!request)
        return;
    request->SetAfterFinishCallback(OnSplitUpAfter);
    ElementStep(request->steps[0], kTextSplitUpPrompt, {Wood, Bobst, Martin, SeperationRule, BobstSP, StripperWood});
    request->Start();
}

bool RunSectorCommand(int commandId, ViewInput& view)
{
    switch (commandId) {
    case kCmdCutElement: StartCutElement(view); return true;
    case kCmdSector: StartSector(view, false); return true;
    case kCmdSectorLineType: StartSector(view, true); return true;
    case kCmdQuickDeleteSector: StartQuickDeleteSector(view); return true;
    case kCmdDeleteElement: StartDeleteElement(view); return true;
    case kCmdSplitUp: StartSplitUp(view); return true;
    default: return false;
    }
}

int OnCutElementFinish(CInputRequest* request)
{
    const die::coord at = PointOf(request->steps[1]);
    return DeletePart(request, at, at, false);
}

int OnSectorFinish(CInputRequest* request)
{
    return DeletePart(request, PointOf(request->steps[1]), PointOf(request->steps[2]),
                      request->GetDocument()->sectorMode);
}

int OnQuickDeleteSectorFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const InputStep& picked = request->steps[0];
    if (!section || picked.resultKind != InputElement || !picked.element)
        return 0;
    const double gap = CrossingGap(request);
    const std::optional<die::coord> first = NearCrossing(*section, *picked.element, picked.x, picked.y, gap, 1);
    const std::optional<die::coord> second = NearCrossing(*section, *picked.element, picked.x, picked.y, gap, 2);
    if (!first || !second)
        return 0;
    return DeletePart(request, *first, *second, request->GetDocument()->sectorMode);
}

int OnDeleteElementFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    CElement* element = request->steps[0].element;
    if (!section || !element || section->GetIdx(element) < 0)
        return 0;
    section->DeleteElement(element);
    request->GetDocument()->Cursor().element = nullptr;
    return 1;
}

int OnSplitUpAfter(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    CElement* element = request->steps[0].element;
    if (!section || !element || section->GetIdx(element) < 0)
        return 0;
    CMorvekDoc* doc = request->GetDocument();
    CUndoManager& undo = doc->Undo();
    undo.Open(kTextSplitUpTitle, section);
    SectionExplosion target(*section);
    element->SplitUp(target); // the element is gone afterwards
    undo.Close();
    doc->Cursor().element = nullptr;
    doc->SetModifiedFlag(true);
    return 1;
}

int OnSectorDraw(CInputRequest* request, platform::Device* dc)
{
    InputStep* step = request->Current();
    Section* section = CurrentSection(request);
    if (!dc || !section || !step || !step->Accepts(InputPoint) || step->snapFlags != SnapCrossing)
        return 0;
    const InputStep* linked = request->GetStep(step->linkedStep);
    if (!linked || !linked->element)
        return 0;
    const CursorInfo& c = request->GetDocument()->Cursor();
    const std::optional<die::coord> at =
        NearCrossing(*section, *linked->element, c.modelX, c.modelY, CrossingGap(request), 1);
    if (!at)
        return 0;
    DrawCross(request, *dc, *at);
    return 1;
}

int OnQuickDeleteSectorDraw(CInputRequest* request, platform::Device* dc)
{
    Section* section = CurrentSection(request);
    const CursorInfo& c = request->GetDocument()->Cursor();
    if (!dc || !section || !c.element || !request->IsTypeAllowed(0, c.element->GetTypeId()))
        return 0;
    const double gap = CrossingGap(request);
    int marked = 0;
    for (int n = 1; n <= 2; ++n) {
        if (const std::optional<die::coord> at = NearCrossing(*section, *c.element, c.modelX, c.modelY, gap, n)) {
            DrawCross(request, *dc, *at);
            ++marked;
        }
    }
    return marked;
}

} // namespace sectorcommands
