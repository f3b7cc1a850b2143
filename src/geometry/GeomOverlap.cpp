#include "geometry/GeomOverlap.h"

#include <algorithm>
#include <cmath>

namespace Geom {

namespace {

// Foot parameter and squared offset of one point.
void Foot(const die::coord& a1, const die::coord& d, double length2, const die::coord& q, double& t, double& offset)
{
    t = ((q.x - a1.x) * d.x + (q.y - a1.y) * d.y) / length2;
    const double fx = a1.x + t * d.x - q.x;
    const double fy = a1.y + t * d.y - q.y;
    offset = fx * fx + fy * fy;
}

} // namespace

LineFeet FeetOnLine(const die::coord& a1, const die::coord& a2, const die::coord& q1, const die::coord& q2)
{
    const die::coord d(a2.x - a1.x, a2.y - a1.y);
    const double length2 = d.x * d.x + d.y * d.y;
    LineFeet feet;
    if (length2 == 0.0)
        return feet;
    feet.length = std::sqrt(length2);
    Foot(a1, d, length2, q1, feet.t1, feet.offset1);
    Foot(a1, d, length2, q2, feet.t2, feet.offset2);
    return feet;
}

bool RunsAlong(const LineFeet& feet, double maxSquaredOffset)
{
    if (feet.length == 0.0)
        return false;
    const double least = kLeastSharedLength / feet.length;
    return feet.offset1 < maxSquaredOffset && feet.offset2 < maxSquaredOffset
           && std::max(feet.t1, feet.t2) > least && std::min(feet.t1, feet.t2) < 1.0 - least;
}

} // namespace Geom
