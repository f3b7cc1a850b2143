#include "geometry/GeomConstants.h"
#include "geometry/GeomEllipseIntersect.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using die::coord;
using Geom::EllipseArc;
using Geom::kHalfPi;
using Geom::PointList;
using geomtest::EllipseError;
using geomtest::SamePoints;

namespace {

EllipseArc fullEllipse(coord centre, double p, double q, double rho)
{
    const coord onIt = centre + coord(p * std::cos(rho), p * std::sin(rho));
    return {centre, onIt, onIt, p, q, rho};
}

// The crossings are found on the exact curves.
constexpr double kExact = 1e-9;

} // namespace

TEST(GeomIntersectLineEllipseArc, SegmentCases)
{
    const EllipseArc full = fullEllipse({0, 0}, 10, 5, 0);
    const EllipseArc upperHalf{{0, 0}, {-10, 0}, {10, 0}, 10, 5, 0};
    const double y = std::sqrt(18.75);
    struct Case {
        const char* name;
        EllipseArc arc;
        coord p1, p2;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"along the first axis", full, {-20, 0}, {20, 0}, {{10, 0}, {-10, 0}}},
        {"turned a quarter", fullEllipse({0, 0}, 10, 5, kHalfPi), {0, -20}, {0, 20}, {{0, 10}, {0, -10}}},
        {"upper half keeps its side", upperHalf, {5, -10}, {5, 10}, {{5, y}}},
        {"tangent", full, {-20, 5}, {20, 5}, {{0, 5}}},
        {"moved", fullEllipse({100, 50}, 10, 5, 0), {80, 50}, {120, 50}, {{110, 50}, {90, 50}}},
        {"zero-length segment", full, {3, 3}, {3, 3}, {}},
        {"flat ellipse", EllipseArc{{0, 0}, {10, 0}, {10, 0}, 10, 0, 0}, {0, -5}, {0, 5}, {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectLineEllipseArc(c.arc, c.p1, c.p2, list);
        EXPECT_TRUE(SamePoints(list, c.points, 1e-9)) << c.name;
    }
}

TEST(GeomIntersectEllipseArcCircleArc, ArcCases)
{
    const EllipseArc full = fullEllipse({0, 0}, 100, 50, 0);
    const EllipseArc upperHalf{{0, 0}, {-100, 0}, {100, 0}, 100, 50, 0};
    const coord circle{70, 0};  // start = end: the full circle of radius 70 about the origin
    const double x = std::sqrt(3200.0), y = std::sqrt(1700.0);
    const double tol = kExact;
    struct Case {
        const char* name;
        EllipseArc arc;
        coord start, end;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"full, in the order of the ellipse's parameter", full, circle, circle, {{x, y}, {-x, y}, {-x, -y}, {x, -y}}},
        {"upper half of the ellipse", upperHalf, circle, circle, {{x, y}, {-x, y}}},
        {"quarter of the circle", full, {0, 70}, {70, 0}, {{x, y}}},
        {"flat ellipse", EllipseArc{{0, 0}, {100, 0}, {100, 0}, 100, 0, 0}, circle, circle, {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectEllipseArcCircleArc(c.arc, {0, 0}, c.start, c.end, 70, list);
        EXPECT_TRUE(SamePoints(list, c.points, tol)) << c.name;
    }
}

TEST(GeomIntersectEllipseArcCircleArc, PointsLieOnTheEllipse)
{
    // A circle that an approximation of the ellipse by circular arcs meets
    // far from the ellipse; only points on the ellipse may come back.
    const EllipseArc full = fullEllipse({0, 0}, 100, 80, 0);
    const coord centre(-103.72300304651407, 130.23444212586828);
    const double radius = 114.97661929574437;
    PointList list;
    Geom::IntersectEllipseArcCircleArc(full, centre, centre + coord(radius, 0), centre + coord(radius, 0), radius,
                                       list);
    for (const coord& p : list)
        EXPECT_LT(EllipseError(p, full.centre, 100, 80, 0), kExact) << p.x << ", " << p.y;
}

TEST(GeomIntersectEllipseArcs, CrossedEllipses)
{
    const double x = std::sqrt(2000.0);
    const double tol = kExact;
    const double turn = Geom::DegToRad(30);
    auto turned = [&](coord p) {
        return coord(10, 20) + coord(p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn));
    };
    struct Case {
        const char* name;
        EllipseArc a, b;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"full", fullEllipse({0, 0}, 100, 50, 0), fullEllipse({0, 0}, 100, 50, kHalfPi),
         {{x, x}, {-x, x}, {-x, -x}, {x, -x}}},
        {"upper half of the first", EllipseArc{{0, 0}, {-100, 0}, {100, 0}, 100, 50, 0},
         fullEllipse({0, 0}, 100, 50, kHalfPi), {{x, x}, {-x, x}}},
        {"both turned and moved", fullEllipse({10, 20}, 100, 50, turn), fullEllipse({10, 20}, 100, 50, turn + kHalfPi),
         {turned({x, x}), turned({-x, x}), turned({-x, -x}), turned({x, -x})}},
        {"apart", fullEllipse({0, 0}, 100, 50, 0), fullEllipse({500, 0}, 100, 50, 0), {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectEllipseArcs(c.a, c.b, list);
        EXPECT_TRUE(SamePoints(list, c.points, tol)) << c.name;
    }
}

// Crossings at the ends of the axes (where an approximation by 24 arcs has
// two arcs meet), shallow crossings and close pairs of crossings with a flat
// ellipse (where such arcs stand in worst for it): each crossing is reported
// once, on both curves.
TEST(GeomIntersectEllipseArcCircleArc, EachCrossingOnceAndOnBothCurves)
{
    struct Case {
        const char* name;
        double p, q;
        coord centre;
        double radius;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"through the end of the first axis", 100, 50, {100, 40}, 40, {{100, 0}, {60, 40}}},
        {"through the end of the second axis", 100, 50, {20, 50}, 20,
         {{0, 50}, {39.57881174027273, 45.91709284468053}}},
        {"touching inside at the end of the first axis", 100, 50, {90, 0}, 10, {{100, 0}}},
        {"shallow crossings with a flat ellipse", 100, 10, {0, -790.2}, 800,
         {{84.93129622073565, 5.2788965913964025}, {-84.93129622073562, 5.278896591396406}}},
        {"two crossings close together at the end of a flat ellipse", 100, 10,
         {102.23641812376718, 0.67440839063412472}, 2.318684477134048,
         {{99.99742711638991, 0.07173354182580521}, {99.94181994802508, 0.34106634950597303}}},
    };
    for (const Case& c : cases) {
        const EllipseArc ellipse = fullEllipse({0, 0}, c.p, c.q, 0);
        const coord onCircle = c.centre + coord(c.radius, 0);
        PointList list;
        Geom::IntersectEllipseArcCircleArc(ellipse, c.centre, onCircle, onCircle, c.radius, list);
        EXPECT_TRUE(geomtest::SamePointSet(list, c.points, 1e-6)) << c.name;
    }
}

TEST(GeomIntersectEllipseArcs, CrossingAtTheEndOfAnAxisOnceAndInEitherOrder)
{
    const EllipseArc first = fullEllipse({0, 0}, 100, 50, 0);
    const EllipseArc second = fullEllipse({100, 30}, 20, 30, 0);
    const std::vector<coord> points{{100, 0}, {80, 30}};
    PointList list;
    Geom::IntersectEllipseArcs(first, second, list);
    EXPECT_TRUE(geomtest::SamePointSet(list, points, 1e-6));
    list.clear();
    Geom::IntersectEllipseArcs(second, first, list);
    EXPECT_TRUE(geomtest::SamePointSet(list, points, 1e-6));
}
