#pragma once
// Angle constants shared by every geometry routine (radians).

namespace Geom {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kHalfPi = 1.5707963267948966;
inline constexpr double kThreeHalfPi = 4.71238898038469;

// Degrees to radians and back, as the user interface and the formulas need them.
inline constexpr double DegToRad(double degrees) { return degrees * kPi / 180.0; }
inline constexpr double RadToDeg(double radians) { return radians * 180.0 / kPi; }

} // namespace Geom
