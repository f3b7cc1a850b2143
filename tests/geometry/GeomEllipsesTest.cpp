#include "geometry/GeomConstants.h"
#include "geometry/GeomEllipses.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using die::coord;
using geomtest::EllipseError;
using geomtest::IsFinite;
using geomtest::Near;
using namespace Geom;

namespace {

struct Ellipse {
    coord c;
    double p, q, rho;
};

} // namespace

TEST(GeomSolveLineEllipse, MeetingPoints)
{
    const Ellipse e{{1, 2}, 10, 5, 0};
    const Ellipse turned{{1, 2}, 10, 5, kHalfPi};
    struct Case {
        const char* name;
        Ellipse e;
        coord l1, l2;
        int result;
        coord p1, p2;
    };
    const Case cases[] = {
        {"along the major axis", e, {-20, 2}, {0, 2}, 2, {11, 2}, {-9, 2}},
        {"vertical through the centre", e, {1, 0}, {1, 1}, 2, {1, 7}, {1, -3}},
        {"vertical, drawn downwards", e, {1, 1}, {1, 0}, 2, {1, -3}, {1, 7}},
        {"turned a quarter, vertical line", turned, {1, 0}, {1, 1}, 2, {1, 12}, {1, -8}},
        {"missing", e, {-20, 8}, {20, 8}, 0, {}, {}},
        {"zero-length line", e, {1, 2}, {1, 2}, 0, {}, {}},
        {"flat ellipse", Ellipse{{0, 0}, 10, 0, 0}, {0, -5}, {0, 5}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(SolveLineEllipse(c.e.c.x, c.e.c.y, c.e.p, c.e.q, c.e.rho, c.l1.x, c.l1.y, c.l2.x, c.l2.y, x1,
                                   y1, x2, y2),
                  c.result)
            << c.name;
        if (c.result == 2) {
            EXPECT_TRUE(Near({x1, y1}, c.p1, 1e-9)) << c.name;
            EXPECT_TRUE(Near({x2, y2}, c.p2, 1e-9)) << c.name;
        }
    }
}

TEST(GeomSolveLineEllipse, LinesAtRightAnglesToTheAxisStayExact)
{
    // A line perpendicular to the major axis of a turned ellipse is vertical in
    // the ellipse's own frame; its points must still lie on the ellipse.
    const Ellipse e{{250, -40}, 300, 120, Geom::DegToRad(30)};
    for (double offset : {-250.0, -0.5, 0.0, 17.0, 299.0}) {
        const coord along(std::cos(e.rho), std::sin(e.rho));
        const coord across(-along.y, along.x);
        const coord foot = e.c + along * offset;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        const coord l1 = foot - across * 500.0, l2 = foot + across * 500.0;
        ASSERT_EQ(SolveLineEllipse(e.c.x, e.c.y, e.p, e.q, e.rho, l1.x, l1.y, l2.x, l2.y, x1, y1, x2, y2), 2);
        EXPECT_LT(EllipseError({x1, y1}, e.c, e.p, e.q, e.rho), 1e-9) << offset;
        EXPECT_LT(EllipseError({x2, y2}, e.c, e.p, e.q, e.rho), 1e-9) << offset;
    }
}

TEST(GeomEllipsePointInDirection, PointOnTheRay)
{
    struct Case {
        const char* name;
        Ellipse e;
        double direction;
        coord point;
    };
    const double d45 = std::sqrt(20.0);
    const Case cases[] = {
        {"along X", {{0, 0}, 10, 5, 0}, 0, {10, 0}},
        {"straight up", {{0, 0}, 10, 5, 0}, kHalfPi, {0, 5}},
        {"straight down", {{1, 1}, 10, 5, 0}, kThreeHalfPi, {1, -4}},
        {"diagonal", {{0, 0}, 10, 5, 0}, kPi / 4, {d45, d45}},
        {"turned a quarter, up", {{0, 0}, 10, 5, kHalfPi}, kHalfPi, {0, 10}},
        {"turned, direction below the rotation", {{0, 0}, 10, 5, kHalfPi}, 0, {5, 0}},
    };
    for (const Case& c : cases) {
        double x = NAN, y = NAN;
        ASSERT_TRUE(EllipsePointInDirection(c.e.c.x, c.e.c.y, c.e.p, c.e.q, c.e.rho, c.direction, x, y)) << c.name;
        EXPECT_TRUE(Near({x, y}, c.point, 1e-9)) << c.name;
    }
    double x = 0, y = 0;
    EXPECT_FALSE(EllipsePointInDirection(0, 0, 10, 0, 0, 1.0, x, y)) << "flat ellipse";
}

namespace {

bool allApart(const coord* points, int count, double gap)
{
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (!(distance(points[i], points[j]) > gap))
                return false;
    return true;
}

// Every expected point has a found point within the tolerance.
testing::AssertionResult FoundAll(const coord* found, int count, const std::vector<coord>& expected, double tol)
{
    for (const coord& e : expected) {
        bool hit = false;
        for (int i = 0; i < count; ++i)
            hit = hit || distance(found[i], e) <= tol;
        if (!hit)
            return testing::AssertionFailure() << "no point found within " << tol << " of (" << e.x << ", " << e.y
                                               << ")";
    }
    return testing::AssertionSuccess();
}

} // namespace

TEST(GeomSolveEllipseCircle, SamplingSearchRules)
{
    const double x = std::sqrt(3200.0), y = std::sqrt(1700.0);  // 100/50 ellipse against radius 70
    struct Case {
        const char* name;
        Ellipse e;
        coord k;
        double r;
        int count;
        std::vector<coord> expected;
        double tol = 1e-6;
    };
    const Case cases[] = {
        {"four crossings", {{0, 0}, 100, 50, 0}, {0, 0}, 70, 4, {{x, y}, {-x, y}, {-x, -y}, {x, -y}}},
        {"turned and moved", {{10, 20}, 50, 100, kHalfPi}, {10, 20}, 70, 4,
         {{10 + x, 20 + y}, {10 - x, 20 + y}, {10 - x, 20 - y}, {10 + x, 20 - y}}},
        {"small: of crossings 10 or closer only the first", {{0, 0}, 10, 5, 0}, {0, 0}, 7, 2,
         {{std::sqrt(32.0), std::sqrt(17.0)}, {-std::sqrt(32.0), std::sqrt(17.0)}}},
        {"near touch within 1 mm", {{0, 0}, 100, 50, 0}, {0, 80.5}, 30, 1, {{0, 50.5}}, 0.05},
        {"apart", {{0, 0}, 100, 50, 0}, {500, 0}, 70, 0, {}},
        {"flat ellipse", {{0, 0}, 100, 0, 0}, {0, 0}, 70, 0, {}},
        // Rotations that whole turns subtracted one by one would never bring down.
        {"huge rotation", {{0, 0}, 100, 50, 1e17}, {0, 0}, 70, 4, {}},
        {"infinite rotation", {{0, 0}, 50, 100, INFINITY}, {0, 0}, 70, 0, {}},
    };
    for (const Case& c : cases) {
        coord out[4];
        const int n = SolveEllipseCircle(c.e.c.x, c.e.c.y, c.e.p, c.e.q, c.e.rho, c.k.x, c.k.y, c.r, out);
        ASSERT_EQ(n, c.count) << c.name;
        EXPECT_TRUE(allApart(out, n, 10.0)) << c.name;
        EXPECT_TRUE(FoundAll(out, n, c.expected, c.tol)) << c.name;
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(distance(out[i], c.k), c.r, 1e-9) << c.name << ": points are circle samples";
    }
}

TEST(GeomSolveEllipseEllipse, CrossedEllipses)
{
    const double x = std::sqrt(2000.0);
    coord out[4];
    ASSERT_EQ(SolveEllipseEllipse(0, 0, 100, 50, 0, 0, 0, 100, 50, kHalfPi, out), 4);
    EXPECT_TRUE(FoundAll(out, 4, {{x, x}, {-x, x}, {-x, -x}, {x, -x}}, 1e-6));
    EXPECT_EQ(SolveEllipseEllipse(0, 0, 100, 50, 0, 500, 0, 100, 50, 0, out), 0);
    EXPECT_EQ(SolveEllipseEllipse(0, 0, 100, 50, 0, 0, 0, 0, 50, 0, out), 0) << "flat second ellipse";
    EXPECT_EQ(SolveEllipseEllipse(0, 0, 100, 50, INFINITY, 0, 0, 100, 50, kHalfPi, out), 0) << "infinite rotation";
}
