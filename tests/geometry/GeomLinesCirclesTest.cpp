#include "geometry/GeomLinesCircles.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using die::coord;
using geomtest::IsFinite;
using geomtest::Near;
using namespace Geom;

TEST(GeomSolveLineLine, MeetingPointsAndVerticalLines)
{
    struct Case {
        const char* name;
        coord a1, a2, b1, b2;
        int result;
        coord point;
    };
    const Case cases[] = {
        {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 1, {5, 5}},
        {"beyond the given points", {0, 0}, {1, 1}, {0, 10}, {1, 9}, 1, {5, 5}},
        {"first vertical", {3, -1}, {3, 1}, {0, 1}, {1, 2}, 1, {3, 4}},
        {"second vertical", {0, 1}, {1, 2}, {3, -1}, {3, 1}, 1, {3, 4}},
        {"1e-8 in x counts as vertical", {3, -1}, {3 + 1e-8, 1}, {0, 0}, {1, 0}, 1, {3, 0}},
        {"both vertical", {3, -1}, {3, 1}, {4, 0}, {4, 5}, 0, {}},
        {"parallel", {0, 0}, {1, 1}, {0, 1}, {1, 2}, 0, {}},
    };
    for (const Case& c : cases) {
        double x = 0, y = 0;
        ASSERT_EQ(SolveLineLine(c.a1.x, c.a1.y, c.a2.x, c.a2.y, c.b1.x, c.b1.y, c.b2.x, c.b2.y, x, y), c.result)
            << c.name;
        if (c.result) {
            EXPECT_TRUE(Near({x, y}, c.point, 1e-9)) << c.name;
        }
    }
}

TEST(GeomFootOfPerpendicular, OnAnyLineDirection)
{
    struct Case {
        const char* name;
        coord a, b, p, foot;
    };
    const Case cases[] = {
        {"horizontal", {0, 2}, {10, 2}, {3, 7}, {3, 2}},
        {"vertical", {1, 0}, {1, 10}, {3, 7}, {1, 7}},
        {"diagonal", {0, 0}, {10, 10}, {0, 4}, {2, 2}},
        {"nearly vertical", {0, 0}, {1e-6, 1000}, {5, 500}, {5.0000000005e-7, 500.000000005}},
        {"nearly horizontal", {0, 0}, {1000, 1e-9}, {5, 500}, {5, 5e-12}},
    };
    for (const Case& c : cases) {
        double x = NAN, y = NAN;
        EXPECT_TRUE(FootOfPerpendicular(c.a.x, c.a.y, c.b.x, c.b.y, c.p.x, c.p.y, x, y));
        EXPECT_TRUE(Near({x, y}, c.foot, 1e-9)) << c.name;
    }
}

TEST(GeomTangentPoints, TouchTheCircleAtRightAngles)
{
    struct Case {
        const char* name;
        coord p, c;
        double r;
    };
    // Each set puts one tangent at a right angle (vertical), where the slope
    // form of the construction has no finite value.
    const Case cases[] = {
        {"from the left", {0, 0}, {10, 0}, 5},
        {"vertical tangent", {0, 0}, {5, 5}, 5},
        {"from below, tangents at ±45°", {0, 0}, {0, 10}, 10 * std::sqrt(0.5)},
        {"far away", {-1000, 3}, {0, 0}, 1},
    };
    for (const Case& c : cases) {
        double x1 = NAN, y1 = NAN, x2 = NAN, y2 = NAN;
        ASSERT_EQ(TangentPointsFromPoint(c.p.x, c.p.y, c.c.x, c.c.y, c.r, x1, y1, x2, y2), 2) << c.name;
        for (const coord t : {coord(x1, y1), coord(x2, y2)}) {
            ASSERT_TRUE(IsFinite(t)) << c.name;
            EXPECT_NEAR(distance(t, c.c), c.r, 1e-9) << c.name;
            EXPECT_NEAR(dot(t - c.p, t - c.c), 0.0, 1e-7) << c.name << ": radius perpendicular to tangent";
        }
        // The first point belongs to the tangent turned counter-clockwise from P→C.
        EXPECT_GT(cross(c.c - c.p, coord(x1, y1) - c.p), 0.0) << c.name;
    }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    EXPECT_EQ(TangentPointsFromPoint(0, 0, 0, 0, 5, x1, y1, x2, y2), 0) << "at the centre";
    EXPECT_EQ(TangentPointsFromPoint(5, 0, 0, 0, 5, x1, y1, x2, y2), 0) << "on the circle";
    EXPECT_EQ(TangentPointsFromPoint(3, 0, 0, 0, 5, x1, y1, x2, y2), 0) << "inside";
    EXPECT_EQ(TangentPointsFromPoint(0, 0, 0, 0, -5, x1, y1, x2, y2), 0) << "at the centre, negative radius";
}

TEST(GeomSolveLineCircle, SlopedAndVerticalLines)
{
    struct Case {
        const char* name;
        coord c;
        double r, m, k;
        int result;
        coord p1, p2;
    };
    const Case cases[] = {
        {"vertical line touching", {0, 3}, 5, kVerticalSlope, 5, 1, {5, 3}, {}},
        {"vertical line crossing", {0, 0}, 5, kVerticalSlope, 3, 2, {3, 4}, {3, -4}},
        {"vertical line missing", {0, 0}, 5, kVerticalSlope, 6, 0, {}, {}},
        {"horizontal through the centre", {1, 1}, 2, 0, 1, 2, {3, 1}, {-1, 1}},
        {"horizontal touching", {0, 0}, 2, 0, 2, 1, {0, 2}, {}},
        {"diagonal", {0, 0}, std::sqrt(2.0), 1, 0, 2, {1, 1}, {-1, -1}},
        {"missing", {0, 0}, 1, 1, 5, 0, {}, {}},
    };
    for (const Case& c : cases) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(SolveLineCircle(c.c.x, c.c.y, c.r, c.m, c.k, x1, y1, x2, y2), c.result) << c.name;
        if (c.result >= 1) {
            EXPECT_TRUE(Near({x1, y1}, c.p1, 1e-9)) << c.name;
        }
        if (c.result == 2) {
            EXPECT_TRUE(Near({x2, y2}, c.p2, 1e-9)) << c.name;
        }
    }
}

TEST(GeomSolveCircleCircle, CrossingTouchingAndNested)
{
    struct Case {
        const char* name;
        coord c1;
        double r1;
        coord c2;
        double r2;
        int result;
        coord p1, p2;
    };
    const Case cases[] = {
        {"crossing", {0, 0}, 5, {8, 0}, 5, 2, {4, 3}, {4, -3}},
        {"touching from outside", {0, 0}, 5, {10, 0}, 5, 0, {}, {}},
        {"apart", {0, 0}, 5, {20, 0}, 5, 0, {}, {}},
        {"nested", {0, 0}, 10, {1, 0}, 2, 0, {}, {}},
        {"nested, the small one first", {1, 0}, 2, {0, 0}, 10, 0, {}, {}},
        {"concentric", {3, 3}, 10, {3, 3}, 5, 0, {}, {}},
        {"same circle", {3, 3}, 5, {3, 3}, 5, 0, {}, {}},
        {"touching from inside", {0, 0}, 10, {4, 0}, 6, 1, {10, 0}, {}},
        {"first radius 0", {0, 0}, 0, {5, 0}, 5, 0, {}, {}},
    };
    for (const Case& c : cases) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(SolveCircleCircle(c.c1.x, c.c1.y, c.r1, c.c2.x, c.c2.y, c.r2, x1, y1, x2, y2), c.result)
            << c.name;
        if (c.result >= 1) {
            EXPECT_TRUE(Near({x1, y1}, c.p1, 1e-9)) << c.name;
        }
        if (c.result == 2) {
            EXPECT_TRUE(Near({x2, y2}, c.p2, 1e-9)) << c.name;
        }
    }
}

TEST(GeomCircumCentre, CentreOrNone)
{
    struct Case {
        const char* name;
        coord p1, p2, p3;
        bool found;
        coord centre;
    };
    const Case cases[] = {
        {"general", {5, 0}, {0, 5}, {-5, 0}, true, {0, 0}},
        {"chord P2P3 horizontal", {0, 5}, {-5, 0}, {5, 0}, true, {0, 0}},
        {"chord P1P2 horizontal", {-4, 3}, {4, 3}, {0, -5}, true, {0, 0}},
        {"shifted", {12, 7}, {7, 12}, {2, 7}, true, {7, 7}},
        {"collinear", {0, 0}, {1, 1}, {2, 2}, false, {}},
        {"collinear horizontal", {0, 1}, {1, 1}, {2, 1}, false, {}},
        {"two points equal", {1, 1}, {1, 1}, {4, 5}, false, {}},
    };
    for (const Case& c : cases) {
        double x = -99, y = -99;
        ASSERT_EQ(CircumCentre(c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y, x, y), c.found) << c.name;
        if (c.found)
            EXPECT_TRUE(Near({x, y}, c.centre, 1e-9)) << c.name;
        else
            EXPECT_TRUE(Near({x, y}, {-99, -99}, 0)) << c.name << ": outputs left unchanged";
    }
}
