#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using die::coord;
using geomtest::Near;
using namespace Geom;

TEST(GeomVectorAngle, FoldsIntoTheQuadrantOfTheSigns)
{
    struct Case {
        double dy, dx, angle;
    };
    const Case cases[] = {
        {0, 0, kHalfPi},  // the zero vector, unlike Angle::FromVector
        {5, 0, kHalfPi},        {-5, 0, kThreeHalfPi},  {0, 3, 0.0},
        {0, -3, kPi},           {1, 1, kPi / 4},        {1, -1, 3 * kPi / 4},
        {-1, -1, 5 * kPi / 4},  {-1, 1, 7 * kPi / 4},   {-0.0, -2, kPi},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(VectorAngle(c.dy, c.dx), c.angle, 1e-12) << "dy " << c.dy << " dx " << c.dx;
}

TEST(GeomAngleBetween, TakesTheShortWayRound)
{
    struct Case {
        double a, b, between;
    };
    const Case cases[] = {
        {0.1, 6.2, kTwoPi - 6.1}, {6.2, 0.1, kTwoPi - 6.1}, {0.0, kPi, kPi},
        {1.0, 2.5, 1.5},          {2.5, 1.0, 1.5},          {3.0, 3.0, 0.0},
    };
    for (const Case& c : cases) {
        const double between = AngleBetween(c.a, c.b);
        EXPECT_NEAR(between, c.between, 1e-12) << c.a << " to " << c.b;
        EXPECT_LE(between, kPi);
    }
}

TEST(GeomTriangles, AreaAndSideTest)
{
    EXPECT_NEAR(TriangleArea(3, 4, 5), 6.0, 1e-12);
    EXPECT_EQ(TriangleArea(1, 2, 3), 0.0) << "flat triangle";
    EXPECT_EQ(TriangleArea(1, 1, 5), 0.0) << "no triangle: no square root of a negative";
    EXPECT_EQ(SidesFormTriangle(3, 4, 5), 1);
    EXPECT_EQ(SidesFormTriangle(1, 2, 3 + 5e-7), 1) << "within 1e-6";
    EXPECT_EQ(SidesFormTriangle(1, 2, 3.01), 0);
    EXPECT_EQ(SidesFormTriangle(10, 2, 3), 0);
}

TEST(GeomPointTests, DifferRectAndBetween)
{
    EXPECT_FALSE(PointsDiffer({1, 1}, {1 + 9e-7, 1 - 9e-7}));
    EXPECT_TRUE(PointsDiffer({1, 1}, {1 + 2e-6, 1}));
    EXPECT_TRUE(IsPointInRect(0, 5, 0, 0, 10, 5)) << "edges included";
    EXPECT_FALSE(IsPointInRect(-0.001, 5, 0, 0, 10, 5));
    EXPECT_TRUE(IsPointBetween(5, 0, 0, 0, 10, 0, 1e-9));
    EXPECT_TRUE(IsPointBetween(5, 0.01, 0, 0, 10, 0, 0.001)) << "|PA| + |PB| exceeds |AB| by 2e-5";
    EXPECT_FALSE(IsPointBetween(5, 1, 0, 0, 10, 0, 0.001));
    EXPECT_FALSE(IsPointBetween(11, 0, 0, 0, 10, 0, 0.001)) << "on the line beyond B";
}

TEST(GeomIntersectParam, MeetsTheLineThroughTheOrigin)
{
    struct Case {
        const char* name;
        double d1x, d1y, qx, qy, d2x, d2y, t;
    };
    const Case cases[] = {
        {"horizontal D1, Q below, D2 up", 1, 0, 3, -2, 0, 1, 2.0},
        {"vertical D1", 0, 1, 3, 5, -1, 0, 3.0},
        {"vertical D1 and D2", 0, 1, 3, 5, 0, 2, 0.0},
        {"parallel", 1, 1, 0, 3, 2, 2, 0.0},
        {"diagonal", 1, 1, 4, 0, -1, 0, 4.0},
        {"nearly vertical D1 stays finite", 1e-310, 1, 3, 5, -1, 0, 3.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(IntersectParam(c.d1x, c.d1y, c.qx, c.qy, c.d2x, c.d2y), c.t, 1e-9) << c.name;
}

TEST(GeomSnapResultCode, MapsFoundToMarker)
{
    EXPECT_EQ(SnapResultCode(1), 812);
    EXPECT_EQ(SnapResultCode(-3), 812);
    EXPECT_EQ(SnapResultCode(0), 813);
}

TEST(GeomArcSweep, RunsCounterClockwiseFromEndToStart)
{
    // Arc about (0, 0) of radius 10 from end (10, 0) counter-clockwise to start (0, 10).
    struct Case {
        const char* name;
        coord start, end, p;
        double tolerance;
        bool on, onStrict;
    };
    const double widen = 0.001;  // 0.01 mm at radius 10
    const coord justPastStart{10 * std::cos(kHalfPi + widen * 0.5), 10 * std::sin(kHalfPi + widen * 0.5)};
    const coord pastStartBeyondWidening{10 * std::cos(kHalfPi + widen * 1.5), 10 * std::sin(kHalfPi + widen * 1.5)};
    const coord justBeforeEnd{10 * std::cos(-widen * 0.5), 10 * std::sin(-widen * 0.5)};
    const Case cases[] = {
        {"inside", {0, 10}, {10, 0}, {7, 7}, 0.0, true, true},
        {"outside", {0, 10}, {10, 0}, {-7, -7}, 0.0, false, false},
        {"start widened", {0, 10}, {10, 0}, justPastStart, 0.01, true, false},
        {"past the widening", {0, 10}, {10, 0}, pastStartBeyondWidening, 0.01, false, false},
        {"end widened across 0", {0, 10}, {10, 0}, justBeforeEnd, 0.01, true, false},
        {"full circle", {0, 10}, {0, 10}, {-7, -7}, 0.0, true, true},
        {"three-quarter arc wrapping 0", {10, 0}, {0, 10}, {7, -7}, 0.0, true, true},
        {"three-quarter arc, gap", {10, 0}, {0, 10}, {7, 7}, 0.0, false, false},
        {"start on the centre widens nothing", {0, 0}, {10, 0}, {-1, 1e-9}, 0.5, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsOnArcSweep(0, 0, c.start.x, c.start.y, c.end.x, c.end.y, c.p.x, c.p.y, c.tolerance), c.on)
            << c.name;
        EXPECT_EQ(IsOnArcSweepStrict(0, 0, c.start.x, c.start.y, c.end.x, c.end.y, c.p.x, c.p.y, c.tolerance),
                  c.onStrict)
            << c.name;
    }
}

TEST(GeomScaleRotatePoint, InverseUndoesForward)
{
    double x = 3, y = 4;
    EXPECT_EQ(ScaleRotatePoint(x, y, 10, 20, 90, 2, 0.5, false), 0);
    EXPECT_TRUE(Near({x, y}, {10 - 2, 20 + 6}, 1e-12)) << "scaled to (6, 2), turned to (-2, 6), moved";
    EXPECT_EQ(ScaleRotatePoint(x, y, 10, 20, 90, 2, 0.5, true), 0);
    EXPECT_TRUE(Near({x, y}, {3, 4}, 1e-12));

    x = 3, y = 4;
    EXPECT_EQ(ScaleRotatePoint(x, y, 10, 20, 30, 0, 1, true), -1) << "a zero scale cannot be undone";
    EXPECT_EQ(x, 3.0);
    EXPECT_EQ(y, 4.0);
}
