#include "geometry/GeomBasics.h"

#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>

namespace Geom {

double VectorAngle(double dy, double dx)
{
    if (dx == 0.0)
        return dy >= 0.0 ? kHalfPi : kThreeHalfPi;
    const double a = std::atan2(std::fabs(dy), std::fabs(dx));
    if (dx > 0.0)
        return dy >= 0.0 ? a : kTwoPi - a;
    return dy >= 0.0 ? kPi - a : kPi + a;
}

double AngleBetween(double a, double b)
{
    const double d = a <= b ? b - a : b + kTwoPi - a;
    return d > kPi ? std::fabs(kTwoPi - d) : std::fabs(d);
}

double TriangleArea(double a, double b, double c)
{
    const double s = (a + b + c) / 2.0;
    const double product = s * (s - a) * (s - b) * (s - c);
    return product > 0.0 ? std::sqrt(product) : 0.0;
}

int SidesFormTriangle(double a, double b, double c)
{
    const double eps = 1e-6;
    return (a <= b + c + eps && b <= c + a + eps && c <= b + a + eps) ? 1 : 0;
}

bool PointsDiffer(const die::coord& a, const die::coord& b)
{
    return !(std::fabs(a.x - b.x) < 1e-6 && std::fabs(a.y - b.y) < 1e-6);
}

bool IsPointInRect(double x, double y, double minX, double minY, double maxX, double maxY)
{
    return minX <= x && x <= maxX && minY <= y && y <= maxY;
}

bool IsPointBetween(double px, double py, double ax, double ay, double bx, double by, double tolerance)
{
    const double ab = std::hypot(bx - ax, by - ay);
    const double pa = std::hypot(ax - px, ay - py);
    const double pb = std::hypot(bx - px, by - py);
    return !(ab + tolerance < pa + pb);
}

die::coord NearestOnSegment(const die::coord& p, const die::coord& a, const die::coord& b)
{
    const die::coord d = b - a;
    const double len2 = d.LengthSquared();
    const double t = len2 > 0.0 ? std::clamp(die::dot(p - a, d) / len2, 0.0, 1.0) : 0.0;
    return a + d * t;
}

double IntersectParam(double d1x, double d1y, double qx, double qy, double d2x, double d2y)
{
    if (d1x == 0.0)
        return d2x == 0.0 ? 0.0 : -qx / d2x;
    // −cross(D1, Q) / cross(D1, D2); the cross products stay finite where the
    // slope form d1y / d1x would overflow for a nearly vertical D1.
    const double denominator = d1x * d2y - d1y * d2x;
    if (denominator == 0.0)
        return 0.0;
    const double t = -(d1x * qy - d1y * qx) / denominator;
    return std::isfinite(t) ? t : 0.0;
}

int SnapResultCode(int found)
{
    return found != 0 ? 812 : 813;
}

namespace {

// Reduces by whole turns while above 2π (a value of exactly 2π stays).
double reduceAboveTurn(double a)
{
    if (a > 64.0 * kTwoPi)
        a = std::fmod(a, kTwoPi);
    while (a > kTwoPi)
        a -= kTwoPi;
    return a;
}

// Raises by whole turns while below 0.
double raiseBelowZero(double a)
{
    if (a < -64.0 * kTwoPi)
        a = std::fmod(a, kTwoPi);
    while (a < 0.0)
        a += kTwoPi;
    return a;
}

bool isOnSweep(double cx, double cy, double sx, double sy, double ex, double ey, double px, double py,
               double widening)
{
    if (sx == ex && sy == ey)
        return true;
    const double a = reduceAboveTurn(VectorAngle(sy - cy, sx - cx) + widening);
    const double b = raiseBelowZero(VectorAngle(ey - cy, ex - cx) - widening);
    const double w = VectorAngle(py - cy, px - cx);
    if (a == b)
        return w == a;
    if (a > b)
        return b <= w && w <= a;
    return w <= a || w >= b;
}

} // namespace

bool IsOnArcSweep(double cx, double cy, double sx, double sy, double ex, double ey, double px, double py,
                  double tolerance)
{
    double widening = 0.0;
    if (tolerance != 0.0) {
        // The tolerance is a length at the arc's radius; a zero radius widens nothing.
        const double radius = std::hypot(sx - cx, sy - cy);
        if (radius > 0.0 && std::isfinite(tolerance / radius))
            widening = tolerance / radius;
    }
    return isOnSweep(cx, cy, sx, sy, ex, ey, px, py, widening);
}

bool IsOnArcSweepStrict(double cx, double cy, double sx, double sy, double ex, double ey, double px,
                        double py, double /*tolerance*/)
{
    return isOnSweep(cx, cy, sx, sy, ex, ey, px, py, 0.0);
}

int ScaleRotatePoint(double& x, double& y, double cx, double cy, double angleDegrees, double sx, double sy,
                     bool inverse)
{
    const double alpha = DegToRad(angleDegrees);
    if (!inverse) {
        const double px = x * sx;
        const double py = y * sy;
        const double r = std::hypot(px, py);
        const double theta = std::atan2(py, px);
        x = cx + r * std::cos(theta + alpha);
        y = cy + r * std::sin(theta + alpha);
        return 0;
    }
    if (sx == 0.0 || sy == 0.0)
        return -1;
    const double px = x - cx;
    const double py = y - cy;
    const double r = std::hypot(px, py);
    const double theta = std::atan2(py, px);
    x = r * std::cos(theta - alpha) / sx;
    y = r * std::sin(theta - alpha) / sy;
    return 0;
}

} // namespace Geom
