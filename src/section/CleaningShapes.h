#pragma once
// The plain shapes common-line cleaning compares: a line's two ends and an
// arc's circle with its cached angles, read once from the node table.
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"

class CArc;
class CInstance;
class CLine;
class NodeTable;

namespace cleaning {

struct LineShape {
    die::coord s;
    die::coord e;
    double SquaredLength() const { return (e.x - s.x) * (e.x - s.x) + (e.y - s.y) * (e.y - s.y); }
};

// The arc runs clockwise from its start angle to its end angle.
struct ArcShape {
    die::coord centre;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
};

// The line's ends placed by the instance (none: where they stand); false
// when a node is missing.
bool ReadLine(NodeTable* nodes, const CLine& line, const CInstance* placement, LineShape& out);
// The arc recalculated; false when a node is missing.
bool ReadArc(NodeTable* nodes, CArc& arc, ArcShape& out);

// The boxes the cleaning looks for partners in, widened by the reach of
// its tolerances.
BoundingBox ReachOf(const LineShape& line, double reach);
BoundingBox ReachOf(const ArcShape& arc, double reach);

} // namespace cleaning
