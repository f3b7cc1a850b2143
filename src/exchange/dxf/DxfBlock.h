#pragma once
// The records of one block of a DXF drawing's BLOCKS section, as the file
// gives them: coordinates in the block's own system, angles in degrees. A
// field whose group code is absent keeps its default (an empty text or 0).
#include "geometry/Coord.h"

#include <QString>

#include <vector>

namespace dxf {

struct Line {
    QString layer;        // 8
    die::coord start;     // 10, 20
    die::coord end;       // 11, 21
};

struct Text {
    QString text;         // 1 (the last one wins)
    QString layer;        // 8
    die::coord at;        // 10, 20
    double height = 0.0;  // 40
    double angle = 0.0;   // 50, degrees
    bool mirrored = false; // 71 = 2; not applied when inserting
};

struct Vertex {
    die::coord at;        // 10, 20
    double bulge = 0.0;   // 42: tan of a quarter of the segment's arc angle, positive counter-clockwise
};

struct Polyline {
    QString layer;        // 8
    int flags = 0;        // 70; bit 1: closed
    std::vector<Vertex> vertices;
    bool IsClosed() const { return (flags & 1) != 0; }
};

struct Circle {
    QString layer;        // 8
    die::coord centre;    // 10, 20
    double radius = 0.0;  // 40
};

struct Arc {
    QString layer;        // 8
    die::coord centre;    // 10, 20
    double radius = 0.0;  // 40
    double startAngle = 0.0; // 50, degrees; the arc runs counter-clockwise from here
    double endAngle = 0.0;   // 51, degrees
};

struct Insert {
    QString name;         // 2
    die::coord at;        // 10, 20
    double scaleX = 1.0;  // 41
    double scaleY = 1.0;  // 42
    double angle = 0.0;   // 50, degrees, counter-clockwise
    int columns = 1;      // 70: an array of copies, spaced along the turned axes
    int rows = 1;         // 71
    double columnSpacing = 0.0; // 44
    double rowSpacing = 0.0;    // 45
};

// An ellipse (or an elliptic arc) in drawing coordinates: the point at
// parameter t is centre + major·cos t + minor·sin t, minor being the major
// axis turned a quarter towards the extrusion's side and scaled by ratio.
struct Ellipse {
    QString layer;        // 8
    die::coord centre;    // 10, 20
    die::coord major;     // 11, 21: the end of the major axis, from the centre
    double ratio = 1.0;   // 40: minor / major
    double startParameter = 0.0; // 41, radians
    double endParameter = 0.0;   // 42, radians; runs with rising parameter
    bool flipped = false; // extrusion (0, 0, −1): the parameter runs clockwise
    die::coord Minor() const
    {
        const die::coord turned = flipped ? die::coord(major.y, -major.x) : die::coord(-major.y, major.x);
        return turned * ratio;
    }
};

// A NURBS curve as the file gives it, or only its fit points.
struct Spline {
    QString layer;        // 8
    int flags = 0;        // 70; bit 1: closed, bit 4: rational
    int degree = 3;       // 71
    std::vector<double> knots;        // 40
    std::vector<die::coord> controls; // 10, 20
    std::vector<double> weights;      // 41, one per control point when given
    std::vector<die::coord> fits;     // 11, 21
};

struct Point {
    QString layer;        // 8
    die::coord at;        // 10, 20
};

} // namespace dxf

// One block of the BLOCKS section with its entities, each list in file order.
struct DxfBlock {
    QString name;         // 2
    QString layer;        // 8
    die::coord base;      // 10, 20: the point an insertion puts at its insertion point
    std::vector<dxf::Line> lines;
    std::vector<dxf::Text> texts;
    std::vector<dxf::Polyline> polylines;
    std::vector<dxf::Circle> circles;
    std::vector<dxf::Arc> arcs;
    std::vector<dxf::Insert> inserts;
    std::vector<dxf::Point> points;
    std::vector<dxf::Ellipse> ellipses;
    std::vector<dxf::Spline> splines;

    // The smallest and largest x and y over the ends of the lines and the
    // vertices of the polylines; (0, 0) for a block without either.
    die::coord GetMinCorner() const;
    die::coord GetMaxCorner() const;
    // What the import lists as the block's size: its lines, polylines and
    // circles.
    int ElementCount() const;
    // Whether it holds anything the import draws.
    bool IsEmpty() const;
};
