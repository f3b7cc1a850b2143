#include "view/PixelRound.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using platform::DevicePoint;

TEST(PixelRoundTest, RoundsToTheNearestPixelWithHalvesUp)
{
    struct Case {
        double pixels;
        int expected;
    };
    const Case cases[] = {{2.4, 2},   {2.5, 3},   {-0.4, 0},  {-0.5, 0},
                          {-0.6, -1}, {-2.5, -2}, {-2.6, -3}, {1e12, 1000000000},
                          {-1e12, -1000000000}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundPixel(c.pixels), c.expected) << c.pixels;
}

// Scale 2, origin (100, 100).
TEST(PixelRoundTest, MapsModelPointsUnderBothMirrors)
{
    struct Case {
        const char* name;
        die::coord model;
        bool mirrored;
        bool yDown;
        DevicePoint expected;
    };
    const Case cases[] = {
        {"plain", {10, 10}, false, false, {120, 80}},
        {"mirrored", {10, 10}, true, false, {80, 80}},
        {"y down", {10, 10}, false, true, {120, 120}},
        {"both", {10, 10}, true, true, {80, 120}},
        {"negative x rounds away from the origin", {-0.3, 0}, false, false, {99, 100}},
        {"negative y rounds away from the origin", {0, -0.3}, false, false, {100, 101}},
        {"mirrored negative", {-0.3, 0}, true, false, {101, 100}},
    };
    for (const Case& c : cases) {
        const ViewMapping m{2.0, {100, 100}, c.mirrored, c.yDown};
        EXPECT_EQ(m.ToDevice(c.model), c.expected) << c.name;
        // A whole pixel goes back to the model point it shows.
        const die::coord back = m.ToModel(c.expected);
        EXPECT_EQ(m.ToDevice(back), c.expected) << c.name;
    }
}

TEST(PixelRoundTest, LengthsRoundLikePoints)
{
    const ViewMapping m{3.0, {0, 0}, false, false};
    EXPECT_EQ(m.ToDeviceLength(0.5), 2); // 1.5 → 2
    EXPECT_EQ(m.ToDeviceLength(-0.5), -1); // −1.5 → −1
}

} // namespace
