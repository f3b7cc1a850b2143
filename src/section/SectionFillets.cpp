// Fillets: the dispatcher by element kinds, the fillet of two lines, the
// half circle that closes two parallel lines and the fillet of two arcs. The
// arc and line fillet is in SectionArcLineFillet.cpp.
//
// Every fillet decides everything before it changes anything: the tangent
// points must be nodes, and a trimmed line must keep a length (its moved end
// stays short of its kept end).
#include "section/Section.h"

#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "geometry/Angle.h"
#include "geometry/EditLines.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/GeomLinesCircles.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr int kTextFillet = 181;
constexpr int kTextParallelFillet = 182;
// Below this radius two lines are joined at their corner.
constexpr double kSharpRadius = 0.001;
// The shortest a trimmed line may become: its two ends never merge.
constexpr double kShortest = 2.0 * NodeTable::kMergeTolerance;

struct Segment {
    die::coord s;
    die::coord e;
};

Segment Ends(const Section& section, const CLine& line)
{
    return {section.Point(line.GetStartNode()), section.Point(line.GetEndNode())};
}

die::coord Along(double angle, double length)
{
    return {length * std::cos(angle), length * std::sin(angle)};
}

// What a fillet of two lines does: which end of each stays, where the moved
// ends go, and the arc (when the radius makes one).
struct LineFillet {
    bool keepStart1 = true;
    bool keepStart2 = true;
    die::coord moved1;
    die::coord moved2;
    bool withArc = false;
    die::coord centre;
    bool reversed = false; // the arc runs from the second tangent point
};

std::optional<LineFillet> PlanLineFillet(const Segment& a, const Segment& b, const die::coord& pick1,
                                         const die::coord& pick2, double radius)
{
    die::coord corner;
    if (Geom::SolveLineLine(a.s.x, a.s.y, a.e.x, a.e.y, b.s.x, b.s.y, b.e.x, b.e.y, corner.x, corner.y) == 0)
        return std::nullopt;
    LineFillet plan;
    plan.keepStart1 = Geom::FilletKeepsStart(corner, a.s, a.e, pick1);
    plan.keepStart2 = Geom::FilletKeepsStart(corner, b.s, b.e, pick2);
    const die::coord kept1 = plan.keepStart1 ? a.s : a.e;
    const die::coord kept2 = plan.keepStart2 ? b.s : b.e;
    double tangent = 0.0; // distance from the corner to the tangent points
    if (radius < kSharpRadius) {
        plan.moved1 = plan.moved2 = corner;
    } else {
        const double thetaA = Geom::VectorAngle(kept1.y - corner.y, kept1.x - corner.x);
        const double thetaB = Geom::VectorAngle(kept2.y - corner.y, kept2.x - corner.x);
        double delta = thetaB >= thetaA ? thetaB - thetaA : thetaB + Geom::kTwoPi - thetaA;
        if (delta > Geom::kPi) {
            plan.reversed = true;
            delta = Geom::kTwoPi - delta;
        }
        double half = delta / 2.0;
        if (half == 0.0)
            half = 1e-7;
        const double toCentre = radius / std::sin(half);
        tangent = std::cos(half) * toCentre;
        double bisector = (plan.reversed ? thetaA : thetaB) - half;
        if (bisector < 0.0)
            bisector += Geom::kTwoPi;
        plan.withArc = true;
        plan.centre = corner + Along(bisector, toCentre);
        plan.moved1 = corner + Along(thetaA, tangent);
        plan.moved2 = corner + Along(thetaB, tangent);
    }
    // A tangent point at or beyond the kept end would turn the line round.
    if (tangent + kShortest > die::distance(corner, kept1) || tangent + kShortest > die::distance(corner, kept2))
        return std::nullopt;
    return plan;
}

// The half circle that closes the first line's free end against the second.
struct ParallelFillet {
    bool freeIsStart = true;
    die::coord t1;
    die::coord t2;
    bool secondStartMoves = false;
    die::coord centre;
    bool fromT1 = true; // the arc runs clockwise from t1 to t2, else back
};

std::optional<ParallelFillet> PlanParallelFillet(const Segment& a, const Segment& b, const die::coord& pick)
{
    ParallelFillet plan;
    plan.freeIsStart = die::distance(a.s, pick) < die::distance(a.e, pick);
    const die::coord free = plan.freeIsStart ? a.s : a.e;
    const die::coord far = plan.freeIsStart ? a.e : a.s;
    const double w = Geom::VectorAngle(far.y - free.y, far.x - free.x);
    // The perpendicular through the free end must meet the second line.
    if (Geom::EditLinesParallel(free, free + Along(w + Geom::kHalfPi, 1.0), b.s, b.e))
        return std::nullopt;
    die::coord across;
    (void)Geom::FootOfPerpendicular(b.s.x, b.s.y, b.e.x, b.e.y, free.x, free.y, across.x, across.y); // always true
    const double half = die::distance(free, across) / 2.0;
    const die::coord shift = Along(w, half);
    plan.t1 = free + shift;
    plan.t2 = across + shift;
    plan.centre = (free + across) / 2.0 + shift;
    if (std::fabs(plan.t1.x - plan.t2.x) <= NodeTable::kMergeTolerance &&
        std::fabs(plan.t1.y - plan.t2.y) <= NodeTable::kMergeTolerance)
        return std::nullopt; // no gap to close: both ends would be one node
    plan.secondStartMoves = die::distance(b.s, plan.t2) < die::distance(b.e, plan.t2);
    const die::coord secondKept = plan.secondStartMoves ? b.e : b.s;
    if (half + kShortest > die::distance(free, far) || die::distance(secondKept, plan.t2) < kShortest)
        return std::nullopt;
    // Clockwise from t1 to t2 runs on the left of the chord t1→t2: the side
    // of the apex, the middle of the gap.
    const die::coord apex = (free + across) / 2.0;
    plan.fromT1 = die::cross(plan.t2 - plan.t1, apex - plan.t1) > 0.0;
    return plan;
}


// An arc as the arc-arc fillet sees it: it runs clockwise from its start to
// its end, so it covers the angles from its end's angle counter-clockwise
// through its sweep.
struct ArcShape {
    die::coord c;
    double r = 0.0;
    double endAngle = 0.0;
    double sweep = 0.0;
    die::coord start;
    die::coord end;
};

// Where a point lies along the arc, as its angle from the arc's end
// counter-clockwise (0 to 2π).
double ParamOf(const ArcShape& arc, const die::coord& p)
{
    return Angle::Normalize(std::atan2(p.y - arc.c.y, p.x - arc.c.x) - arc.endAngle);
}

// A tangent point on the arc's sweep (within a hair at either end).
bool OnSweep(const ArcShape& arc, double param)
{
    const double slack = 1e-9;
    return param <= arc.sweep + slack || param >= Geom::kTwoPi - slack;
}

die::coord TurnedLeft(const die::coord& v)
{
    return {-v.y, v.x};
}

die::coord TurnedRight(const die::coord& v)
{
    return {v.y, -v.x};
}

// What a fillet of two arcs does: the arc's end that moves to each tangent
// point, and the fillet arc from `from` clockwise to `to`.
struct ArcArcFillet {
    die::coord t1;
    die::coord t2;
    die::coord centre;
    bool startMoves1 = false;
    bool startMoves2 = false;
    die::coord from;
    die::coord to;
    double score = 0.0; // how far the tangent points lie from the picks
};

// The arc keeps the end on the pick's side of its tangent point, with a
// length left; the direction in which a path along the kept part arrives
// at the tangent point.
struct KeptPart {
    bool startMoves = false;
    die::coord arriving;
};

std::optional<KeptPart> KeepTowardsPick(const ArcShape& arc, const die::coord& t, const die::coord& pick)
{
    double at = ParamOf(arc, t);
    if (at > arc.sweep)
        at = at - arc.sweep < Geom::kTwoPi - at ? arc.sweep : 0.0;
    double picked = ParamOf(arc, pick);
    if (picked > arc.sweep)
        picked = picked - arc.sweep < Geom::kTwoPi - picked ? arc.sweep : 0.0;
    KeptPart kept;
    // The start lies at the far end of the sweep: a pick beyond the tangent
    // point keeps it, and the end moves.
    const bool keepStart = picked > at;
    kept.startMoves = !keepStart;
    const double length = arc.r * (keepStart ? arc.sweep - at : at);
    const die::coord& keptEnd = keepStart ? arc.start : arc.end;
    if (length < kShortest || die::distance(keptEnd, t) < kShortest)
        return std::nullopt;
    // From the start the arc runs clockwise to the tangent point, from the
    // end counter-clockwise.
    const die::coord radial = (t - arc.c).Normalized();
    kept.arriving = keepStart ? TurnedRight(radial) : TurnedLeft(radial);
    return kept;
}

// The fillet for one tangent circle about centre, or none when a tangent
// point is off a sweep or the arcs and the fillet would not run on smoothly.
std::optional<ArcArcFillet> PlanWithCentre(const ArcShape& a, const ArcShape& b, const die::coord& t1,
                                           const die::coord& t2, const die::coord& centre, const die::coord& pick1,
                                           const die::coord& pick2)
{
    if (!OnSweep(a, ParamOf(a, t1)) || !OnSweep(b, ParamOf(b, t2)) || die::distance(t1, t2) < kShortest)
        return std::nullopt;
    const std::optional<KeptPart> kept1 = KeepTowardsPick(a, t1, pick1);
    const std::optional<KeptPart> kept2 = KeepTowardsPick(b, t2, pick2);
    if (!kept1 || !kept2)
        return std::nullopt;
    // The fillet leaves t1 the way the first arc arrives there; it must
    // arrive at t2 the way the second arc leaves, against its arriving.
    const bool clockwise = die::dot(kept1->arriving, TurnedRight(t1 - centre)) > 0.0;
    const die::coord arrivingAt2 = clockwise ? TurnedRight(t2 - centre) : TurnedLeft(t2 - centre);
    if (die::dot(arrivingAt2, kept2->arriving) >= 0.0)
        return std::nullopt;
    ArcArcFillet plan;
    plan.t1 = t1;
    plan.t2 = t2;
    plan.centre = centre;
    plan.startMoves1 = kept1->startMoves;
    plan.startMoves2 = kept2->startMoves;
    plan.from = clockwise ? t1 : t2;
    plan.to = clockwise ? t2 : t1;
    plan.score = die::distance(t1, pick1) + die::distance(t2, pick2);
    return plan;
}

// The point of the arc's circle at the radius from a tangent circle's
// centre: towards the centre, or away from it when the tangent circle
// holds the arc's circle.
die::coord TangentPoint(const ArcShape& arc, const die::coord& centre, double radius)
{
    const die::coord towards = (centre - arc.c).Normalized();
    const bool holds = die::distance(centre, arc.c) + arc.r <= radius + 1e-9;
    return arc.c + towards * (holds ? -arc.r : arc.r);
}

// Of the circles of the radius that touch both arcs' circles (from outside
// or inside each), the one whose tangent points lie on both sweeps nearest
// the picks.
std::optional<ArcArcFillet> PlanArcArcFillet(const ArcShape& a, const ArcShape& b, const die::coord& pick1,
                                             const die::coord& pick2, double radius)
{
    const die::coord axis = b.c - a.c;
    const double apart = axis.Length();
    if (apart < kShortest)
        return std::nullopt; // concentric: no corner to round
    const die::coord ex = axis / apart;
    const die::coord ey = TurnedLeft(ex);
    std::optional<ArcArcFillet> best;
    for (const double d1 : {a.r + radius, std::fabs(a.r - radius)}) {
        for (const double d2 : {b.r + radius, std::fabs(b.r - radius)}) {
            if (d1 < kShortest || d2 < kShortest)
                continue;
            // The centres at d1 from the first arc's centre and d2 from the
            // second's; circles that just touch give one.
            const double along = (d1 * d1 - d2 * d2 + apart * apart) / (2.0 * apart);
            const double h2 = d1 * d1 - along * along;
            if (h2 < -1e-9 * d1 * d1)
                continue;
            const double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
            for (const double side : {1.0, -1.0}) {
                const die::coord centre = a.c + ex * along + ey * (side * h);
                const std::optional<ArcArcFillet> plan = PlanWithCentre(
                    a, b, TangentPoint(a, centre, radius), TangentPoint(b, centre, radius), centre, pick1, pick2);
                if (plan && (!best || plan->score < best->score))
                    best = plan;
                if (h == 0.0)
                    break;
            }
        }
    }
    return best;
}

std::optional<ArcShape> ShapeOf(CArc& arc)
{
    CArc::Circle circle;
    if (!arc.GetCircle(circle) || !(circle.radius > 0.0))
        return std::nullopt;
    return ArcShape{circle.centre, circle.radius, arc.GetEndAngle(), arc.GetSweepAngle(), circle.start, circle.end};
}

} // namespace

bool Section::DoFillet(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                       double radius, bool notInstanced, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoFillet( CElement* ... )", Log::Section);
    if (!(radius > 0.0) || first == nullptr || second == nullptr || first == second || GetIdx(first) < 0 ||
        GetIdx(second) < 0)
        return false;
    const int kind1 = first->GetTypeId();
    const int kind2 = second->GetTypeId();
    const die::coord pick1(x1, y1);
    const die::coord pick2(x2, y2);
    if (kind1 == ElementTypeId::Arc && kind2 == ElementTypeId::Arc)
        return DoArcArcFillet(first, second, &pick1, &pick2, radius, notInstanced, tx);
    if (kind1 == ElementTypeId::Arc && kind2 == ElementTypeId::Line)
        return DoArcLineFillet(first, second, pick1, pick2, radius, notInstanced, tx);
    if (kind1 == ElementTypeId::Line && kind2 == ElementTypeId::Arc)
        return DoArcLineFillet(second, first, pick2, pick1, radius, notInstanced, tx);
    if (kind1 != ElementTypeId::Line || kind2 != ElementTypeId::Line)
        return false;

    const Segment a = Ends(*this, static_cast<const CLine&>(*first));
    const Segment b = Ends(*this, static_cast<const CLine&>(*second));
    if (Geom::EditLinesParallel(a.s, a.e, b.s, b.e))
        return DoParallelFillet(first, second, x1, y1, tx);
    const std::optional<LineFillet> plan = PlanLineFillet(a, b, pick1, pick2, radius);
    if (!plan || !CanBeNodes({plan->moved1, plan->moved2, plan->centre}))
        return false;
    const int slot1 = GetIdx(first);
    const int slot2 = GetIdx(second);
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextFillet, this);
        MoveLineEnd(slot1, !plan->keepStart1, plan->moved1);
        MoveLineEnd(slot2, !plan->keepStart2, plan->moved2);
        if (plan->withArc) {
            const die::coord& from = plan->reversed ? plan->moved2 : plan->moved1;
            const die::coord& to = plan->reversed ? plan->moved1 : plan->moved2;
            const ElementIterator arc =
                AddArc3(plan->centre.x, plan->centre.y, from.x, from.y, to.x, to.y, true, CurrentArcLineType());
            if (notInstanced && arc.NotEqual(end()))
                arc.Get()->SetNotInstanced(1);
        }
        step.commit();
    }
    RefreshAllBridges();
    return true;
}

bool Section::DoFilletAt(int firstSlot, int secondSlot, double x1, double y1, double x2, double y2, double radius,
                         bool notInstanced, UndoTransaction* tx)
{
    return DoFillet(GetElement(firstSlot), GetElement(secondSlot), x1, y1, x2, y2, radius, notInstanced, tx);
}

bool Section::DoParallelFillet(CElement* first, CElement* second, double x, double y, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoParallelFillet( CElement* ... )", Log::Section);
    const auto* line1 = dynamic_cast<const CLine*>(first);
    const auto* line2 = dynamic_cast<const CLine*>(second);
    const int slot1 = GetIdx(first);
    const int slot2 = GetIdx(second);
    if (line1 == nullptr || line2 == nullptr || first == second || slot1 < 0 || slot2 < 0)
        return false;
    const std::optional<ParallelFillet> plan = PlanParallelFillet(Ends(*this, *line1), Ends(*this, *line2), {x, y});
    if (!plan || !CanBeNodes({plan->t1, plan->t2, plan->centre}))
        return false;
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextParallelFillet, this);
        MoveLineEnd(slot1, plan->freeIsStart, plan->t1);
        MoveLineEnd(slot2, plan->secondStartMoves, plan->t2);
        const die::coord& from = plan->fromT1 ? plan->t1 : plan->t2;
        const die::coord& to = plan->fromT1 ? plan->t2 : plan->t1;
        (void)AddArc3(plan->centre.x, plan->centre.y, from.x, from.y, to.x, to.y, true, CurrentArcLineType());
        step.commit();
    }
    return true;
}

bool Section::DoArcArcFillet(CElement* firstArc, CElement* secondArc, const die::coord* pick1,
                             const die::coord* pick2, double radius, bool notInstanced, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoArcArcFillet( CElement* ... )", Log::Section);
    auto* arc1 = dynamic_cast<CArc*>(firstArc);
    auto* arc2 = dynamic_cast<CArc*>(secondArc);
    const int slot1 = GetIdx(firstArc);
    const int slot2 = GetIdx(secondArc);
    if (arc1 == nullptr || arc2 == nullptr || arc1 == arc2 || slot1 < 0 || slot2 < 0 || pick1 == nullptr ||
        pick2 == nullptr || !(radius > 0.0))
        return false;
    const std::optional<ArcShape> a = ShapeOf(*arc1);
    const std::optional<ArcShape> b = ShapeOf(*arc2);
    if (!a || !b)
        return false;
    const std::optional<ArcArcFillet> plan = PlanArcArcFillet(*a, *b, *pick1, *pick2, radius);
    if (!plan || !CanBeNodes({plan->t1, plan->t2, plan->centre}))
        return false;
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextFillet, this);
        const auto trim = [this](int slot, const CArc& arc, bool startMoves, const die::coord& to) {
            const int node = nodes_->AddPoint(to.x, to.y, true);
            auto copy = std::make_unique<CArc>(arc);
            if (startMoves)
                copy->SetStartNode(node);
            else
                copy->SetEndNode(node);
            (void)ReplaceElement(slot, std::move(copy));
        };
        trim(slot1, *arc1, plan->startMoves1, plan->t1);
        trim(slot2, *arc2, plan->startMoves2, plan->t2);
        const ElementIterator fillet = AddArc3(plan->centre.x, plan->centre.y, plan->from.x, plan->from.y,
                                               plan->to.x, plan->to.y, true, CurrentArcLineType());
        if (notInstanced && fillet.NotEqual(end()))
            fillet.Get()->SetNotInstanced(1);
        step.commit();
    }
    RefreshAllBridges();
    return true;
}
