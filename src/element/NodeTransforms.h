#pragma once
// The offsets by which elements move their nodes to turn, scale or mirror
// them (each node is then moved through NodeTable::MoveNode by its offset).
#include "geometry/Coord.h"

namespace NodeTransforms {

// Turns p about (cx, cy) by the angle (degrees, counter-clockwise): polar
// about the centre, the angle added and reduced once below 2π.
die::coord RotateOffset(const die::coord& p, double cx, double cy, double degrees);
// Scales p's offset from (cx, cy) by fx and fy.
die::coord ScaleOffset(const die::coord& p, double cx, double cy, double fx, double fy);
// Twice the vector from p to its foot on the line through (x1, y1) and
// (x2, y2); a vertical line (x1 = x2) gives (2·(x2 − p.x), 0).
die::coord MirrorOffset(const die::coord& p, double x1, double y1, double x2, double y2);

} // namespace NodeTransforms
