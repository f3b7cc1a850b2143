#include "command/ManipulationCommands.h"

#include "command/RequestSetup.h"
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

// The finish's outcome; the editing operations commit their own steps,
// which mark the drawing modified.
int Outcome(bool changed)
{
    return changed ? 1 : 0;
}

// One class per command; each finish returns 1 when the drawing changed.
// Remembers the radius; a fillet of the two picked lines or arc and line.
class FilletCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The chamfer of the two picked lines with the document's chamfer values.
class ChamferCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// Remembers the length; the picked element grows by it at the end nearer
// to the pick, in an undo step of its own.
class LengthCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// Both elements trimmed or extended to the intersection the picks choose.
class IntersectionCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The picked line's end moved onto the boundary; the boundary stays picked.
class ExtendCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The count becomes the typed value truncated; the element split into it.
class SplitCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};

// A request of two element steps on the current section.
void StartTwoElements(ViewInput& view, int code, std::unique_ptr<InteractiveCommand> command, int restart,
                      int firstPrompt, int secondPrompt, std::initializer_list<int> firstTypes,
                      std::initializer_list<int> secondTypes)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(code, -1, restart);
    d.Add(ElementStep(firstPrompt, firstTypes));
    d.Add(ElementStep(secondPrompt, secondTypes));
    request->Start(view, d, std::move(command));
}

// A typed value, then an element to apply it to.
void StartValueAndElement(ViewInput& view, int code, std::unique_ptr<InteractiveCommand> command,
                          InputStep value, InputStep element)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(code, -1, 1);
    d.Add(value);
    d.Add(element);
    request->Start(view, d, std::move(command));
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
    CMorvekDoc* doc = view.GetDocument();
    CInputRequest* request = view.Request();
    if (!doc || !request)
        return;
    RequestDescription d = Describe(kCodeFillet, -1, 1);
    d.Add(ValueStep(kTextFilletFirst, kTextRadius, doc->Remembered().filletRadius));
    d.Add(ElementStep(kTextFilletFirst, {Line, Arc}));
    d.Add(ElementStep(kTextFilletSecond, {Line, Arc}));
    request->Start(view, d, std::make_unique<FilletCommand>());
}

void StartChamfer(ViewInput& view, const ChamferAsk& ask)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc || !ask || !ask(doc->Remembered().chamfer))
        return;
    StartTwoElements(view, kCodeChamfer, std::make_unique<ChamferCommand>(), 0, kTextChamferFirst,
                     kTextChamferSecond, {Line}, {Line});
}

void StartLength(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    StartValueAndElement(view, kCodeLength, std::make_unique<LengthCommand>(),
                         ValueStep(kTextLengthPrompt, kTextLengthLabel, doc->Remembered().length),
                         ElementStep(kTextLengthPrompt, {Line, Ellipse, Arc}));
}

void StartIntersection(ViewInput& view)
{
    StartTwoElements(view, kCodeIntersection, std::make_unique<IntersectionCommand>(), 0, kTextIntersectionFirst,
                     kTextIntersectionSecond, {Line, Arc, Ellipse}, {Line, Arc, Ellipse});
}

void StartExtend(ViewInput& view)
{
    StartTwoElements(view, kCodeExtend, std::make_unique<ExtendCommand>(), 1, kTextExtendBoundary, kTextExtendLine,
                     {Line, Ellipse, Arc}, {Line});
}

void StartSplit(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    StartValueAndElement(view, kCodeSplit, std::make_unique<SplitCommand>(),
                         ValueStep(kTextSplitPrompt, kTextSplitLabel, doc->Remembered().splitParts),
                         ElementStep(kTextSplitPrompt, {Line, Ellipse, Arc, Spline}));
}

int FilletCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const InputStep& value = request->Step(0);
    const InputStep& first = request->Step(1);
    const InputStep& second = request->Step(2);
    request->GetDocument()->Remembered().filletRadius = value.value;
    if (!section || !first.element || !second.element)
        return 0;
    const bool done =
        section->DoFillet(first.element, second.element, first.x, first.y, second.x, second.y, value.value, false);
    return Outcome(done);
}

int ChamferCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const InputStep& first = request->Step(0);
    const InputStep& second = request->Step(1);
    if (!section || !first.element || !second.element)
        return 0;
    const int slot = section->GetIdx(first.element);
    request->GetDocument()->ChamferLines(first.element, second.element, first.x, first.y, second.x, second.y);
    return Outcome(Replaced(*section, slot, first.element));
}

int LengthCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const double length = request->Step(0).value;
    InputStep& picked = request->Step(1);
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
    UndoTransaction tx(doc->Undo(), kTextLengthTitle, section);
    picked.element = section->ReplaceElement(slot, std::move(copy));
    tx.commit();
    return Outcome(true);
}

int IntersectionCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const InputStep& first = request->Step(0);
    const InputStep& second = request->Step(1);
    if (!section || !first.element || !second.element)
        return 0;
    double x = 0.0;
    double y = 0.0;
    const bool done =
        section->DoInterSection(first.element, second.element, first.x, first.y, second.x, second.y, &x, &y);
    return Outcome(done);
}

int ExtendCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    InputStep& boundary = request->Step(0);
    const InputStep& line = request->Step(1);
    if (!section || !boundary.element || !line.element)
        return 0;
    const int boundarySlot = section->GetIdx(boundary.element);
    const int lineSlot = section->GetIdx(line.element);
    section->DoExtend(boundary.element, line.element, line.x, line.y);
    // The boundary stays picked for the next line; where it was the line
    // just extended, the picked element is now its edited copy.
    if (boundarySlot >= 0)
        boundary.element = section->GetElement(boundarySlot);
    return Outcome(Replaced(*section, lineSlot, line.element));
}

int SplitCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(*request);
    const InputStep& picked = request->Step(1);
    const int count = SplitCount(request->Step(0).value);
    request->GetDocument()->Remembered().splitParts = count;
    if (!section || !picked.element)
        return 0;
    const int slot = section->GetIdx(picked.element);
    section->SplitElement(picked.element, count);
    return Outcome(Replaced(*section, slot, picked.element));
}

} // namespace manipcommands
