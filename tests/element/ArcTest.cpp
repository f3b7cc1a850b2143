#include "ElementFixture.h"

#include "display/DrawContext.h"
#include "element/OutlineBuilder.h"
#include "geometry/GeomConstants.h"
#include "platform/RecordingDevice.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

constexpr double kPi = Geom::kPi;

class Arc : public elementtest::Elements {};

TEST_F(Arc, SweepAndLength)
{
    const struct {
        double sx, sy, ex, ey;
        double sweep, length;
    } cases[] = {
        {10, 0, 0, 10, 3 * kPi / 2, 15 * kPi}, // clockwise from 0 round to π/2
        {0, 10, 10, 0, kPi / 2, 5 * kPi},
        {10, 0, 10, 0, 2 * kPi, 20 * kPi},     // one node: the full circle
        {0, -10, -10, 0, kPi / 2, 5 * kPi},
    };
    for (const auto& c : cases) {
        auto arc = MakeArc(0, 0, c.sx, c.sy, c.ex, c.ey);
        EXPECT_NEAR(arc->GetSweepAngle(), c.sweep, 1e-12) << c.sx << "," << c.sy;
        EXPECT_NEAR(arc->GetFullLength(), c.length, 1e-9) << c.sx << "," << c.sy;
    }
}

TEST_F(Arc, ExtentsIncludeTheQuadrantPointsOnTheSweep)
{
    auto circle = MakeArc(0, 0, 10, 0, 10, 0);
    EXPECT_DOUBLE_EQ(circle->GetMinX(0, true), -10);
    EXPECT_DOUBLE_EQ(circle->GetMaxY(0, true), 10);
    auto quarter = MakeArc(0, 0, 0, 10, 10, 0); // upper right quarter
    EXPECT_DOUBLE_EQ(quarter->GetMinX(0, true), 0);
    EXPECT_DOUBLE_EQ(quarter->GetMaxX(0, true), 10);
    EXPECT_DOUBLE_EQ(quarter->GetMinY(-3, false), -3);
}

TEST_F(Arc, APointOutsideTheStretchGoesToTheNearerEnd)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0); // quarter from the top to the right
    double px = 0;
    double py = 0;
    // Beyond the end (below the x axis, right of the centre): the end.
    EXPECT_NEAR(arc->ProjectPoint(8, -2, &px, &py, 0, 1e9), 5 * kPi, 1e-9);
    EXPECT_NEAR(px, 10, 1e-9);
    EXPECT_NEAR(py, 0, 1e-9);
    // Beyond the start (left of the y axis): the start.
    EXPECT_NEAR(arc->ProjectPoint(-2, 8, &px, &py, 0, 1e9), 0, 1e-9);
    EXPECT_NEAR(px, 0, 1e-9);
    // Inside: the point on the circle in its direction.
    EXPECT_NEAR(arc->ProjectPoint(5, 5, &px, &py, 0, 1e9), 2.5 * kPi, 1e-9);
}

TEST_F(Arc, BridgesFollowTheArcThroughMirrorAndScale)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0);
    arc->SetBridgeMode(BridgeMode::ByHand);
    arc->SetBridges({{0, 1, 2}, {0, 10, 3}});
    const double length = arc->GetFullLength();
    arc->SetSelection(1);
    NodeRemap remap(static_cast<std::size_t>(nodes.GetCount()), NodeTable::kSplitOff);
    arc->Mirror(remap, 0, 0, 0, 1); // the y axis
    EXPECT_EQ(At(arc->GetStartNode()), (die::coord{-10, 0}));
    EXPECT_EQ(At(arc->GetEndNode()), (die::coord{0, 10}));
    EXPECT_NEAR(arc->GetSweepAngle(), kPi / 2, 1e-12); // still a quarter, clockwise
    ASSERT_EQ(arc->GetBridges().Count(), 2);
    EXPECT_DOUBLE_EQ(arc->GetBridges()[0].position, length - 10 - 3);
    EXPECT_DOUBLE_EQ(arc->GetBridges()[1].position, length - 1 - 2);

    remap.assign(static_cast<std::size_t>(nodes.GetCount()), NodeTable::kSplitOff);
    arc->Scale(remap, 0, 0, 2, 3); // an arc scales evenly, by fx
    EXPECT_EQ(At(arc->GetStartNode()), (die::coord{-20, 0}));
    EXPECT_EQ(At(arc->GetEndNode()), (die::coord{0, 20}));
    EXPECT_DOUBLE_EQ(arc->GetBridges()[1].width, 4);
}

TEST_F(Arc, ExtendingFarEnoughClosesTheCircle)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0);
    ASSERT_TRUE(arc->ExtendBy(5 * kPi, 0)); // the start goes back a quarter
    EXPECT_NEAR(At(arc->GetStartNode()).x, -10, 1e-3);
    EXPECT_NEAR(arc->GetFullLength(), 10 * kPi, 1e-2);
    ASSERT_TRUE(arc->ExtendBy(5 * kPi, 5 * kPi));
    EXPECT_EQ(arc->GetStartNode(), arc->GetEndNode());
    EXPECT_NEAR(arc->GetFullLength(), 20 * kPi, 1e-2);
}

TEST_F(Arc, SnapPoints)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0);
    CInstance none(true);
    SnapRecord r{-1, -1, -1, -1};
    ASSERT_EQ(arc->GetSnapPoint(2, 0, 0, 1, 0, 0, &none, &r), 1);
    EXPECT_NEAR(r.x, 10 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(r.y, 10 / std::sqrt(2.0), 1e-9);

    r = SnapRecord{-1, -1, -1, -1};
    EXPECT_EQ(arc->GetSnapPoint(7, 0, 0, 1, 20, 0, &none, &r), 0); // no reference point
    EXPECT_EQ(arc->GetSnapPoint(7, 0, 0, 2, 3, 0, &none, &r), 0);  // reference inside the circle
    EXPECT_EQ(r.kind, -1);
    ASSERT_EQ(arc->GetSnapPoint(7, 5, 10, 2, 20, 0, &none, &r), 1);
    EXPECT_NEAR(r.x, 5, 1e-9);
    EXPECT_NEAR(r.y, std::sqrt(75.0), 1e-9);
}

TEST_F(Arc, OldTextLayoutSwapsTheEndsOnAPositiveRadius)
{
    for (double radius : {-10.0, 10.0}) {
        CArc arc(&nodes, nullptr, 0);
        arc.SetFromText(QStringLiteral("A]1]10]0]0]10]3]2]0]0]]]0]0]%1]").arg(radius));
        const die::coord start = At(arc.GetStartNode());
        EXPECT_EQ(start, radius > 0 ? (die::coord{0, 10}) : (die::coord{10, 0})) << radius;
        EXPECT_EQ(At(arc.GetCenterNode()), (die::coord{0, 0}));
        EXPECT_EQ(arc.GetLineType(), 3);
    }
}

TEST_F(Arc, OutlineChordsRunFromTheStartToTheEnd)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0);
    arc->SetSelection(1);
    OutlineBuilder builder;
    arc->AddToOutline(&builder, 0, 16, -1, nullptr); // quarter: four chords
    ASSERT_EQ(builder.Segments().size(), 4u);
    EXPECT_NEAR(builder.Segments().front().from.y, 10, 1e-9);
    EXPECT_NEAR(builder.Segments().back().to.x, 10, 1e-9);
    EXPECT_NEAR(builder.Segments().back().to.y, 0, 1e-9);

    OutlineBuilder fine;
    arc->AddToOutline(&fine, 0, 1e15, -1, nullptr); // chords below 0.01 mm are not made
    EXPECT_LE(fine.Segments().size(), 1600u);
}

TEST_F(Arc, CommonTangentOfTwoArcs)
{
    auto left = MakeArc(0, 0, 10, 0, 10, 0);    // full circles of radius 10
    auto right = MakeArc(50, 0, 60, 0, 60, 0);
    double out[4] = {};
    ASSERT_EQ(right->FindCommonTangent(*left, 0, 10, 50, 10, out), 1);
    EXPECT_NEAR(out[0], 50, 1e-9); // the upper outer tangent, from the smaller arc (this one)
    EXPECT_NEAR(out[1], 10, 1e-9);
    EXPECT_NEAR(out[2], 0, 1e-9);
    EXPECT_NEAR(out[3], 10, 1e-9);

    auto inside = MakeArc(0, 0, 3, 0, 3, 0);
    EXPECT_EQ(inside->FindCommonTangent(*left, 0, 10, 0, 3, out), 0);
}

TEST_F(Arc, PreviewDrawsTheRuleBetweenTheBridges)
{
    auto arc = MakeArc(0, 0, 0, 10, 10, 0);
    arc->SetBridgeMode(BridgeMode::ByHand);
    arc->SetBridges({{0, 5, 2}});
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, true, {100, 100});
    arc->Draw(dc);
    EXPECT_EQ(device.callsOf(platform::RecordedCall::Kind::Arc).size(), 2u);
}

} // namespace
