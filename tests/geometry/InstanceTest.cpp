#include "geometry/Instance.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

TEST(CInstance, IdentityAndZeroPlacementKeepPoints)
{
    CInstance identity(true);
    identity.dx = 5;
    identity.angle = 30;
    EXPECT_TRUE(geomtest::Near(identity.Transform({3, 4}), {3, 4}, 0));
    const CInstance zero(false); // what a new section's instance 0 holds
    EXPECT_FALSE(zero.identity);
    EXPECT_TRUE(geomtest::Near(zero.Transform({3, 4}), {3, 4}, 0));
}

TEST(CInstance, TurnsAboutItsCentreThenShifts)
{
    CInstance placement(false);
    placement.angle = 90;
    placement.centreX = 10;
    placement.dx = 5;
    EXPECT_TRUE(geomtest::Near(placement.Transform({20, 0}), {15, 10}, 1e-12));
    placement.angle = 0;
    placement.dy = -2;
    EXPECT_TRUE(geomtest::Near(placement.Transform({20, 0}), {25, -2}, 0));
}

TEST(CInstance, TransformXYTakeTheCallersCentreAndIgnoreIdentity)
{
    CInstance placement(true);
    placement.angle = 180;
    placement.centreX = 100; // not used
    placement.dy = 1;
    EXPECT_NEAR(placement.TransformX(2, 0, 1, 0), 0.0, 1e-12);
    EXPECT_NEAR(placement.TransformY(2, 0, 1, 0), 1.0, 1e-12);
}
