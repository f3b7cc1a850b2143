#include "command/ConstructCommands.h"

#include "command/CInputRequest.h"
#include "command/CommandUi.h"
#include "command/ViewInput.h"
#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "element/NodeTable.h"
#include "element/ElementTypes.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <cmath>
#include <deque>
#include <numbers>
#include <vector>

#include <initializer_list>

namespace constructcommands {

namespace {

constexpr int kPointSnap = SnapNode | SnapKeys | SnapElement;

Section* CurrentSection(const CInputRequest* request)
{
    CMorvekDoc* doc = request->GetDocument();
    return doc ? doc->GetCurrentSection() : nullptr;
}

// The elements of the section: the polygon and the rectangle report no
// iterator, so their finish compares the counts.
int ElementCount(const Section& section)
{
    int count = 0;
    for (CElement* element : section) {
        (void)element; // only counted
        ++count;
    }
    return count;
}

int Added(const ElementIterator& added)
{
    return added.AtEnd() ? 0 : 1;
}

// One kind of step as a command's table gives it.
struct Step {
    int accepted;
    int prompt;
    std::initializer_list<int> types = {};
    double defaultValue = 0.0;
    int valuePrompt = -1;
};

// Starts the command with the steps the table gives.
void StartRequest(ViewInput& view, int code, std::unique_ptr<InteractiveCommand> command, int title, int restart,
                  std::initializer_list<Step> steps)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d;
    d.commandCode = code;
    d.title = title;
    d.restartStep = restart;
    for (const Step& s : steps) {
        InputStep& step = d.Add();
        step.accepted = s.accepted;
        step.prompt = s.prompt;
        if (s.accepted == InputPoint)
            step.snapFlags = kPointSnap;
        if (s.types.size() != 0)
            step.SetAllowedTypes(s.types);
        step.defaultValue = s.defaultValue;
        step.valuePrompt = s.valuePrompt;
    }
    request->Start(view, d, std::move(command));
}

// One class per command; each finish returns non-zero when an object was
// added.
class CircleCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class AngleBisectorCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class PolygonCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class RectangleCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class HolderCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class CuirCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class StorageSpacerCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
class QuickTextCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;
};
// The first three points make the spline; every further point continues
// it (the request then has one step).
class SplineCommand : public InteractiveCommand {
public:
    int Finish(CInputRequest& request) override;

private:
    bool started_ = false;
    ElementIterator spline_;
};
class ParallelCommand : public InteractiveCommand {
public:
    explicit ParallelCommand(ParallelKind kind) : kind_(kind) {}
    int Finish(CInputRequest& request) override;

private:
    ParallelKind kind_;
};

void StartCentrePoint(ViewInput& view, int code, std::unique_ptr<InteractiveCommand> command, int title)
{
    StartRequest(view, code, std::move(command), title, 0, {{InputPoint, kTextCentre}});
}

// The parallel of an arc: both ends moved radially by the offset, about the
// same centre; a full circle keeps one node for both ends.
int ParallelArc(Section& section, CArc& arc, double d)
{
    const die::coord c = section.Point(arc.GetCenterNode());
    const die::coord s = section.Point(arc.GetStartNode());
    const die::coord e = section.Point(arc.GetEndNode());
    const double a = std::atan2(s.y - c.y, s.x - c.x);
    const double b = std::atan2(e.y - c.y, e.x - c.x);
    const die::coord ns{s.x + d * std::cos(a), s.y + d * std::sin(a)};
    const die::coord ne{e.x + d * std::cos(b), e.y + d * std::sin(b)};
    const bool full = std::hypot(ns.x - ne.x, ns.y - ne.y) < 0.003;
    return Added(section.AddArc3(c.x, c.y, ns.x, ns.y, ne.x, ne.y, full, section.CurrentArcLineType()));
}

int ParallelLine(Section& section, CLine& line, double d)
{
    const die::coord s = section.Point(line.GetStartNode());
    const die::coord e = section.Point(line.GetEndNode());
    const double normal = std::atan2(e.y - s.y, e.x - s.x) + std::numbers::pi / 2.0;
    const double dx = d * std::cos(normal);
    const double dy = d * std::sin(normal);
    return Added(section.AddLine3(s.x + dx, s.y + dy, e.x + dx, e.y + dy, false, section.CurrentLineType()));
}

// The parallel of an ellipse: both radii grown by the offset about the same
// centre and axis; a part of an ellipse keeps the directions of its ends.
int ParallelEllipse(Section& section, CEllipse& ellipse, double d)
{
    double phi = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    die::coord c;
    if (!ellipse.GetGeometry(phi, r1, r2, c))
        return 0;
    const double a = r1 + d;
    const double b = r2 + d;
    if (a <= 0.0 || b <= 0.0)
        return 0;
    const int lineType = section.CurrentLineType();
    if (ellipse.GetStartNode() == ellipse.GetEndNode())
        return Added(section.AddEllipse3(c.x, c.y, a, b, phi * 180.0 / std::numbers::pi, false, lineType));
    const die::coord s = section.Point(ellipse.GetStartNode());
    const die::coord e = section.Point(ellipse.GetEndNode());
    const double mx = c.x + a * std::cos(phi);
    const double my = c.y + a * std::sin(phi);
    const double nx = c.x - b * std::sin(phi);
    const double ny = c.y + b * std::cos(phi);
    return Added(section.AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, mx, my, nx, ny, false, lineType));
}

// The parallel of a spline: every node moved along the curve's normal.
int ParallelSpline(Section& section, CSpline& spline, double d)
{
    const std::deque<int>& nodes = spline.GetNodes();
    const std::vector<die::coord>& tangents = spline.GetTangents();
    NodeTable* table = section.GetNodeTable();
    if (!table || tangents.size() != nodes.size())
        return 0;
    std::deque<int> moved;
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const die::coord p = section.Point(nodes[k]);
        const double length = std::hypot(tangents[k].x, tangents[k].y);
        if (length <= 0.0)
            return 0;
        const int node =
            table->AddPoint(p.x - d * tangents[k].y / length, p.y + d * tangents[k].x / length, true);
        if (node < 0)
            return 0;
        moved.push_back(node);
    }
    return Added(section.AddSpline2(moved, section.CurrentLineType()));
}

} // namespace

void StartCircle(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    const double radius = doc->Remembered().circleRadius;
    StartRequest(view, kCodeCircle, std::make_unique<CircleCommand>(), kTextCircleTitle, 1,
                 {{InputValue, kTextCircle, {}, radius, kTextRadius}, {InputPoint, kTextCircle}});
}

void StartSpline(ViewInput& view)
{
    StartRequest(view, kCodeSpline, std::make_unique<SplineCommand>(), kTextSplineTitle, 0,
                 {{InputPoint, kTextFirstPoint}, {InputPoint, kTextNextPoint}, {InputPoint, kTextNextPoint}});
}

void StartParallel(ViewInput& view, ParallelKind kind)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    const CommandMemory& memory = doc->Remembered();
    const int prompt = kind == ParallelX ? kTextParallelX : kind == ParallelY ? kTextParallelY : kTextParallel;
    const double distance = kind == ParallelX ? memory.parallelX : kind == ParallelY ? memory.parallelY : memory.parallel;
    const std::initializer_list<int> lineOnly = {ElementTypeId::Line};
    const std::initializer_list<int> curves = {ElementTypeId::Line, ElementTypeId::Arc, ElementTypeId::Ellipse,
                                               ElementTypeId::Spline};
    StartRequest(view, kCodeParallel, std::make_unique<ParallelCommand>(kind), kTextParallelTitle, 1,
                 {{InputValue, prompt, {}, distance, kTextDistance},
                  {InputElement, prompt, kind == ParallelAlong ? curves : lineOnly}});
}

void StartAngleBisector(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc)
        return;
    const double length = doc->Remembered().bisectorLength;
    StartRequest(view, kCodeAngleBisector, std::make_unique<AngleBisectorCommand>(), kTextBisectorTitle, 1,
                 {{InputValue, kTextBisectorFirst, {}, length, kTextLength},
                  {InputElement, kTextBisectorFirst, {ElementTypeId::Line}},
                  {InputElement, kTextBisectorSecond, {ElementTypeId::Line}}});
}

void StartPolygon(ViewInput& view)
{
    StartCentrePoint(view, kCodeShape, std::make_unique<PolygonCommand>(), kTextShapeTitle);
}

void StartRectangle(ViewInput& view)
{
    StartCentrePoint(view, kCodeShape, std::make_unique<RectangleCommand>(), kTextShapeTitle);
}

void StartHolders(ViewInput& view)
{
    StartCentrePoint(view, kCodeHolder, std::make_unique<HolderCommand>(), kTextSymbolTitle);
}

void StartCuir(ViewInput& view)
{
    StartCentrePoint(view, kCodeCuir, std::make_unique<CuirCommand>(), kTextSymbolTitle);
}

void StartStorageSpacer(ViewInput& view)
{
    StartCentrePoint(view, kCodeStorageSpacer, std::make_unique<StorageSpacerCommand>(), kTextSpacerTitle);
}

void StartQuickText(ViewInput& view)
{
    CMorvekDoc* doc = view.GetDocument();
    if (!doc || doc->GetModifyState() != 0)
        return;
    QString text;
    if (!view.Ui().AskValue(Translate(kTextQuickTextLabel), text, false))
        return;
    doc->Remembered().quickText = text;
    StartRequest(view, kCodeQuickText, std::make_unique<QuickTextCommand>(), kTextQuickTextTitle, 0,
                 {{InputPoint, kTextQuickTextPoint}});
}

int CircleCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* value = request->GetStep(0);
    const InputStep* centre = request->GetStep(1);
    if (!section || !value || !centre)
        return 0;
    const double r = value->value;
    request->GetDocument()->Remembered().circleRadius = r;
    // A radius of 0 gives no circle: the arc would have one node for all
    // three points.
    if (!(r > 0.0))
        return 0;
    const double sx = centre->x;
    const double sy = centre->y + r;
    return Added(section->AddArc3(centre->x, centre->y, sx, sy, sx, sy, true, section->CurrentArcLineType()));
}

int SplineCommand::Finish(CInputRequest& request)
{
    Section* section = CurrentSection(&request);
    if (!section)
        return 0;
    // Once the spline exists every further point continues it.
    if (started_) {
        const InputStep& point = request.Step(0);
        return section->ContinueSpline(point.x, point.y, spline_, section->CurrentLineType()) ? 1 : 0;
    }
    const InputStep& p0 = request.Step(0);
    const InputStep& p1 = request.Step(1);
    const InputStep& p2 = request.Step(2);
    const ElementIterator added =
        section->AddSpline1(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y, true, section->CurrentLineType());
    if (added.AtEnd())
        return 0;
    spline_ = added;
    started_ = true;
    RequestDescription& d = request.Description();
    d.stepCount = 1;
    d.restartStep = 0;
    request.Step(0).prompt = kTextNextPoint;
    return 1;
}

int ParallelCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* value = request->GetStep(0);
    const InputStep* picked = request->GetStep(1);
    if (!section || !value || !picked || !picked->element)
        return 0;
    CommandMemory& memory = request->GetDocument()->Remembered();
    CElement* element = picked->element;
    const double distance = value->value;
    const int kind = kind_;
    if (kind == ParallelX || kind == ParallelY) {
        (kind == ParallelX ? memory.parallelX : memory.parallelY) = distance;
        auto* line = dynamic_cast<CLine*>(element);
        if (!line)
            return 0;
        const double d = section->GetParDist(element, picked->x, picked->y, distance, kind == ParallelX ? 2 : 3);
        const die::coord s = section->Point(line->GetStartNode());
        const die::coord e = section->Point(line->GetEndNode());
        const double dx = kind == ParallelX ? d : 0.0;
        const double dy = kind == ParallelY ? d : 0.0;
        return Added(section->AddLine3(s.x + dx, s.y + dy, e.x + dx, e.y + dy, true, section->CurrentLineType()));
    }
    memory.parallel = distance;
    const double d = section->GetParDist(element, picked->x, picked->y, distance, 1);
    if (auto* arc = dynamic_cast<CArc*>(element))
        return ParallelArc(*section, *arc, d);
    if (auto* line = dynamic_cast<CLine*>(element))
        return ParallelLine(*section, *line, d);
    if (auto* ellipse = dynamic_cast<CEllipse*>(element))
        return ParallelEllipse(*section, *ellipse, d);
    if (auto* spline = dynamic_cast<CSpline*>(element))
        return ParallelSpline(*section, *spline, d);
    (void)platform::ask(Translate(kTextParallelRefused), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Warning); // Ok only
    return 0;
}

int AngleBisectorCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* value = request->GetStep(0);
    const InputStep* first = request->GetStep(1);
    const InputStep* second = request->GetStep(2);
    if (!section || !value || !first || !second)
        return 0;
    request->GetDocument()->Remembered().bisectorLength = value->value;
    const int before = ElementCount(*section);
    section->AddAngleBisector(first->element, second->element, first->x, first->y, second->x, second->y,
                              value->value);
    return ElementCount(*section) > before ? 1 : 0;
}

int PolygonCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* centre = request->GetStep(0);
    const COptions* options = request->GetView() ? request->GetView()->Options() : nullptr;
    if (!section || !centre || !options)
        return 0;
    const int before = ElementCount(*section);
    section->AddPolygon(centre->x, centre->y, options->GetNamedInt("polygon_edges", 3),
                        options->GetNamedDouble("polygon_length", 10.0),
                        options->GetNamedDouble("polygon_rotation", 0.0),
                        options->GetNamedInt("polygon_select", 0) != 0);
    return ElementCount(*section) > before ? 1 : 0;
}

int RectangleCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* centre = request->GetStep(0);
    const COptions* options = request->GetView() ? request->GetView()->Options() : nullptr;
    if (!section || !centre || !options)
        return 0;
    const int before = ElementCount(*section);
    section->AddRectByCenter({centre->x, centre->y}, options->GetNamedDouble("rectangle_width", 100.0),
                             options->GetNamedDouble("rectangle_height", 100.0),
                             options->GetNamedDouble("rectangle_radius", 0.0),
                             options->GetNamedDouble("rectangle_angle", 0.0));
    return ElementCount(*section) > before ? 1 : 0;
}

int HolderCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* point = request->GetStep(0);
    if (!section || !point)
        return 0;
    return Added(section->AddHolder(point->x, point->y, false, 100.0, 25.0, true));
}

int CuirCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* point = request->GetStep(0);
    if (!section || !point)
        return 0;
    const double radius = request->GetDocument()->Remembered().cuirRadius;
    return Added(section->AddCuirAt(point->x, point->y, radius, 0.0, 10.0, true));
}

int StorageSpacerCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* point = request->GetStep(0);
    if (!section || !point)
        return 0;
    BobstAsmParams params;
    params.kind = 2;
    params.openingAngle = 0.0;
    params.innerRadius = 12.0;
    params.outerRadius = 12.0;
    params.rotation = 0.0;
    params.Validate();
    return Added(section->AddBobstAt(point->x, point->y, params, true));
}

int QuickTextCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    Section* section = CurrentSection(request);
    const InputStep* point = request->GetStep(0);
    if (!section || !point)
        return 0;
    const QString& text = request->GetDocument()->Remembered().quickText;
    return Added(section->AddText2(point->x, point->y, 8.0, 0.0, 10.0, text, platform::LogFont{}, 0, TextFontKind::StrokeFont,
                                   section->CurrentLineType()));
}

} // namespace constructcommands
