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
    EXPECT_TRUE(Near(CurveFitter(start, 1).Tangents()[0], coord(-0.6, -0.8), 1e-12));
    const std::vector<coord> end = {{0, 0}, {5, 0}, {8, 4}, {8, 4}};
    EXPECT_TRUE(Near(CurveFitter(end, 1).Tangents()[3], coord(-0.6, -0.8), 1e-12));
}

// Before normalising the start tangent is (4·|d1| − 2)·d1: along the line for
// a first chord longer than 0.5 mm, against it for a shorter one.
TEST(CurveFitterTest, CollinearPointsTurnTheEndTangentsBelowHalfAMillimetre)
{
    struct Case {
        double spacing;
        double expectedX;
    } cases[] = {{1.0, 1.0}, {0.25, -1.0}};
    for (const Case& c : cases) {
        std::vector<coord> points;
        for (int i = 0; i < 5; ++i)
            points.emplace_back(i * c.spacing, 0.0);
        CurveFitter fitter(points, 2);
        ASSERT_EQ(fitter.Tangents().size(), points.size());
        EXPECT_TRUE(Near(fitter.Tangents().front(), coord(c.expectedX, 0), 1e-12)) << c.spacing;
        EXPECT_TRUE(Near(fitter.Tangents().back(), coord(c.expectedX, 0), 1e-12)) << c.spacing;
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
