#pragma once
// Constructions with lines and circles: meeting points, perpendicular feet,
// tangent points and circumcentres. Outputs are written only where the result
// says a point exists; no output is ever NaN or infinite.

namespace Geom {

// Marks the vertical line x = c for SolveLineCircle (the largest 32-bit int).
inline constexpr double kVerticalSlope = 2147483647.0;

// Meeting point of y = m1·x + c1 and y = m2·x + c2; false when m1 equals m2.
bool SolveSlopeLines(double m1, double c1, double m2, double c2, double& x, double& y);

// Meeting point of the infinite lines through (x1, y1)-(x2, y2) and
// (x3, y3)-(x4, y4). A line whose x extent is at most 1e-7 counts as vertical.
// 0 when both are vertical or they are parallel, else 1.
int SolveLineLine(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                  double& x, double& y);

// Foot of the perpendicular from P to the infinite line through the two
// points. Always true.
bool FootOfPerpendicular(double x1, double y1, double x2, double y2, double px, double py, double& x,
                         double& y);

// Touching points of the two tangents from P to the circle: 0 when P is not
// outside the circle, else 2. The first pair belongs to the tangent turned
// counter-clockwise from the direction P→centre.
int TangentPointsFromPoint(double px, double py, double cx, double cy, double r, double& x1, double& y1,
                           double& x2, double& y2);

// 0, 1 or 2 meeting points of the line y = m·x + c with the circle; m equal to
// kVerticalSlope means the vertical line x = c.
int SolveLineCircle(double cx, double cy, double r, double m, double c, double& x1, double& y1, double& x2,
                    double& y2);

// 0, 1 or 2 meeting points of two circles. Circles that touch from outside,
// concentric circles, nested circles and a first radius of 0 give 0.
int SolveCircleCircle(double c1x, double c1y, double r1, double c2x, double c2y, double r2, double& x1,
                      double& y1, double& x2, double& y2);

// Centre of the circle through three points; false (outputs unchanged) when
// the points are collinear or two of them coincide.
bool CircumCentre(double x1, double y1, double x2, double y2, double x3, double y3, double& x, double& y);

} // namespace Geom
