#pragma once
// Crossing points with elliptical arcs, appended to a caller-owned list.
// An elliptical arc runs counter-clockwise from its end point to its start
// point like a circular arc; start equal to end (within 1e-6) is the whole
// ellipse. Arcs and circles against an ellipse are found on the exact
// curves: the other curve's equation is followed along the ellipse's
// parameter, split where it turns, and each change of sign gives a crossing.
// Each crossing is reported once, in the order of the (first) ellipse's
// parameter from its first semi-axis. Curves that come within 0.001 of
// touching give their touching point; curves that lie within 0.001 of each
// other all along (the same ellipse twice) give nothing. An elliptical arc
// whose semi-axes are not both positive meets nothing.
#include "geometry/GeomIntersect.h"

namespace Geom {

struct EllipseArc {
    die::coord centre;
    die::coord start;
    die::coord end;
    double semiX = 0.0;     // semi-axis along the ellipse's own X axis
    double semiY = 0.0;     // semi-axis along its own Y axis
    double rotation = 0.0;  // radians
};

// Up to two points of the segment P1-P2 on the elliptical arc, with the rules
// of IntersectLineArc applied to the ellipse squeezed into a circle.
void IntersectLineEllipseArc(const EllipseArc& arc, const die::coord& p1, const die::coord& p2,
                             PointList& list);

// Points of an elliptical arc and a circular arc (centre, start, end, radius).
void IntersectEllipseArcCircleArc(const EllipseArc& arc, const die::coord& centre, const die::coord& start,
                                  const die::coord& end, double radius, PointList& list);

// Points of two elliptical arcs.
void IntersectEllipseArcs(const EllipseArc& arc1, const EllipseArc& arc2, PointList& list);

} // namespace Geom
