#include "geometry/GeomConstants.h"
#include "geometry/GeomPolylineIntersect.h"

#include "GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using die::coord;
using Geom::PointList;
using geomtest::EllipseError;
using geomtest::SamePoints;

namespace {

const std::vector<coord> zigzag{{0, 0}, {10, 10}, {20, 0}, {30, 10}};

} // namespace

TEST(GeomIntersectPolylineLine, PointsInPolylineOrder)
{
    struct Case {
        const char* name;
        std::vector<coord> polyline;
        coord p1, p2;
        std::vector<coord> points;
    };
    const Case cases[] = {
        {"three crossings", zigzag, {-5, 5}, {35, 5}, {{5, 5}, {15, 5}, {25, 5}}},
        {"short segment", zigzag, {14, 5}, {16, 5}, {{15, 5}}},
        {"outside every box", zigzag, {40, 5}, {50, 5}, {}},
        {"one point", {{0, 0}}, {-5, 0}, {5, 0}, {}},
        {"no points", {}, {-5, 0}, {5, 0}, {}},
    };
    for (const Case& c : cases) {
        PointList list;
        Geom::IntersectPolylineLine(c.polyline, c.p1, c.p2, list);
        EXPECT_TRUE(SamePoints(list, c.points, 1e-9)) << c.name;
    }
}

TEST(GeomIntersectPolylineArc, EachSegmentAgainstTheArc)
{
    const std::vector<coord> square{{-20, -5}, {20, -5}, {20, 5}, {-20, 5}};
    const double x = std::sqrt(75.0);
    PointList list;
    Geom::IntersectPolylineArc(square, {0, 0}, {10, 0}, {10, 0}, 10, list);
    EXPECT_TRUE(SamePoints(list, {{x, -5}, {-x, -5}, {-x, 5}, {x, 5}}, 1e-9));
    list.clear();
    Geom::IntersectPolylineArc(square, {100, 0}, {110, 0}, {110, 0}, 10, list);
    EXPECT_TRUE(list.empty());
}

TEST(GeomIntersectPolylineEllipseArc, TurnedEllipseIsInsideThePreTestBox)
{
    // Major axis at 120°: the crossing at 45 mm along it lies far outside the
    // box of the unturned semi-axes (±50, ±10).
    const double rho = Geom::DegToRad(120);
    const coord along(std::cos(rho), std::sin(rho));
    const coord onAxis = along * 45.0;
    const Geom::EllipseArc ellipse{{0, 0}, along * 50.0, along * 50.0, 50, 10, rho};
    const std::vector<coord> polyline{onAxis + coord(-20, 0), onAxis + coord(20, 0)};
    PointList list;
    Geom::IntersectPolylineEllipseArc(polyline, ellipse, list);
    ASSERT_EQ(list.size(), 2u);
    for (const coord& p : list)
        EXPECT_LT(EllipseError(p, {0, 0}, 50, 10, rho), 1e-9);
}

TEST(GeomIntersectPolylines, ForEachSegmentOfTheFirst)
{
    const std::vector<coord> flat{{-5, 5}, {12, 5}, {35, 5}};
    PointList list;
    Geom::IntersectPolylines(zigzag, flat, list);
    EXPECT_TRUE(SamePoints(list, {{5, 5}, {15, 5}, {25, 5}}, 1e-9));
    list.clear();
    Geom::IntersectPolylines(flat, zigzag, list);
    EXPECT_TRUE(SamePoints(list, {{5, 5}, {15, 5}, {25, 5}}, 1e-9));
    list.clear();
    Geom::IntersectPolylines(zigzag, std::vector<coord>{{15, 5}}, list);
    EXPECT_TRUE(list.empty()) << "a single point crosses nothing";
}
