#include "geometry/Angle.h"
#include "geometry/Coord.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using die::coord;
using geomtest::Near;
using Geom::kHalfPi;
using Geom::kPi;
using Geom::kThreeHalfPi;
using Geom::kTwoPi;

TEST(Angle, NormalizeBringsIntoOneTurn)
{
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {
        {kTwoPi, 0.0},
        {-0.5, kTwoPi - 0.5},
        {0.0, 0.0},
        {7.0, 7.0 - kTwoPi},
        {-3.0 * kTwoPi - 1.0, kTwoPi - 1.0},
        {-1e-17, 0.0},  // rounds to 2π on the way up, then down to 0
        {1e9 + 0.25, std::fmod(1e9 + 0.25, kTwoPi)},
        {std::numeric_limits<double>::infinity(), 0.0},
        {-std::numeric_limits<double>::infinity(), 0.0},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
    };
    for (const Case& c : cases) {
        Angle a(c.in);
        a.Normalize();
        EXPECT_NEAR(a.Radians(), c.out, 1e-9) << "from " << c.in;
        EXPECT_GE(a.Radians(), 0.0);
        EXPECT_LT(a.Radians(), kTwoPi);
    }
}

TEST(Angle, NormalizeDegreesTakesOneRemainder)
{
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {
        {0.0, 0.0},
        {540.0, 180.0},
        {360.0, 0.0},
        {-90.0, 270.0},
        {-1e-14, 0.0}, // rounds up to 360
        {1e300, std::fmod(1e300, 360.0)}, // adding turns one by one would never end
        {std::numeric_limits<double>::infinity(), 0.0},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
    };
    for (const Case& c : cases) {
        const double out = Angle::NormalizeDegrees(c.in);
        EXPECT_EQ(out, c.out) << "from " << c.in;
        EXPECT_GE(out, 0.0);
        EXPECT_LT(out, 360.0);
    }
}

TEST(Angle, FromVectorCoversTheAxesAndTheZeroVector)
{
    struct Case {
        coord v;
        double out;
    };
    const Case cases[] = {
        {{0, 0}, 0.0},          {{0, 2}, kHalfPi},          {{0, -2}, kThreeHalfPi},
        {{3, 0}, 0.0},          {{-3, 0}, kPi},             {{1, 1}, kPi / 4},
        {{1, -1}, kTwoPi - kPi / 4}, {{-1, -1}, kPi + kPi / 4},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Angle().FromVector(c.v), c.out, 1e-12) << c.v.x << ", " << c.v.y;
}

TEST(Coord, VectorOperations)
{
    EXPECT_TRUE(Near(coord().FromPolar(Angle(kHalfPi), 2.0), {0, 2}, 1e-12));
    EXPECT_TRUE(Near(coord(3, 4).Normalized(), {0.6, 0.8}, 1e-12));
    EXPECT_EQ(coord(0, 0).Normalized(), coord(0, 0));
    EXPECT_TRUE(Near(coord(3, 4).WithLength(-10), {-6, -8}, 1e-12));
    EXPECT_EQ(coord(0, 0).WithLength(5), coord(0, 0));
    // Turning (2, 1) by a quarter turn with the unit point of π/2.
    const coord unit = coord().FromPolar(Angle(kHalfPi), 1.0);
    EXPECT_TRUE(Near(coord(2, 1).ComplexProduct(unit), {-1, 2}, 1e-12));
}
