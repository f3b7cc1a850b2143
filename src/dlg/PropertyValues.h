#pragma once
// The values of the Line, Arc and Ellipse property pages and their rules
// (rounding, the extension spins, the derived lengths and angles), without
// widgets. The driver fills them from the element, the pages show and edit
// them, and the driver applies them. A point the user did not touch is
// applied as the element had it, not as the page showed it rounded, so an
// OK without edits moves nothing.
#include "geometry/Coord.h"

class CArc;
class CEllipse;
class CLine;

namespace dlg {

class WorkingCopy;

// v rounded up to the next thousandth, as the pages show coordinates,
// lengths and radii (12.0000001 shows 12.001).
double RoundUpThousandth(double v);
// Direction of (dx, dy) in [0, 2π); 0 for a zero vector.
double Direction(double dx, double dy);

// A point of a page: what it shows and what the element holds.
struct PagePoint {
    double x = 0.0;
    double y = 0.0;

    // Shows the element's point rounded up and remembers it.
    void Fill(const die::coord& exact);
    // A picked or typed point.
    void Set(double px, double py) { x = px, y = py; }
    // Whether the user changed the point since Fill.
    bool Changed() const { return x != shown_.x || y != shown_.y; }
    // The point to apply: an unchanged coordinate keeps the element's.
    die::coord Applied() const;
    die::coord Point() const { return {x, y}; }

private:
    die::coord shown_{};
    die::coord exact_{};
};

// An extension field with its spin: one arrow click moves it by 5 mm,
// held within [-1000, 1000]; a typed value is used as typed.
struct Extension {
    static constexpr double kStep = 5.0;
    static constexpr double kLimit = 1000.0;
    double value = 0.0;
    // Arrow clicks (negative: down).
    void Spin(int clicks);
};

struct LinePageValues {
    PagePoint start, end;
    Extension atStart, atEnd;

    void Fill(CLine& line);
    // Start and end apart, plus both extensions (shown rounded up).
    double Length() const;
    // Direction from start to end in degrees, truncated to two decimals.
    double AngleDegrees() const;
    bool GeometryChanged() const { return start.Changed() || end.Changed(); }
    bool Extended() const { return atStart.value != 0.0 || atEnd.value != 0.0; }
    // OK is refused for equal ends: empty when accepted.
    bool EndsEqual() const { return start.x == end.x && start.y == end.y; }
};

struct ArcPageValues {
    PagePoint start, end, centre;
    double radius = 0.0; // shown only
    Extension atStart, atEnd;

    void Fill(CArc& arc);
    // The radius from the page's start point and centre (rounded up).
    void UpdateRadius();
    // The arc from start to end about the centre, clockwise, plus the
    // extensions, at most the whole circle; equal ends give the circle.
    double Length() const;
    bool GeometryChanged() const { return start.Changed() || end.Changed() || centre.Changed(); }
    bool Extended() const { return atStart.value != 0.0 || atEnd.value != 0.0; }
};

struct EllipsePageValues {
    static constexpr int kDefaultArcs = 10;
    PagePoint start, end, centre;
    double radius1 = 0.0;
    double radius2 = 0.0;
    double angle = 0.0; // degrees, direction of the first semi-axis
    Extension atStart, atEnd;
    int arcs = kDefaultArcs; // for the conversion into arcs

    void Fill(CEllipse& ellipse);
    // The two radius points from the centre, the radii and the angle.
    die::coord MajorPoint() const;
    die::coord MinorPoint() const;
    bool ShapeChanged() const;
    bool GeometryChanged() const { return start.Changed() || end.Changed() || centre.Changed() || ShapeChanged(); }
    bool Extended() const { return atStart.value != 0.0 || atEnd.value != 0.0; }
    // The radii and angle to apply: unchanged ones keep the element's.
    double AppliedRadius1() const { return radius1 == shownR1_ ? exactR1_ : radius1; }
    double AppliedRadius2() const { return radius2 == shownR2_ ? exactR2_ : radius2; }
    double AppliedAngle() const { return angle == shownAngle_ ? exactAngle_ : angle; }

private:
    double shownR1_ = 0.0, shownR2_ = 0.0, shownAngle_ = 0.0;
    double exactR1_ = 0.0, exactR2_ = 0.0, exactAngle_ = 0.0;
};

// The working copy's nodes placed at the page's points (the ellipse's
// radius points from its centre, radii and angle).
void PlaceLine(WorkingCopy& copy, const LinePageValues& v);
void PlaceArc(WorkingCopy& copy, const ArcPageValues& v);
void PlaceEllipse(WorkingCopy& copy, const EllipsePageValues& v);
// The shown length of the Ellipse page: the arc from the page's start to
// its end measured on the working copy (so it follows the radii and angle
// being typed), plus the extensions, rounded up.
double EllipseLength(const WorkingCopy& copy, const EllipsePageValues& v);

} // namespace dlg
