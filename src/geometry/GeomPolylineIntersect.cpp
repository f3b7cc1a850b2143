#include "geometry/GeomPolylineIntersect.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomSegmentTests.h"
#include "geometry/SegmentGrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
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

double segmentDistance(const coord& p, const coord& a, const coord& b)
{
    return distance(p, NearestOnSegment(p, a, b));
}

// A point found for segment i of the polyline and segment j of the other curve
// (0 for a single segment or arc), with how far it lies off the two segments:
// the touching tolerances accept points a little beyond a segment's end.
struct Crossing {
    coord point;
    size_t i = 0, j = 0;
    double offset = 0.0;
};

// Offsets up to this count as lying on the segments.
constexpr double kOnSegment = 1e-9;

// The segments of a polyline in order; the last and the first are neighbours
// when the polyline closes on its first point.
struct SegmentChain {
    size_t count = 0;
    bool closed = false;

    explicit SegmentChain(Polyline polyline)
        : count(polyline.size() < 2 ? 0 : polyline.size() - 1),
          closed(count >= 3 && !PointsDiffer(polyline.front(), polyline.back()))
    {
    }
    // The segment and the two beside it, wrapping round at the ends.
    std::array<size_t, 3> around(size_t i) const
    {
        if (count == 0)
            return {i, i, i};
        return {i, (i + 1) % count, (i + count - 1) % count};
    }
    bool neighbours(size_t a, size_t b) const
    {
        const size_t d = a > b ? a - b : b - a;
        return d <= 1 || (closed && d == count - 1);
    }
};

// A crossing near a corner of a polyline is found by both segments that meet
// there: the one it lies on, and the other through the tolerance for touching
// its end. Of two points found for neighbouring pairs of segments the one off
// its segments is dropped when the other lies on its segments or nearer to
// them; two points that both lie on their segments are one crossing only when
// they coincide (a crossing exactly at the corner). The rest keep their order.
void appendOnce(std::vector<Crossing>& found, const SegmentChain& first, const SegmentChain& second,
                PointList& list)
{
    std::vector<size_t> byPair(found.size());
    for (size_t k = 0; k < found.size(); ++k)
        byPair[k] = k;
    auto pairLess = [&](size_t x, size_t y) {
        return std::tie(found[x].i, found[x].j, x) < std::tie(found[y].i, found[y].j, y);
    };
    std::sort(byPair.begin(), byPair.end(), pairLess);
    auto dropped = [&](size_t k) {
        const Crossing& c = found[k];
        auto duplicates = [&](size_t other) {
            const Crossing& o = found[other];
            if (c.offset > kOnSegment)
                return o.offset < c.offset || (o.offset == c.offset && other < k);
            return o.offset <= kOnSegment && other < k && !PointsDiffer(o.point, c.point);
        };
        auto scan = [&](size_t i, size_t j) {
            auto it = std::lower_bound(byPair.begin(), byPair.end(), i, [&](size_t x, size_t value) {
                return std::tie(found[x].i, found[x].j) < std::tie(value, j);
            });
            for (; it != byPair.end() && found[*it].i == i && found[*it].j == j; ++it)
                if (*it != k && duplicates(*it))
                    return true;
            return false;
        };
        for (const size_t i : first.around(c.i))
            for (const size_t j : second.around(c.j))
                if (first.neighbours(i, c.i) && second.neighbours(j, c.j) && scan(i, j))
                    return true;
        return false;
    };
    for (size_t k = 0; k < found.size(); ++k)
        if (!dropped(k))
            list.push_back(found[k].point);
}

// Runs crossSegment(i, from, to) for every segment of the polyline whose box
// overlaps the given one.
template <class CrossSegment>
void forSegmentsInBox(Polyline polyline, const Box& box, CrossSegment crossSegment)
{
    for (size_t i = 0; i + 1 < polyline.size(); ++i) {
        const coord& from = polyline[i];
        const coord& to = polyline[i + 1];
        if (BoxesOverlap(from.x, from.y, to.x, to.y, box.minX, box.minY, box.maxX, box.maxY, true))
            crossSegment(i, from, to);
    }
}

// The points that intersect(from, to, list) finds for each segment of the
// polyline in the box, each crossing once.
template <class Intersect>
void crossEachSegment(Polyline polyline, const Box& box, PointList& list, Intersect intersect)
{
    std::vector<Crossing> found;
    PointList points;
    forSegmentsInBox(polyline, box, [&](size_t i, const coord& from, const coord& to) {
        points.clear();
        intersect(from, to, points);
        for (const coord& p : points)
            found.push_back({p, i, 0, segmentDistance(p, from, to)});
    });
    appendOnce(found, SegmentChain(polyline), SegmentChain(Polyline()), list);
}

} // namespace

void IntersectPolylineLine(Polyline polyline, const coord& p1, const coord& p2, PointList& list)
{
    crossEachSegment(polyline, boxOf(p1, p2), list,
                     [&](const coord& from, const coord& to, PointList& points) {
                         IntersectLines(from, to, p1, p2, points);
                     });
}

void IntersectPolylineArc(Polyline polyline, const coord& centre, const coord& start, const coord& end,
                          double radius, PointList& list)
{
    const Box box{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    crossEachSegment(polyline, box, list, [&](const coord& from, const coord& to, PointList& points) {
        IntersectLineArc(from, to, centre, start, end, radius, points);
    });
}

void IntersectPolylineEllipseArc(Polyline polyline, const EllipseArc& arc, PointList& list)
{
    // Half-width and half-height that enclose the ellipse at any rotation.
    const double c = std::cos(arc.rotation), s = std::sin(arc.rotation);
    const double w = std::fabs(arc.semiX * c) + std::fabs(arc.semiY * s);
    const double h = std::fabs(arc.semiX * s) + std::fabs(arc.semiY * c);
    const Box box{arc.centre.x - w, arc.centre.y - h, arc.centre.x + w, arc.centre.y + h};
    crossEachSegment(polyline, box, list, [&](const coord& from, const coord& to, PointList& points) {
        IntersectLineEllipseArc(arc, from, to, points);
    });
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
    std::vector<Crossing> found;
    PointList points;
    auto cross = [&](size_t i, const coord& from, const coord& to, size_t j) {
        points.clear();
        IntersectLines(b[j], b[j + 1], from, to, points);
        for (const coord& p : points)
            found.push_back({p, i, j, segmentDistance(p, from, to) + segmentDistance(p, b[j], b[j + 1])});
    };
    if (b.size() < kGridFrom) {
        forSegmentsInBox(a, box, [&](size_t i, const coord& from, const coord& to) {
            const Box segmentBox = boxOf(from, to);
            for (size_t j = 0; j + 1 < b.size(); ++j)
                if (BoxesOverlap(b[j].x, b[j].y, b[j + 1].x, b[j + 1].y, segmentBox.minX, segmentBox.minY,
                                 segmentBox.maxX, segmentBox.maxY, true))
                    cross(i, from, to, j);
        });
    } else {
        // The same pairs in the same order, but B's segments come from a grid
        // instead of a scan of all of them.
        const SegmentGrid grid(b);
        std::vector<std::uint32_t> near;
        forSegmentsInBox(a, box, [&](size_t i, const coord& from, const coord& to) {
            const Box segmentBox = boxOf(from, to);
            grid.candidates(segmentBox.minX, segmentBox.minY, segmentBox.maxX, segmentBox.maxY, near);
            for (const std::uint32_t j : near)
                if (BoxesOverlap(b[j].x, b[j].y, b[j + 1].x, b[j + 1].y, segmentBox.minX, segmentBox.minY,
                                 segmentBox.maxX, segmentBox.maxY, true))
                    cross(i, from, to, j);
        });
    }
    appendOnce(found, SegmentChain(a), SegmentChain(b), list);
}

} // namespace Geom
