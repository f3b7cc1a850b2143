// The outline builder over a section: the segment graph and its contours.
#include "SectionFixture.h"

#include "section/SectionOutline.h"

#include <cmath>

namespace {

class OutlineContours : public sectiontest::Drawing {
protected:
    void Rectangle(double x1, double y1, double x2, double y2)
    {
        Line(x1, y1, x2, y1);
        Line(x2, y1, x2, y2);
        Line(x2, y2, x1, y2);
        Line(x1, y2, x1, y1);
    }
    // Twice the signed area of the segments in their order (negative:
    // clockwise), checking that each starts where the one before ends.
    static double SignedArea(const OutlineBuilder& b)
    {
        double sum = 0.0;
        for (int s = 0; s < b.Count(); ++s) {
            const OutlineBuilder::Segment& seg = b.GetSegment(s);
            const OutlineBuilder::Segment& next = b.GetSegment((s + 1) % b.Count());
            EXPECT_LT(die::distance(seg.to, next.from), 0.01) << s;
            sum += seg.from.x * seg.to.y - seg.to.x * seg.from.y;
        }
        return sum;
    }

    SectionOutline source{section};
    OutlineBuilder builder{&source};
    void SetUp() override { builder.SetTakeAll(true); }
};

TEST_F(OutlineContours, ARectangleIsItsOwnContourClockwise)
{
    Rectangle(0, 0, 10, 10);
    ASSERT_EQ(builder.CollectContours(-1), 4);
    ASSERT_TRUE(builder.FindContour(1, 2));
    EXPECT_EQ(builder.Contours().Row(0).value, 1);
    builder.ApplyContour();
    EXPECT_EQ(builder.ContourKind(), 1);
    ASSERT_EQ(builder.Count(), 4);
    EXPECT_EQ(builder.Contours().Count(), 0);
    EXPECT_DOUBLE_EQ(SignedArea(builder), -200.0);
}

TEST_F(OutlineContours, TwoRectanglesSharingAnEdgeGiveTheirOuterBoundary)
{
    Rectangle(0, 0, 10, 10);
    Rectangle(10, 0, 20, 10);
    // The shared edge is there twice: one goes.
    ASSERT_EQ(builder.CollectContours(-1), 7);
    ASSERT_TRUE(builder.FindContour(1, 2));
    builder.ApplyContour();
    EXPECT_EQ(builder.ContourKind(), 2);
    ASSERT_EQ(builder.Count(), 6);
    EXPECT_DOUBLE_EQ(std::abs(SignedArea(builder)), 400.0);
}

TEST_F(OutlineContours, OpenChainsGoAndCrossingsSplit)
{
    Rectangle(0, 0, 10, 10);
    Line(10, 5, 20, 5);  // sticking out: the right edge splits where it starts
    Line(5, -5, 5, 5);   // crossing the bottom edge in its middle
    Line(0, 10.01, -5, 15); // touching a corner within 0.02 of its own end
    EXPECT_EQ(builder.CollectContours(-1), 6);
    for (const OutlineBuilder::Segment& s : builder.Segments()) {
        EXPECT_FALSE(s.from.x > 10.5 || s.to.x > 10.5);
        EXPECT_FALSE(s.from.y < -0.5 || s.to.y < -0.5);
        EXPECT_FALSE(s.from.x < -0.5 || s.to.x < -0.5);
        EXPECT_GE(s.sourceSlot, 0);
    }
}

TEST_F(OutlineContours, OnlyWhatTheFilterAndTheSelectionGiveIsFed)
{
    Rectangle(0, 0, 10, 10);
    CLine* other = Line(20, 0, 30, 0);
    other->SetLineType(2);
    builder.SetTakeAll(false);
    EXPECT_EQ(builder.CollectContours(-1), 0);
    EXPECT_FALSE(builder.FindContour(1, 2));
    builder.SetTakeAll(true);
    EXPECT_EQ(builder.CollectContours(2), 0); // one line of type 2: no closed path
    EXPECT_EQ(builder.CollectContours(1), 4);
}

TEST_F(OutlineContours, WithPlacementsEachInstanceIsFed)
{
    Rectangle(0, 0, 10, 10);
    section.NewInstance(20, 0, 0);
    builder.SetUsePlacements(true);
    EXPECT_EQ(builder.CollectContours(-1), 8);
}

TEST_F(OutlineContours, APickedPointGivesTheSmallestContourAroundIt)
{
    Rectangle(0, 0, 30, 30);
    Rectangle(10, 10, 20, 20);
    ASSERT_EQ(builder.CollectContours(-1), 8);
    EXPECT_FALSE(builder.PickContourAt(50, 5));
    EXPECT_FALSE(builder.PickContourAt(5, 40));
    ASSERT_TRUE(builder.PickContourAt(15, 15));
    EXPECT_EQ(builder.Contours().Row(0).value, 1);
    builder.ApplyContour();
    ASSERT_EQ(builder.Count(), 4);
    EXPECT_DOUBLE_EQ(SignedArea(builder), 200.0); // counter-clockwise
    for (const OutlineBuilder::Segment& s : builder.Segments())
        EXPECT_TRUE(s.from.x >= 10 && s.from.x <= 20 && s.from.y >= 10 && s.from.y <= 20);
}

TEST_F(OutlineContours, TheSegmentTableKeepsItsLinksThroughRemovalAndSwaps)
{
    Rectangle(0, 0, 10, 10);
    ASSERT_EQ(builder.CollectContours(-1), 4);
    // Every segment is linked at each end to exactly its neighbour.
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(builder.GetSegment(s).startNeighbours.size(), 1u);
        EXPECT_EQ(builder.GetSegment(s).endNeighbours.size(), 1u);
    }
    builder.SwapSegments(0, 2);
    const auto linked = [&](int a, int b) {
        const auto& s = builder.GetSegment(a);
        return std::count(s.startNeighbours.begin(), s.startNeighbours.end(), b)
               + std::count(s.endNeighbours.begin(), s.endNeighbours.end(), b);
    };
    for (int s = 0; s < 4; ++s) {
        for (int t = 0; t < 4; ++t)
            EXPECT_EQ(linked(s, t), linked(t, s)) << s << t;
    }
    builder.RemoveSegmentAndLinks(1, false);
    ASSERT_EQ(builder.Count(), 3);
    for (const OutlineBuilder::Segment& s : builder.Segments()) {
        for (int n : s.startNeighbours)
            EXPECT_LT(n, 3);
        for (int n : s.endNeighbours)
            EXPECT_LT(n, 3);
    }
}

} // namespace
