// The fillet of an arc and a line: a tangent arc of the given radius that
// touches the arc's circle and the line, the arc and the line trimmed or
// extended to its tangent points.
//
// Along the line, the fillet lies on the side of F (the foot of the
// perpendicular from the arc's centre) where the line was picked; across it,
// where the line cuts the circle, on the side of the arc pick.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "geometry/Angle.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <cmath>
#include <optional>

namespace {

constexpr int kTextFillet = 181;
// A centre nearer to the line than this counts as lying on it.
constexpr double kOnLine = 1e-9;
// The shortest a trimmed element may become: its ends never merge.
constexpr double kShortest = 2.0 * NodeTable::kMergeTolerance;

struct ArcLineFillet {
    die::coord onLine;   // TL, the tangent point on the line
    die::coord onCircle; // TA, the tangent point on the arc's circle
    die::coord centre;
    bool lineStartMoves = false;
    bool arcStartMoves = false;
    bool fromLine = false; // the fillet arc runs clockwise from TL to TA, else back
};

struct Circle {
    die::coord c;
    double r = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
    double sweep = 0.0;
    die::coord start;
    die::coord end;
};

std::optional<ArcLineFillet> PlanArcLineFillet(const Circle& arc, const die::coord& s, const die::coord& e,
                                               const die::coord& arcPick, const die::coord& linePick, double r)
{
    const die::coord c = arc.c;
    const double R = arc.r;
    const die::coord d = e - s;
    if (std::fabs(d.x) < 1e-6 && std::fabs(d.y) < 1e-6)
        return std::nullopt;
    const double length = d.Length();
    const double t0 = die::dot(c - s, d) / d.LengthSquared();
    const double t1 = die::dot(linePick - s, d) / d.LengthSquared();
    const bool towardsStart = t0 > t1;
    const die::coord u = d / length * (towardsStart ? -1.0 : 1.0);
    const die::coord foot = s + d * t0;
    // The normal towards the centre, across the line as it is drawn.
    const double side = die::cross(d, c - s) / length;
    double dist = std::fabs(side);
    const die::coord leftNormal(-d.y / length, d.x / length);
    const die::coord n = side < 0.0 ? -leftNormal : leftNormal;
    if (dist < kOnLine)
        dist = 0.0;
    const bool s1 = die::coord(-n.y - u.x, n.x - u.y).Length() > 1.0; // u is n turned clockwise
    const die::coord pickOnCircle = (arcPick - c).Normalized() * R;   // relative to the centre
    const double along = std::fabs(t0 - t1);

    die::coord centre;
    double w = 0.0;
    bool inside = false;
    bool orientation = false;
    if (dist >= R) {
        if (r < (dist - R) / 2.0)
            return std::nullopt;
        w = std::sqrt((R + r) * (R + r) - (dist - r) * (dist - r));
        centre = foot + n * r + u * w;
        orientation = s1;
    } else if (dist > 0.0) {
        // The pick lies in the cap the line cuts off when the centre and the
        // pick carried onto the circle lie on opposite sides of the line.
        const bool beyond = die::cross(d, c + pickOnCircle - s) * side < 0.0;
        const double halfChord = std::sqrt(R * R - dist * dist);
        const double g = beyond ? dist + r : dist - r;
        const die::coord base = beyond ? foot - n * r : foot + n * r;
        if (along > halfChord / length) {
            w = std::sqrt((R + r) * (R + r) - g * g);
            orientation = beyond ? !s1 : s1;
        } else {
            if (r > (beyond ? (R - dist) / 2.0 : (R + dist) / 2.0))
                return std::nullopt;
            w = std::sqrt((R - r) * (R - r) - g * g);
            inside = true;
            orientation = beyond ? s1 : !s1;
        }
        centre = base + u * w;
    } else {
        double x = R + r;
        bool o0 = false;
        if (along <= R / length) {
            if (r > R / 2.0)
                return std::nullopt;
            x = R - r;
            inside = true;
            o0 = true;
        }
        w = std::sqrt(x * x - r * r);
        const bool pickOnN = (pickOnCircle + n).Length() > (pickOnCircle - n).Length();
        centre = foot + u * w + n * (pickOnN ? r : -r);
        orientation = pickOnN == s1 ? !o0 : o0;
    }

    ArcLineFillet plan;
    plan.centre = centre;
    plan.onLine = foot + u * w;
    plan.onCircle = c + (centre - c).Normalized() * R;
    // The tangent point must lie on the segment and on the arc's sweep.
    const double tOnLine = die::dot(plan.onLine - s, d) / d.LengthSquared();
    if (tOnLine < 0.0 || tOnLine > 1.0)
        return std::nullopt;
    Angle direction;
    direction.FromVector(centre - c);
    if (Angle::Normalize(direction.Radians() - arc.endAngle) > arc.sweep)
        return std::nullopt;
    plan.lineStartMoves = towardsStart == inside;
    plan.arcStartMoves = inside == orientation;
    plan.fromLine = orientation;
    // Neither element may shrink to nothing.
    const die::coord lineKept = plan.lineStartMoves ? e : s;
    const die::coord arcKept = plan.arcStartMoves ? arc.end : arc.start;
    if (die::distance(lineKept, plan.onLine) < kShortest || die::distance(arcKept, plan.onCircle) < kShortest)
        return std::nullopt;
    return plan;
}

} // namespace

bool Section::DoArcLineFillet(CElement* arcElement, CElement* lineElement, const die::coord& arcPick,
                              const die::coord& linePick, double radius, bool notInstanced, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoArcLineFillet( CElement* ... )", Log::Section);
    auto* arc = dynamic_cast<CArc*>(arcElement);
    const auto* line = dynamic_cast<const CLine*>(lineElement);
    const int arcSlot = GetIdx(arcElement);
    const int lineSlot = GetIdx(lineElement);
    CArc::Circle circle;
    if (arc == nullptr || line == nullptr || arcSlot < 0 || lineSlot < 0 || !(radius > 0.0) ||
        !arc->GetCircle(circle) || !(circle.radius > 0.0))
        return false;
    const Circle geometry{circle.centre,         circle.radius, arc->GetStartAngle(), arc->GetEndAngle(),
                          arc->GetSweepAngle(), circle.start,  circle.end};
    const std::optional<ArcLineFillet> plan = PlanArcLineFillet(
        geometry, Point(line->GetStartNode()), Point(line->GetEndNode()), arcPick, linePick, radius);
    if (!plan || !CanBeNodes({plan->onLine, plan->onCircle, plan->centre}))
        return false;
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextFillet, this);
        const int node = nodes_->AddPoint(plan->onCircle.x, plan->onCircle.y, true);
        auto arcCopy = std::make_unique<CArc>(*arc);
        if (plan->arcStartMoves)
            arcCopy->SetStartNode(node);
        else
            arcCopy->SetEndNode(node);
        (void)ReplaceElement(arcSlot, std::move(arcCopy));
        MoveLineEnd(lineSlot, plan->lineStartMoves, plan->onLine);
        const die::coord& from = plan->fromLine ? plan->onLine : plan->onCircle;
        const die::coord& to = plan->fromLine ? plan->onCircle : plan->onLine;
        const ElementIterator fillet =
            AddArc3(plan->centre.x, plan->centre.y, from.x, from.y, to.x, to.y, true, CurrentArcLineType());
        if (fillet.NotEqual(end()))
            fillet.Get()->SetNotInstanced(notInstanced ? 1 : 0);
        step.commit();
    }
    RefreshAllBridges();
    return true;
}
