#pragma once
// The area covered by a set of axis-parallel boxes: each point counts once,
// however many boxes hold it.
#include "geometry/BoundingBox.h"

#include <span>

namespace Geom {

// The area of the union of the boxes, in O(n log n) (a sweep over x with a
// segment tree over the boxes' y edges). Empty boxes and boxes with a corner
// that is not finite cover nothing.
double UnionArea(std::span<const BoundingBox> boxes);

} // namespace Geom
