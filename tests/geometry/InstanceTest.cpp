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

TEST(CInstance, PlacedBoxesHoldThePlacedContentAndAreExactWhenAxesStay)
{
    BoundingBox box;
    box.Extend(0, 0);
    box.Extend(10, 20);
    const struct {
        double angle;
        bool keepsAxes;
        double minX, minY, maxX, maxY;
    } cases[] = {
        {0, true, 5, -1, 15, 19},
        {90, true, -15, -1, 5, 9},   // (x, y) → (−y, x) about (0, 0), then shifted
        {180, true, -5, -21, 5, -1},
        {-270, true, -15, -1, 5, 9},
        {30, false, 0, 0, 0, 0}, // the corners' box: checked by containment below
    };
    for (const auto& c : cases) {
        CInstance placement(false);
        placement.angle = c.angle;
        placement.dx = 5;
        placement.dy = -1;
        EXPECT_EQ(placement.KeepsAxes(), c.keepsAxes) << c.angle;
        const BoundingBox placed = placement.PlaceBox(box);
        if (c.keepsAxes) {
            EXPECT_NEAR(placed.minX, c.minX, 1e-9) << c.angle;
            EXPECT_NEAR(placed.minY, c.minY, 1e-9) << c.angle;
            EXPECT_NEAR(placed.maxX, c.maxX, 1e-9) << c.angle;
            EXPECT_NEAR(placed.maxY, c.maxY, 1e-9) << c.angle;
        }
        // Every placed point of the box lies in the placed box.
        for (const die::coord p : {die::coord(0, 0), die::coord(10, 0), die::coord(3, 20), die::coord(10, 20)}) {
            const die::coord q = placement.Transform(p);
            EXPECT_GE(q.x, placed.minX - 1e-9) << c.angle;
            EXPECT_LE(q.x, placed.maxX + 1e-9) << c.angle;
            EXPECT_GE(q.y, placed.minY - 1e-9) << c.angle;
            EXPECT_LE(q.y, placed.maxY + 1e-9) << c.angle;
        }
    }
    EXPECT_TRUE(CInstance(false).PlaceBox(BoundingBox()).IsEmpty());
    CInstance identity(true);
    identity.angle = 33;
    EXPECT_TRUE(identity.KeepsAxes());
}
