#pragma once
// Whether a segment runs along another: where the ends of the second fall
// on the line of the first, and how far beside it they lie.
#include "geometry/Coord.h"

namespace Geom {

// The feet of Q1 and Q2 on the line from A1 to A2 (D = A2 − A1): the foot
// parameter t has (A1 + t·D − Q)·D = 0, so t = 0 is A1 and t = 1 is A2; the
// squared offset is |A1 + t·D − Q|². A1 must differ from A2.
struct LineFeet {
    double t1 = 0.0;
    double t2 = 0.0;
    double offset1 = 0.0; // squared
    double offset2 = 0.0; // squared
    double length = 0.0;  // |A2 − A1|
};
LineFeet FeetOnLine(const die::coord& a1, const die::coord& a2, const die::coord& q1, const die::coord& q2);

// True when both ends lie within the squared offset of the line and the
// stretch between their feet shares a length with 0..1: segments that only
// touch end to end do not run along each other. The shared length must pass
// half a micrometre (below what a node can tell apart), so that ends which
// meet only up to rounding, as after a turn, still count as touching.
bool RunsAlong(const LineFeet& feet, double maxSquaredOffset);
inline constexpr double kLeastSharedLength = 0.0005; // mm

} // namespace Geom
