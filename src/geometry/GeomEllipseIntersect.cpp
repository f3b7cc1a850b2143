#include "geometry/GeomEllipseIntersect.h"

#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
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

// Curves closer than this count as touching, as in IntersectCircles.
constexpr double kTouch = 0.001;
// Two points closer than this are one crossing found twice.
constexpr double kSameCrossing = 1e-4;

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

// The first ellipse in its own frame, (p·cos t, q·sin t), put into the
// conic's equation: h(t) = c0 + c1·cos t + s1·sin t + c2·cos 2t + s2·sin 2t,
// zero where the curves cross. Its third derivative is bounded by
// |(c1, s1)| + 8·|(c2, s2)|, which bounds how far h' can come towards 0
// across a stretch: a stretch where it cannot holds no extremum of h and at
// most one root. The scan below splits the ellipse into such stretches and
// finds every root.
class CrossingFunction {
public:
    CrossingFunction(double p, double q, const Conic& conic) : p_(p), q_(q), conic_(conic)
    {
        const double cx = conic.centre.x, cy = conic.centre.y;
        c0_ = conic.a11 * (p * p / 2 + cx * cx) + conic.a22 * (q * q / 2 + cy * cy) + 2 * conic.a12 * cx * cy - 1.0;
        c1_ = -2 * p * (conic.a11 * cx + conic.a12 * cy);
        s1_ = -2 * q * (conic.a22 * cy + conic.a12 * cx);
        c2_ = (conic.a11 * p * p - conic.a22 * q * q) / 2;
        s2_ = conic.a12 * p * q;
        bound_ = std::hypot(c1_, s1_) + 8 * std::hypot(c2_, s2_);
    }

    coord at(double t) const { return {p_ * std::cos(t), q_ * std::sin(t)}; }
    double distance(double t) const { return conic_.distanceOf(at(t)); }

    // Hands every crossing over the whole ellipse to keep(t), and every
    // extremum of h where the curves come within the touching distance
    // without crossing (they touch there). Curves that lie within the
    // touching distance of each other all along are one curve: nothing.
    template <class Keep>
    void scan(Keep keep) const
    {
        const double step = kTwoPi / kSamples;
        bool apart = false;
        for (int k = 0; k < kSamples && !apart; ++k)
            apart = distance(k * step) >= kTouch;
        if (!apart)
            return;
        int budget = kBudget;
        Sample a = sample(0.0);
        for (int k = 1; k <= kSamples; ++k) {
            // The full turn is read as 0, so that a crossing exactly there
            // changes sign in the last stretch just as it does in the first.
            Sample b = k < kSamples ? sample(k * step) : sample(0.0);
            b.t = k * step;
            scanStretch(a, b, budget, keep);
            a = b;
        }
    }

private:
    static constexpr int kSamples = 48;
    static constexpr double kFinest = 1e-9;  // radians of the parameter
    static constexpr int kBudget = 20000;    // stretches, for curves that nearly coincide

    // h and its first two derivatives at t.
    struct Sample {
        double t, value, slope, curvature;
    };

    Sample sample(double t) const
    {
        const double c = std::cos(t), s = std::sin(t);
        const double c2 = c * c - s * s, s2 = 2 * s * c;
        return {t, c0_ + c1_ * c + s1_ * s + c2_ * c2 + s2_ * s2, -c1_ * s + s1_ * c - 2 * c2_ * s2 + 2 * s2_ * c2,
                -c1_ * c - s1_ * s - 4 * c2_ * c2 - 4 * s2_ * s2};
    }

    // By Taylor's theorem |h'(t) − h'(x) − h''(x)·(t − x)| ≤ bound·(t − x)²/2:
    // h' keeps its sign within `width` of x when this holds.
    bool slopeKeepsSign(const Sample& x, double width) const
    {
        return std::fabs(x.slope) > std::fabs(x.curvature) * width + bound_ * width * width / 2;
    }

    template <class Keep>
    void scanStretch(const Sample& a, const Sample& b, int& budget, Keep& keep) const
    {
        const double width = b.t - a.t;
        const bool changesSign = (a.value < 0.0) != (b.value < 0.0);
        if (slopeKeepsSign(a, width) || slopeKeepsSign(b, width) || budget <= 0) {
            // h is monotonic here: one root at most.
            if (changesSign)
                keep(bisect(a, b));
            return;
        }
        --budget;
        if (width < kFinest) {
            // An extremum of h: a crossing if h changes sign across the
            // stretch, two crossings in one point if h reaches the other
            // side of 0 only at the extremum, a touch if it turns back short
            // of 0 within the touching distance.
            if (changesSign) {
                keep(bisect(a, b));
                return;
            }
            const Sample m = nearestExtremum(0.5 * (a.t + b.t));
            const bool otherSide = (m.value < 0.0) != (a.value < 0.0);
            const bool turnsBack = m.curvature < 0.0 ? m.value <= 0.0 : m.value >= 0.0;
            if (otherSide || (turnsBack && distance(m.t) < kTouch))
                keep(m.t);
            return;
        }
        const Sample middle = sample(0.5 * (a.t + b.t));
        scanStretch(a, middle, budget, keep);
        scanStretch(middle, b, budget, keep);
    }

    // The root of h between a and b, where h changes sign, by bisection.
    double bisect(const Sample& a, const Sample& b) const
    {
        const bool negativeAtA = a.value < 0.0;
        double lo = a.t, hi = b.t;
        for (int i = 0; i < 200 && hi - lo > 1e-15; ++i) {
            const double m = 0.5 * (lo + hi);
            if ((sample(m).value < 0.0) == negativeAtA)
                lo = m;
            else
                hi = m;
        }
        return 0.5 * (lo + hi);
    }

    // The extremum of h near t (Newton's method on h'), or t itself.
    Sample nearestExtremum(double t) const
    {
        Sample x = sample(t);
        for (int i = 0; i < 50 && x.curvature != 0.0; ++i) {
            const double step = x.slope / x.curvature;
            const double next = x.t - step;
            if (!std::isfinite(next) || std::fabs(next - t) > 1e-3)
                return sample(t);
            x = sample(next);
            if (std::fabs(step) < 1e-15)
                break;
        }
        return x;
    }

    double p_, q_;
    Conic conic_;
    double c0_ = 0.0, c1_ = 0.0, s1_ = 0.0, c2_ = 0.0, s2_ = 0.0;
    double bound_ = 0.0;
};

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

// The crossings of the first ellipse (its own frame) with the conic, on the
// exact curves. A point is kept when `onArcs` accepts it, once, and the
// points are appended (in model coordinates) in the order of the ellipse's
// parameter from its first semi-axis.
template <class OnArcs>
void appendCrossings(const EllipseArc& arc, const EllipseFrame& frame, const Conic& conic, OnArcs onArcs,
                     PointList& list)
{
    const CrossingFunction h(arc.semiX, arc.semiY, conic);
    PointList found;
    h.scan([&](double t) {
        const coord point = h.at(t);
        if (!onArcs(point))
            return;
        for (const coord& f : found)
            if (distance(f, point) < kSameCrossing)
                return;
        found.push_back(point);
    });
    for (const coord& point : found)
        list.push_back(frame.out(point));
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
    appendCrossings(arc, frame, circleConic(c, radius),
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
    const coord s1 = frame.in(arc1.start), e1 = frame.in(arc1.end);
    const coord s2 = frame.in(arc2.start), e2 = frame.in(arc2.end);
    const double rotation = Angle::Normalize(arc2.rotation - arc1.rotation);
    appendCrossings(arc1, frame, ellipseConic(frame.in(arc2.centre), arc2.semiX, arc2.semiY, rotation),
                    [&](const coord& p) {
                        return onEllipseArcByChord(arc1, s1, e1, p) && onEllipseArcByChord(arc2, s2, e2, p);
                    },
                    list);
}

} // namespace Geom
