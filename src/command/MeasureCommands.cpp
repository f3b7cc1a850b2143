#include "command/MeasureCommands.h"

#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Micrometres.h"
#include "element/NodePoint.h"
#include "geometry/GeomConstants.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"
#include "view/ViewCore.h"

#include <utility>

namespace measurecommands {

namespace {

// A node standing on a picked point, as the drawing's nodes hold points.
CNodePoint NodeAt(double x, double y)
{
    CNodePoint node;
    node.SetXUm(nodeunits::SaturatedMicrometres(x));
    node.SetYUm(nodeunits::SaturatedMicrometres(y));
    return node;
}

QString Formatted(int text, std::initializer_list<platform::FormatArg> values)
{
    return platform::cformatList(Translate(text).toUtf8().constData(), values);
}

void Report(CInputRequest* request, const QString& text)
{
    ViewInput* view = request->GetView();
    if (!view)
        return;
    view->Ui().SetStatusText(text);
    view->Ui().SetStateText(text);
}

// The measure line between two model points, in whole micrometres.
void ShowMeasureLine(CInputRequest* request, double x1, double y1, double x2, double y2)
{
    if (ViewInput* view = request->GetView())
        view->Core().SetRubberLine(true, nodeunits::SaturatedMicrometres(x1), nodeunits::SaturatedMicrometres(y1),
                                   nodeunits::SaturatedMicrometres(x2), nodeunits::SaturatedMicrometres(y2));
}

// A measurement: its report after each finish.
class MeasureCommand : public InteractiveCommand {
public:
    explicit MeasureCommand(int (*report)(CInputRequest*)) : report_(report) {}
    int AfterFinish(CInputRequest& request) override { return report_(&request); }

private:
    int (*report_)(CInputRequest*);
};

// The automatic layout's pick: the difference handed over, then reported.
class LayoutDistancePick : public InteractiveCommand {
public:
    explicit LayoutDistancePick(std::function<void(double dx, double dy)> handOver) : handOver_(std::move(handOver))
    {
    }
    int AfterFinish(CInputRequest& request) override
    {
        const InputStep* first = request.GetStep(0);
        const InputStep* second = request.GetStep(1);
        if (first && second && handOver_)
            handOver_(second->x - first->x, second->y - first->y);
        return OnMeasureDistanceAfter(&request);
    }

private:
    std::function<void(double dx, double dy)> handOver_;
};

// A request without a title: no undo step, the document never modified.
RequestDescription Describe(int code, int restart)
{
    RequestDescription d;
    d.commandCode = code;
    d.restartStep = restart;
    return d;
}

using requestsetup::PointStep;

void StartTwoPoints(ViewInput& view, std::unique_ptr<InteractiveCommand> command)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(kCodeDistance, 0);
    // Each result stays shown while the next pair of points is given.
    d.keepResult = true;
    d.Add(PointStep(kTextDistanceFirst));
    d.Add(PointStep(kTextDistanceSecond));
    request->Start(view, d, std::move(command));
}

void StartOneElement(ViewInput& view, int code, int prompt, int (*report)(CInputRequest*), std::optional<int> type)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(code, -1);
    InputStep& step = d.Add();
    step.prompt = prompt;
    step.accepted = InputElement;
    if (type)
        step.SetAllowedTypes({*type});
    request->Start(view, d, std::make_unique<MeasureCommand>(report));
}

} // namespace

Distance MeasureDistance(double x1, double y1, double x2, double y2)
{
    CNodePoint a = NodeAt(x1, y1);
    CNodePoint b = NodeAt(x2, y2);
    return {a.DistanceTo(b), b.DeltaX(a), b.DeltaY(a)};
}

std::optional<double> MeasureAngle(double x0, double y0, double x1, double y1, double x2, double y2)
{
    CNodePoint at = NodeAt(x0, y0);
    CNodePoint first = NodeAt(x1, y1);
    CNodePoint second = NodeAt(x2, y2);
    // A direction towards the point itself does not exist.
    const auto same = [&at](CNodePoint& p) {
        return p.GetStoredXUm() == at.GetStoredXUm() && p.GetStoredYUm() == at.GetStoredYUm();
    };
    if (same(first) || same(second))
        return std::nullopt;
    return at.AngleBetween(second, first, true) * 180.0 / Geom::kPi;
}

QString DistanceText(const Distance& d)
{
    return Formatted(kTextDistance, {d.length, d.dx, d.dy});
}

QString AngleText(std::optional<double> degrees)
{
    return degrees ? Formatted(kTextAngle, {*degrees}) : Translate(kTextNoAngle);
}

QString RadiusText(double radius)
{
    return Formatted(kTextRadius, {radius});
}

void StartDistance(ViewInput& view)
{
    StartTwoPoints(view, std::make_unique<MeasureCommand>(OnMeasureDistanceAfter));
}

void StartLayoutDistancePick(ViewInput& view, std::function<void(double dx, double dy)> handOver)
{
    StartTwoPoints(view, std::make_unique<LayoutDistancePick>(std::move(handOver)));
}

void StartAngle(ViewInput& view)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = Describe(kCodeAngle, -1);
    d.Add(PointStep(kTextAngleFirst));
    d.Add(PointStep(kTextAngleSecond));
    d.Add(PointStep(kTextAngleThird));
    request->Start(view, d, std::make_unique<MeasureCommand>(OnMeasureAngleAfter));
}

void StartRadius(ViewInput& view)
{
    StartOneElement(view, kCodeRadius, kTextPickArc, OnMeasureRadiusAfter, ElementTypeId::Arc);
}

void StartElement(ViewInput& view)
{
    StartOneElement(view, kCodeElement, kTextPickElement, OnMeasureElementAfter, std::nullopt);
}

int OnMeasureDistanceAfter(CInputRequest* request)
{
    const InputStep* first = request->GetStep(0);
    const InputStep* second = request->GetStep(1);
    if (!first || !second)
        return 0;
    Report(request, DistanceText(MeasureDistance(first->x, first->y, second->x, second->y)));
    ShowMeasureLine(request, first->x, first->y, second->x, second->y);
    return 1;
}

int OnMeasureAngleAfter(CInputRequest* request)
{
    const InputStep* s0 = request->GetStep(0);
    const InputStep* s1 = request->GetStep(1);
    const InputStep* s2 = request->GetStep(2);
    if (!s0 || !s1 || !s2)
        return 0;
    Report(request, AngleText(MeasureAngle(s0->x, s0->y, s1->x, s1->y, s2->x, s2->y)));
    return 1;
}

int OnMeasureRadiusAfter(CInputRequest* request)
{
    const InputStep* step = request->GetStep(0);
    auto* arc = step && step->resultKind == InputElement ? dynamic_cast<CArc*>(step->element) : nullptr;
    CMorvekDoc* doc = request->GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!arc || !section)
        return 0;
    // The arc's own nodes, without a placement.
    const die::coord centre = section->Point(arc->GetCenterNode());
    const die::coord start = section->Point(arc->GetStartNode());
    Report(request, RadiusText(MeasureDistance(centre.x, centre.y, start.x, start.y).length));
    ShowMeasureLine(request, centre.x, centre.y, start.x, start.y);
    return 1;
}

int OnMeasureElementAfter(CInputRequest* request)
{
    const InputStep* step = request->GetStep(0);
    CElement* element = step && step->resultKind == InputElement ? step->element : nullptr;
    if (!element)
        return 0;
    Report(request, Formatted(kTextElement, {element->GetTypeId(), element->GetLineType(), element->GetFullLength()}));
    // The status line stays; the picked element's properties follow.
    CMorvekDoc* doc = request->GetDocument();
    ViewInput* view = request->GetView();
    if (doc && view) {
        doc->SetEditElement(element);
        view->Ui().EditProperties();
    }
    return 1;
}

} // namespace measurecommands
