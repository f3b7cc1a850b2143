#include "geometry/GeomConstants.h"
#include "geometry/GeomPolylineIntersect.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using die::coord;
using Geom::PointList;
using geomtest::EllipseError;
using geomtest::SamePoints;

namespace {

const std::vector<coord> zigzag{{0, 0}, {10, 10}, {20, 0}, {30, 10}};
// Crosses the line from (-10, -0.0001) to (10, 0.0001) at a shallow angle
// just after its middle point, which lies within the touching tolerance of
// that line.
const std::vector<coord> shallow{{-10, -0.01}, {0, -1e-6}, {10, 0.01}};
const coord shallowCrossing = coord(1, 1e-5) * (1e-6 / (0.0010001 - 1e-5));
const std::vector<coord> closedSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};

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
        {"through a corner", zigzag, {10, -5}, {10, 20}, {{10, 10}}},
        {"through the corner that closes the polyline", closedSquare, {-5, 5}, {5, -5}, {{0, 0}}},
        {"shallow crossing beside a corner", shallow, {-10, -1e-4}, {10, 1e-4}, {shallowCrossing}},
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
    // Both segments that meet at the touching point find it: it comes once.
    list.clear();
    Geom::IntersectPolylineArc(std::vector<coord>{{-5, 9.9996}, {0, 9.9996}, {5, 9.9996}}, {0, 0}, {10, 0},
                               {10, 0}, 10, list);
    EXPECT_TRUE(SamePoints(list, {{0, 9.9996}}, 1e-9));
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
    Geom::IntersectPolylines(shallow, std::vector<coord>{{-10, -1e-4}, {0, 0}, {10, 1e-4}}, list);
    EXPECT_TRUE(SamePoints(list, {shallowCrossing}, 1e-9)) << "shallow crossing beside the corners of both";
    list.clear();
    Geom::IntersectPolylines(zigzag, std::vector<coord>{{15, 5}}, list);
    EXPECT_TRUE(list.empty()) << "a single point crosses nothing";
}

TEST(GeomIntersectPolylines, LongPolylinesGiveTheSamePointsAsSegmentBySegment)
{
    // Long second polylines are searched through a grid; the points and their
    // order must be those of crossing every segment of A with the whole of B.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> step(-3, 3);
    auto walk = [&](coord from, int n) {
        std::vector<coord> points{from};
        for (int i = 1; i < n; ++i)
            points.push_back(points.back() + coord(step(rng), step(rng)));
        return points;
    };
    auto wave = [](int n, double amplitude, double phase) {
        std::vector<coord> points;
        for (int i = 0; i < n; ++i)
            points.emplace_back(i * 0.5, amplitude * std::sin(i * 0.3 + phase));
        return points;
    };
    std::vector<coord> withLongSegment = walk({0, 0}, 300);
    withLongSegment.insert(withLongSegment.begin() + 150, {{-200, -200}, {200, 200}});
    std::vector<coord> withRepeats = walk({5, 5}, 200);
    for (size_t i = 0; i < withRepeats.size(); i += 7)
        withRepeats.insert(withRepeats.begin() + static_cast<std::ptrdiff_t>(i), withRepeats[i]);
    struct Case {
        const char* name;
        std::vector<coord> a, b;
    };
    const Case cases[] = {
        {"random walks", walk({0, 0}, 400), walk({2, 1}, 500)},
        {"waves", wave(300, 10, 0), wave(400, 8, 1)},
        {"flat second polyline", wave(300, 10, 0), wave(300, 0, 0)},
        {"one segment across everything", walk({0, 0}, 300), withLongSegment},
        {"repeated points", walk({5, 5}, 300), withRepeats},
    };
    for (const Case& c : cases) {
        PointList bySegment;
        for (size_t i = 0; i + 1 < c.a.size(); ++i)
            Geom::IntersectPolylineLine(c.b, c.a[i], c.a[i + 1], bySegment);
        PointList list;
        Geom::IntersectPolylines(c.a, c.b, list);
        EXPECT_FALSE(bySegment.empty()) << c.name;
        EXPECT_TRUE(SamePoints(list, bySegment, 0)) << c.name;
    }
}
