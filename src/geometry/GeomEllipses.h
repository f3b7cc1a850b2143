#pragma once
// Meeting points with ellipses. An ellipse is its centre (cx, cy), its
// semi-axis p along its own X axis, its semi-axis q along its own Y axis and
// its rotation rho in radians. An ellipse with a semi-axis of 0 meets nothing.
#include "geometry/Coord.h"

namespace Geom {

// 0, 1 or 2 meeting points of the infinite line through (lx1, ly1)-(lx2, ly2)
// with the ellipse; a line of zero length meets nothing. Of two points the one
// with the larger x in the ellipse's own frame comes first.
int SolveLineEllipse(double cx, double cy, double p, double q, double rho, double lx1, double ly1, double lx2,
                     double ly2, double& x1, double& y1, double& x2, double& y2);

// The point of the ellipse on the ray from its centre in the given polar
// direction (radians); false when there is none.
bool EllipsePointInDirection(double cx, double cy, double p, double q, double rho, double direction,
                             double& x, double& y);

// The length of the ellipse's curve between the points in two polar
// directions h1 ≤ h2 (radians from its own X axis), counter-clockwise from
// h1 to h2, to well under a micrometre for any size up to kilometres
// (adaptive Gauss–Kronrod quadrature of ds/dh); 0 for an ellipse with a
// semi-axis of 0.
double EllipsePolarArcLength(double p, double q, double h1, double h2);

// Meeting points of the ellipse with a circle, found by walking the circle in
// steps of 0.001 rad. Where the walk comes within 1 mm of the ellipse (by the
// focal-sum error) it reports the crossing there, refined to the ellipse, or
// the nearest sample when the circle only comes close. A point is reported
// only when more than 10 mm from every point already reported; at most four.
// Returns their number.
int SolveEllipseCircle(double cx, double cy, double p, double q, double rho, double kx, double ky, double r,
                       die::coord out[4]);

// The same search for two ellipses, walking the second by polar direction.
int SolveEllipseEllipse(double c1x, double c1y, double p1, double q1, double rho1, double c2x, double c2y,
                        double p2, double q2, double rho2, die::coord out[4]);

} // namespace Geom
