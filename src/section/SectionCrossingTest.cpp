// Whether two elements of a section have a common point: lines, arcs and
// elliptical arcs, each pair through its own solver, each point tested on
// both elements.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomEllipses.h"
#include "geometry/GeomLinesCircles.h"
#include "support/Log.h"

#include <optional>
#include <vector>

namespace {

// On a line, within this much (mm) of the segment.
constexpr double kOnLine = 0.01;
// A Δx of exactly 0 is taken as this, so a vertical line is a very steep one.
constexpr double kVerticalDx = 0.001;

struct Shape {
    int kind = 0;
    die::coord a, b;     // line: its ends; arc and ellipse: start and end
    die::coord centre;   // arc, ellipse
    double m = 0.0;      // line: slope
    double c = 0.0;      // line: y = m·x + c
    double r1 = 0.0;     // arc: radius; ellipse: first semi-axis
    double r2 = 0.0;     // ellipse: second semi-axis
    double rho = 0.0;    // ellipse: direction of the first axis

    bool Holds(const die::coord& p) const
    {
        switch (kind) {
        case ElementTypeId::Line: return Geom::IsPointBetween(p.x, p.y, a.x, a.y, b.x, b.y, kOnLine);
        case ElementTypeId::Arc: return Geom::IsOnArcSweep(centre.x, centre.y, a.x, a.y, b.x, b.y, p.x, p.y, 0.0);
        default: return Geom::IsOnArcSweepStrict(centre.x, centre.y, a.x, a.y, b.x, b.y, p.x, p.y, 0.0);
        }
    }
};

std::optional<Shape> ShapeOf(NodeTable* nodes, CElement& e)
{
    const auto node = [&](int index) { return ElementNodes::NodeOf(nodes, index); };
    Shape s;
    s.kind = e.GetTypeId();
    switch (s.kind) {
    case ElementTypeId::Line: {
        const auto& line = static_cast<const CLine&>(e);
        CNodePoint* a = node(line.GetStartNode());
        CNodePoint* b = node(line.GetEndNode());
        if (!a || !b)
            return std::nullopt;
        s.a = ElementNodes::Position(*a);
        s.b = ElementNodes::Position(*b);
        const double dx = s.b.x - s.a.x;
        s.m = (s.b.y - s.a.y) / (dx == 0.0 ? kVerticalDx : dx);
        s.c = s.a.y - s.m * s.a.x;
        return s;
    }
    case ElementTypeId::Arc: {
        auto& arc = static_cast<CArc&>(e);
        CArc::Circle circle;
        if (!arc.GetCircle(circle))
            return std::nullopt;
        s.centre = circle.centre;
        s.a = circle.start;
        s.b = circle.end;
        s.r1 = circle.radius;
        return s;
    }
    case ElementTypeId::Ellipse: {
        auto& ellipse = static_cast<CEllipse&>(e);
        ellipse.Recalculate();
        CNodePoint* c = node(ellipse.GetCentreNode());
        CNodePoint* first = node(ellipse.GetMajorNode());
        CNodePoint* second = node(ellipse.GetMinorNode());
        CNodePoint* a = node(ellipse.GetStartNode());
        CNodePoint* b = node(ellipse.GetEndNode());
        if (!c || !first || !second || !a || !b)
            return std::nullopt;
        s.centre = ElementNodes::Position(*c);
        s.a = ElementNodes::Position(*a);
        s.b = ElementNodes::Position(*b);
        s.r1 = ElementNodes::Distance(*c, *first);
        s.r2 = ElementNodes::Distance(*c, *second);
        s.rho = ElementNodes::Direction(*c, *first);
        return s;
    }
    default: return std::nullopt;
    }
}

// The points the pair's solver gives, in its order.
std::vector<die::coord> Solve(const Shape& f, const Shape& g)
{
    std::vector<die::coord> points;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // Called after the solver has written the points.
    const auto two = [&](int n) {
        if (n >= 1)
            points.emplace_back(x1, y1);
        if (n >= 2)
            points.emplace_back(x2, y2);
    };
    die::coord four[4];
    const int lineKind = ElementTypeId::Line;
    const int arcKind = ElementTypeId::Arc;
    if (f.kind == lineKind && g.kind == lineKind) {
        if (Geom::SolveSlopeLines(f.m, f.c, g.m, g.c, x1, y1))
            points.emplace_back(x1, y1);
    } else if (f.kind == lineKind || g.kind == lineKind) {
        const Shape& line = f.kind == lineKind ? f : g;
        const Shape& curve = f.kind == lineKind ? g : f;
        const int n = curve.kind == arcKind
                          ? Geom::SolveLineCircle(curve.centre.x, curve.centre.y, curve.r1, line.m, line.c, x1, y1, x2, y2)
                          : Geom::SolveLineEllipse(curve.centre.x, curve.centre.y, curve.r1, curve.r2, curve.rho,
                                                   line.a.x, line.a.y, line.b.x, line.b.y, x1, y1, x2, y2);
        two(n);
    } else if (f.kind == arcKind && g.kind == arcKind) {
        two(Geom::SolveCircleCircle(f.centre.x, f.centre.y, f.r1, g.centre.x, g.centre.y, g.r1, x1, y1, x2, y2));
    } else if (f.kind == arcKind || g.kind == arcKind) {
        const Shape& circle = f.kind == arcKind ? f : g;
        const Shape& ellipse = f.kind == arcKind ? g : f;
        const int n = Geom::SolveEllipseCircle(ellipse.centre.x, ellipse.centre.y, ellipse.r1, ellipse.r2, ellipse.rho,
                                               circle.centre.x, circle.centre.y, circle.r1, four);
        points.assign(four, four + n);
    } else {
        const int n = Geom::SolveEllipseEllipse(f.centre.x, f.centre.y, f.r1, f.r2, f.rho, g.centre.x, g.centre.y,
                                                g.r1, g.r2, g.rho, four);
        points.assign(four, four + n);
    }
    return points;
}

} // namespace

bool Section::AreElementsCrossing(int slotA, int slotB)
{
    Log::TheLog().Write("Section::AreElementsCrossing( long ... )", Log::Section);
    CElement* a = GetElement(slotA);
    CElement* b = GetElement(slotB);
    if (!a || !b || a == b)
        return false;
    const std::optional<Shape> f = ShapeOf(nodes_, *a);
    const std::optional<Shape> g = f ? ShapeOf(nodes_, *b) : std::nullopt;
    if (!f || !g)
        return false;
    for (const die::coord& p : Solve(*f, *g)) {
        if (f->Holds(p) && g->Holds(p))
            return true;
    }
    return false;
}
