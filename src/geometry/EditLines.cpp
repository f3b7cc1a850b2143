#include "geometry/EditLines.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <cmath>

namespace Geom {

namespace {

constexpr double kParallelSlopes = 0.003;
constexpr double kZeroRun = 0.001;

double SlopeOf(double rise, double run)
{
    return rise / (run == 0.0 ? kZeroRun : run);
}

// The rounded angles between the pick direction and the directions to both
// ends, from the corner as a node would hold it.
struct EndAngles {
    double start;
    double end;
};

EndAngles AnglesToEnds(const die::coord& corner, const die::coord& s, const die::coord& e, const die::coord& pick)
{
    const die::coord held(std::trunc(corner.x * 1000.0) / 1000.0, std::trunc(corner.y * 1000.0) / 1000.0);
    const double toPick = VectorAngle(pick.y - corner.y, pick.x - corner.x);
    return {Ceil1000(AngleBetween(toPick, VectorAngle(s.y - held.y, s.x - held.x))),
            Ceil1000(AngleBetween(toPick, VectorAngle(e.y - held.y, e.x - held.x)))};
}

} // namespace

double EditSlope(const die::coord& s, const die::coord& e)
{
    return SlopeOf(e.y - s.y, e.x - s.x);
}

bool EditLinesParallel(const die::coord& s1, const die::coord& e1, const die::coord& s2, const die::coord& e2)
{
    if (std::fabs(EditSlope(s1, e1) - EditSlope(s2, e2)) <= kParallelSlopes)
        return true;
    const double steep1 = SlopeOf(e1.x - s1.x, e1.y - s1.y);
    const double steep2 = SlopeOf(e2.x - s2.x, e2.y - s2.y);
    return std::fabs(steep1 - steep2) <= kParallelSlopes;
}

double Ceil1000(double a)
{
    return std::ceil(a * 1000.0) / 1000.0;
}

bool FilletKeepsStart(const die::coord& corner, const die::coord& s, const die::coord& e, const die::coord& pick)
{
    const EndAngles a = AnglesToEnds(corner, s, e, pick);
    constexpr double kQuarter = kPi / 4.0;
    if (distance(corner, s) >= distance(corner, e))
        return a.start <= kQuarter || a.end > kQuarter;
    return a.end > kQuarter;
}

bool ChamferKeepsStart(const die::coord& corner, const die::coord& s, const die::coord& e, const die::coord& pick)
{
    const EndAngles a = AnglesToEnds(corner, s, e, pick);
    if (a.start != a.end)
        return a.end > a.start;
    return distance(corner, s) >= distance(corner, e);
}

} // namespace Geom
