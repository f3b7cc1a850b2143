#include "geometry/GeomEllipseIntersect.h"

#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

constexpr int kWindows = 24;
constexpr double kWindowSweep = kPi / 12.0;
// Circles closer than this count as touching, as in IntersectCircles.
constexpr double kTouch = 0.001;
// Two refined points closer than this are one crossing found twice (from the
// two windows that share an end, or from a window and a sign change).
constexpr double kSameCrossing = 1e-4;

// A circular arc of a window of the ellipse: through the window's two ends
// and its middle.
struct WindowArc {
    coord centre;
    double radius = 0.0;
    coord start;  // the window's end at the larger parameter
    coord middle;
    coord end;
};

// The window arc's circle stands in for the ellipse near the window only: a
// point of that circle counts when it lies within three quarters of the chord
// from the window's middle, which takes in the window and a margin beyond
// both ends (a crossing at a window's end must not fall between two windows)
// but never the far side of the circle.
bool nearWindow(const WindowArc& w, const coord& p)
{
    return distance(p, w.middle) <= 0.75 * distance(w.start, w.end);
}

// Covers the ellipse (semi-axes p along X and q along Y, in its frame) with 24
// circular arcs of π/12 of its parameter each; returns how many were built.
int windowArcs(double p, double q, WindowArc windows[kWindows])
{
    int count = 0;
    for (int k = 0; k < kWindows; ++k) {
        const double theta = k * kWindowSweep;
        const coord q0(p * std::cos(theta), q * std::sin(theta));
        const coord q1(p * std::cos(theta + kWindowSweep / 2), q * std::sin(theta + kWindowSweep / 2));
        const coord q2(p * std::cos(theta + kWindowSweep), q * std::sin(theta + kWindowSweep));
        WindowArc& w = windows[count];
        if (!CircleThrough3Points(q0, q1, q2, w.centre))
            continue;
        w.radius = distance(w.centre, q0);
        w.start = q2;
        w.middle = q1;
        w.end = q0;
        ++count;
    }
    return count;
}

// The other curve as the conic (P − c)ᵀ·A·(P − c) = 1 in the first ellipse's
// frame: a circle or an ellipse.
struct Conic {
    coord centre;
    double a11 = 0.0, a12 = 0.0, a22 = 0.0;

    coord times(const coord& v) const { return {a11 * v.x + a12 * v.y, a12 * v.x + a22 * v.y}; }
    double value(const coord& p) const
    {
        const coord d = p - centre;
        return dot(d, times(d)) - 1.0;
    }
    // Roughly the distance of p from the conic: the value over the gradient.
    double distanceOf(const coord& p) const
    {
        const double gradient = 2.0 * times(p - centre).Length();
        return gradient > 0.0 ? std::fabs(value(p)) / gradient : HUGE_VAL;
    }
};

Conic circleConic(const coord& centre, double radius)
{
    const double a = 1.0 / (radius * radius);
    return {centre, a, 0.0, a};
}

Conic ellipseConic(const coord& centre, double p, double q, double rotation)
{
    const double c = std::cos(rotation), s = std::sin(rotation);
    const double ip = 1.0 / (p * p), iq = 1.0 / (q * q);
    return {centre, c * c * ip + s * s * iq, c * s * (ip - iq), s * s * ip + c * c * iq};
}

// The first ellipse in its own frame, walked by its parameter t, against the
// conic: h(t) = conic value at the ellipse's point, and its derivatives.
class CrossingFunction {
public:
    CrossingFunction(double p, double q, const Conic& conic) : p_(p), q_(q), conic_(conic) {}

    coord at(double t) const { return {p_ * std::cos(t), q_ * std::sin(t)}; }
    double value(double t) const { return conic_.value(at(t)); }
    double distance(double t) const { return conic_.distanceOf(at(t)); }
    double slope(double t) const
    {
        const coord e = at(t);
        return 2.0 * dot(conic_.times(e - conic_.centre), coord(-p_ * std::sin(t), q_ * std::cos(t)));
    }
    double curvature(double t) const
    {
        const coord e = at(t);
        const coord d1(-p_ * std::sin(t), q_ * std::cos(t));
        return 2.0 * (dot(d1, conic_.times(d1)) - dot(conic_.times(e - conic_.centre), e));
    }

    // A root of h near t0 by Newton's method, staying within a window of t0.
    std::optional<double> root(double t0) const { return newton(t0, &CrossingFunction::value, &CrossingFunction::slope); }

    // Where the conic comes nearest near t0 (a root of h'), when it comes
    // within the touching distance: the two curves touch there.
    std::optional<double> touch(double t0) const
    {
        const std::optional<double> t = newton(t0, &CrossingFunction::slope, &CrossingFunction::curvature);
        if (t && distance(*t) < kTouch)
            return t;
        return std::nullopt;
    }

    // A root between a and b, where h changes sign, by bisection.
    double bisect(double a, double b) const
    {
        double ha = value(a);
        for (int i = 0; i < 200 && b - a > 1e-15; ++i) {
            const double m = 0.5 * (a + b);
            const double hm = value(m);
            if ((hm < 0.0) == (ha < 0.0)) {
                a = m;
                ha = hm;
            } else {
                b = m;
            }
        }
        return 0.5 * (a + b);
    }

private:
    using Member = double (CrossingFunction::*)(double) const;

    std::optional<double> newton(double t0, Member f, Member df) const
    {
        double t = t0;
        for (int i = 0; i < 100; ++i) {
            const double v = (this->*f)(t);
            if (v == 0.0)
                return t;
            const double d = (this->*df)(t);
            if (d == 0.0 || !std::isfinite(d))
                return std::nullopt;
            const double step = std::clamp(v / d, -kWindowSweep / 4, kWindowSweep / 4);
            t -= step;
            if (std::fabs(t - t0) > kWindowSweep)
                return std::nullopt;
            if (std::fabs(step) < 1e-14)
                return t;
        }
        return std::nullopt;
    }

    double p_, q_;
    Conic conic_;
};

// Ellipse parameter of a point near the ellipse (in its frame).
double parameterOf(double p, double q, const coord& point)
{
    return std::atan2(point.y / q, point.x / p);
}

// Left of or on the chord from start to end (in the frame), or the whole ellipse.
bool onEllipseArcByChord(const EllipseArc& arc, const coord& startInFrame, const coord& endInFrame,
                         const coord& p)
{
    return !PointsDiffer(arc.start, arc.end) || cross(startInFrame - endInFrame, p - endInFrame) <= 0.0;
}

// Strictly left of the chord from start to end, or the full circle.
bool onCircularArcByChord(const coord& start, const coord& end, const coord& p)
{
    return !PointsDiffer(start, end) || cross(end - start, p - start) > 0.0;
}

// The crossings of the first ellipse (its own frame) with the conic. The
// window arcs give approximate points (near crossings and touches, where the
// curves come within the touching distance); so do the changes of sign of h
// over the windows' halves. Each is refined on the exact curves, kept when
// `onArcs` accepts it and appended (in model coordinates) unless it was
// found already.
template <class OnArcs>
void refineCrossings(const EllipseArc& arc, const EllipseFrame& frame, const Conic& conic,
                     const PointList& approximate, OnArcs onArcs, PointList& list)
{
    const CrossingFunction h(arc.semiX, arc.semiY, conic);
    PointList found;
    auto keep = [&](double t) {
        const coord point = h.at(t);
        if (!onArcs(point))
            return;
        for (const coord& f : found)
            if (distance(f, point) < kSameCrossing)
                return;
        found.push_back(point);
    };
    for (const coord& a : approximate) {
        const double t0 = parameterOf(arc.semiX, arc.semiY, a);
        if (const std::optional<double> t = h.root(t0); t && h.distance(*t) < kTouch)
            keep(*t);
        else if (const std::optional<double> touch = h.touch(t0))
            keep(*touch);
    }
    const double step = kWindowSweep / 2;
    for (int k = 0; k < 2 * kWindows; ++k) {
        const double a = k * step, b = a + step;
        if ((h.value(a) < 0.0) != (h.value(b) < 0.0))
            keep(h.bisect(a, b));
    }
    // In the order of the ellipse's parameter from its first semi-axis.
    auto parameter = [&](const coord& point) {
        return Angle::Normalize(parameterOf(arc.semiX, arc.semiY, point));
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const coord& x, const coord& y) { return parameter(x) < parameter(y); });
    for (const coord& point : found)
        list.push_back(frame.out(point));
}

// Approximate crossings of a circle (in the frame) with the window arcs.
void windowCrossings(const WindowArc windows[], int count, const coord& centre, double radius, PointList& out)
{
    PointList found;
    for (int k = 0; k < count; ++k) {
        const WindowArc& w = windows[k];
        found.clear();
        IntersectCircles(centre, centre, centre, radius, w.centre, w.start, w.start, w.radius, found);
        for (const coord& p : found)
            if (nearWindow(w, p))
                out.push_back(p);
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
    if (!isProper(arc) || !(radius > 0.0) || !std::isfinite(radius))
        return;
    const EllipseFrame frame(arc.centre, arc.rotation);
    const coord c = frame.in(centre), a = frame.in(start), b = frame.in(end);
    const coord s = frame.in(arc.start), e = frame.in(arc.end);
    WindowArc windows[kWindows];
    const int count = windowArcs(arc.semiX, arc.semiY, windows);
    PointList approximate;
    windowCrossings(windows, count, c, radius, approximate);
    refineCrossings(arc, frame, circleConic(c, radius), approximate,
                    [&](const coord& p) {
                        return onEllipseArcByChord(arc, s, e, p) && onCircularArcByChord(a, b, p);
                    },
                    list);
}

void IntersectEllipseArcs(const EllipseArc& arc1, const EllipseArc& arc2, PointList& list)
{
    if (!isProper(arc1) || !isProper(arc2))
        return;
    const EllipseFrame frame(arc1.centre, arc1.rotation);
    const EllipseFrame frame2(arc2.centre, arc2.rotation);
    const coord s1 = frame.in(arc1.start), e1 = frame.in(arc1.end);
    const coord s2 = frame.in(arc2.start), e2 = frame.in(arc2.end);

    // The window arcs of both ellipses, all in the first one's frame.
    WindowArc windows1[kWindows], windows2[kWindows];
    const int count1 = windowArcs(arc1.semiX, arc1.semiY, windows1);
    const int count2 = windowArcs(arc2.semiX, arc2.semiY, windows2);
    for (int m = 0; m < count2; ++m) {
        WindowArc& w = windows2[m];
        w.centre = frame.in(frame2.out(w.centre));
        w.start = frame.in(frame2.out(w.start));
        w.middle = frame.in(frame2.out(w.middle));
        w.end = frame.in(frame2.out(w.end));
    }
    PointList approximate, found;
    for (int k = 0; k < count1; ++k) {
        const WindowArc& w = windows1[k];
        found.clear();
        windowCrossings(windows2, count2, w.centre, w.radius, found);
        for (const coord& p : found)
            if (nearWindow(w, p))
                approximate.push_back(p);
    }
    const double rotation = Angle::Normalize(arc2.rotation - arc1.rotation);
    refineCrossings(arc1, frame, ellipseConic(frame.in(arc2.centre), arc2.semiX, arc2.semiY, rotation),
                    approximate,
                    [&](const coord& p) {
                        return onEllipseArcByChord(arc1, s1, e1, p) && onEllipseArcByChord(arc2, s2, e2, p);
                    },
                    list);
}

} // namespace Geom
