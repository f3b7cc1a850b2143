#include "geometry/GeomIntersect.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomSegmentTests.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

using die::coord;

namespace Geom {

namespace {

bool crossingOfSegments(const coord& s1, const coord& e1, const coord& s2, const coord& e2, coord& point)
{
    const coord d1 = e1 - s1;
    const coord a = s2 - s1;
    const coord b = e2 - s1;
    const coord d2 = b - a;
    // A segment of zero length has no direction to cross with.
    if (d1 == coord() || d2 == coord())
        return false;
    if (std::fabs(cross(d2, d1)) / d2.Length() < 0.0001)
        return false;
    if (!SegmentsCross(d1, b, a))
        return false;
    const double t = IntersectParam(d1.x, d1.y, a.x, a.y, d2.x, d2.y);
    point = s2 + d2 * t;
    return true;
}

// The middle of the closest points of two segments that do not cross.
coord middleOfClosestPoints(const coord& s1, const coord& e1, const coord& s2, const coord& e2)
{
    const std::pair<coord, coord> pairs[] = {{s1, NearestOnSegment(s1, s2, e2)},
                                             {e1, NearestOnSegment(e1, s2, e2)},
                                             {NearestOnSegment(s2, s1, e1), s2},
                                             {NearestOnSegment(e2, s1, e1), e2}};
    const auto* closest = std::min_element(std::begin(pairs), std::end(pairs), [](const auto& x, const auto& y) {
        return distance(x.first, x.second) < distance(y.first, y.second);
    });
    return (closest->first + closest->second) * 0.5;
}

} // namespace

void IntersectLines(const coord& s1, const coord& e1, const coord& s2, const coord& e2, PointList& list)
{
    coord point;
    if (!crossingOfSegments(s1, e1, s2, e2, point))
        return;
    // Segments that only touch within the tolerance meet where their lines
    // cross, which lies far beyond the touching end when they meet at a
    // shallow angle: the point is taken where the segments come closest.
    constexpr double kTouching = 0.0001;
    if (distance(point, NearestOnSegment(point, s1, e1)) > kTouching
        || distance(point, NearestOnSegment(point, s2, e2)) > kTouching)
        point = middleOfClosestPoints(s1, e1, s2, e2);
    list.push_back(point);
}

void IntersectLineArc(const coord& p1, const coord& p2, const coord& centre, const coord& start,
                      const coord& end, double radius, PointList& list)
{
    const coord dir = p2 - p1;
    const double len2 = dir.LengthSquared();
    if (!(len2 > 0.0))
        return;
    const coord foot = p1 + dir * (dot(centre - p1, dir) / len2);
    const double g = distance(centre, foot);
    if (std::fabs(g - radius) < 0.001) {
        list.push_back(foot);
        return;
    }
    if (g > radius)
        return;
    const double h = std::sqrt(radius * radius - g * g);
    const double len = std::sqrt(len2);
    const coord u = dir / len;
    const bool fullCircle = start == end;
    for (const coord& q : {foot + u * h, foot - u * h}) {
        const bool onSegment = distance(q, p1) < len && dot(q - p1, u) >= 0.0;
        const bool onArc = fullCircle || cross(start - end, q - end) < 0.0;
        if (onSegment && onArc)
            list.push_back(q);
    }
}

namespace {

// Strictly left of the chord from start to end, or a full circle.
bool onArcByChord(const coord& start, const coord& end, const coord& p)
{
    return !PointsDiffer(start, end) || cross(end - start, p - start) > 0.0;
}

} // namespace

void IntersectCircles(const coord& c1, const coord& s1, const coord& e1, double r1, const coord& c2,
                      const coord& s2, const coord& e2, double r2, PointList& list)
{
    const double d = distance(c1, c2);
    if (d == 0.0)
        return;  // concentric: no crossing, or the same circle
    if (std::fabs(d - (r1 + r2)) < 0.001) {
        list.push_back(c1 + (c2 - c1) * (r1 / d));
        return;
    }
    if (r1 + r2 < d)
        return;
    // Circles touching on the inside meet in one point on the line of centres:
    // the larger circle's point towards the smaller one. (Circles of nearly
    // the same radius close together cross twice instead.)
    if (std::fabs(d - std::fabs(r1 - r2)) < 0.001 && std::fabs(r1 - r2) >= 0.001) {
        const coord u = (c2 - c1) / d;
        const coord p = r1 >= r2 ? c1 + u * r1 : c1 - u * r1;
        if (onArcByChord(s1, e1, p) && onArcByChord(s2, e2, p))
            list.push_back(p);
        return;
    }
    const double k = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
    const double h2 = r1 * r1 - k * k;
    if (!(h2 >= 0.0))
        return;  // one circle inside the other
    const double h = std::sqrt(h2);
    const coord u = (c2 - c1).Normalized();
    const coord n(-u.y, u.x);
    // Two crossings closer together than the touching distance are one
    // touching point (circles of nearly the same radius touching inside).
    if (2.0 * h < 0.001) {
        const coord p = c1 + u * k;
        if (onArcByChord(s1, e1, p) && onArcByChord(s2, e2, p))
            list.push_back(p);
        return;
    }
    for (const coord& p : {c1 + u * k + n * h, c1 + u * k - n * h})
        if (onArcByChord(s1, e1, p) && onArcByChord(s2, e2, p))
            list.push_back(p);
}

bool CircleThrough3Points(const coord& p1, const coord& p2, const coord& p3, coord& centre)
{
    const coord m1 = (p1 + p2) * 0.5;
    const coord m2 = (p2 + p3) * 0.5;
    const double s = (p3.x - p1.x) * (p2.y - p1.y) - (p2.x - p1.x) * (p3.y - p1.y) > 0.0 ? -1.0 : 1.0;
    const coord chord1 = p2 - p1;
    const coord chord2 = p3 - p2;
    const coord reach1 = coord(-chord1.y, chord1.x) * (1000.0 * s);
    const coord reach2 = coord(-chord2.y, chord2.x) * (1000.0 * s);
    return crossingOfSegments(m1, m1 + reach1, m2, m2 + reach2, centre);
}

coord CircleThrough3Points(const coord& p1, const coord& p2, const coord& p3)
{
    coord centre;
    return CircleThrough3Points(p1, p2, p3, centre) ? centre : coord();
}

} // namespace Geom
