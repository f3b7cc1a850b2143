#pragma once
// The chamfer values a user may give (0: not given) and the distance pairs
// they make, in the order a chamfer tries them.
#include <utility>
#include <vector>

struct ChamferValues {
    double distance1 = 0.0; // along the first line from the corner, mm
    double distance2 = 0.0; // along the second line
    double length = 0.0;    // of the chamfer line itself
    double angle1 = 0.0;    // degrees, at the chamfer's end on the first line
    double angle2 = 0.0;    // at its end on the second line
};

// The pairs (distance along the first line, along the second) of every
// combination whose values are all given, for the corner angle γ (radians)
// between the kept parts of the lines: D1 and D2; D1 or D2 with the length;
// an angle with the length; a distance with an angle. The triangle corner,
// first end, second end has the sides of the pair and the chamfer length
// opposite γ. A combination that makes no triangle (a distance the length
// cannot reach across the corner) is left out; a pair that comes out
// negative or not finite is kept for the chamfer to refuse.
std::vector<std::pair<double, double>> ChamferAttempts(const ChamferValues& values, double gamma);
