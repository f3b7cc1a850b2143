#include "geometry/GeomPolylineIntersect.h"

#include "geometry/GeomSegmentTests.h"
#include "geometry/SegmentGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using die::coord;

namespace Geom {

namespace {

struct Box {
    double minX, minY, maxX, maxY;
};

Box boxOf(const coord& p1, const coord& p2)
{
    return {std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x), std::max(p1.y, p2.y)};
}

// From this many points on, the second polyline of IntersectPolylines is
// searched through a grid.
constexpr size_t kGridFrom = 64;

// Runs crossSegment(from, to) for every segment of the polyline whose box
// overlaps the given one.
template <class CrossSegment>
void forSegmentsInBox(Polyline polyline, const Box& box, CrossSegment crossSegment)
{
    for (size_t i = 0; i + 1 < polyline.size(); ++i) {
        const coord& from = polyline[i];
        const coord& to = polyline[i + 1];
        if (BoxesOverlap(from.x, from.y, to.x, to.y, box.minX, box.minY, box.maxX, box.maxY, true))
            crossSegment(from, to);
    }
}

} // namespace

void IntersectPolylineLine(Polyline polyline, const coord& p1, const coord& p2, PointList& list)
{
    forSegmentsInBox(polyline, boxOf(p1, p2),
                     [&](const coord& from, const coord& to) { IntersectLines(from, to, p1, p2, list); });
}

void IntersectPolylineArc(Polyline polyline, const coord& centre, const coord& start, const coord& end,
                          double radius, PointList& list)
{
    const Box box{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    forSegmentsInBox(polyline, box, [&](const coord& from, const coord& to) {
        IntersectLineArc(from, to, centre, start, end, radius, list);
    });
}

void IntersectPolylineEllipseArc(Polyline polyline, const EllipseArc& arc, PointList& list)
{
    // Half-width and half-height that enclose the ellipse at any rotation.
    const double c = std::cos(arc.rotation), s = std::sin(arc.rotation);
    const double w = std::fabs(arc.semiX * c) + std::fabs(arc.semiY * s);
    const double h = std::fabs(arc.semiX * s) + std::fabs(arc.semiY * c);
    const Box box{arc.centre.x - w, arc.centre.y - h, arc.centre.x + w, arc.centre.y + h};
    forSegmentsInBox(polyline, box,
                     [&](const coord& from, const coord& to) { IntersectLineEllipseArc(arc, from, to, list); });
}

void IntersectPolylines(Polyline a, Polyline b, PointList& list)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    Box box{inf, inf, -inf, -inf};
    for (const coord& p : b) {
        box.minX = std::min(box.minX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxX = std::max(box.maxX, p.x);
        box.maxY = std::max(box.maxY, p.y);
    }
    if (b.size() < kGridFrom) {
        forSegmentsInBox(a, box,
                         [&](const coord& from, const coord& to) { IntersectPolylineLine(b, from, to, list); });
        return;
    }
    // The same pairs in the same order as above, but B's segments come from a
    // grid instead of a scan of all of them.
    const SegmentGrid grid(b);
    std::vector<std::uint32_t> near;
    forSegmentsInBox(a, box, [&](const coord& from, const coord& to) {
        const Box segmentBox = boxOf(from, to);
        grid.candidates(segmentBox.minX, segmentBox.minY, segmentBox.maxX, segmentBox.maxY, near);
        for (const std::uint32_t j : near)
            if (BoxesOverlap(b[j].x, b[j].y, b[j + 1].x, b[j + 1].y, segmentBox.minX, segmentBox.minY,
                             segmentBox.maxX, segmentBox.maxY, true))
                IntersectLines(b[j], b[j + 1], from, to, list);
    });
}

} // namespace Geom
