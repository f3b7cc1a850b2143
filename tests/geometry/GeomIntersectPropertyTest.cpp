// Random cases for every intersection routine: each reported point is finite
// and lies on both curves within the routine's tolerance. Degenerate inputs
// (zero-length segments, concentric circles, zero radii, flat ellipses) are
// mixed in. Where two curves nearly touch, the routines report the touching
// point without testing the arcs' or segments' extent, so the extent is
// checked only where the curves meet at a clear angle.
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/GeomPolylineIntersect.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using die::coord;
using Geom::EllipseArc;
using Geom::PointList;
using geomtest::EllipseError;
using geomtest::IsFinite;

namespace {

constexpr int kCases = 1500;

// Distances from a segment, a circle and an ellipse, and normals for the
// angle at which curves meet.
double segmentDistance(const coord& p, const coord& a, const coord& b)
{
    const coord d = b - a;
    const double len2 = d.LengthSquared();
    const double t = len2 > 0 ? std::clamp(dot(p - a, d) / len2, 0.0, 1.0) : 0.0;
    return distance(p, a + d * t);
}

double lineDistance(const coord& p, const coord& a, const coord& b)
{
    const double len = distance(a, b);
    return len > 0 ? std::fabs(cross(b - a, p - a)) / len : distance(p, a);
}

coord toEllipseFrame(const EllipseArc& e, const coord& p)
{
    const coord d = p - e.centre;
    const double c = std::cos(e.rotation), s = std::sin(e.rotation);
    return {d.x * c + d.y * s, -d.x * s + d.y * c};
}

coord ellipseNormal(const EllipseArc& e, const coord& p)
{
    const coord f = toEllipseFrame(e, p);
    const coord n(f.x / (e.semiX * e.semiX), f.y / (e.semiY * e.semiY));
    const double c = std::cos(e.rotation), s = std::sin(e.rotation);
    return {n.x * c - n.y * s, n.x * s + n.y * c};
}

// The curves meet at less than about 6° there.
bool nearTangent(const coord& normal1, const coord& normal2)
{
    return std::fabs(cross(normal1.Normalized(), normal2.Normalized())) < 0.1;
}

struct Arc {
    coord c, s, e;
    double r;
};

bool onArc(const Arc& a, const coord& p, double tol)
{
    return Geom::IsOnArcSweep(a.c.x, a.c.y, a.s.x, a.s.y, a.e.x, a.e.y, p.x, p.y, tol);
}

// On the elliptical arc's sweep, judged on the ellipse squeezed into a circle.
bool onEllipseArc(const EllipseArc& e, const coord& p, double tol)
{
    auto squeezed = [&](const coord& q) {
        const coord f = toEllipseFrame(e, q);
        return coord(f.x * e.semiY / e.semiX, f.y);
    };
    if (!Geom::PointsDiffer(e.start, e.end))
        return true;
    const coord s = squeezed(e.start), t = squeezed(e.end), x = squeezed(p);
    return Geom::IsOnArcSweep(0, 0, s.x, s.y, t.x, t.y, x.x, x.y, tol);
}

class Generator {
public:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    bool chance(double p) { return uniform(0, 1) < p; }
    coord point() { return {uniform(-100, 100), uniform(-100, 100)}; }
    coord direction()
    {
        const double a = uniform(0, Geom::kTwoPi);
        return {std::cos(a), std::sin(a)};
    }

    Arc arc()
    {
        Arc a;
        a.c = point();
        a.r = chance(0.05) ? 0.0 : uniform(2, 100);
        a.s = a.c + direction() * a.r;
        a.e = chance(0.2) ? a.s : a.c + direction() * a.r;
        return a;
    }

    EllipseArc ellipse()
    {
        EllipseArc e;
        e.centre = point();
        e.semiX = uniform(5, 100);
        e.semiY = chance(0.05) ? 0.0 : uniform(5, 100);
        e.rotation = uniform(0, Geom::kTwoPi);
        e.start = onEllipse(e, uniform(0, Geom::kTwoPi));
        e.end = chance(0.2) ? e.start : onEllipse(e, uniform(0, Geom::kTwoPi));
        return e;
    }

    std::vector<coord> polyline(int n)
    {
        std::vector<coord> points{point()};
        for (int i = 1; i < n; ++i)
            points.push_back(points.back() + coord(uniform(-30, 30), uniform(-30, 30)));
        return points;
    }

private:
    static coord onEllipse(const EllipseArc& e, double t)
    {
        const coord f(e.semiX * std::cos(t), e.semiY * std::sin(t));
        const double c = std::cos(e.rotation), s = std::sin(e.rotation);
        return e.centre + coord(f.x * c - f.y * s, f.x * s + f.y * c);
    }

    std::mt19937 rng_{20240611};
};

// Tolerances of the routines: the touching rules (0.0001 for segments, 0.001
// for circles) and the window arcs standing in for an ellipse.
constexpr double kExact = 1e-7;
constexpr double kTouch = 0.001;
constexpr double kWindow = 5e-4;  // of the larger semi-axis

} // namespace

TEST(GeomIntersectProperties, SegmentsAndCircularArcs)
{
    Generator gen;
    for (int i = 0; i < kCases; ++i) {
        // Segments, some ending on the other segment, some of zero length.
        const coord s1 = gen.point(), e1 = gen.point();
        const coord s2 = gen.chance(0.2) ? s1 + (e1 - s1) * gen.uniform(0, 1) : gen.point();
        const coord e2 = gen.chance(0.05) ? s2 : gen.point();
        PointList list;
        Geom::IntersectLines(s1, e1, s2, e2, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "lines, case " << i;
            EXPECT_LT(segmentDistance(p, s1, e1), kTouch) << "lines, case " << i;
            EXPECT_LT(segmentDistance(p, s2, e2), kTouch) << "lines, case " << i;
        }

        Arc a = gen.arc(), b = gen.arc();
        if (gen.chance(0.05))
            b.c = a.c;  // concentric
        list.clear();
        Geom::IntersectLineArc(s2, e2, a.c, a.s, a.e, a.r, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "line and arc, case " << i;
            EXPECT_LT(std::fabs(distance(p, a.c) - a.r), kTouch) << "line and arc, case " << i;
            EXPECT_LT(lineDistance(p, s2, e2), kExact) << "line and arc, case " << i;
            if (!nearTangent(p - a.c, coord(-(e2 - s2).y, (e2 - s2).x))) {
                EXPECT_LT(segmentDistance(p, s2, e2), kExact) << "line and arc, case " << i;
                EXPECT_TRUE(onArc(a, p, kExact)) << "line and arc, case " << i;
            }
        }

        list.clear();
        Geom::IntersectCircles(a.c, a.s, a.e, a.r, b.c, b.s, b.e, b.r, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "circles, case " << i;
            EXPECT_LT(std::fabs(distance(p, a.c) - a.r), kTouch) << "circles, case " << i;
            EXPECT_LT(std::fabs(distance(p, b.c) - b.r), kTouch) << "circles, case " << i;
            if (!nearTangent(p - a.c, p - b.c)) {
                EXPECT_TRUE(onArc(a, p, kExact)) << "circles, case " << i;
                EXPECT_TRUE(onArc(b, p, kExact)) << "circles, case " << i;
            }
        }
    }
}

TEST(GeomIntersectProperties, EllipticalArcs)
{
    Generator gen;
    for (int i = 0; i < kCases / 3; ++i) {
        const EllipseArc e = gen.ellipse(), f = gen.ellipse();
        const bool flat = e.semiY == 0.0;
        const double windowTol = kWindow * std::fmax(e.semiX, e.semiY);
        const coord p1 = gen.point(), p2 = gen.chance(0.05) ? p1 : gen.point();
        PointList list;
        Geom::IntersectLineEllipseArc(e, p1, p2, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "line and ellipse, case " << i;
            ASSERT_FALSE(flat);
            EXPECT_LT(EllipseError(p, e.centre, e.semiX, e.semiY, e.rotation), kTouch) << "line and ellipse, case " << i;
            EXPECT_LT(lineDistance(p, p1, p2), kExact) << "line and ellipse, case " << i;
            if (!nearTangent(ellipseNormal(e, p), coord(-(p2 - p1).y, (p2 - p1).x))) {
                EXPECT_LT(segmentDistance(p, p1, p2), kExact) << "line and ellipse, case " << i;
                EXPECT_TRUE(onEllipseArc(e, p, kExact)) << "line and ellipse, case " << i;
            }
        }

        const Arc a = gen.arc();
        list.clear();
        Geom::IntersectEllipseArcCircleArc(e, a.c, a.s, a.e, a.r, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "ellipse and arc, case " << i;
            ASSERT_FALSE(flat);
            EXPECT_LT(EllipseError(p, e.centre, e.semiX, e.semiY, e.rotation), windowTol) << "ellipse and arc, case " << i;
            EXPECT_LT(std::fabs(distance(p, a.c) - a.r), kTouch) << "ellipse and arc, case " << i;
            if (!nearTangent(ellipseNormal(e, p), p - a.c)) {
                EXPECT_TRUE(onEllipseArc(e, p, windowTol)) << "ellipse and arc, case " << i;
                EXPECT_TRUE(onArc(a, p, windowTol)) << "ellipse and arc, case " << i;
            }
        }

        list.clear();
        Geom::IntersectEllipseArcs(e, f, list);
        const double bothTol = windowTol + kWindow * std::fmax(f.semiX, f.semiY);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "ellipses, case " << i;
            ASSERT_FALSE(flat || f.semiY == 0.0);
            EXPECT_LT(EllipseError(p, e.centre, e.semiX, e.semiY, e.rotation), bothTol) << "ellipses, case " << i;
            EXPECT_LT(EllipseError(p, f.centre, f.semiX, f.semiY, f.rotation), bothTol) << "ellipses, case " << i;
            if (!nearTangent(ellipseNormal(e, p), ellipseNormal(f, p))) {
                EXPECT_TRUE(onEllipseArc(e, p, bothTol)) << "ellipses, case " << i;
                EXPECT_TRUE(onEllipseArc(f, p, bothTol)) << "ellipses, case " << i;
            }
        }
    }
}

TEST(GeomIntersectProperties, Polylines)
{
    Generator gen;
    for (int i = 0; i < kCases / 10; ++i) {
        const std::vector<coord> a = gen.polyline(30), b = gen.polyline(30);
        PointList list;
        Geom::IntersectPolylines(a, b, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "polylines, case " << i;
            double toA = 1e300, toB = 1e300;
            for (size_t k = 0; k + 1 < a.size(); ++k)
                toA = std::fmin(toA, segmentDistance(p, a[k], a[k + 1]));
            for (size_t k = 0; k + 1 < b.size(); ++k)
                toB = std::fmin(toB, segmentDistance(p, b[k], b[k + 1]));
            EXPECT_LT(toA, kTouch) << "polylines, case " << i;
            EXPECT_LT(toB, kTouch) << "polylines, case " << i;
        }
    }
}
