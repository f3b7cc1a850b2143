#pragma once
// Crossing points of segments and circular arcs, appended to a caller-owned
// point list (never cleared, only appended to).
//
// A circular arc is its centre, start point, end point and radius; it runs
// counter-clockwise from its end point to its start point, and a start equal
// to its end means the full circle. A point on the circle belongs to the arc
// when it lies strictly left of the chord walked from start to end: the chord
// splits the circle into the arc and its complement, so this holds for arcs of
// any sweep.
#include "geometry/Coord.h"

#include <vector>

namespace Geom {

using PointList = std::vector<die::coord>;

// The crossing point of two segments, if any. Parallel segments (within
// 0.0001) and segments of zero length give nothing; an end point within
// 0.0001 of the other segment's line counts as touching. Where the lines
// cross more than 0.0001 off either segment (segments touching at a shallow
// angle), the point is the middle of the segments' closest points.
void IntersectLines(const die::coord& s1, const die::coord& e1, const die::coord& s2, const die::coord& e2,
                    PointList& list);

// Up to two points of the segment P1-P2 (P1 included, P2 excluded) on the arc.
// A line within 0.001 of touching the circle gives the foot of the
// perpendicular from the centre alone, without the segment or arc test.
// A segment of zero length gives nothing.
void IntersectLineArc(const die::coord& p1, const die::coord& p2, const die::coord& centre,
                      const die::coord& start, const die::coord& end, double radius, PointList& list);

// Up to two points of two arcs. Circles touching from outside (within 0.001)
// give their touching point without the arc tests; circles touching on the
// inside (within 0.001) give their touching point once, when it lies on both
// arcs; concentric and nested circles give nothing. Two points come in the order C1 + k·u + h·n, then
// C1 + k·u − h·n (u from C1 towards C2, n its left normal).
void IntersectCircles(const die::coord& c1, const die::coord& s1, const die::coord& e1, double r1,
                      const die::coord& c2, const die::coord& s2, const die::coord& e2, double r2,
                      PointList& list);

// Centre of the circle through three points, from the crossing of two chord
// bisectors reaching 1000 chord lengths; (0, 0) when none is found (collinear
// points, or a centre beyond that reach).
die::coord CircleThrough3Points(const die::coord& p1, const die::coord& p2, const die::coord& p3);
// The same, telling whether a centre was found.
bool CircleThrough3Points(const die::coord& p1, const die::coord& p2, const die::coord& p3, die::coord& centre);

} // namespace Geom
