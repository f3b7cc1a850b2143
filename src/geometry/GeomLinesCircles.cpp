#include "geometry/GeomLinesCircles.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <cmath>

namespace Geom {

bool SolveSlopeLines(double m1, double c1, double m2, double c2, double& x, double& y)
{
    if (m1 == m2)
        return false;
    const double px = (c2 - c1) / (m1 - m2);
    const double py = c1 + m1 * px;
    if (!std::isfinite(px) || !std::isfinite(py))
        return false;
    x = px;
    y = py;
    return true;
}

namespace {

constexpr double kVerticalExtent = 1e-7;

struct SlopeLine {
    bool vertical;
    double m;
    double c;
};

SlopeLine slopeLine(double x1, double y1, double x2, double y2)
{
    if (std::fabs(x2 - x1) <= kVerticalExtent)
        return {true, 0.0, 0.0};
    const double m = (y2 - y1) / (x2 - x1);
    return {false, m, y1 - x1 * m};
}

} // namespace

int SolveLineLine(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                  double& x, double& y)
{
    const SlopeLine a = slopeLine(x1, y1, x2, y2);
    const SlopeLine b = slopeLine(x3, y3, x4, y4);
    if (a.vertical && b.vertical)
        return 0;
    if (a.vertical || b.vertical) {
        const double vx = a.vertical ? x1 : x3;
        const SlopeLine& other = a.vertical ? b : a;
        x = vx;
        y = other.c + other.m * vx;
        return 1;
    }
    return SolveSlopeLines(a.m, a.c, b.m, b.c, x, y) ? 1 : 0;
}

bool FootOfPerpendicular(double x1, double y1, double x2, double y2, double px, double py, double& x,
                         double& y)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (std::fabs(dx) <= kVerticalExtent) {
        x = x1;
        y = py;
        return true;
    }
    // Projection onto the line: the same foot as meeting the perpendicular
    // through P, without the slope of a nearly vertical perpendicular.
    const double t = ((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy);
    x = x1 + t * dx;
    y = y1 + t * dy;
    return true;
}

int TangentPointsFromPoint(double px, double py, double cx, double cy, double r, double& x1, double& y1,
                           double& x2, double& y2)
{
    const double d = std::hypot(cx - px, cy - py);
    if (!(d > r) || !(d > 0.0))
        return 0;
    // The tangents leave P at ±t from the direction to the centre, with
    // sin t = r/d and cos t = L/d, L the tangent length; the touching points
    // lie L along them. No tangent of an angle is needed.
    const double ux = (cx - px) / d;
    const double uy = (cy - py) / d;
    const double sinT = r / d;
    const double cosT = std::sqrt(std::fmax(0.0, 1.0 - sinT * sinT));
    const double len = d * cosT;
    x1 = px + len * (ux * cosT - uy * sinT);
    y1 = py + len * (uy * cosT + ux * sinT);
    x2 = px + len * (ux * cosT + uy * sinT);
    y2 = py + len * (uy * cosT - ux * sinT);
    return 2;
}

int SolveLineCircle(double cx, double cy, double r, double m, double c, double& x1, double& y1, double& x2,
                    double& y2)
{
    if (m == kVerticalSlope) {
        const double a = r * r - (c - cx) * (c - cx);
        if (a < 0.0)
            return 0;
        x1 = c;
        x2 = c;
        if (a == 0.0) {
            y1 = cy;
            return 1;
        }
        y1 = cy + std::sqrt(a);
        y2 = cy - std::sqrt(a);
        return 2;
    }
    const double g = c - cy;
    const double quad = 1.0 + m * m;
    const double b = 2.0 * m * g - 2.0 * cx;
    const double k = g * g + cx * cx - r * r;
    const double disc = b * b - 4.0 * quad * k;
    if (!std::isfinite(disc) || disc < 0.0)
        return 0;
    if (disc == 0.0) {
        x1 = -b / (2.0 * quad);
        y1 = c + m * x1;
        return 1;
    }
    const double root = std::sqrt(disc);
    x1 = (root - b) / (2.0 * quad);
    y1 = c + m * x1;
    x2 = (-b - root) / (2.0 * quad);
    y2 = c + m * x2;
    return 2;
}

int SolveCircleCircle(double c1x, double c1y, double r1, double c2x, double c2y, double r2, double& x1,
                      double& y1, double& x2, double& y2)
{
    const double d = std::hypot(c2x - c1x, c2y - c1y);
    if (d >= r1 + r2 || d == 0.0 || r1 == 0.0)
        return 0;
    const double k = (r1 * r1 - r2 * r2 + d * d) / (2.0 * r1 * d);
    if (!(std::fabs(k) <= 1.0))
        return 0;  // one circle inside the other
    const double a = VectorAngle(c2y - c1y, c2x - c1x);
    const double g = std::acos(k);
    if (g == 0.0) {
        x1 = c1x + r1 * std::cos(a);
        y1 = c1y + r1 * std::sin(a);
        return 1;
    }
    x1 = c1x + r1 * std::cos(a + g);
    y1 = c1y + r1 * std::sin(a + g);
    x2 = c1x + r1 * std::cos(a - g);
    y2 = c1y + r1 * std::sin(a - g);
    return 2;
}

bool CircumCentre(double x1, double y1, double x2, double y2, double x3, double y3, double& x, double& y)
{
    // Relative to P2, the centre solves two linear equations (one per chord's
    // bisector). Written this way a horizontal chord needs no slope.
    const double ax = x1 - x2, ay = y1 - y2;
    const double bx = x3 - x2, by = y3 - y2;
    const double det = 2.0 * (ax * by - ay * bx);
    if (det == 0.0)
        return false;
    const double a2 = ax * ax + ay * ay;
    const double b2 = bx * bx + by * by;
    const double ux = (by * a2 - ay * b2) / det;
    const double uy = (ax * b2 - bx * a2) / det;
    if (!std::isfinite(ux) || !std::isfinite(uy))
        return false;
    x = x2 + ux;
    y = y2 + uy;
    return true;
}

} // namespace Geom
