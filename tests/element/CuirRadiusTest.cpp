#include "element/CuirRadius.h"

#include <gtest/gtest.h>

namespace {

TEST(CuirRadius, StepsAlongTheSeriesAndStopsAtItsEnds)
{
    const struct {
        double radius;
        bool up;
        double want;
    } cases[] = {
        {30, true, 40}, {40, true, 40}, {40, false, 30}, {21, false, 21}, {21, true, 30},
        {-5, true, 21}, {-5, false, 21}, {25, true, 25}, {25, false, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepCuirRadius(c.radius, c.up), c.want) << c.radius << (c.up ? " up" : " down");
}

} // namespace
