#pragma once
// Crossing points of a polyline (consecutive segments through its points, the
// flattened form of a spline) with segments, arcs, elliptical arcs and other
// polylines, appended to a caller-owned list in the order of the polyline's
// segments. Segments whose bounding box misses the other curve's box are
// skipped before any other arithmetic. A crossing at or beside a corner,
// which both segments that meet there find through the touching tolerance, is
// reported once, where it lies (by the segment it lies on). A polyline of
// fewer than two points crosses nothing.
#include "geometry/GeomEllipseIntersect.h"

#include <span>

namespace Geom {

using Polyline = std::span<const die::coord>;

void IntersectPolylineLine(Polyline polyline, const die::coord& p1, const die::coord& p2, PointList& list);

void IntersectPolylineArc(Polyline polyline, const die::coord& centre, const die::coord& start,
                          const die::coord& end, double radius, PointList& list);

void IntersectPolylineEllipseArc(Polyline polyline, const EllipseArc& arc, PointList& list);

// For every segment of A in order, the crossings with the whole of B.
void IntersectPolylines(Polyline a, Polyline b, PointList& list);

} // namespace Geom
