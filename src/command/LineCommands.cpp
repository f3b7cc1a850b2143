#include "command/LineCommands.h"

#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "element/Arc.h"
#include "geometry/Coord.h"
#include "section/Section.h"

#include <optional>

namespace linecommands {

namespace {

// CElement::GetSnapPoint's kind for the touching point of a tangent from a
// reference point; mode 2 hands it the reference.
constexpr int kTangentSnap = 7;
constexpr int kWithReference = 2;

struct Segment {
    die::coord from;
    die::coord to;
};

// The arc a step received, or null for a point or another element.
CArc* ArcOf(const InputStep& step)
{
    return step.resultKind == InputElement ? dynamic_cast<CArc*>(step.element) : nullptr;
}

// The touching point of a tangent from `from` to the arc's circle: of the
// two, the one nearer to the point where the arc was picked.
std::optional<die::coord> TouchingPoint(CArc& arc, const InputStep& picked, const die::coord& from)
{
    SnapRecord touch;
    if (arc.GetSnapPoint(kTangentSnap, picked.x, picked.y, kWithReference, from.x, from.y, nullptr, &touch) != 1)
        return std::nullopt;
    return die::coord{touch.x, touch.y};
}

// The line the two steps ask for; none when a tangent does not exist or a
// step's element is not an arc.
std::optional<Segment> LineOf(const InputStep& first, const InputStep& second)
{
    const bool firstIsElement = first.resultKind == InputElement;
    const bool secondIsElement = second.resultKind == InputElement;
    const die::coord a{first.x, first.y};
    const die::coord b{second.x, second.y};
    if (!firstIsElement && !secondIsElement)
        return Segment{a, b};
    CArc* firstArc = ArcOf(first);
    CArc* secondArc = ArcOf(second);
    if (firstIsElement && secondIsElement) {
        double out[4] = {};
        if (!firstArc || !secondArc || secondArc->FindCommonTangent(*firstArc, a.x, a.y, b.x, b.y, out) != 1)
            return std::nullopt;
        return Segment{{out[0], out[1]}, {out[2], out[3]}};
    }
    // One arc: the line runs from the other step's point to where it
    // touches the arc.
    CArc* arc = firstIsElement ? firstArc : secondArc;
    const InputStep& picked = firstIsElement ? first : second;
    const die::coord from = firstIsElement ? b : a;
    if (!arc)
        return std::nullopt;
    const std::optional<die::coord> touch = TouchingPoint(*arc, picked, from);
    if (!touch)
        return std::nullopt;
    return Segment{from, *touch};
}

// Both line commands: the line of the two steps, one undo step each.
class LineCommand : public InteractiveCommand {
public:
    explicit LineCommand(bool continuous) : continuous_(continuous) {}
    int Finish(CInputRequest& request) override
    {
        const int result = AddLineOfSteps(request);
        // The next line starts where this one ended.
        if (result != 0 && continuous_)
            request.Step(0) = request.Step(1);
        return result;
    }

private:
    bool continuous_;
};

void StartTwoPointRequest(ViewInput& view, int code, bool continuous, int restart)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = requestsetup::Describe(code, kTextTitle, restart);
    d.Add(requestsetup::PointStep(kTextFirstPoint));
    d.Add(requestsetup::PointStep(kTextNextPoint));
    request->Start(view, d, std::make_unique<LineCommand>(continuous));
}

} // namespace

void StartLine(ViewInput& view)
{
    StartTwoPointRequest(view, kCodeLine, false, 0);
}

void StartLineContinuous(ViewInput& view)
{
    StartTwoPointRequest(view, kCodeLineContinuous, true, 1);
}

int AddLineOfSteps(CInputRequest& r)
{
    CInputRequest* request = &r;
    CMorvekDoc* doc = request->GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    const InputStep* first = request->GetStep(0);
    const InputStep* second = request->GetStep(1);
    if (!section || !first || !second)
        return 0;
    const std::optional<Segment> line = LineOf(*first, *second);
    if (!line)
        return 0;
    const ElementIterator added =
        section->AddLine3(line->from.x, line->from.y, line->to.x, line->to.y, true, section->CurrentLineType());
    return added.AtEnd() ? 0 : 1;
}

} // namespace linecommands
