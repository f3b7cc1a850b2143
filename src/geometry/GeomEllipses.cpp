#include "geometry/GeomEllipses.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/Quadrature.h"

#include <algorithm>
#include <cmath>
#include <utility>

using die::coord;

namespace Geom {

namespace {

bool isProperEllipse(double p, double q)
{
    return std::isfinite(p) && std::isfinite(q) && p != 0.0 && q != 0.0;
}

coord unitOf(double radians)
{
    return {std::cos(radians), std::sin(radians)};
}

} // namespace

int SolveLineEllipse(double cx, double cy, double p, double q, double rho, double lx1, double ly1, double lx2,
                     double ly2, double& x1, double& y1, double& x2, double& y2)
{
    if (!isProperEllipse(p, q))
        return 0;
    // The line in the ellipse's own frame, as P + t·D, against x²/p² + y²/q² = 1.
    // A parametric line keeps nearly vertical lines exact.
    const coord centre(cx, cy);
    const coord toFrame = unitOf(-rho);
    const coord a = (coord(lx1, ly1) - centre).ComplexProduct(toFrame);
    const coord b = (coord(lx2, ly2) - centre).ComplexProduct(toFrame);
    const coord d = b - a;
    if (d.x == 0.0 && d.y == 0.0)
        return 0;
    const double ip2 = 1.0 / (p * p), iq2 = 1.0 / (q * q);
    const double qa = d.x * d.x * ip2 + d.y * d.y * iq2;
    const double qb = 2.0 * (a.x * d.x * ip2 + a.y * d.y * iq2);
    const double qc = a.x * a.x * ip2 + a.y * a.y * iq2 - 1.0;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (!std::isfinite(disc) || disc < 0.0 || !(qa > 0.0))
        return 0;
    const coord fromFrame = unitOf(rho);
    auto back = [&](double t) { return a + d * t; };
    if (disc == 0.0) {
        const coord s = back(-qb / (2.0 * qa)).ComplexProduct(fromFrame) + centre;
        x1 = s.x;
        y1 = s.y;
        return 1;
    }
    const double root = std::sqrt(disc);
    coord s1 = back((-qb + root) / (2.0 * qa));
    coord s2 = back((-qb - root) / (2.0 * qa));
    // The larger x first; on a vertical line the point further along the line.
    const bool swap = d.x != 0.0 ? s2.x > s1.x : (d.y > 0.0 ? s2.y > s1.y : s2.y < s1.y);
    if (swap)
        std::swap(s1, s2);
    s1 = s1.ComplexProduct(fromFrame) + centre;
    s2 = s2.ComplexProduct(fromFrame) + centre;
    x1 = s1.x;
    y1 = s1.y;
    x2 = s2.x;
    y2 = s2.y;
    return 2;
}

double EllipsePolarArcLength(double p, double q, double h1, double h2)
{
    if (!isProperEllipse(p, q) || !std::isfinite(h1) || !std::isfinite(h2) || !(h2 > h1))
        return 0.0;
    // r(h) = pq / √D with D = q²cos²h + p²sin²h; ds/dh = √(r² + r'²).
    const double pq = std::abs(p * q);
    const double spread = p * p - q * q;
    const auto speed = [&](double h) {
        const double c = std::cos(h), s = std::sin(h);
        const double d = q * q * c * c + p * p * s * s;
        const double r = pq / std::sqrt(d);
        const double dr = -pq * spread * s * c / (d * std::sqrt(d));
        return std::hypot(r, dr);
    };
    // A tolerance relative to the size, so that large and small ellipses are
    // measured alike: 1e-10 of the larger semi-axis a radian. The curve is
    // integrated an eighth of a turn at a time, between multiples of π/4:
    // over a whole turn the two rules of one interval can agree on the same
    // wrong figure.
    const double tolerance = 1e-10 * std::max(std::abs(p), std::abs(q));
    constexpr double kPiece = kPi / 4;
    const auto within = [&](double from, double to) { // less than a turn
        double sum = 0.0;
        while (from < to) {
            double next = (std::floor(from / kPiece) + 1.0) * kPiece;
            if (!(next > from))
                next = from + kPiece;
            next = std::min(next, to);
            sum += Integrate(speed, from, next, tolerance * (next - from));
            from = next;
        }
        return sum;
    };
    // The curve repeats every turn: whole turns once, the start brought
    // into the first turn.
    const double turns = std::floor((h2 - h1) / kTwoPi);
    const double shift = std::floor(h1 / kTwoPi) * kTwoPi;
    const double rest = within(h1 - shift, h2 - turns * kTwoPi - shift);
    return turns >= 1.0 ? turns * within(0.0, kTwoPi) + rest : rest;
}

bool EllipsePointInDirection(double cx, double cy, double p, double q, double rho, double direction,
                             double& x, double& y)
{
    if (!isProperEllipse(p, q))
        return false;
    // In the ellipse's frame the ray (cos h, sin h) meets x²/p² + y²/q² = 1 at
    // the distance 1 / √(cos²h/p² + sin²h/q²); no slope of a vertical ray.
    const double h = direction - rho;
    const double c = std::cos(h), s = std::sin(h);
    const double dist = 1.0 / std::sqrt(c * c / (p * p) + s * s / (q * q));
    if (!std::isfinite(dist))
        return false;
    const coord onRay = coord(c, s) * dist;
    const coord point = onRay.ComplexProduct(unitOf(rho));
    x = cx + point.x;
    y = cy + point.y;
    return true;
}

namespace {

// The ellipse by its major axis: its half-length, foci and direction.
struct FocalEllipse {
    double major;
    double majorDirection;
    coord f1, f2;  // in the frame the caller chooses
};

FocalEllipse focalEllipse(double p, double q, double rho)
{
    const double ap = std::fabs(p), aq = std::fabs(q);
    FocalEllipse e;
    e.major = std::fmax(ap, aq);
    const double minor = std::fmin(ap, aq);
    e.majorDirection = ap >= aq ? rho : rho + kHalfPi;
    // Whole turns off at once: subtracting them one by one never ends for a
    // huge rotation. An infinite one gives no direction, and no points.
    if (e.majorDirection > kTwoPi)
        e.majorDirection = std::fmod(e.majorDirection, kTwoPi);
    const double focus = std::sqrt(e.major * e.major - minor * minor);
    e.f1 = {focus, 0.0};
    e.f2 = {-focus, 0.0};
    return e;
}

constexpr double kStep = 0.001;
constexpr double kFocalTolerance = 1.0;
constexpr double kMinSeparation = 10.0;

// Walks a curve point(θ) for θ from 0 in steps of 0.001 while θ < 2π and
// reports where it meets the ellipse. Consecutive samples whose focal-sum error
// is within 1 mm form a run; a run yields one point: where the error changes
// sign (refined by bisection), or else its sample of least error (a near
// touch). A point is kept when it is more than 10 mm from every point already
// kept; at most four. Returns their number.
template <class PointAt>
int walkForCrossings(const FocalEllipse& ellipse, PointAt point, coord out[4])
{
    auto error = [&](const coord& x) {
        return distance(x, ellipse.f1) + distance(x, ellipse.f2) - 2.0 * ellipse.major;
    };
    int count = 0;
    bool inRun = false, rootFound = false;
    coord best;
    double bestError = 0.0, prevTheta = 0.0, prevError = 0.0;
    auto finishRun = [&]() {
        inRun = false;
        for (int i = 0; i < count; ++i)
            if (!(distance(best, out[i]) > kMinSeparation))
                return;
        out[count++] = best;
    };
    for (int i = 0; kStep * i < kTwoPi && count < 4; ++i) {
        const double theta = kStep * i;
        const coord x = point(theta);
        const double err = error(x);
        if (!(std::fabs(err) <= kFocalTolerance)) {
            if (inRun)
                finishRun();
            continue;
        }
        if (!inRun) {
            inRun = true;
            rootFound = false;
            best = x;
            bestError = std::fabs(err);
        } else if (!rootFound && (prevError < 0.0) != (err < 0.0)) {
            double lo = prevTheta, hi = theta;
            for (int k = 0; k < 40; ++k) {
                const double mid = 0.5 * (lo + hi);
                if ((error(point(mid)) < 0.0) == (prevError < 0.0))
                    lo = mid;
                else
                    hi = mid;
            }
            rootFound = true;
            best = point(0.5 * (lo + hi));
        } else if (!rootFound && std::fabs(err) < bestError) {
            best = x;
            bestError = std::fabs(err);
        }
        prevTheta = theta;
        prevError = err;
    }
    if (inRun && count < 4)
        finishRun();
    return count;
}

} // namespace

int SolveEllipseCircle(double cx, double cy, double p, double q, double rho, double kx, double ky, double r,
                       die::coord out[4])
{
    if (!isProperEllipse(p, q))
        return 0;
    const FocalEllipse e = focalEllipse(p, q, rho);
    // Work with the ellipse at the origin and its major axis along X.
    const coord centre(cx, cy);
    const coord toFrame = unitOf(-e.majorDirection);
    const coord k = (coord(kx, ky) - centre).ComplexProduct(toFrame);
    const int count =
        walkForCrossings(e, [&](double theta) { return k + coord(r * std::cos(theta), r * std::sin(theta)); }, out);
    const coord fromFrame = unitOf(e.majorDirection);
    for (int i = 0; i < count; ++i)
        out[i] = out[i].ComplexProduct(fromFrame) + centre;
    return count;
}

int SolveEllipseEllipse(double c1x, double c1y, double p1, double q1, double rho1, double c2x, double c2y,
                        double p2, double q2, double rho2, die::coord out[4])
{
    if (!isProperEllipse(p1, q1) || !isProperEllipse(p2, q2))
        return 0;
    FocalEllipse e = focalEllipse(p1, q1, rho1);
    // Foci in the drawing's frame; the walked points are already there.
    const coord centre(c1x, c1y);
    const coord fromFrame = unitOf(e.majorDirection);
    e.f1 = e.f1.ComplexProduct(fromFrame) + centre;
    e.f2 = e.f2.ComplexProduct(fromFrame) + centre;
    return walkForCrossings(e,
                            [&](double direction) {
                                coord x;
                                EllipsePointInDirection(c2x, c2y, p2, q2, rho2, direction, x.x, x.y);
                                return x;
                            },
                            out);
}

} // namespace Geom
