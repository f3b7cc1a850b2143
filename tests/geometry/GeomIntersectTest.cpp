#include "geometry/GeomIntersect.h"
#include "geometry/GeomSegmentTests.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using die::coord;
using geomtest::Near;
using geomtest::SamePoints;
using Geom::PointList;

TEST(GeomSegmentsCross, CrossTouchAndMiss)
{
    struct Case {
        coord u, p, q;
        bool crosses;
    };
    const Case cases[] = {
        {{10, 0}, {5, -5}, {5, 5}, true},
        {{10, 0}, {5, 1}, {5, 5}, false},
        {{10, 0}, {10, 0.00001}, {10, 5}, true},  // touching the end of u
        {{10, 0}, {11, -5}, {11, 5}, false},      // beyond the end of u
        {{10, 0}, {-1, -5}, {-1, 5}, false},      // behind the origin
        {{10, 0}, {5, 0.00005}, {5, 5}, true},    // within 0.0001 of the line
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Geom::SegmentsCross(c.u, c.p, c.q), c.crosses)
            << "u (" << c.u.x << ", " << c.u.y << ") P (" << c.p.x << ", " << c.p.y << ") Q (" << c.q.x << ", "
            << c.q.y << ")";
        EXPECT_EQ(Geom::SegmentsCross(c.u.x, c.u.y, c.p.x, c.p.y, c.q.x, c.q.y), c.crosses);
    }
}

TEST(GeomBoxesOverlap, SeparatedTouchingAndNormalised)
{
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
        bool normalise, overlap;
    };
    // The other box is (0, 0)-(10, 10).
    const Case cases[] = {
        {"inside", 2, 2, 3, 3, false, true},
        {"touching edge", 10, 2, 12, 3, false, true},
        {"left", -5, 2, -1, 3, false, false},
        {"above", 2, 11, 3, 12, false, false},
        {"corners reversed, normalised", 12, 3, 5, 1, true, true},
        {"corners reversed, as given", 12, 3, 5, 1, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Geom::BoxesOverlap(c.x1, c.y1, c.x2, c.y2, 0, 0, 10, 10, c.normalise), c.overlap) << c.name;
}

TEST(GeomIntersectLines, SegmentCases)
{
    struct Case {
        const char* name;
        coord s1, e1, s2, e2;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, {{5, 5}}},
        {"at the end point of the second", {0, 0}, {10, 0}, {5, 0}, {5, 5}, {{5, 0}}},
        {"at the end point of the first", {5, 0}, {5, 5}, {0, 0}, {10, 0}, {{5, 0}}},
        {"within 0.0001 of touching", {0, 0}, {10, 0}, {5, 0.00005}, {5, 5}, {{5, 0}}},
        {"touching at a shallow angle: where the segments come closest", {0, 0}, {10, 0}, {5, 0.00005},
         {15, 0.01005}, {{5, 0.000025}}},
        {"missing", {0, 0}, {10, 0}, {5, 1}, {5, 5}, {}},
        {"parallel", {0, 0}, {10, 0}, {0, 1}, {10, 1}, {}},
        {"collinear overlapping", {0, 0}, {10, 0}, {5, 0}, {15, 0}, {}},
        {"zero length on the line", {0, 0}, {10, 0}, {20, 0}, {20, 0}, {}},
        {"zero length on the segment", {0, 0}, {10, 0}, {5, 0}, {5, 0}, {}},
        {"first of zero length", {5, 0}, {5, 0}, {0, 0}, {10, 0}, {}},
        {"both of zero length, apart", {1, 1}, {1, 1}, {3, 3}, {3, 3}, {}},
    };
    for (const Case& c : cases) {
        PointList list{{-1, -1}};
        Geom::IntersectLines(c.s1, c.e1, c.s2, c.e2, list);
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list.front(), coord(-1, -1)) << c.name << ": the list is only appended to";
        list.erase(list.begin());
        EXPECT_TRUE(SamePoints(list, c.points, 1e-9)) << c.name;
    }
}

TEST(GeomIntersectLineArc, SegmentAndArcCases)
{
    // Circle about the origin with radius 10.
    const coord full{10, 0};
    const coord quarterStart{0, 10}, quarterEnd{10, 0};  // first quadrant
    const coord threeQuarterStart{10, 0}, threeQuarterEnd{0, 10};  // quadrants 2 to 4
    const double h = std::sqrt(75.0);
    struct Case {
        const char* name;
        coord p1, p2, start, end;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"full circle, order F + h·u first", {-20, 0}, {20, 0}, full, full, {{10, 0}, {-10, 0}}},
        {"tangent, foot outside the segment", {-20, 10}, {-15, 10}, full, full, {{0, 10}}},
        {"tangent within 0.001", {-20, 10.0005}, {20, 10.0005}, quarterStart, quarterEnd, {{0, 10.0005}}},
        {"start point on the circle included", {10, 0}, {20, 0}, full, full, {{10, 0}}},
        {"end point on the circle excluded", {20, 0}, {10, 0}, full, full, {}},
        {"quarter arc", {-20, 5}, {20, 5}, quarterStart, quarterEnd, {{h, 5}}},
        {"three-quarter arc, gap side", {-20, 5}, {20, 5}, threeQuarterStart, threeQuarterEnd, {{-h, 5}}},
        {"three-quarter arc, beyond half a turn", {-20, -5}, {20, -5}, threeQuarterStart, threeQuarterEnd,
         {{h, -5}, {-h, -5}}},
        {"missing", {-20, 15}, {20, 15}, full, full, {}},
        {"zero-length segment", {5, 5}, {5, 5}, full, full, {}},
        {"zero-length segment on the circle", {10, 0}, {10, 0}, full, full, {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectLineArc(c.p1, c.p2, {0, 0}, c.start, c.end, 10, list);
        EXPECT_TRUE(SamePoints(list, c.points, 1e-9)) << c.name;
    }
}

TEST(GeomIntersectCircles, ArcCases)
{
    struct Arc {
        coord c, s, e;
        double r;
    };
    const Arc unitFull{{0, 0}, {10, 0}, {10, 0}, 10};
    const Arc quarter{{0, 0}, {0, 10}, {10, 0}, 10};        // first quadrant
    const Arc threeQuarter{{0, 0}, {10, 0}, {0, 10}, 10};   // quadrants 2 to 4
    const Arc right{{12, 0}, {20, 0}, {20, 0}, 8};          // crosses at x = 7.5
    const Arc left{{-12, 0}, {-4, 0}, {-4, 0}, 8};          // crosses at x = -7.5
    const double h = std::sqrt(100.0 - 56.25);
    struct Case {
        const char* name;
        Arc a, b;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"touching from outside within 0.001", {{0, 0}, {10, 0}, {10, 0}, 10},
         {{30.0005, 0}, {50.0005, 0}, {50.0005, 0}, 20}, {{10, 0}}},
        {"full circles, order +h·n first", {{0, 0}, {5, 0}, {5, 0}, 5}, {{8, 0}, {13, 0}, {13, 0}, 5}, {{4, 3}, {4, -3}}},
        {"quarter arc keeps its side of the chord", quarter, right, {{7.5, h}}},
        {"three-quarter arc keeps the other side", threeQuarter, right, {{7.5, -h}}},
        {"three-quarter arc beyond half a turn", threeQuarter, left, {{-7.5, -h}, {-7.5, h}}},
        {"second arc tested too", right, quarter, {{7.5, h}}},
        {"concentric", unitFull, {{0, 0}, {5, 0}, {5, 0}, 5}, {}},
        {"same circle", unitFull, unitFull, {}},
        {"nested", unitFull, {{1, 0}, {3, 0}, {3, 0}, 2}, {}},
        {"nested, the small one first", {{1, 0}, {3, 0}, {3, 0}, 2}, unitFull, {}},
        {"apart", unitFull, {{30, 0}, {35, 0}, {35, 0}, 5}, {}},
        {"touching inside, the large one first", unitFull, {{4, 0}, {10, 0}, {10, 0}, 6}, {{10, 0}}},
        {"touching inside, the small one first", {{4, 0}, {10, 0}, {10, 0}, 6}, unitFull, {{10, 0}}},
        {"touching inside within 0.001", unitFull, {{-4.0005, 0}, {-10, 0}, {-10, 0}, 6}, {{-10, 0}}},
        {"touching inside off the arc", quarter, {{-4, 0}, {-10, 0}, {-10, 0}, 6}, {}},
        {"touching inside, nearly the same radius", unitFull, {{-0.0001, 0}, {10, 0}, {10, 0}, 10.0001}, {{10, 0}}},
        {"the same radius 0.0005 apart: two crossings", unitFull, {{0.0005, 0}, {10, 0}, {10, 0}, 10},
         {{0.00025, std::sqrt(100 - 0.00025 * 0.00025)}, {0.00025, -std::sqrt(100 - 0.00025 * 0.00025)}}},
        {"two zero radii at one centre", {{0, 0}, {0, 0}, {0, 0}, 0}, {{0, 0}, {0, 0}, {0, 0}, 0}, {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectCircles(c.a.c, c.a.s, c.a.e, c.a.r, c.b.c, c.b.s, c.b.e, c.b.r, list);
        EXPECT_TRUE(SamePoints(list, c.points, 1e-6)) << c.name;
    }
}

TEST(GeomCircleThrough3Points, CentreOrOrigin)
{
    struct Case {
        const char* name;
        coord p1, p2, p3;
        bool found;
        coord centre;
    };
    const Case cases[] = {
        {"counter-clockwise", {15, 2}, {10, 7}, {5, 2}, true, {10, 2}},
        {"clockwise", {5, 2}, {10, 7}, {15, 2}, true, {10, 2}},
        {"collinear", {0, 0}, {1, 1}, {2, 2}, false, {0, 0}},
        {"centre beyond 1000 chord lengths", {0, 0}, {1, 1e-6}, {2, 0}, false, {0, 0}},
    };
    for (const Case& c : cases) {
        coord centre(-1, -1);
        EXPECT_EQ(Geom::CircleThrough3Points(c.p1, c.p2, c.p3, centre), c.found) << c.name;
        EXPECT_TRUE(Near(Geom::CircleThrough3Points(c.p1, c.p2, c.p3), c.centre, 1e-9)) << c.name;
    }
}
