#pragma once
// The tangents of a smooth curve through points: between two neighbouring
// points a cubic span in Hermite form, the tangents at the points from the
// banded system T[i − 1] + 4·T[i] + T[i + 1] = 3·(P[i + 1] − P[i − 1]),
// solved window by window with the pole z = sqrt(3) − 2. Each window after the
// first starts 3 points before the previous one ended and takes its first
// tangent from there. The end tangents come from the end conditions as unit
// vectors; the free tangents come out in millimetres per span.
//
// The display lists' curve fitter and the spline element share the solver
// with different rules.
#include "geometry/Coord.h"

#include <span>
#include <vector>

// The pole of the cubic spline filter: sqrt(3) - 2.
inline constexpr double kSplinePole = -0.2679491924311228;

struct SplineWindowRules {
    // Points per window: one window while the points are no more; then the
    // windows [0, w − 1], [w − 3, 2w − 1], ... and a last one that ends at
    // the last point.
    int windowPoints = 15;
    // The end-condition vector has each component truncated toward zero to
    // a whole number before it is made a unit vector; when nothing is left
    // of it the chord at that end gives the direction.
    bool wholeEndVectors = false;
    // The known tangents at a window's ends are taken out of the right-hand
    // sides next to them.
    bool knownTangentsOut = false;
};

// The rules of the display lists' curve fitter.
inline constexpr SplineWindowRules kCurveFitterRules{15, false, false};
// The rules of the spline element.
inline constexpr SplineWindowRules kSplineElementRules{20, true, true};

// One tangent per point; empty for fewer than 3 points.
std::vector<die::coord> SolveSplineTangents(std::span<const die::coord> points, const SplineWindowRules& rules);

// The windows (first and last point index) the tangents are solved in, in
// order, a negative start already raised to 0.
struct SplineWindow {
    int start = 0;
    int end = 0;
    friend bool operator==(const SplineWindow&, const SplineWindow&) = default;
};
std::vector<SplineWindow> SplineWindows(int pointCount, int windowPoints);
