#include "ElementFixture.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "platform/RecordingDevice.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using die::coord;

class Spline : public elementtest::Elements {};

bool AllFinite(const std::vector<coord>& points)
{
    return std::all_of(points.begin(), points.end(),
                       [](const coord& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

TEST_F(Spline, ThreeNodesGiveTwentyOneSamplesThroughTheNodes)
{
    auto s = MakeSpline({{0, 0}, {40, 30}, {80, 0}});
    ASSERT_EQ(s->GetSamples().size(), 21u);
    EXPECT_EQ(s->GetSamples()[0], (coord{0, 0}));
    EXPECT_EQ(s->GetSamples()[10], (coord{40, 30}));
    EXPECT_EQ(s->GetSamples()[20], (coord{80, 0}));
    // The end tangents are unit vectors from the end nodes: d1 = (40, 30),
    // d2 = (80, 0), k = 64, T = (2·64·40 − 80, 2·64·30) = (5040, 3840).
    ASSERT_EQ(s->GetTangents().size(), 3u);
    EXPECT_NEAR(s->GetTangents()[0].x, 5040 / std::hypot(5040.0, 3840.0), 1e-12);
    EXPECT_NEAR(s->GetTangents()[2].y, -3840 / std::hypot(5040.0, 3840.0), 1e-12);
    EXPECT_NEAR(s->GetTangents()[1].y, 0, 1e-9); // symmetric: flat at the top
}

// Fewer than three nodes: no samples, no chords, nothing drawn.
TEST_F(Spline, FewerThanThreeNodesHaveNoSamples)
{
    auto s = MakeSpline({{0, 0}, {10, 5}});
    EXPECT_TRUE(s->GetSamples().empty());
    EXPECT_EQ(s->FindNearestSampleSegment(3, 3), -1);
    EXPECT_EQ(s->InsertNodeAtLength(2), -1);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    s->Draw(dc);
    EXPECT_TRUE(device.calls().empty());
    CSpline copy(*s); // the copy recalculates as well
    EXPECT_TRUE(copy.GetSamples().empty());
    EXPECT_NEAR(s->GetFullLength(), std::hypot(10.0, 5.0), 1e-9); // joined straight
}

// Nodes so close that the end vector has no whole component left: the end
// chord gives the direction, and no sample is NaN.
TEST_F(Spline, ATinyEndVectorFallsBackToTheChord)
{
    auto s = MakeSpline({{0, 0}, {0.2, 0.1}, {0.4, 0}});
    ASSERT_EQ(s->GetSamples().size(), 21u);
    EXPECT_TRUE(AllFinite(s->GetSamples()));
    EXPECT_NEAR(s->GetTangents()[0].x, 0.2 / std::hypot(0.2, 0.1), 1e-9);
    EXPECT_NEAR(s->GetTangents()[0].y, 0.1 / std::hypot(0.2, 0.1), 1e-9);
    EXPECT_NEAR(s->GetTangents()[2].y, -0.1 / std::hypot(0.2, 0.1), 1e-9);
}

TEST_F(Spline, SamplesPerSegmentAreClampedAndFollowTheWheel)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, 10}});
    const struct {
        int set;
        int stored;
    } cases[] = {{0, 1}, {-4, 1}, {5000, 1000}, {1000, 1000}, {7, 7}};
    for (const auto& c : cases) {
        s->SetSamplesPerSegment(c.set);
        EXPECT_EQ(s->GetSamplesPerSegment(), c.stored) << c.set;
    }
    s->SetSamplesPerSegment(10);
    s->OnCtrlWheel(-240, 0, 0);
    EXPECT_EQ(s->GetSamplesPerSegment(), 8);
    EXPECT_EQ(s->GetSamples().size(), 3u * 8 + 1);
    s->OnCtrlWheel(120 * 2000, 0, 0); // the 16-bit delta: 240000 wraps to −22144
    EXPECT_EQ(s->GetSamplesPerSegment(), 1);
    s->SetSamplesPerSegment(999);
    s->OnCtrlWheel(360, 0, 0);
    EXPECT_EQ(s->GetSamplesPerSegment(), 1000);
}

// Length and extents come from the display list's fitted curve, current
// also before the first rebuild.
TEST_F(Spline, LengthAndExtentsFromTheDisplayCurve)
{
    auto s = MakeSpline({{0, 0}, {10, 0}, {20, 0}});
    EXPECT_NEAR(s->GetFullLength(), 20, 1e-9);
    EXPECT_DOUBLE_EQ(s->GetMaxX(0, true), 20);
    EXPECT_DOUBLE_EQ(s->GetMinY(-5, false), -5);
    EXPECT_DOUBLE_EQ(s->GetMaxY(0, true), 0);

    auto wave = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, -10}, {40, 0}});
    wave->RebuildContour();
    // The length is the displayed curve's own, not its samples': their sum
    // falls short; four thousand samples a span come within a micrometre.
    double sum = 0;
    for (const PathNode& n : wave->GetDisplayList().Figures().front().path)
        sum += n.length;
    EXPECT_GT(wave->GetFullLength() - sum, 1e-3);
    const std::vector<die::coord>& points = wave->GetDisplayList().Figures().front().points;
    std::vector<PathNode> fine;
    CurveFitter(points, 4000).Flatten(fine, 1 << 20);
    double fineSum = 0;
    for (const PathNode& n : fine)
        fineSum += n.length;
    EXPECT_NEAR(wave->GetFullLength(), fineSum, 1e-6);
    EXPECT_GT(wave->GetMaxY(0, true), 10);
}

TEST_F(Spline, BridgesByCountKeepOnlyThoseOnTheCurve)
{
    auto s = MakeSpline({{0, 0}, {10, 0}, {20, 0}});
    s->CountAutoBridges(2, 4, false);
    EXPECT_THAT(elementtest::BridgesOf(*s), ::testing::ElementsAre(std::pair{3.0, 4.0}, std::pair{13.0, 4.0}));
    s->CountAutoBridges(3, 10, true); // g = −10/3: the first starts before the curve
    EXPECT_EQ(s->GetBridges().Count(), 2);
    s->CountAutoBridges(0, 4, true);
    EXPECT_EQ(s->GetBridges().Count(), 0);
}

TEST_F(Spline, NearestChord)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, 10}});
    const auto& p = s->GetSamples();
    for (int k : {0, 4, 13, 29}) {
        const coord mid = (p[k] + p[k + 1]) * 0.5;
        EXPECT_EQ(s->FindNearestSampleSegment(mid.x, mid.y), k) << k;
    }
    // At a node, the chord after it (the span tried first) wins the tie.
    EXPECT_EQ(s->FindNearestSampleSegment(p[20].x, p[20].y), 20);
}

TEST_F(Spline, InsertingAtALength)
{
    auto s = MakeSpline({{0, 0}, {10, 0}, {20, 0}});
    const int mid = s->InsertNodeAtLength(15);
    ASSERT_GE(mid, 0);
    EXPECT_NEAR(At(mid).x, 15, 1e-3);
    EXPECT_NEAR(At(mid).y, 0, 1e-3);
    EXPECT_EQ(s->GetNodeCount(), 4);
    EXPECT_EQ(s->GetNodes()[2], mid);
    EXPECT_EQ(s->GetSamples().size(), 31u);
    // A length of 0 or less goes to the first chord.
    const int first = s->InsertNodeAtLength(-0.5);
    ASSERT_GE(first, 0);
    EXPECT_EQ(s->GetNodes()[1], first);
    EXPECT_NEAR(At(first).x, -0.5, 1e-3);
    // Beyond the end: along the last chord.
    auto straight = MakeSpline({{0, 0}, {10, 0}, {20, 0}});
    const int beyond = straight->InsertNodeAtLength(23);
    EXPECT_NEAR(At(beyond).x, 23, 1e-3);
    EXPECT_EQ(straight->GetNodes()[2], beyond); // in the last span, before its end node
}

TEST_F(Spline, CopyingNodesIntoAShorterSpline)
{
    auto source = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, 10}, {40, 0}});
    auto target = MakeSpline({{0, 0}, {5, 5}, {9, 0}});
    target->CopyFrom(*source, true);
    EXPECT_EQ(target->GetNodes(), source->GetNodes());
    EXPECT_EQ(target->GetSamples(), source->GetSamples());
}

TEST_F(Spline, RectangleTestsAreStrict)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}});
    EXPECT_TRUE(s->IsInRect(-1, -1, 21, 11, 2));
    EXPECT_FALSE(s->IsInRect(0, -1, 21, 11, 2)); // the first node on the edge
    EXPECT_TRUE(s->IsInRect(9, 9, 11, 11, 1));
    EXPECT_TRUE(s->IsInRect(-100, -100, 100, 100, 3));
    EXPECT_FALSE(s->IsInRect(30, -100, 100, 100, 3));
    CSpline empty(&nodes, nullptr, 0);
    EXPECT_FALSE(empty.IsInRect(-1, 1, 1, -1, 1));
    EXPECT_TRUE(empty.IsInRect(-1, 1, 1, -1, 2));
}

TEST_F(Spline, CrossingsWithEveryCurve)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, -10}, {40, 0}});
    auto line = MakeLine(-5, 1, 45, 1);
    line->IntersectWith(*s); // the spline computes and the line copies
    EXPECT_EQ(line->GetIntersections().size(), 2u);
    auto arc = MakeArc(20, 0, 25, 0, 25, 0);
    s->IntersectWith(*arc);
    EXPECT_EQ(s->GetIntersections().size(), 2u);
    auto ellipse = MakeEllipse(20, 0, 8, 3, 0, 0, 0);
    ellipse->IntersectWith(*s);
    EXPECT_EQ(ellipse->GetIntersections().size(), 2u);
    auto other = MakeSpline({{20, -20}, {21, 0}, {20, 20}});
    s->IntersectWith(*other);
    ASSERT_EQ(s->GetIntersections().size(), 1u);
    EXPECT_NEAR(s->GetIntersections()[0].x, 21, 0.5);
}

TEST_F(Spline, PreviewDrawsEveryChord)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}});
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    s->Draw(dc);
    EXPECT_EQ(device.lines().size(), 20u);
}

TEST_F(Spline, TransformsMoveEveryNode)
{
    auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}});
    s->SetSelection(1);
    NodeRemap remap;
    s->Move(remap, 5, 0);
    EXPECT_EQ(At(s->GetNodes()[2]), (coord{25, 0}));
    EXPECT_EQ(s->GetSamples().back(), (coord{25, 0}));
    s->Mirror(remap, 0, 0, 0, 1);
    EXPECT_EQ(At(s->GetNodes()[0]), (coord{-5, 0})); // the order stays
    EXPECT_TRUE(s->UsesNode(s->GetNodes()[1], true));
}

} // namespace
