// Random cases for every intersection routine: each reported point is finite
// and lies on both curves within the routine's tolerance; every crossing at a
// clear angle is reported, once; and the routines that take two curves of one
// kind give the same points in either order. Degenerate inputs (zero-length
// segments, concentric circles, zero radii, flat ellipses) are mixed in. Where
// two curves nearly touch, the routines report the touching point without
// testing the arcs' or segments' extent, so the extent is checked only where
// the curves meet at a clear angle.
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

// The roots of h over [0, 2π), found where its sign changes between samples.
template <class H>
std::vector<double> signChanges(H h, int samples = 4000)
{
    std::vector<double> roots;
    for (int k = 0; k < samples; ++k) {
        double a = Geom::kTwoPi * k / samples, b = Geom::kTwoPi * (k + 1) / samples;
        const bool negative = h(a) < 0.0;
        if (negative == (h(b) < 0.0))
            continue;
        for (int i = 0; i < 100; ++i) {
            const double m = 0.5 * (a + b);
            ((h(m) < 0.0) == negative ? a : b) = m;
        }
        roots.push_back(0.5 * (a + b));
    }
    return roots;
}

// How many of the points lie within tol of p.
int countNear(const PointList& points, const coord& p, double tol)
{
    int n = 0;
    for (const coord& q : points)
        n += distance(p, q) <= tol ? 1 : 0;
    return n;
}

// Points that no other point of the list lies within tol of.
testing::AssertionResult NoRepeats(const PointList& points, double tol)
{
    for (size_t i = 0; i < points.size(); ++i)
        for (size_t j = i + 1; j < points.size(); ++j)
            if (distance(points[i], points[j]) <= tol)
                return testing::AssertionFailure() << "(" << points[i].x << ", " << points[i].y << ") twice";
    return testing::AssertionSuccess();
}

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

    static coord onEllipse(const EllipseArc& e, double t)
    {
        const coord f(e.semiX * std::cos(t), e.semiY * std::sin(t));
        const double c = std::cos(e.rotation), s = std::sin(e.rotation);
        return e.centre + coord(f.x * c - f.y * s, f.x * s + f.y * c);
    }

private:
    std::mt19937 rng_{20240611};
};

// Tolerances of the routines: the touching rules (0.0001 for segments, 0.001
// for circles and ellipses).
constexpr double kExact = 1e-7;
constexpr double kTouch = 0.001;

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
        PointList swapped;
        Geom::IntersectLines(s2, e2, s1, e1, swapped);
        EXPECT_TRUE(geomtest::SamePointSet(swapped, list, kTouch)) << "lines in either order, case " << i;

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
        EXPECT_TRUE(NoRepeats(list, kExact)) << "circles, case " << i;
        swapped.clear();
        Geom::IntersectCircles(b.c, b.s, b.e, b.r, a.c, a.s, a.e, a.r, swapped);
        EXPECT_TRUE(geomtest::SamePointSet(swapped, list, kTouch)) << "circles in either order, case " << i;
    }
}

// Clearly on the arc (by a margin) or clearly off it: a crossing near an
// arc's end may go either way.
enum class Side { On, Off, Unsure };

Side sideOfArc(bool onWidened, bool onNarrowed)
{
    return onNarrowed ? Side::On : onWidened ? Side::Unsure : Side::Off;
}

constexpr double kMargin = 1e-3;

// The signed distance of p from the ellipse, roughly (negative inside).
double ellipseLevel(const EllipseArc& f, const coord& p)
{
    const coord q = toEllipseFrame(f, p);
    return (std::sqrt(q.x * q.x / (f.semiX * f.semiX) + q.y * q.y / (f.semiY * f.semiY)) - 1.0)
           * std::fmin(f.semiX, f.semiY);
}

// The crossings of ellipse e with another curve, given by its signed distance
// `level`: every crossing at a clear angle that lies clearly on both arcs is
// reported exactly once (within 1e-6), and no two reported points coincide.
template <class Level, class OnOther>
void checkCrossings(const EllipseArc& e, const PointList& list, Level level, OnOther onOther, const char* what,
                    int i)
{
    auto h = [&](double t) { return level(Generator::onEllipse(e, t)); };
    for (const double t : signChanges(h)) {
        const coord p = Generator::onEllipse(e, t);
        const double dt = 1e-6;
        const double along = distance(Generator::onEllipse(e, t - dt), Generator::onEllipse(e, t + dt));
        const bool clearAngle = std::fabs(h(t + dt) - h(t - dt)) > 0.1 * along;
        if (clearAngle && onEllipseArc(e, p, -kMargin) && onOther(p) == Side::On) {
            EXPECT_EQ(countNear(list, p, 1e-6), 1)
                << what << " missed or repeated, case " << i << " at " << p.x << ", " << p.y;
        }
    }
    EXPECT_TRUE(NoRepeats(list, kMargin)) << what << ", case " << i;
}

TEST(GeomIntersectProperties, EllipticalArcs)
{
    Generator gen;
    for (int i = 0; i < kCases / 3; ++i) {
        const EllipseArc e = gen.ellipse(), f = gen.ellipse();
        const bool flat = e.semiY == 0.0;
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

        // Sometimes a circle through an end of an axis.
        Arc a = gen.arc();
        if (!flat && gen.chance(0.2)) {
            const coord axisEnd = Generator::onEllipse(e, Geom::kHalfPi * std::floor(gen.uniform(0, 4)));
            a.r = distance(a.c, axisEnd);
            a.s = a.e = axisEnd;
        }
        list.clear();
        Geom::IntersectEllipseArcCircleArc(e, a.c, a.s, a.e, a.r, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "ellipse and arc, case " << i;
            ASSERT_FALSE(flat);
            EXPECT_LT(EllipseError(p, e.centre, e.semiX, e.semiY, e.rotation), kExact) << "ellipse and arc, case " << i;
            EXPECT_LT(std::fabs(distance(p, a.c) - a.r), kTouch) << "ellipse and arc, case " << i;
            if (!nearTangent(ellipseNormal(e, p), p - a.c)) {
                EXPECT_LT(std::fabs(distance(p, a.c) - a.r), kExact) << "ellipse and arc, case " << i;
                EXPECT_TRUE(onEllipseArc(e, p, kExact)) << "ellipse and arc, case " << i;
                EXPECT_TRUE(onArc(a, p, kExact)) << "ellipse and arc, case " << i;
            }
        }
        if (!flat && a.r > 0.0)
            checkCrossings(e, list, [&](const coord& p) { return distance(p, a.c) - a.r; },
                           [&](const coord& p) { return sideOfArc(onArc(a, p, kMargin), onArc(a, p, -kMargin)); },
                           "ellipse and arc", i);

        list.clear();
        Geom::IntersectEllipseArcs(e, f, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "ellipses, case " << i;
            ASSERT_FALSE(flat || f.semiY == 0.0);
            EXPECT_LT(EllipseError(p, e.centre, e.semiX, e.semiY, e.rotation), kExact) << "ellipses, case " << i;
            EXPECT_LT(EllipseError(p, f.centre, f.semiX, f.semiY, f.rotation), kTouch) << "ellipses, case " << i;
            if (!nearTangent(ellipseNormal(e, p), ellipseNormal(f, p))) {
                EXPECT_LT(EllipseError(p, f.centre, f.semiX, f.semiY, f.rotation), kExact) << "ellipses, case " << i;
                EXPECT_TRUE(onEllipseArc(e, p, kExact)) << "ellipses, case " << i;
                EXPECT_TRUE(onEllipseArc(f, p, kExact)) << "ellipses, case " << i;
            }
        }
        if (flat || f.semiY == 0.0)
            continue;
        checkCrossings(e, list, [&](const coord& p) { return ellipseLevel(f, p); },
                       [&](const coord& p) { return sideOfArc(onEllipseArc(f, p, kMargin), onEllipseArc(f, p, -kMargin)); },
                       "ellipses", i);
        PointList swapped;
        Geom::IntersectEllipseArcs(f, e, swapped);
        auto clear = [&](const PointList& points) {
            PointList out;
            for (const coord& p : points)
                if (!nearTangent(ellipseNormal(e, p), ellipseNormal(f, p)))
                    out.push_back(p);
            return out;
        };
        EXPECT_TRUE(geomtest::SamePointSet(clear(swapped), clear(list), kExact)) << "ellipses in either order, case " << i;
    }
}

// A crossing of segment i of polyline A with segment j of polyline B.
struct SegmentCrossing {
    coord point;
    size_t i, j;
};

// The crossings of two polylines from the segments' parameters, in long
// double: a crossing at a shared corner belongs to the segment that starts
// there. Sets `nearlyParallel` when a pair is too close to parallel to say.
std::vector<SegmentCrossing> referenceCrossings(const std::vector<coord>& a, const std::vector<coord>& b,
                                                bool& nearlyParallel)
{
    using Real = long double;
    std::vector<SegmentCrossing> crossings;
    for (size_t i = 0; i + 1 < a.size(); ++i)
        for (size_t j = 0; j + 1 < b.size(); ++j) {
            const Real d1x = Real(a[i + 1].x) - a[i].x, d1y = Real(a[i + 1].y) - a[i].y;
            const Real d2x = Real(b[j + 1].x) - b[j].x, d2y = Real(b[j + 1].y) - b[j].y;
            const Real wx = Real(b[j].x) - a[i].x, wy = Real(b[j].y) - a[i].y;
            const Real den = d1x * d2y - d1y * d2x;
            const Real len2 = std::sqrt(d2x * d2x + d2y * d2y);
            const Real s = (wx * d2y - wy * d2x) / den, u = (wx * d1y - wy * d1x) / den;
            auto within = [](Real t, bool last) { return t >= 0 && (t < 1 || (last && t <= 1)); };
            if (!within(s, i + 2 == a.size()) || !within(u, j + 2 == b.size()))
                continue;
            if (std::fabs(den) / len2 < 2e-4)
                nearlyParallel = true;
            crossings.push_back({{double(a[i].x + d1x * s), double(a[i].y + d1y * s)}, i, j});
        }
    return crossings;
}

double polylineDistance(const coord& p, const std::vector<coord>& polyline)
{
    double d = 1e300;
    for (size_t k = 0; k + 1 < polyline.size(); ++k)
        d = std::fmin(d, segmentDistance(p, polyline[k], polyline[k + 1]));
    return d;
}

// A corner of one polyline within the touching tolerance of the other where
// the two segments that meet at it do not cross the other polyline once close
// by: the polylines touch there (crossing twice, or not at all), and the touch
// may be reported as one point.
bool touchesAtACorner(const std::vector<coord>& a, const std::vector<coord>& b,
                      const std::vector<SegmentCrossing>& crossings)
{
    auto touching = [&](const std::vector<coord>& from, const std::vector<coord>& other, size_t SegmentCrossing::*side) {
        for (size_t k = 1; k + 1 < from.size(); ++k) {
            if (polylineDistance(from[k], other) >= 1e-4)
                continue;
            int near = 0;
            for (const SegmentCrossing& c : crossings)
                near += (c.*side == k - 1 || c.*side == k) && distance(c.point, from[k]) < 1e-2 ? 1 : 0;
            if (near != 1)
                return true;
        }
        return false;
    };
    return touching(a, b, &SegmentCrossing::i) || touching(b, a, &SegmentCrossing::j);
}

TEST(GeomIntersectProperties, Polylines)
{
    Generator gen;
    for (int i = 0; i < kCases / 5; ++i) {
        const std::vector<coord> a = gen.polyline(30);
        std::vector<coord> b = gen.polyline(30);
        if (gen.chance(0.5)) {
            // A line through a corner of A at a shallow angle, within the
            // touching tolerance of the corner and with a corner of its own there.
            const size_t k = 1 + static_cast<size_t>(gen.uniform(0, 28));
            const coord u = (a[k] - a[k - 1]).Normalized();
            const double turn = (gen.chance(0.5) ? 1 : -1) * gen.uniform(0.002, 0.05);
            const coord w(u.x * std::cos(turn) - u.y * std::sin(turn), u.x * std::sin(turn) + u.y * std::cos(turn));
            const coord m = a[k] + coord(-u.y, u.x) * gen.uniform(-3e-6, 3e-6);
            const double reach = gen.uniform(5, 40);
            b = {m - w * reach, m, m + w * reach};
        }
        PointList list;
        Geom::IntersectPolylines(a, b, list);
        for (const coord& p : list) {
            ASSERT_TRUE(IsFinite(p)) << "polylines, case " << i;
            EXPECT_LT(polylineDistance(p, a), kTouch) << "polylines, case " << i;
            EXPECT_LT(polylineDistance(p, b), kTouch) << "polylines, case " << i;
        }
        PointList swapped;
        Geom::IntersectPolylines(b, a, swapped);
        EXPECT_TRUE(geomtest::SamePointSet(swapped, list, 1e-6)) << "polylines in either order, case " << i;

        bool nearlyParallel = false;
        const std::vector<SegmentCrossing> crossings = referenceCrossings(a, b, nearlyParallel);
        if (nearlyParallel || touchesAtACorner(a, b, crossings))
            continue;
        PointList expected;
        for (const SegmentCrossing& c : crossings)
            expected.push_back(c.point);
        EXPECT_TRUE(geomtest::SamePointSet(list, expected, 1e-6)) << "polylines, case " << i;
    }
}
