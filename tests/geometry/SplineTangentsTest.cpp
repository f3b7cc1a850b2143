#include "geometry/SplineTangents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using W = SplineWindow;

TEST(SplineTangentsTest, WindowsShareThreePoints)
{
    const struct {
        int n;
        int size;
        std::vector<W> windows;
    } cases[] = {
        {3, 20, {{0, 2}}},
        {20, 20, {{0, 19}}},
        {21, 20, {{0, 19}, {17, 20}}},
        {40, 20, {{0, 19}, {17, 39}, {37, 39}}},
        {45, 20, {{0, 19}, {17, 39}, {37, 44}}},
        {15, 15, {{0, 14}}},
        {16, 15, {{0, 14}, {12, 15}}},
        {2, 20, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplineWindows(c.n, c.size), c.windows) << c.n << " points, windows of " << c.size;
}

// Every tangent of a long spline is finite and the windows join: the
// tangents of the shared points come from the later window.
TEST(SplineTangentsTest, LongSplinesSolveInEveryWindow)
{
    std::vector<die::coord> points;
    for (int i = 0; i < 47; ++i)
        points.emplace_back(i * 5.0, std::sin(i * 0.4) * 8.0);
    for (const SplineWindowRules& rules : {kCurveFitterRules, kSplineElementRules}) {
        const std::vector<die::coord> t = SolveSplineTangents(points, rules);
        ASSERT_EQ(t.size(), points.size());
        for (const die::coord& v : t)
            EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
        EXPECT_NEAR(std::hypot(t.back().x, t.back().y), 1.0, 1e-12); // an end tangent
        EXPECT_GT(t[20].x, 1.0); // a free tangent, in millimetres per span
    }
}

// The element's rules truncate the end vector to whole millimetres; with
// nothing left the end chord gives the direction.
TEST(SplineTangentsTest, WholeEndVectorsFallBackToTheChord)
{
    const std::vector<die::coord> points = {{0, 0}, {0.3, 0.4}, {0.6, 0}};
    const std::vector<die::coord> fitter = SolveSplineTangents(points, kCurveFitterRules);
    const std::vector<die::coord> element = SolveSplineTangents(points, kSplineElementRules);
    EXPECT_NEAR(element[0].x, 0.6, 1e-12);
    EXPECT_NEAR(element[0].y, 0.8, 1e-12);
    EXPECT_NEAR(element[2].x, 0.6, 1e-12);
    EXPECT_NEAR(element[2].y, -0.8, 1e-12);
    EXPECT_NE(fitter[0].x, element[0].x); // the fitter keeps the fraction
}

} // namespace
