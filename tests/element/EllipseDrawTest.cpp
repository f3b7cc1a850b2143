#include "ElementFixture.h"

#include "display/DrawContext.h"
#include "element/NodePoint.h"
#include "platform/RecordingDevice.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

class EllipseDraw : public elementtest::Elements {
protected:
    std::vector<platform::RecordedLine> Drawn(CEllipse& e, bool bridgesShown = false)
    {
        platform::RecordingDevice device;
        DrawContext dc(&device, CInstance(true), false, bridgesShown, {0, 0});
        dc.scale = 10.0;
        e.Draw(dc);
        return device.lines();
    }
};

// The preview walks the arc in one-degree chords, the last one passing the
// end, and closes with a chord back to the end point.
TEST_F(EllipseDraw, ChordsOfOneDegreeAndAClosingChord)
{
    const struct {
        double startDeg;
        double endDeg;
        std::size_t lines;
    } cases[] = {
        {10.5, 0.0, 12},  // 11 chords and the closing one
        {30.0, 0.0, 31},  // 30 chords (floating steps reach 30 just below) and the closing one
        {45.0, 45.0, 361}, // the whole ellipse: 360 chords and a chord of 0.001 rad
    };
    for (const auto& c : cases) {
        auto e = MakeEllipse(0, 0, 100, 100, 0, c.startDeg, c.endDeg);
        const auto lines = Drawn(*e);
        ASSERT_EQ(lines.size(), c.lines) << c.startDeg;
        const die::coord end = At(e->GetEndNode());
        EXPECT_NEAR(lines.back().to.x, end.x * 10, 1.0) << c.startDeg;
        EXPECT_NEAR(lines.back().to.y, end.y * 10, 1.0) << c.startDeg;
        for (std::size_t i = 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].from, lines[i - 1].to) << c.startDeg << " chord " << i;
    }
}

TEST_F(EllipseDraw, TheRuleIsLeftOpenAtTheBridges)
{
    auto e = MakeEllipse(0, 0, 100, 100, 0, 90, 0);
    e->SetBridgeMode(BridgeMode::ByHand);
    e->SetBridges({{0, 50, 20}});
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, true, {0, 0});
    const auto pieces = e->BuildDrawSegments(dc);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].kind, CEllipse::DrawSegment::Gap);
    // The gap starts and ends where the one-degree chords sum nearest to
    // 50 and 70 mm.
    EXPECT_NEAR(std::atan2(pieces[1].from.y, pieces[1].from.x), Geom::DegToRad(90 - 29), 0.02);
    EXPECT_NEAR(std::atan2(pieces[1].to.y, pieces[1].to.x), Geom::DegToRad(90 - 40), 0.02);

    // Bridges by count with a count of 0: one piece over the whole arc.
    e->SetAutoBridges(0, 3);
    const auto whole = e->BuildDrawSegments(dc);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].kind, CEllipse::DrawSegment::Rule);
}

TEST_F(EllipseDraw, ATargetBeyondTheArcReturnsTheEnd)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    const die::coord start = At(e->GetStartNode());
    const die::coord end = At(e->GetEndNode());
    const die::coord reached = e->WalkArc(dc, start, end, 1000.0, false);
    EXPECT_NEAR(reached.x, end.x, 1e-9);
    EXPECT_NEAR(reached.y, end.y, 1e-9);
    EXPECT_TRUE(device.calls().empty());
    // A target of 0 stays at the start.
    const die::coord none = e->WalkArc(dc, start, end, 0.0, false);
    EXPECT_NEAR(none.x, start.x, 1e-9);
    EXPECT_NEAR(none.y, start.y, 1e-9);
}

TEST_F(EllipseDraw, BridgeMarksAreDrawnOverTheirWidth)
{
    auto e = MakeEllipse(0, 0, 100, 100, 0, 90, 0);
    e->SetBridgeMode(BridgeMode::ByHand);
    e->SetBridges({{0, 10, 5}, {0, 50, 5}});
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, true, {0, 0});
    e->DrawBridges(-1, dc);
    // Each 5 mm bridge on a radius of 100 mm: about three one-degree chords.
    EXPECT_THAT(device.lines().size(), ::testing::AllOf(::testing::Ge(4u), ::testing::Le(8u)));
}

// Only a preview element has nodes to fit: any other draws nothing.
TEST_F(EllipseDraw, FittedPreviewUsesThePreviewNodes)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    EXPECT_DOUBLE_EQ(e->DrawFitted(dc, {0, 0, 200, 100}), 1.0);
    EXPECT_TRUE(device.calls().empty());

    CNodePoint centre, major, minor, start, end;
    ASSERT_TRUE(centre.SetPlain(0, 0, false));
    ASSERT_TRUE(major.SetPlain(40, 0, false));
    ASSERT_TRUE(minor.SetPlain(0, 20, false));
    ASSERT_TRUE(start.SetPlain(0, 20, false));
    ASSERT_TRUE(end.SetPlain(40, 0, false));
    CEllipse preview(&nodes, nullptr, 0);
    preview.SetPreviewNodes(&start, &end, &centre, &major, &minor);
    const double scale = preview.DrawFitted(dc, {0, 0, 200, 100});
    EXPECT_DOUBLE_EQ(scale, 0.9 * 100 / 80);
    EXPECT_EQ(dc.origin.x, 100);
    EXPECT_EQ(dc.origin.y, 50);
    EXPECT_FALSE(device.lines().empty());
    EXPECT_NEAR(preview.GetFullLength(), e->GetFullLength(), 1e-9);
}

} // namespace
