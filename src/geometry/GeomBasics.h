#pragma once
// Stateless plane-geometry helpers: directions, angles between directions,
// triangles, point tests, arc sweep tests and the scale-rotate transform.
// Angles are radians unless a name says degrees; nothing here allocates.
#include "geometry/Coord.h"

namespace Geom {

// Direction of (dx, dy) in [0, 2π), the y component first. dx exactly 0 gives
// π/2 for dy ≥ 0 (the zero vector too) and 3π/2 otherwise.
double VectorAngle(double dy, double dx);

// Smallest absolute angle between two directions in [0, 2π); never more than π.
double AngleBetween(double a, double b);

// Heron's formula; 0 when the sides form no triangle.
double TriangleArea(double a, double b, double c);

// 1 when each side is at most the sum of the other two (plus 1e-6), else 0.
int SidesFormTriangle(double a, double b, double c);

// False only when both coordinates differ by less than 1e-6.
bool PointsDiffer(const die::coord& a, const die::coord& b);

// Edges included.
bool IsPointInRect(double x, double y, double minX, double minY, double maxX, double maxY);

// True when P lies on the segment AB within the tolerance:
// |AB| + tolerance ≥ |PA| + |PB|.
bool IsPointBetween(double px, double py, double ax, double ay, double bx, double by, double tolerance);

// The point of the segment AB nearest to P (A itself when A equals B).
die::coord NearestOnSegment(const die::coord& p, const die::coord& a, const die::coord& b);

// The parameter t at which Q + t·D2 meets the line through the origin along
// D1, i.e. −cross(D1, Q) / cross(D1, D2); 0 when the lines are parallel.
double IntersectParam(double d1x, double d1y, double qx, double qy, double d2x, double d2y);

// Marker code of a snap record: 812 for a non-zero argument, 813 for zero.
int SnapResultCode(int found);

// True when P's direction from the centre lies in the sweep of the arc that
// runs counter-clockwise from its end point to its start point; both ends are
// widened by the tolerance (a length at the arc's radius). Equal start and end
// points mean the full circle.
bool IsOnArcSweep(double cx, double cy, double sx, double sy, double ex, double ey, double px, double py,
                  double tolerance);
// The same without widening; the tolerance is not used.
bool IsOnArcSweepStrict(double cx, double cy, double sx, double sy, double ex, double ey, double px,
                        double py, double tolerance);

// Forward: scales (x, y) by (sx, sy), turns it by the angle (degrees) and adds
// the centre. Inverse: undoes both. Returns 0; an inverse with a zero scale
// cannot be undone and leaves the point unchanged, returning -1.
int ScaleRotatePoint(double& x, double& y, double cx, double cy, double angleDegrees, double sx, double sy,
                     bool inverse);

} // namespace Geom
