// Extend and intersection: element ends moved onto a crossing point.
//
// Lines are taken in slope form (geometry/EditLines.h): y = m·x + c with
// m = Δy / Δx from start to end, a Δx of exactly 0 counting as 0.001, and
// c = E.y − m·E.x. Arcs and ellipses are taken as their whole curves; an
// end moved onto a point outside an arc's sweep extends it along its circle.
//
// Both operations refuse before the first change: a point no node can hold,
// and a moved end that would land on the node of the end that stays (a line
// of no length, an arc or an ellipse turned into its whole curve).
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "geometry/EditLines.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomEllipses.h"
#include "geometry/GeomLinesCircles.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kTextExtend = 382;
constexpr int kTextIntersection = 181;
// How far past the ends of its sweep a point still lies on an arc.
constexpr double kSweepTolerance = 0.001;
// How much longer than the boundary point's farther distance from its ends
// a line must be for the point to lie between them.
constexpr double kCrossingMargin = 0.001;

struct SlopeLine {
    double m = 0.0;
    double c = 0.0;
};

SlopeLine SlopeForm(const die::coord& s, const die::coord& e)
{
    const double m = Geom::EditSlope(s, e);
    return {m, e.y - m * e.x};
}

// The ends and the node indices of a line, an arc or an ellipse; the moved
// end of its copy is set through SetEnd.
struct Ends {
    die::coord start;
    die::coord end;
    int startNode = -1;
    int endNode = -1;
};

Ends EndsOf(const Section& section, CElement& element)
{
    Ends ends;
    if (auto* line = dynamic_cast<CLine*>(&element)) {
        ends.startNode = line->GetStartNode();
        ends.endNode = line->GetEndNode();
    } else if (auto* arc = dynamic_cast<CArc*>(&element)) {
        ends.startNode = arc->GetStartNode();
        ends.endNode = arc->GetEndNode();
    } else if (auto* ellipse = dynamic_cast<CEllipse*>(&element)) {
        ends.startNode = ellipse->GetStartNode();
        ends.endNode = ellipse->GetEndNode();
    }
    ends.start = section.Point(ends.startNode);
    ends.end = section.Point(ends.endNode);
    return ends;
}

void SetEnd(CElement& element, bool start, int node)
{
    if (auto* line = dynamic_cast<CLine*>(&element))
        start ? line->SetStartNode(node) : line->SetEndNode(node);
    else if (auto* arc = dynamic_cast<CArc*>(&element))
        start ? arc->SetStartNode(node) : arc->SetEndNode(node);
    else if (auto* ellipse = dynamic_cast<CEllipse*>(&element))
        start ? ellipse->SetStartNode(node) : ellipse->SetEndNode(node);
    element.SetGeometryDirty();
    element.Recalculate();
}

// An ellipse as the meeting routines take it: centre, semi-axes along and
// across the direction of its major-axis node.
struct EllipseShape {
    die::coord centre;
    double a = 0.0;
    double b = 0.0;
    double rotation = 0.0;
};

std::optional<EllipseShape> ShapeOf(CEllipse& ellipse)
{
    EllipseShape shape;
    if (!ellipse.GetGeometry(shape.rotation, shape.a, shape.b, shape.centre))
        return std::nullopt;
    return shape;
}

// Of one or two meeting points, those that lie on the boundary's curve
// count; of two that count, the one nearer to the pick point (the second on
// equal distances).
template <typename OnCurve>
std::optional<die::coord> ChooseOnCurve(int found, const die::coord& p1, const die::coord& p2,
                                        const die::coord& pick, OnCurve onCurve)
{
    if (found <= 0)
        return std::nullopt;
    const bool first = onCurve(p1);
    if (found == 1)
        return first ? std::optional(p1) : std::nullopt;
    const bool second = onCurve(p2);
    if (first && second)
        return die::distance(p1, pick) < die::distance(p2, pick) ? p1 : p2;
    if (first)
        return p1;
    if (second)
        return p2;
    return std::nullopt;
}

// The point of the boundary that the line is extended to; none when the
// line does not meet it.
std::optional<die::coord> ExtendTarget(const Section& section, CElement& boundary, const Ends& line,
                                       const die::coord& pick)
{
    const SlopeLine own = SlopeForm(line.start, line.end);
    if (dynamic_cast<CLine*>(&boundary)) {
        const Ends other = EndsOf(section, boundary);
        const SlopeLine target = SlopeForm(other.start, other.end);
        const die::coord d1 = line.end - line.start;
        const die::coord d2 = other.end - other.start;
        // Truly parallel lines (two vertical ones) have no meeting point,
        // whatever their stand-in slopes say.
        if (own.m == target.m || d1.x * d2.y - d1.y * d2.x == 0.0)
            return std::nullopt;
        die::coord p;
        if (!Geom::SolveSlopeLines(own.m, own.c, target.m, target.c, p.x, p.y))
            return std::nullopt;
        return p;
    }
    die::coord p1;
    die::coord p2;
    if (auto* arc = dynamic_cast<CArc*>(&boundary)) {
        CArc::Circle circle;
        if (!arc->GetCircle(circle))
            return std::nullopt;
        const int found = Geom::SolveLineCircle(circle.centre.x, circle.centre.y, circle.radius, own.m, own.c, p1.x,
                                                p1.y, p2.x, p2.y);
        return ChooseOnCurve(found, p1, p2, pick, [&](const die::coord& p) {
            return Geom::IsOnArcSweep(circle.centre.x, circle.centre.y, circle.start.x, circle.start.y, circle.end.x,
                                      circle.end.y, p.x, p.y, kSweepTolerance);
        });
    }
    if (auto* ellipse = dynamic_cast<CEllipse*>(&boundary)) {
        const std::optional<EllipseShape> shape = ShapeOf(*ellipse);
        if (!shape)
            return std::nullopt;
        const Ends arc = EndsOf(section, boundary);
        const int found = Geom::SolveLineEllipse(shape->centre.x, shape->centre.y, shape->a, shape->b,
                                                 shape->rotation, line.start.x, line.start.y, line.end.x, line.end.y,
                                                 p1.x, p1.y, p2.x, p2.y);
        return ChooseOnCurve(found, p1, p2, pick, [&](const die::coord& p) {
            return Geom::IsOnArcSweepStrict(shape->centre.x, shape->centre.y, arc.start.x, arc.start.y, arc.end.x,
                                            arc.end.y, p.x, p.y, kSweepTolerance);
        });
    }
    return std::nullopt; // a boundary of another kind gives no point
}

int Rank(const CElement& e)
{
    switch (e.GetTypeId()) {
    case ElementTypeId::Line: return 0;
    case ElementTypeId::Arc: return 1;
    case ElementTypeId::Ellipse: return 2;
    default: return -1;
    }
}

// The meeting points of the full curves of two elements ordered line, arc,
// ellipse; empty for lines that count as parallel.
std::vector<die::coord> Candidates(const Section& section, CElement& first, CElement& second)
{
    std::vector<die::coord> points;
    die::coord p1;
    die::coord p2;
    auto addPair = [&](int found) {
        if (found >= 1)
            points.push_back(p1);
        if (found >= 2)
            points.push_back(p2);
    };
    auto addFour = [&](int found, const die::coord (&four)[4]) {
        for (int i = 0; i < found && i < 4; ++i)
            points.push_back(four[i]);
    };
    auto* arc1 = dynamic_cast<CArc*>(&first);
    auto* arc2 = dynamic_cast<CArc*>(&second);
    auto* ellipse2 = dynamic_cast<CEllipse*>(&second);
    if (dynamic_cast<CLine*>(&first)) {
        const Ends line = EndsOf(section, first);
        const SlopeLine own = SlopeForm(line.start, line.end);
        if (dynamic_cast<CLine*>(&second)) {
            const Ends other = EndsOf(section, second);
            if (Geom::EditLinesParallel(line.start, line.end, other.start, other.end))
                return points;
            const SlopeLine target = SlopeForm(other.start, other.end);
            if (Geom::SolveSlopeLines(own.m, own.c, target.m, target.c, p1.x, p1.y))
                points.push_back(p1);
        } else if (arc2) {
            CArc::Circle circle;
            if (arc2->GetCircle(circle))
                addPair(Geom::SolveLineCircle(circle.centre.x, circle.centre.y, circle.radius, own.m, own.c, p1.x,
                                              p1.y, p2.x, p2.y));
        } else if (ellipse2) {
            if (const std::optional<EllipseShape> e = ShapeOf(*ellipse2))
                addPair(Geom::SolveLineEllipse(e->centre.x, e->centre.y, e->a, e->b, e->rotation, line.start.x,
                                               line.start.y, line.end.x, line.end.y, p1.x, p1.y, p2.x, p2.y));
        }
        return points;
    }
    if (arc1) {
        CArc::Circle c1;
        if (!arc1->GetCircle(c1))
            return points;
        if (arc2) {
            CArc::Circle c2;
            if (arc2->GetCircle(c2))
                addPair(Geom::SolveCircleCircle(c1.centre.x, c1.centre.y, c1.radius, c2.centre.x, c2.centre.y,
                                                c2.radius, p1.x, p1.y, p2.x, p2.y));
        } else if (ellipse2) {
            if (const std::optional<EllipseShape> e = ShapeOf(*ellipse2)) {
                die::coord four[4];
                addFour(Geom::SolveEllipseCircle(e->centre.x, e->centre.y, e->a, e->b, e->rotation, c1.centre.x,
                                                 c1.centre.y, c1.radius, four),
                        four);
            }
        }
        return points;
    }
    auto* ellipse1 = dynamic_cast<CEllipse*>(&first);
    if (ellipse1 && ellipse2) {
        const std::optional<EllipseShape> e1 = ShapeOf(*ellipse1);
        const std::optional<EllipseShape> e2 = ShapeOf(*ellipse2);
        if (e1 && e2) {
            die::coord four[4];
            addFour(Geom::SolveEllipseEllipse(e1->centre.x, e1->centre.y, e1->a, e1->b, e1->rotation, e2->centre.x,
                                              e2->centre.y, e2->a, e2->b, e2->rotation, four),
                    four);
        }
    }
    return points;
}

} // namespace

void Section::DoExtend(CElement* boundary, CElement* line, double x, double y, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoExtend( CElement* ... )", Log::Section);
    const int slot = GetIdx(line);
    if (boundary == nullptr || line == nullptr || boundary == line || slot < 0 || !dynamic_cast<CLine*>(line))
        return; // only a line is extended
    const die::coord pick(x, y);
    const Ends ends = EndsOf(*this, *line);
    const std::optional<die::coord> target = ExtendTarget(*this, *boundary, ends, pick);
    if (!target || !CanBeNodes({*target}))
        return;
    const die::coord p = *target;
    // The line crosses the boundary when the point lies between its ends:
    // then the end on the picked side moves, else the end nearer the point.
    const double farther = std::max(die::distance(p, ends.start), die::distance(p, ends.end));
    const die::coord q = die::distance(ends.start, ends.end) > farther + kCrossingMargin ? pick : p;
    const bool moveStart = die::distance(ends.end, q) > die::distance(ends.start, q);
    const die::coord& moved = moveStart ? ends.start : ends.end;
    const die::coord& kept = moveStart ? ends.end : ends.start;
    if (kept == p || moved == p)
        return; // already there
    if (NodeTable::PositionsMerge(p, kept))
        return; // the line would end on its other end's node
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextExtend, this);
        MoveLineEnd(slot, moveStart, p);
        step.commit();
    }
    RefreshAllBridges();
}

bool Section::DoInterSection(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                             double* outX, double* outY, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoInterSection( CElement* ... )", Log::Section);
    if (first == nullptr || second == nullptr || first == second)
        return false;
    return InterSectSlots(GetIdx(first), GetIdx(second), x1, y1, x2, y2, outX, outY, tx);
}

bool Section::InterSectSlots(int slotA, int slotB, double x1, double y1, double x2, double y2, double* outX,
                             double* outY, UndoTransaction* tx, bool refreshAllBridges)
{
    CElement* first = GetElement(slotA);
    CElement* second = GetElement(slotB);
    if (first == nullptr || second == nullptr || first == second || Rank(*first) < 0 || Rank(*second) < 0)
        return false;
    die::coord pick1(x1, y1);
    die::coord pick2(x2, y2);
    int slot1 = slotA;
    int slot2 = slotB;
    if (Rank(*first) > Rank(*second)) {
        std::swap(first, second);
        std::swap(pick1, pick2);
        std::swap(slot1, slot2);
    }
    const std::vector<die::coord> candidates = Candidates(*this, *first, *second);
    if (candidates.empty())
        return false;
    die::coord point = candidates.front();
    double best = die::distance(point, pick1) + die::distance(point, pick2);
    for (const die::coord& c : candidates) {
        const double sum = die::distance(c, pick1) + die::distance(c, pick2);
        if (sum < best) {
            best = sum;
            point = c;
        }
    }
    if (!CanBeNodes({point}))
        return false;
    // Each element moves the end nearer to its own pick point.
    const Ends ends1 = EndsOf(*this, *first);
    const Ends ends2 = EndsOf(*this, *second);
    const bool moveStart1 = die::distance(ends1.end, pick1) > die::distance(ends1.start, pick1);
    const bool moveStart2 = die::distance(ends2.end, pick2) > die::distance(ends2.start, pick2);
    const die::coord& kept1 = moveStart1 ? ends1.end : ends1.start;
    const die::coord& kept2 = moveStart2 ? ends2.end : ends2.start;
    if (NodeTable::PositionsMerge(point, kept1) || NodeTable::PositionsMerge(point, kept2))
        return false; // an element would end on the node of its other end
    std::unique_ptr<CElement> copy1 = CreateElement(*first);
    std::unique_ptr<CElement> copy2 = CreateElement(*second);
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextIntersection, this);
        const int node = nodes_->AddPoint(point.x, point.y, true);
        SetEnd(*copy1, moveStart1, node);
        SetEnd(*copy2, moveStart2, node);
        (void)ReplaceElement(slot1, std::move(copy1)); // reached through the slots
        (void)ReplaceElement(slot2, std::move(copy2));
        step.commit();
    }
    if (refreshAllBridges)
        RefreshAllBridges();
    if (outX)
        *outX = point.x;
    if (outY)
        *outY = point.y;
    return true;
}
