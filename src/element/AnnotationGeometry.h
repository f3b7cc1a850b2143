#pragma once
// What the text and the dimension elements share: extents and rectangle tests
// over a few nodes, the fitted preview, placed points, and the rule that
// turns a text direction so that the text reads from left to right.
#include "element/Element.h"

#include <span>

namespace Annotation {

// The running extent along one axis (0 x, 1 y) lowered (or, with largest,
// raised) by each node's extent position (ElementNodes::ExtentPosition);
// null nodes are skipped.
double NodesExtent(const CElement& element, std::span<CNodePoint* const> nodes, double start, int axis,
                   bool largest);
// IsInRect of an element made of these nodes: mode 1 any node inside, 2 all
// of them (x1 ≤ x2, y1 ≤ y2), 3 the element's extents reach strictly into
// the rectangle on all four sides; other modes false. Null nodes are skipped.
bool NodesInRect(CElement& element, std::span<CNodePoint* const> nodes, double x1, double y1, double x2,
                 double y2, int mode);
// Fits the element's extents into 90 % of the rectangle (a side of no extent
// does not limit the scale), centres them, draws the element and returns the
// scale used.
double DrawFitted(CElement& element, DrawContext& dc, const DeviceRect& rect);
// The placement angle of the context in radians; 0 when none applies.
double PlacementTurn(const DrawContext& dc);
// The direction a text along d reads in: d itself when d.x > 0, or d.x = 0
// and d.y ≤ 0; otherwise -d.
die::coord ReadingDirection(const die::coord& d);
// v turned counter-clockwise by the angle (radians).
die::coord Turned(const die::coord& v, double radians);
// The unit vector at the angle (radians).
die::coord UnitAt(double radians);

} // namespace Annotation
