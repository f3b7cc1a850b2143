#pragma once
// The paths and boxes of display figures, built when a figure is closed.
//   line: start (length 0), end (length = the distance);
//   curve: fitted and flattened (CurveFitter); fewer than 3 points give
//          straight segments;
//   arc: centre, (radius, 0), start, all of length 0, then the end whose
//        length is the arc length;
//   ellipse: sampled from the start vector backwards to the end vector;
//   text: the glyph paths of the characters, one advance per character.
#include "display/DisplayList.h"

#include <vector>

namespace FigurePaths {

// Replaces the figure's path by the one its kind and points give; figures of
// other kinds get no path.
void BuildPath(DisplayFigure& figure);
// The figure's box: for an arc its end points and the axis points on its
// sweep, for every other kind its path nodes.
void BuildBox(DisplayFigure& figure);

// The plain facts of an arc figure (centre, start, end).
struct ArcGeometry {
    die::coord centre;
    die::coord start;
    die::coord end;
    double radius = 0.0;
    double startAngle = 0.0; // direction of the start from the centre
    double sweep = 0.0;      // counter-clockwise from the end to the start, 2π for a full circle
    bool fullCircle = false; // start and end agree within 1e-6
    double Length() const { return radius * sweep; }
    // The point at distance d from the start, walking towards the end.
    die::coord PointAt(double d) const;
};
ArcGeometry ArcOf(const DisplayFigure& arc);

// The arc as a polyline with a point every 2°, from the start backwards to
// exactly the end, each point with its distance from the previous one.
std::vector<PathNode> ArcPolyline(const DisplayFigure& arc);

} // namespace FigurePaths
