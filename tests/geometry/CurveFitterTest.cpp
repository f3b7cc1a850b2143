#include "geometry/CurveFitter.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using die::coord;
using geomtest::Near;

std::vector<coord> Wavy(int n)
{
    std::vector<coord> points;
    for (int i = 0; i < n; ++i)
        points.emplace_back(i * 3.0, std::sin(i * 0.7) * 4.0 + (i % 3) * 0.5);
    return points;
}

constexpr int kMaxNodes = 32767;

std::vector<PathNode> Flattened(const std::vector<coord>& points, int resolution)
{
    CurveFitter fitter(points, resolution);
    std::vector<PathNode> path;
    fitter.Flatten(path, kMaxNodes);
    return path;
}

TEST(CurveFitterTest, SplinePoleIsSqrtThreeMinusTwo)
{
    EXPECT_DOUBLE_EQ(kSplinePole, std::sqrt(3.0) - 2.0);
}

// The curve passes through every point: the last sample of each span is the
// next point.
TEST(CurveFitterTest, CurvePassesThroughEveryPoint)
{
    for (int n : {3, 4, 15, 16, 30, 47}) {
        const std::vector<coord> points = Wavy(n);
        const std::vector<PathNode> path = Flattened(points, 8);
        ASSERT_EQ(path.size(), static_cast<std::size_t>((n - 1) * 8 + 1)) << n << " points";
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(Near({path[i * 8].x, path[i * 8].y}, points[i], 1e-9)) << n << " points, point " << i;
        double sum = 0.0;
        for (std::size_t k = 1; k < path.size(); ++k) {
            sum += path[k].length;
            EXPECT_NEAR(path[k].length, std::hypot(path[k].x - path[k - 1].x, path[k].y - path[k - 1].y), 1e-12);
        }
        EXPECT_GT(sum, 0.0);
    }
}

TEST(CurveFitterTest, EndTangentsAreUnitVectorsFromTheEndPoints)
{
    // Three points: the start tangent from the first three, the end tangent
    // from the last three, one free tangent and two spans.
    const std::vector<coord> points = {{0, 0}, {4, 3}, {8, 0}};
    CurveFitter fitter(points, 4);
    ASSERT_EQ(fitter.XSpans().size(), 2u);
    // d1 = (4, 3), d2 = (8, 0): k = 32 / 5, T = (2k·4 − 8, 2k·3) = (43.2, 38.4).
    EXPECT_TRUE(Near(fitter.Tangents()[0], coord(43.2, 38.4).Normalized(), 1e-12));
    // Mirrored at the end: d1 = (−4, 3), d2 = (−8, 0): T = −(2k·d1 − d2) = (43.2, −38.4).
    EXPECT_TRUE(Near(fitter.Tangents()[2], coord(43.2, -38.4).Normalized(), 1e-12));
    EXPECT_NEAR(fitter.Tangents()[1].y, 0.0, 1e-12); // symmetric curve: flat at the top
}

TEST(CurveFitterTest, CoincidentEndPointsGiveTheDirectionOfTheThirdPoint)
{
    const std::vector<coord> start = {{1, 1}, {1, 1}, {4, 5}, {9, 5}};
    EXPECT_TRUE(Near(CurveFitter(start, 1).Tangents()[0], coord(0.6, 0.8), 1e-12));
    const std::vector<coord> end = {{0, 0}, {5, 0}, {8, 4}, {8, 4}};
    EXPECT_TRUE(Near(CurveFitter(end, 1).Tangents()[3], coord(0.6, 0.8), 1e-12));
}

// The end condition carries a length: for equally spaced collinear points it
// is (4·|d1| − 2)·d1 before normalising, which would turn against the line
// below a first chord of 0.5 mm. The end tangents always run along the curve,
// so a curve through closely spaced points starts and ends without a hook.
TEST(CurveFitterTest, EndTangentsNeverTurnAgainstTheCurve)
{
    auto collinear = [](double spacing) {
        std::vector<coord> points;
        for (int i = 0; i < 5; ++i)
            points.emplace_back(i * spacing, 0.0);
        return points;
    };
    auto onCircle = [](double spacing) {
        std::vector<coord> points;
        for (int i = 0; i < 6; ++i)
            points.emplace_back(5.0 * std::sin(i * spacing / 5.0), 5.0 - 5.0 * std::cos(i * spacing / 5.0));
        return points;
    };
    struct Case {
        const char* name;
        std::vector<coord> points;
    } cases[] = {
        {"collinear, 1 mm apart", collinear(1.0)},
        {"collinear, 0.3 mm apart", collinear(0.3)},
        {"collinear, 0.25 mm apart", collinear(0.25)},
        {"on a circle, 0.3 mm apart", onCircle(0.3)},
        {"on a circle, 0.05 mm apart", onCircle(0.05)},
        {"first chord short, then long", {{0, 0}, {0.2, 0.05}, {3, 1}, {6, 0}}},
    };
    for (const Case& c : cases) {
        const std::vector<coord>& p = c.points;
        const std::vector<PathNode> path = Flattened(p, 20);
        ASSERT_GT(path.size(), 2u) << c.name;
        const coord first(path[1].x - path[0].x, path[1].y - path[0].y);
        const coord last(path.back().x - path[path.size() - 2].x, path.back().y - path[path.size() - 2].y);
        EXPECT_GT(dot(first, p[1] - p[0]), 0.0) << c.name;
        EXPECT_GT(dot(last, p.back() - p[p.size() - 2]), 0.0) << c.name;
        // Nothing before the first point or beyond the last along the curve's direction.
        const coord along = (p.back() - p.front()).Normalized();
        double lowest = 0.0, highest = 0.0;
        for (const PathNode& node : path) {
            lowest = std::fmin(lowest, dot(coord(node.x, node.y) - p.front(), along));
            highest = std::fmax(highest, dot(coord(node.x, node.y) - p.back(), along));
        }
        EXPECT_GE(lowest, -1e-9) << c.name << ": a hook before the start";
        EXPECT_LE(highest, 1e-9) << c.name << ": a hook beyond the end";
    }
}

TEST(CurveFitterTest, ResolutionDecidesTheSamples)
{
    const std::vector<coord> points = {{0, 0}, {10, 5}, {20, 0}, {30, 5}};
    EXPECT_EQ(Flattened(points, 0).size(), 1u);
    EXPECT_EQ(Flattened(points, -3).size(), 1u);
    EXPECT_EQ(Flattened(points, 10).size(), 31u);
    // Samples closer than 1e-6 to the previous one are dropped: four equal
    // points flatten to one node.
    const std::vector<coord> same(4, coord(2, 3));
    const std::vector<PathNode> path = Flattened(same, 10);
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0].length, 0.0);
}

// The length is the fitted curve's own: its samples at the display's 10 a
// span fall short by far more than a micrometre, a thousand a span
// converge on it.
TEST(CurveFitterTest, LengthIsTheCurvesOwn)
{
    const std::vector<coord> points = Wavy(12);
    const auto sum = [](const std::vector<PathNode>& path) {
        double total = 0.0;
        for (const PathNode& n : path)
            total += n.length;
        return total;
    };
    const double length = CurveFitter(points, 10).Length();
    const double fine = sum(Flattened(points, 2000));
    EXPECT_NEAR(length, fine, 1e-5);
    EXPECT_GT(length - sum(Flattened(points, 10)), 1e-3);
    EXPECT_EQ(CurveFitter(std::vector<coord>{{0, 0}, {1, 1}}, 10).Length(), 0.0);
}

TEST(CurveFitterTest, HugeResolutionsStayWithinThePathBound)
{
    const std::vector<PathNode> path = Flattened(Wavy(10), 30000);
    EXPECT_LE(path.size(), std::size_t{kMaxNodes});
    EXPECT_GT(path.size(), 30000u);
}

// Windows of 15 points share 3 with the one before: a 16-point curve is
// solved as [0, 14] then [12, 15], so its tangents up to index 12 are those
// of the first 15 points alone; 15 points are one window.
TEST(CurveFitterTest, WindowsOfFifteenPointsShareThreePoints)
{
    const std::vector<coord> points = Wavy(46);
    const std::vector<coord> first15(points.begin(), points.begin() + 15);
    const CurveFitter alone(first15, 1);
    EXPECT_NEAR(alone.Tangents()[14].Length(), 1.0, 1e-12);
    for (int n : {16, 30, 46}) {
        const std::vector<coord> firstN(points.begin(), points.begin() + n);
        const CurveFitter fitter(firstN, 1);
        for (int i = 0; i <= 12; ++i)
            EXPECT_TRUE(Near(fitter.Tangents()[i], alone.Tangents()[i], 1e-12)) << n << " points, tangent " << i;
        EXPECT_FALSE(Near(fitter.Tangents()[14], alone.Tangents()[14], 1e-6)) << n << " points";
        EXPECT_NEAR(fitter.Tangents()[n - 1].Length(), 1.0, 1e-12);
    }
}

TEST(CurveFitterTest, HermiteToPowerMatchesTheBasis)
{
    const CubicCoefficients c = CurveFitter::HermiteToPower(1, 3, 2, -1);
    EXPECT_DOUBLE_EQ(c.At(0.0), 1.0);
    EXPECT_DOUBLE_EQ(c.At(1.0), 3.0);
    EXPECT_DOUBLE_EQ(c.c1, 2.0);                          // slope at 0
    EXPECT_DOUBLE_EQ(c.c1 + 2 * c.c2 + 3 * c.c3, -1.0);   // slope at 1
}

} // namespace
