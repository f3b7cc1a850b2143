#include "geometry/GeomSegmentTests.h"

#include <cmath>
#include <utility>

using die::coord;

namespace Geom {

namespace {

constexpr double kTouching = 0.0001;

// cross(a, b) / |c|, 0 when |c| is 0.
double crossOver(const coord& a, const coord& b, const coord& c)
{
    const double len = c.Length();
    return len == 0.0 ? 0.0 : cross(a, b) / len;
}

// Opposite signs, or one value close enough to 0 to count as touching.
bool straddles(double s, double t)
{
    return (s < 0.0 && 0.0 < t) || (t < 0.0 && 0.0 < s) || std::fabs(s) < kTouching
           || std::fabs(t) < kTouching;
}

} // namespace

bool SegmentsCross(const coord& u, const coord& p, const coord& q)
{
    // p and q on opposite sides of the line through the origin and u ...
    if (!straddles(crossOver(u, p, p), crossOver(u, q, q)))
        return false;
    // ... and the origin and u on opposite sides of the line through q and p.
    return straddles(crossOver(q, p - q, q), crossOver(p - q, u - q, u - q));
}

bool BoxesOverlap(double x1, double y1, double x2, double y2, double minX, double minY, double maxX,
                  double maxY, bool normalise)
{
    if (normalise) {
        if (x2 < x1)
            std::swap(x1, x2);
        if (y2 < y1)
            std::swap(y1, y2);
    }
    return !(x2 < minX || x1 > maxX || y2 < minY || y1 > maxY);
}

} // namespace Geom
