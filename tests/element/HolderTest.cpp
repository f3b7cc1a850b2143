#include "SymbolFixture.h"

#include "element/Holder.h"

namespace {

using platform::DevicePoint;

class Holder : public elementtest::Symbols {
protected:
    std::unique_ptr<CHolder> Make(double x, double y, bool vertical, double length, double width)
    {
        auto h = std::make_unique<CHolder>(&nodes, nullptr, 0);
        h->SetNode(Node(x, y));
        h->SetVertical(vertical);
        h->SetSize(length, width);
        return h;
    }
};

TEST_F(Holder, HorizontalSlotWithItsGaps)
{
    using elementtest::Figure;
    using elementtest::Line;
    auto h = Make(100, 50, false, 80, 20);
    // Ends about (70, 50) and (130, 50); the top side has its gap 10 to 12 mm
    // from the left end, the bottom side 10 to 12 mm from the right end.
    ExpectFigures(*h, {Line({70, 60}, {80, 60}),
                       Line({82, 60}, {130, 60}),
                       Line({130, 40}, {120, 40}),
                       Line({118, 40}, {70, 40}),
                       Figure{FigureKind::Arc, {{70, 50}, {70, 40}, {70, 60}}},
                       Figure{FigureKind::Arc, {{130, 50}, {130, 60}, {130, 40}}}});
    EXPECT_EQ(h->GetMinX(0, true), 60);
    EXPECT_EQ(h->GetMaxX(0, true), 140);
    EXPECT_EQ(h->GetMinY(0, true), 40);
    EXPECT_EQ(h->GetMaxY(0, true), 60);
    EXPECT_EQ(h->GetMinX(50, false), 50);
    EXPECT_EQ(h->GetMaxY(55, false), 60);
    EXPECT_NEAR(h->GetFullLength(), 2 * 60 + 20 * Geom::kPi, 1e-9);
}

TEST_F(Holder, PaintedSlotOnTheDevice)
{
    auto h = Make(100, 50, false, 80, 20);
    const platform::RecordingDevice& dc = Paint(*h);
    // y = 60 mm is device 40, y = 40 mm device 60.
    const std::vector<std::pair<DevicePoint, DevicePoint>> lines = {
        {{70, 40}, {80, 40}}, {{82, 40}, {130, 40}}, {{130, 60}, {120, 60}}, {{118, 60}, {70, 60}}};
    const auto painted = dc.lines();
    ASSERT_EQ(painted.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(painted[i].from, lines[i].first) << i;
        EXPECT_EQ(painted[i].to, lines[i].second) << i;
    }
    // Each end a half circle on its box: the left one through x 60, the
    // right one through x 140.
    const auto arcs = dc.callsOf(platform::RecordedCall::Kind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].points[0], (DevicePoint{60, 40}));
    EXPECT_EQ(arcs[0].points[1], (DevicePoint{80, 60}));
    EXPECT_EQ(arcs[1].points[0], (DevicePoint{120, 40}));
    EXPECT_EQ(arcs[1].points[1], (DevicePoint{140, 60}));
}

TEST_F(Holder, VerticalSlotRunsAlongY)
{
    using elementtest::Line;
    auto h = Make(0, 0, true, 80, 20);
    const auto figures = FiguresOf(*h);
    ASSERT_EQ(figures.size(), 6u);
    // Side +n is (−1, 0): the left side, with its gap from the lower end.
    ExpectFigures(*h, {Line({-10, -30}, {-10, -20}), Line({-10, -18}, {-10, 30}), Line({10, 30}, {10, 20}),
                       Line({10, 18}, {10, -30}), figures[4], figures[5]});
    EXPECT_EQ(h->GetMinX(0, true), -10);
    EXPECT_EQ(h->GetMaxY(0, true), 40);
}

TEST_F(Holder, TooShortLengthsTakeTheDefault)
{
    const struct {
        double length;
        double width;
        double kept;
    } cases[] = {
        {80, 20, 80},  // exceeds W + 40
        {61, 20, 61},
        {60, 20, 70},  // W + 40 exactly: W + 50
        {30, 20, 70},
        {65, 30, 80},  // checked against the new width, not the one before
        {0, 0, 50},
    };
    for (const auto& c : cases) {
        auto h = Make(0, 0, false, c.length, c.width);
        EXPECT_EQ(h->GetLength(), c.kept) << c.length << " by " << c.width;
        EXPECT_EQ(h->GetWidth(), c.width);
    }
    // A new holder already keeps the rule.
    CHolder fresh(&nodes, nullptr, 0);
    EXPECT_GT(fresh.GetLength(), fresh.GetWidth() + 40);
}

TEST_F(Holder, WheelSteps)
{
    const struct {
        double length;
        int delta;
        double after;
    } cases[] = {
        {80, 120, 90},
        {80, -120, 70},
        {61, -120, 61}, // 51 would not exceed 60
        {71, -120, 61},
        {80, 0x10078, 90},  // only the low 16 bits count
        {80, 0x1FF88, 70}, // low word −120
    };
    for (const auto& c : cases) {
        auto h = Make(0, 0, false, c.length, 20);
        EXPECT_EQ(h->OnShiftWheel(c.delta, 0, 0), c.length);
        EXPECT_EQ(h->GetLength(), c.after) << c.length << ' ' << c.delta;
    }
    auto h = Make(0, 0, true, 80, 20);
    EXPECT_EQ(h->OnCtrlWheel(120, 0, 0), 0.0);
    EXPECT_FALSE(h->IsVertical());
    (void)h->OnCtrlWheel(-120, 0, 0);
    EXPECT_TRUE(h->IsVertical());
}

TEST_F(Holder, QuarterTurnsSwapTheOrientation)
{
    const struct {
        double degrees;
        bool vertical;
        die::coord at;
    } cases[] = {{90, true, {-50, 100}}, {89.5, true, {-50, 100}}, {45, false, {}}, {180, false, {-100, -50}}};
    for (const auto& c : cases) {
        auto h = Make(100, 50, false, 80, 20);
        NodeRemap remap;
        h->Rotate(remap, 0, 0, c.degrees);
        EXPECT_FALSE(h->IsVertical()) << "not selected";
        h->SetSelection(1);
        h->Rotate(remap, 0, 0, c.degrees);
        EXPECT_EQ(h->IsVertical(), c.vertical) << c.degrees;
        if (c.degrees == 90 || c.degrees == 180) {
            EXPECT_NEAR(At(h->GetNode()).x, c.at.x, 1e-3) << c.degrees;
            EXPECT_NEAR(At(h->GetNode()).y, c.at.y, 1e-3) << c.degrees;
        }
    }
}

TEST_F(Holder, MirrorAndScale)
{
    auto h = Make(100, 50, false, 80, 20);
    h->SetSelection(1);
    NodeRemap remap;
    h->Scale(remap, 0, 0, 2, 2);
    EXPECT_EQ(At(h->GetNode()), (die::coord{100, 50}));
    EXPECT_EQ(h->GetLength(), 80);
    h->Mirror(remap, 0, 0, 0, 10);
    EXPECT_EQ(At(h->GetNode()), (die::coord{-100, 50}));
    EXPECT_FALSE(h->IsVertical());
}

} // namespace
