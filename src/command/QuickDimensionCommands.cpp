#include "command/QuickDimensionCommands.h"

#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Measure.h"
#include "section/Section.h"

namespace quickdimensions {

namespace {

// The radius of the picked arc, from its centre to its start, its text at
// the point of step 1.
class RadialDimensionCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The aligned dimension between the first two points, its text at the third.
class ParallelDimensionCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};

using requestsetup::PointStep;

void Start(ViewInput& view, int code, const RequestDescription& steps, std::unique_ptr<InteractiveCommand> command)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = steps;
    d.commandCode = code;
    d.title = kTextTitle;
    d.restartStep = 0;
    request->Start(view, d, std::move(command));
}

Section* CurrentSection(const CInputRequest* request)
{
    CMorvekDoc* doc = request->GetDocument();
    return doc ? doc->GetCurrentSection() : nullptr;
}

} // namespace

void StartRadial(ViewInput& view)
{
    RequestDescription d;
    InputStep& arc = d.Add();
    arc.accepted = InputElement;
    arc.prompt = kTextPickArc;
    arc.SetAllowedTypes({ElementTypeId::Arc});
    d.Add(PointStep(kTextPosition));
    Start(view, kCodeRadial, d, std::make_unique<RadialDimensionCommand>());
}

void StartParallel(ViewInput& view)
{
    RequestDescription d;
    d.Add(PointStep(kTextFirstPoint));
    d.Add(PointStep(kTextSecondPoint));
    d.Add(PointStep(kTextPosition));
    Start(view, kCodeParallel, d, std::make_unique<ParallelDimensionCommand>());
}

int RadialDimensionCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* picked = request->GetStep(0);
    const InputStep* position = request->GetStep(1);
    auto* arc = picked ? dynamic_cast<CArc*>(picked->element) : nullptr;
    if (!section || !arc || !position)
        return 0;
    const die::coord c = section->Point(arc->GetCenterNode());
    const die::coord s = section->Point(arc->GetStartNode());
    return section->AddMeasureXY(DimensionKind::Radial, position->x, position->y, c.x, c.y, s.x, s.y, 0.0, 0.0, true)
                   .AtEnd()
               ? 0
               : 1;
}

int ParallelDimensionCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* first = request->GetStep(0);
    const InputStep* second = request->GetStep(1);
    const InputStep* position = request->GetStep(2);
    if (!section || !first || !second || !position)
        return 0;
    return section
                   ->AddMeasureXY(DimensionKind::Aligned, position->x, position->y, first->x, first->y, second->x,
                                  second->y, 0.0, 0.0, true)
                   .AtEnd()
               ? 0
               : 1;
}

} // namespace quickdimensions
