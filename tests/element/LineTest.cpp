#include "ElementFixture.h"

#include "common/TempDir.h"
#include "display/DrawContext.h"
#include "element/OutlineBuilder.h"
#include "options/LineTypePens.h"
#include "options/Options.h"
#include "platform/RecordingDevice.h"

#include <gmock/gmock.h>

namespace {

class Line : public elementtest::Elements {};

TEST_F(Line, ProjectionIsLimitedToTheStretch)
{
    auto line = MakeLine(0, 0, 100, 0);
    const struct {
        double x, y, from, to;
        double px, py, d;
    } cases[] = {
        {150, 20, 0, 100, 100, 0, 100},
        {40, -3, 0, 100, 40, 0, 40},
        {-10, 5, 0, 100, 0, 0, 0},
        {40, 1, 50, 60, 50, 0, 50},
    };
    for (const auto& c : cases) {
        double px = -1;
        double py = -1;
        EXPECT_DOUBLE_EQ(line->ProjectPoint(c.x, c.y, &px, &py, c.from, c.to), c.d) << c.x;
        EXPECT_DOUBLE_EQ(px, c.px) << c.x;
        EXPECT_DOUBLE_EQ(py, c.py) << c.x;
    }
}

TEST_F(Line, ExtendingAndShortening)
{
    auto line = MakeLine(0, 0, 100, 0);
    ASSERT_TRUE(line->ExtendBy(10, 0));
    EXPECT_EQ(At(line->GetStartNode()), (die::coord{-10, 0}));
    EXPECT_DOUBLE_EQ(line->GetFullLength(), 110);

    EXPECT_FALSE(line->ExtendBy(-60, -60)); // would reverse
    EXPECT_DOUBLE_EQ(line->GetFullLength(), 110);
    EXPECT_FALSE(line->ExtendBy(-55, -55)); // would vanish
    // Ends that would merge into one node leave the line as it is.
    EXPECT_FALSE(line->ExtendBy(-54.999, -54.999));
    EXPECT_DOUBLE_EQ(line->GetFullLength(), 110);

    ASSERT_TRUE(line->ExtendTowards(45, 3, 5)); // the middle extends the start
    EXPECT_EQ(At(line->GetStartNode()), (die::coord{-15, 0}));
    ASSERT_TRUE(line->ExtendTowards(90, 0, 5));
    EXPECT_EQ(At(line->GetEndNode()), (die::coord{105, 0}));
}

TEST_F(Line, SnapPoints)
{
    auto line = MakeLine(0, 0, 100, 0);
    CInstance none(true);
    const struct {
        int kind;
        double x, y;
        int mode;
        int want;
        double sx, sy;
    } cases[] = {
        {2, 10, 10, 1, 1, 50, 0},
        {8, 26, 0, 1, 1, 25, 0},
        {8, 70, 0, 1, 1, 66.66666666666667, 0},
        {3, 50, 5, 1, 1, 100, 0},   // equally near both ends: the end
        {3, 49, 5, 1, 1, 0, 0},
        {4, 150, 5, 2, 1, 120, 0},  // foot from the reference (120, 30) on the extension
        {4, 150, 5, 1, 0, 0, 0},    // no reference point
        {5, 0, 0, 2, 1, 120, 0},
        {6, 0, 0, 2, 0, 0, 0},      // along the x axis: no point at a given y
        {1, 0, 0, 2, 0, 0, 0},
        {0, 119, 1, 2, 1, 120, 0},  // the nearest of all candidates
    };
    for (const auto& c : cases) {
        SnapRecord r{-1, -1, -1, -1};
        EXPECT_EQ(line->GetSnapPoint(c.kind, c.x, c.y, c.mode, 120, 30, &none, &r), c.want) << c.kind;
        if (c.want) {
            EXPECT_DOUBLE_EQ(r.x, c.sx) << c.kind;
            EXPECT_DOUBLE_EQ(r.y, c.sy) << c.kind;
            EXPECT_EQ(r.marker, 812) << c.kind;
        } else {
            EXPECT_EQ(r.kind, -1) << c.kind;
        }
    }
}

TEST_F(Line, TransformsMoveTheNodesOfSelectedLines)
{
    auto line = MakeLine(0, 0, 100, 0);
    NodeRemap remap(static_cast<std::size_t>(nodes.GetCount()), NodeTable::kSplitOff);
    line->Move(remap, 5, 5); // not selected
    EXPECT_EQ(At(line->GetStartNode()), (die::coord{0, 0}));

    line->SetSelection(1);
    line->SetBridgeMode(BridgeMode::ByHand);
    line->SetBridges({{0, 10, 4}});
    line->Scale(remap, 0, 0, 2, 1);
    EXPECT_EQ(At(line->GetEndNode()), (die::coord{200, 0}));
    EXPECT_THAT(elementtest::BridgesOf(*line), testing::ElementsAre(testing::Pair(20.0, 8.0)));

    remap.assign(static_cast<std::size_t>(nodes.GetCount()), NodeTable::kSplitOff);
    line->Rotate(remap, 0, 0, 90);
    EXPECT_NEAR(At(line->GetEndNode()).x, 0, 1e-3);
    EXPECT_NEAR(At(line->GetEndNode()).y, 200, 1e-3);

    remap.assign(static_cast<std::size_t>(nodes.GetCount()), NodeTable::kSplitOff);
    line->Mirror(remap, 0, 50, 10, 50); // the horizontal line y = 50
    EXPECT_NEAR(At(line->GetEndNode()).y, -100, 1e-3);
    EXPECT_NEAR(At(line->GetStartNode()).y, 100, 1e-3);
}

TEST_F(Line, RectangleTests)
{
    auto line = MakeLine(10, 10, 20, 20);
    EXPECT_TRUE(line->IsInRect(0, 0, 15, 15, 1));
    EXPECT_FALSE(line->IsInRect(0, 0, 15, 15, 2));
    EXPECT_TRUE(line->IsInRect(0, 0, 30, 30, 2));
    EXPECT_TRUE(line->IsInRect(12, 12, 30, 30, 3));
    EXPECT_FALSE(line->IsInRect(20, 0, 30, 30, 3)); // touches the extents at an edge only
    EXPECT_FALSE(line->IsInRect(0, 0, 30, 30, 4));
}

TEST_F(Line, ArrowHeadsInPreviews)
{
    const auto scoped = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    const struct {
        int lineType;
        std::size_t lines;
    } cases[] = {{1, 1}, {17, 3}, {18, 3}, {19, 5}};
    for (const auto& c : cases) {
        auto line = MakeLine(0, 0, 100, 0);
        line->SetLineType(c.lineType);
        platform::RecordingDevice device;
        DrawContext dc(&device, CInstance(true), false, false, {0, 0});
        line->Draw(dc);
        EXPECT_EQ(device.lines().size(), c.lines) << c.lineType;
    }
}

TEST_F(Line, PreviewsLeaveTheBridgesOpen)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetAutoBridges(2, 4);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, true, {0, 0});
    line->Draw(dc);
    const std::vector<platform::RecordedLine> lines = device.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].from, (platform::DevicePoint{0, 0}));
    EXPECT_EQ(lines[0].to, (platform::DevicePoint{23, 0}));
    EXPECT_EQ(lines[1].from, (platform::DevicePoint{27, 0}));
    EXPECT_EQ(lines[2].to, (platform::DevicePoint{100, 0}));
}

TEST_F(Line, OutlineSegmentsFromSelectedLinesOfTheFilteredType)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetLineType(1);
    OutlineBuilder builder;
    line->AddToOutline(&builder, 0, 36, -1, nullptr);
    EXPECT_TRUE(builder.Segments().empty()); // not selected
    line->SetSelection(1);
    line->AddToOutline(&builder, 0, 36, 2, nullptr);
    EXPECT_TRUE(builder.Segments().empty()); // another line type
    line->AddToOutline(&builder, 3, 36, 1, nullptr);
    ASSERT_EQ(builder.Segments().size(), 1u);
    EXPECT_EQ(builder.Segments()[0].to, (die::coord{100, 0}));
    EXPECT_TRUE(builder.Segments()[0].cutRule);
}

TEST_F(Line, OldTextLayout)
{
    CLine line(&nodes, nullptr, 0);
    line.SetFromText(QStringLiteral("L]3]1.5]2]11.5]2]5]2.5]2]4]\n"));
    EXPECT_EQ(At(line.GetStartNode()), (die::coord{1.5, 2}));
    EXPECT_EQ(At(line.GetEndNode()), (die::coord{11.5, 2}));
    EXPECT_EQ(line.GetLineType(), 5);
    EXPECT_EQ(line.GetPtg(), 2.5);
    EXPECT_EQ(line.GetBridgeMode(), BridgeMode::ByCount);
    EXPECT_EQ(line.GetAutoCount(), 2);
    EXPECT_EQ(line.GetAutoWidth(), 4.0);
}

} // namespace

namespace {

// Records the line types whose pens are selected.
class RecordingPens : public LineTypePens {
public:
    void SelectLineTypePen(platform::Device&, int lineType) override { selected.push_back(lineType); }
    std::vector<int> selected;
};

TEST_F(Line, BridgeMarksUseTheMovingBridgePenForTheHighlightedOne)
{
    test::ScopedTestEnvironment env;
    COptions options;
    RecordingPens pens;
    options.SetLineTypePens(&pens);
    CLine line(&nodes, &options, 0);
    line.SetStartNode(Node(0, 0));
    line.SetEndNode(Node(100, 0));
    line.CountAutoBridges(2, 4, true);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    line.DrawBridges(1, dc);
    EXPECT_EQ(pens.selected, (std::vector<int>{1002, 1005}));
    const std::vector<platform::RecordedLine> strokes = device.lines();
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[1].from, (platform::DevicePoint{73, 0}));
    EXPECT_EQ(strokes[1].to, (platform::DevicePoint{77, 0}));
}

} // namespace
