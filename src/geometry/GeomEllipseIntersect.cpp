#include "geometry/GeomEllipseIntersect.h"

#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <cmath>

using die::coord;

namespace Geom {

namespace {

// Moves points into an ellipse's own frame (its centre at the origin, its X
// axis along the ellipse's first semi-axis) and back.
class EllipseFrame {
public:
    EllipseFrame(const coord& centre, double rotation)
        : centre_(centre),
          toFrame_(coord().FromPolar(Angle(-rotation).Normalize(), 1.0)),
          fromFrame_(coord().FromPolar(Angle(rotation), 1.0))
    {
    }
    coord in(const coord& p) const { return (p - centre_).ComplexProduct(toFrame_); }
    coord out(const coord& p) const { return p.ComplexProduct(fromFrame_) + centre_; }

private:
    coord centre_;
    coord toFrame_;
    coord fromFrame_;
};

bool isProper(const EllipseArc& arc)
{
    return std::isfinite(arc.semiX) && std::isfinite(arc.semiY) && arc.semiX > 0.0 && arc.semiY > 0.0;
}

// A circular arc of a window of the ellipse, in the ellipse's frame.
struct WindowArc {
    coord centre;
    coord start;
    coord end;
    double radius = 0.0;
};

// Covers the ellipse with 24 circular arcs of π/12 of its parameter each, each
// through the window's two ends and its middle; returns how many were built.
int windowArcs(double p, double q, WindowArc windows[24])
{
    int count = 0;
    for (int k = 0; k < 24; ++k) {
        const double theta = k * kPi / 12.0;
        const coord q0(p * std::cos(theta), q * std::sin(theta));
        const coord q1(p * std::cos(theta + kPi / 24.0), q * std::sin(theta + kPi / 24.0));
        const coord q2(p * std::cos(theta + kPi / 12.0), q * std::sin(theta + kPi / 12.0));
        WindowArc& w = windows[count];
        if (!CircleThrough3Points(q0, q1, q2, w.centre))
            continue;
        w.radius = distance(w.centre, q0);
        w.start = q2;
        w.end = q0;
        ++count;
    }
    return count;
}

// Left of or on the window's chord. Circles touching from outside are reported
// without an arc test; a window's circle reaches far beyond the window, so a
// touch there is no point of the ellipse.
bool onWindowArc(const WindowArc& w, const coord& p)
{
    return cross(w.end - w.start, p - w.start) >= 0.0;
}

// Left of or on the chord from start to end (in the frame), or the whole ellipse.
bool onEllipseArcByChord(const EllipseArc& arc, const coord& startInFrame, const coord& endInFrame,
                         const coord& p)
{
    return !PointsDiffer(arc.start, arc.end) || cross(startInFrame - endInFrame, p - endInFrame) <= 0.0;
}

// The ellipse arc, in its own frame, is covered by circular window arcs: the
// points that findInWindow reports for a window count when they lie on that
// window's arc and on the ellipse arc, and are handed back in model
// coordinates.
template <class FindInWindow>
void crossWindows(const EllipseArc& arc, const EllipseFrame& frame, PointList& list, FindInWindow findInWindow)
{
    const coord s = frame.in(arc.start), e = frame.in(arc.end);
    WindowArc windows[24];
    const int count = windowArcs(arc.semiX, arc.semiY, windows);
    PointList found;
    for (int k = 0; k < count; ++k) {
        const WindowArc& w = windows[k];
        found.clear();
        findInWindow(w, found);
        for (const coord& p : found)
            if (onWindowArc(w, p) && onEllipseArcByChord(arc, s, e, p))
                list.push_back(frame.out(p));
    }
}

} // namespace

void IntersectLineEllipseArc(const EllipseArc& arc, const coord& p1, const coord& p2, PointList& list)
{
    if (!isProper(arc))
        return;
    const EllipseFrame frame(arc.centre, arc.rotation);
    // Squeezing x by q/p turns the ellipse into the circle of radius q.
    const double squeeze = arc.semiY / arc.semiX;
    auto squeezed = [&](const coord& p) {
        const coord f = frame.in(p);
        return coord(f.x * squeeze, f.y);
    };
    PointList found;
    IntersectLineArc(squeezed(p1), squeezed(p2), coord(), squeezed(arc.start), squeezed(arc.end), arc.semiY,
                     found);
    for (const coord& f : found)
        list.push_back(frame.out(coord(f.x / squeeze, f.y)));
}

void IntersectEllipseArcCircleArc(const EllipseArc& arc, const coord& centre, const coord& start,
                                  const coord& end, double radius, PointList& list)
{
    if (!isProper(arc))
        return;
    const EllipseFrame frame(arc.centre, arc.rotation);
    const coord c = frame.in(centre), a = frame.in(start), b = frame.in(end);
    crossWindows(arc, frame, list, [&](const WindowArc& w, PointList& found) {
        IntersectCircles(c, a, b, radius, w.centre, w.start, w.end, w.radius, found);
    });
}

void IntersectEllipseArcs(const EllipseArc& arc1, const EllipseArc& arc2, PointList& list)
{
    if (!isProper(arc1) || !isProper(arc2))
        return;
    const EllipseFrame frame(arc1.centre, arc1.rotation);
    EllipseArc second = arc2;
    second.centre = frame.in(arc2.centre);
    second.start = frame.in(arc2.start);
    second.end = frame.in(arc2.end);
    second.rotation = Angle::Normalize(arc2.rotation - arc1.rotation);
    crossWindows(arc1, frame, list, [&](const WindowArc& w, PointList& found) {
        IntersectEllipseArcCircleArc(second, w.centre, w.start, w.end, w.radius, found);
    });
}

} // namespace Geom
