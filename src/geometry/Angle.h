#pragma once
// An angle in radians, counter-clockwise from +X. Its normal form is [0, 2π).
#include "geometry/GeomConstants.h"

namespace die {
struct coord;
}

class Angle {
public:
    constexpr Angle(double radians = 0.0) : value_(radians) {}

    constexpr double Radians() const { return value_; }
    constexpr operator double() const { return value_; }

    // Brings the angle into [0, 2π): adds 2π while below 0, then subtracts 2π
    // while at least 2π. A value that is not finite becomes 0.
    Angle& Normalize();
    // The same for a plain radian value.
    static double Normalize(double radians);
    // An angle in degrees brought into [0, 360) by whole turns (540 gives
    // 180 exactly); a value that is not finite becomes 0.
    static double NormalizeDegrees(double degrees);

    // Sets the angle to the direction of v (atan2); x exactly 0 gives 0 for the
    // zero vector, π/2 for y > 0 and 3π/2 for y < 0. Then normalised.
    Angle& FromVector(const die::coord& v);

private:
    double value_;
};
