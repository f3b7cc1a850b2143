#include "geometry/AutoInstance.h"
#include "geometry/BoundingBox.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

namespace {

BoundingBox Box(double x0, double y0, double x1, double y1)
{
    BoundingBox b;
    b.Extend(x0, y0);
    b.Extend(x1, y1);
    return b;
}

TEST(BoundingBoxTest, ExtendingAnEmptyBoxGivesThePoint)
{
    BoundingBox b;
    EXPECT_TRUE(b.IsEmpty());
    b.Extend(3, 4);
    EXPECT_FALSE(b.IsEmpty());
    EXPECT_EQ(b.GetMin(), die::coord(3, 4));
    EXPECT_EQ(b.GetMax(), die::coord(3, 4));
    b.Extend(-1, 7);
    EXPECT_EQ(b.GetMin(), die::coord(-1, 4));
    EXPECT_EQ(b.GetMax(), die::coord(3, 7));
}

TEST(BoundingBoxTest, UnitingWithAnEmptyBoxChangesNothing)
{
    BoundingBox b = Box(0, 0, 2, 2);
    b.Unite(BoundingBox());
    EXPECT_EQ(b.GetMin(), die::coord(0, 0));
    EXPECT_EQ(b.GetMax(), die::coord(2, 2));
    BoundingBox empty;
    empty.Unite(b);
    EXPECT_EQ(empty.GetMax(), die::coord(2, 2));
    EXPECT_FALSE(empty.IsEmpty());
}

TEST(BoundingBoxTest, IntersectionOfTouchingBoxesHasZeroSizeAndOfBoxesApartIsEmpty)
{
    BoundingBox touching = Box(0, 0, 2, 2);
    touching.Intersect(Box(2, 1, 5, 5));
    EXPECT_FALSE(touching.IsEmpty());
    EXPECT_EQ(touching.GetMin(), die::coord(2, 1));
    EXPECT_EQ(touching.GetMax(), die::coord(2, 2));

    BoundingBox apart = Box(0, 0, 2, 2);
    apart.Intersect(Box(3, 0, 5, 2));
    EXPECT_TRUE(apart.IsEmpty());

    BoundingBox withEmpty = Box(0, 0, 2, 2);
    withEmpty.Intersect(BoundingBox());
    EXPECT_TRUE(withEmpty.IsEmpty());
}

TEST(BoundingBoxTest, CornersOfAnEmptyBoxAreTheOrigin)
{
    BoundingBox b = Box(5, 5, 6, 6);
    b.Intersect(Box(7, 7, 8, 8));
    EXPECT_EQ(b.GetMin(), die::coord());
    EXPECT_EQ(b.GetMax(), die::coord());
}

TEST(AutoInstanceTest, NewRecordRepeatsOnceWithoutGapsOrTurns)
{
    const AutoInstance a;
    EXPECT_FALSE(a.rotateAlternate);
    EXPECT_EQ(a.angle, 0.0);
    EXPECT_EQ(a.gap1 + a.gap2 + a.shift1 + a.shift2, 0.0);
    EXPECT_EQ(a.count, 1);
}

} // namespace
