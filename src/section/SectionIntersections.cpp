#include "section/SectionIntersections.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomEllipses.h"
#include "geometry/GeomLinesCircles.h"
#include "section/Section.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kParallel = 1e-7;

struct Probe {
    die::coord p;
    die::coord q;
    double tolerance;

    bool InBox(double x, double y) const
    {
        return x >= std::min(p.x, q.x) - tolerance && x <= std::max(p.x, q.x) + tolerance
               && y >= std::min(p.y, q.y) - tolerance && y <= std::max(p.y, q.y) + tolerance;
    }
};

// The node's position under the placement (as GetXInInstance and
// GetYInInstance give it), taken once.
die::coord Placed(CNodePoint* node, const CInstance* placement)
{
    const die::coord p(node->GetX(), node->GetY());
    return placement ? placement->Transform(p) : p;
}

} // namespace

void SectionIntersections::Collect(const CInstance* placement, const die::coord& p, const die::coord& q,
                                   bool selectedOnly, int lineTypeFilter)
{
    Gather(placement, selectedOnly, lineTypeFilter, shapes_);
    Cross(shapes_, p, q, selectedOnly);
}

void SectionIntersections::Gather(const CInstance* placement, bool selectedOnly, int lineTypeFilter,
                                  Shapes& shapes) const
{
    shapes.clear();
    NodeTable* nodes = section_.GetNodeTable();
    const auto node = [&](int index) { return nodes->GetNode(index); };
    for (auto it = section_.begin(); it.NotEqual(section_.end()); it.Next()) {
        CElement* e = it.Get();
        if (e->GetLineType() != 1 || (selectedOnly && !e->IsSelected())
            || (lineTypeFilter != -1 && e->GetLineType() != lineTypeFilter))
            continue;
        Shape shape;
        shape.kind = e->GetTypeId();
        shape.element = it.GetIndex();
        switch (shape.kind) {
        case ElementTypeId::Line: {
            const auto& line = static_cast<const CLine&>(*e);
            CNodePoint* a = node(line.GetStartNode());
            CNodePoint* b = node(line.GetEndNode());
            if (!a || !b)
                continue;
            shape.a = Placed(a, placement);
            shape.b = Placed(b, placement) - shape.a;
            break;
        }
        case ElementTypeId::Arc: {
            auto& arc = static_cast<CArc&>(*e);
            arc.Recalculate();
            CNodePoint* c = node(arc.GetCenterNode());
            CNodePoint* a = node(arc.GetStartNode());
            CNodePoint* b = node(arc.GetEndNode());
            if (!c || !a || !b)
                continue;
            shape.a = Placed(c, placement);
            shape.b = Placed(a, placement);
            shape.c = Placed(b, placement);
            shape.r1 = arc.GetRadius();
            break;
        }
        case ElementTypeId::Ellipse: {
            auto& ellipse = static_cast<CEllipse&>(*e);
            ellipse.Recalculate();
            CNodePoint* c = node(ellipse.GetCentreNode());
            CNodePoint* major = node(ellipse.GetMajorNode());
            CNodePoint* minor = node(ellipse.GetMinorNode());
            CNodePoint* a = node(ellipse.GetStartNode());
            CNodePoint* b = node(ellipse.GetEndNode());
            if (!c || !major || !minor || !a || !b)
                continue;
            shape.a = Placed(c, placement);
            shape.b = Placed(a, placement);
            shape.c = Placed(b, placement);
            // Axes and turn from the unplaced nodes.
            shape.r1 = c->DistanceTo(*major);
            shape.r2 = c->DistanceTo(*minor);
            shape.rho = major->AngleFrom(*c);
            break;
        }
        default: continue;
        }
        shapes.push_back(shape);
    }
}

void SectionIntersections::Cross(const Shapes& shapes, const die::coord& p, const die::coord& q, bool selectedOnly)
{
    points_.clear();
    const Probe probe{p, q, selectedOnly ? 0.001 : 1.0};
    const die::coord dS = q - p;
    // The probe as y = m·x + k for the circles (x = k when vertical).
    double m = Geom::kVerticalSlope;
    double k = q.x;
    if (q.x - p.x != 0.0) {
        m = (q.y - p.y) / (q.x - p.x);
        k = p.y - m * p.x;
    }
    for (const Shape& shape : shapes) {
        const auto store = [&](double x, double y) { points_.push_back({shape.element, x, y}); };
        switch (shape.kind) {
        case ElementTypeId::Line: {
            const die::coord& l1 = shape.a;
            const die::coord& dL = shape.b;
            const double den = dL.x * dS.y - dS.x * dL.y;
            if (std::abs(den) < kParallel)
                break;
            const double s = (dL.x * (l1.y - p.y) + dL.y * (p.x - l1.x)) / den;
            const double r = std::abs(dL.x) > kParallel ? (dS.x * s + p.x - l1.x) / dL.x
                                                        : (dS.y * (l1.x - p.x) + dS.x * (p.y - l1.y)) / (dS.x * dL.y);
            if (s >= 0.0 && s <= 1.0 && r >= 0.0 && r <= 1.0)
                store(l1.x + r * dL.x, l1.y + r * dL.y);
            break;
        }
        case ElementTypeId::Arc: {
            double x[2] = {};
            double y[2] = {};
            const int n = Geom::SolveLineCircle(shape.a.x, shape.a.y, shape.r1, m, k, x[0], y[0], x[1], y[1]);
            for (int i = 0; i < n && i < 2; ++i) {
                if (probe.InBox(x[i], y[i])
                    && Geom::IsOnArcSweep(shape.a.x, shape.a.y, shape.b.x, shape.b.y, shape.c.x, shape.c.y, x[i],
                                          y[i], probe.tolerance))
                    store(x[i], y[i]);
            }
            break;
        }
        case ElementTypeId::Ellipse: {
            double x[2] = {};
            double y[2] = {};
            const int n = Geom::SolveLineEllipse(shape.a.x, shape.a.y, shape.r1, shape.r2, shape.rho, p.x, p.y, q.x,
                                                 q.y, x[0], y[0], x[1], y[1]);
            for (int i = 0; i < n && i < 2; ++i) {
                if (probe.InBox(x[i], y[i])
                    && Geom::IsOnArcSweepStrict(shape.a.x, shape.a.y, shape.b.x, shape.b.y, shape.c.x, shape.c.y,
                                                x[i], y[i], probe.tolerance))
                    store(x[i], y[i]);
            }
            break;
        }
        default: break;
        }
    }
}

int SectionIntersections::FindNearest(double x, double y, double limit, bool second) const
{
    const auto distance = [&](const Point& point) {
        const double dx = std::trunc(point.x - x);
        const double dy = std::trunc(point.y - y);
        return std::sqrt(dx * dx + dy * dy);
    };
    const auto nearest = [&](int skip, int result) {
        double best = limit;
        for (int j = 0; j < Count(); ++j) {
            if (j == skip)
                continue;
            const double d = distance(points_[static_cast<std::size_t>(j)]);
            if (d < best) {
                best = d;
                result = j;
            }
        }
        return result;
    };
    const int first = nearest(-1, -1);
    if (!second || first == -1)
        return first;
    return nearest(first, first);
}
