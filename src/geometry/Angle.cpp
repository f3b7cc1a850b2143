#include "geometry/Angle.h"

#include "geometry/Coord.h"

#include <cmath>

using Geom::kHalfPi;
using Geom::kThreeHalfPi;
using Geom::kTwoPi;

double Angle::Normalize(double radians)
{
    if (!std::isfinite(radians))
        return 0.0;
    // Far-off values are first reduced in one step so the loops below stay short.
    if (std::fabs(radians) > 64.0 * kTwoPi)
        radians = std::fmod(radians, kTwoPi);
    while (radians < 0.0)
        radians += kTwoPi;
    while (radians >= kTwoPi)
        radians -= kTwoPi;
    return radians;
}

double Angle::NormalizeDegrees(double degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    // One remainder, not a loop of whole turns: a far-off value such as
    // 1e300 does not change when a turn is added to it.
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : degrees; // a tiny negative value rounds up to 360
}

Angle& Angle::Normalize()
{
    value_ = Normalize(value_);
    return *this;
}

Angle& Angle::FromVector(const die::coord& v)
{
    if (v.x == 0.0)
        value_ = v.y == 0.0 ? 0.0 : (v.y > 0.0 ? kHalfPi : kThreeHalfPi);
    else
        value_ = std::atan2(v.y, v.x);
    return Normalize();
}
