#include "command/ManipulationCommands.h"

#include "command/BridgeMoveCommand.h"
#include "command/RequestSetup.h"
#include "command/SectorCommands.h"
#include "command/ViewInput.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <climits>
#include <cmath>

namespace manipcommands {

namespace {

using namespace requestsetup;
using namespace ElementTypeId;

// Whether an operation changed the element it was given: an editing
// operation never changes an element in place, it replaces or removes it.
bool Replaced(const Section& section, int slot, const CElement* element)
{
    return slot >= 0 && section.GetElement(slot) != element;
}

// The finish's outcome: the drawing changed marks the document modified
// (these requests have no title, so the engine does not).
int Outcome(CInputRequest* request, bool changed)
{
    if (!changed)
        return 0;
    request->GetDocument()->SetModifiedFlag(true);
    return 1;
}

// A request of two element steps on the current section.
void StartTwoElements(ViewInput& view, int code, InputCallback finish, int restart, int firstPrompt,
                      int secondPrompt, std::initializer_list<int> firstTypes, std::initializer_list<int> secondTypes)
{
    CInputRequest* request = Begin(view, 2, code, std::move(finish), -1, restart);
    if (!request)
        return;
    ElementStep(request->steps[0], firstPrompt, firstTypes);
    ElementStep(request->steps[1], secondPrompt, secondTypes);
    request->Start();
}

// The count a typed split value asks for: truncated, held to the int range.
int SplitCount(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX))));
}

} // namespace

void StartFillet(ViewInput& view)
{
    CInputRequest* request = Begin(view, 3, kCodeFillet, OnFilletFinish, -1, 1);
    if (!request)
        return;
    ValueStep(request->steps[0], kTextFilletFirst, kTextRadius, request->GetDocument()->Remembered().filletRadius);
    ElementStep(request->steps[1], kTextFilletFirst, {Line, Arc});
    ElementStep(request->steps[2], kTextFilletSecond, {Line, Arc});
    request->Start();
}

void StartChamfer(ViewInput& view, const ChamferAsk& ask)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc || !ask || !ask(doc->Remembered().chamfer))
        return;
    StartTwoElements(view, kCodeChamfer, OnChamferFinish, 0, kTextChamferFirst, kTextChamferSecond, {Line}, {Line});
}

void StartLength(ViewInput& view)
{
    CInputRequest* request = Begin(view, 2, kCodeLength, OnLengthFinish, -1, 1);
    if (!request)
        return;
    ValueStep(request->steps[0], kTextLengthPrompt, kTextLengthLabel, request->GetDocument()->Remembered().length);
    ElementStep(request->steps[1], kTextLengthPrompt, {Line, Ellipse, Arc});
    request->Start();
}

void StartIntersection(ViewInput& view)
{
    StartTwoElements(view, kCodeIntersection, OnIntersectionFinish, 0, kTextIntersectionFirst,
                     kTextIntersectionSecond, {Line, Arc, Ellipse}, {Line, Arc, Ellipse});
}

void StartExtend(ViewInput& view)
{
    StartTwoElements(view, kCodeExtend, OnExtendFinish, 1, kTextExtendBoundary, kTextExtendLine,
                     {Line, Ellipse, Arc}, {Line});
}

void StartSplit(ViewInput& view)
{
    CInputRequest* request = Begin(view, 2, kCodeSplit, OnSplitFinish, -1, 1);
    if (!request)
        return;
    ValueStep(request->steps[0], kTextSplitPrompt, kTextSplitLabel, request->GetDocument()->Remembered().splitParts);
    ElementStep(request->steps[1], kTextSplitPrompt, {Line, Ellipse, Arc, Spline});
    request->Start();
}

bool RunManipulationCommand(int commandId, ViewInput& view, const ChamferAsk& askChamfer)
{
    switch (commandId) {
    case kCmdFillet: StartFillet(view); return true;
    case kCmdChamfer: StartChamfer(view, askChamfer); return true;
    case kCmdLength: StartLength(view); return true;
    case kCmdIntersection: StartIntersection(view); return true;
    case kCmdExtend: StartExtend(view); return true;
    case kCmdSplit: StartSplit(view); return true;
    case bridgemove::kCmdModifyBridges: bridgemove::StartBridgeMove(view, view.popupElement); return true;
    default: return sectorcommands::RunSectorCommand(commandId, view);
    }
}

int OnFilletFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const InputStep& value = request->steps[0];
    const InputStep& first = request->steps[1];
    const InputStep& second = request->steps[2];
    request->GetDocument()->Remembered().filletRadius = value.value;
    if (!section || !first.element || !second.element)
        return 0;
    const bool done =
        section->DoFillet(first.element, second.element, first.x, first.y, second.x, second.y, value.value, false);
    return Outcome(request, done);
}

int OnChamferFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const InputStep& first = request->steps[0];
    const InputStep& second = request->steps[1];
    if (!section || !first.element || !second.element)
        return 0;
    const int slot = section->GetIdx(first.element);
    request->GetDocument()->ChamferLines(first.element, second.element, first.x, first.y, second.x, second.y);
    return Outcome(request, Replaced(*section, slot, first.element));
}

int OnLengthFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const double length = request->steps[0].value;
    InputStep& picked = request->steps[1];
    CMorvekDoc* doc = request->GetDocument();
    doc->Remembered().length = length;
    const int slot = section && picked.element ? section->GetIdx(picked.element) : -1;
    if (slot < 0)
        return 0;
    // The copy is lengthened before it goes into the slot: a length the
    // element cannot take leaves the drawing and the undo list as they were.
    std::unique_ptr<CElement> copy = Section::CreateElement(*picked.element);
    if (!copy || !copy->ExtendTowards(picked.x, picked.y, length))
        return 0;
    CUndoManager& undo = doc->Undo();
    undo.Open(kTextLengthTitle, section);
    picked.element = section->ReplaceElement(slot, std::move(copy));
    undo.Close();
    return Outcome(request, true);
}

int OnIntersectionFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const InputStep& first = request->steps[0];
    const InputStep& second = request->steps[1];
    if (!section || !first.element || !second.element)
        return 0;
    double x = 0.0;
    double y = 0.0;
    const bool done =
        section->DoInterSection(first.element, second.element, first.x, first.y, second.x, second.y, &x, &y);
    return Outcome(request, done);
}

int OnExtendFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    InputStep& boundary = request->steps[0];
    const InputStep& line = request->steps[1];
    if (!section || !boundary.element || !line.element)
        return 0;
    const int boundarySlot = section->GetIdx(boundary.element);
    const int lineSlot = section->GetIdx(line.element);
    section->DoExtend(boundary.element, line.element, line.x, line.y);
    // The boundary stays picked for the next line; where it was the line
    // just extended, the picked element is now its edited copy.
    if (boundarySlot >= 0)
        boundary.element = section->GetElement(boundarySlot);
    return Outcome(request, Replaced(*section, lineSlot, line.element));
}

int OnSplitFinish(CInputRequest* request)
{
    Section* section = CurrentSection(request);
    const InputStep& picked = request->steps[1];
    const int count = SplitCount(request->steps[0].value);
    request->GetDocument()->Remembered().splitParts = count;
    if (!section || !picked.element)
        return 0;
    const int slot = section->GetIdx(picked.element);
    section->SplitElement(picked.element, count);
    return Outcome(request, Replaced(*section, slot, picked.element));
}

} // namespace manipcommands
