#include "command/QuickDimensionCommands.h"

#include "command/CInputRequest.h"
#include "command/ViewInput.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Measure.h"
#include "section/Section.h"

namespace quickdimensions {

namespace {

constexpr int kPointSnap = SnapNode | SnapKeys | SnapElement;

CInputRequest* Begin(ViewInput& view, int steps, int code, InputCallback finish)
{
    CInputRequest* request = view.Request();
    if (!request)
        return nullptr;
    request->stepCount = steps;
    request->commandCode = code;
    request->Attach(&view);
    request->SetFinishCallback(std::move(finish));
    request->SetTitle(kTextTitle);
    request->restartStep = 0;
    return request;
}

void PointStep(InputStep& step, int prompt)
{
    step.accepted = InputPoint;
    step.prompt = prompt;
    step.snapFlags = kPointSnap;
}

Section* CurrentSection(const CInputRequest* request)
{
    CMorvekDoc* doc = request->GetDocument();
    return doc ? doc->GetCurrentSection() : nullptr;
}

} // namespace

void StartRadial(ViewInput& view)
{
    CInputRequest* request = Begin(view, 2, kCodeRadial, OnRadialDimensionFinish);
    if (!request)
        return;
    request->steps[0].accepted = InputElement;
    request->steps[0].prompt = kTextPickArc;
    request->steps[0].SetAllowedTypes({ElementTypeId::Arc});
    PointStep(request->steps[1], kTextPosition);
    request->Start();
}

void StartParallel(ViewInput& view)
{
    CInputRequest* request = Begin(view, 3, kCodeParallel, OnParallelDimensionFinish);
    if (!request)
        return;
    PointStep(request->steps[0], kTextFirstPoint);
    PointStep(request->steps[1], kTextSecondPoint);
    PointStep(request->steps[2], kTextPosition);
    request->Start();
}

bool RunQuickDimensionCommand(int commandId, ViewInput& view)
{
    if (commandId == kCmdRadial)
        StartRadial(view);
    else if (commandId == kCmdParallel)
        StartParallel(view);
    else
        return false;
    return true;
}

int OnRadialDimensionFinish(CInputRequest* request)
{
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

int OnParallelDimensionFinish(CInputRequest* request)
{
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
