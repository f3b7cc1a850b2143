#pragma once
// Quick tests on segments and boxes that the intersection routines and the
// exporters share.
#include "geometry/Coord.h"

namespace Geom {

// True when the segment from the origin to u and the segment from p to q cross
// or nearly touch (a side test counts values below 0.0001 as touching).
bool SegmentsCross(const die::coord& u, const die::coord& p, const die::coord& q);

inline bool SegmentsCross(double ux, double uy, double px, double py, double qx, double qy)
{
    return SegmentsCross(die::coord(ux, uy), die::coord(px, py), die::coord(qx, qy));
}

// False when the box of the two corners lies wholly left of, right of, below
// or above the other box; touching boxes overlap. With normalise the corners
// are first sorted into a minimum and a maximum corner.
bool BoxesOverlap(double x1, double y1, double x2, double y2, double minX, double minY, double maxX,
                  double maxY, bool normalise);

} // namespace Geom
