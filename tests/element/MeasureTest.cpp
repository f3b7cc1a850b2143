#include "ElementFixture.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/Measure.h"
#include "platform/BinaryStream.h"
#include "platform/RecordingDevice.h"

#include <QByteArray>

#include <cmath>
#include <optional>

namespace {

struct Segment {
    die::coord from;
    die::coord to;
};

class Measure : public elementtest::Elements {
protected:
    std::unique_ptr<CMeasure> Make(int kind, die::coord p1, die::coord p2, die::coord l,
                                   std::optional<die::coord> c = std::nullopt)
    {
        auto m = std::make_unique<CMeasure>(&nodes, nullptr, 0);
        m->SetKind(kind);
        m->SetNodes(Node(p1.x, p1.y), Node(p2.x, p2.y), c ? Node(c->x, c->y) : -1, Node(l.x, l.y));
        return m;
    }

    static std::vector<Segment> LinesOf(const DisplayList& list)
    {
        std::vector<Segment> lines;
        for (const DisplayFigure& f : list.Figures()) {
            if (f.kind == FigureKind::Line)
                lines.push_back({f.points[0], f.points[1]});
        }
        return lines;
    }

    static const DisplayFigure* TextOf(const DisplayList& list)
    {
        for (const DisplayFigure& f : list.Figures()) {
            if (f.kind == FigureKind::Text)
                return &f;
        }
        return nullptr;
    }

    static void ExpectNear(const die::coord& a, const die::coord& b, const char* what)
    {
        EXPECT_NEAR(a.x, b.x, 1e-9) << what;
        EXPECT_NEAR(a.y, b.y, 1e-9) << what;
    }

    QByteArray Record(const CMeasure& m)
    {
        platform::BinaryWriter out;
        m.Save(out);
        return out.data();
    }
};

const double c30 = std::cos(30 / 57.29577951308232);
const double s30 = std::sin(30 / 57.29577951308232);

TEST_F(Measure, HorizontalDimensionFigures)
{
    // Inside: the line between the extension lines, heads pointing outward;
    // outside (L beyond P2): the line out to L and a continuation beyond P1,
    // heads pointing inward.
    const struct {
        die::coord l;
        std::vector<Segment> lines;
    } cases[] = {
        {{50, 50},
         {{{0, 50}, {100, 50}},
          {{0, 50}, {10 * c30, 50 + 10 * s30}},
          {{0, 50}, {10 * c30, 50 - 10 * s30}},
          {{100, 50}, {100 - 10 * c30, 50 - 10 * s30}},
          {{100, 50}, {100 - 10 * c30, 50 + 10 * s30}},
          {{0, 10}, {0, 60}},
          {{100, 30}, {100, 60}}}},
        {{150, 50},
         {{{100, 50}, {150, 50}},
          {{0, 50}, {-25, 50}},
          {{0, 50}, {-10 * c30, 50 - 10 * s30}},
          {{0, 50}, {-10 * c30, 50 + 10 * s30}},
          {{100, 50}, {100 + 10 * c30, 50 + 10 * s30}},
          {{100, 50}, {100 + 10 * c30, 50 - 10 * s30}},
          {{0, 10}, {0, 60}},
          {{100, 30}, {100, 60}}}},
    };
    for (const auto& c : cases) {
        auto m = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, c.l);
        m->RebuildContour();
        const std::vector<Segment> lines = LinesOf(m->GetDisplayList());
        ASSERT_EQ(lines.size(), c.lines.size()) << c.l.x;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ExpectNear(lines[i].from, c.lines[i].from, "from");
            ExpectNear(lines[i].to, c.lines[i].to, "to");
        }
        const DisplayFigure* text = TextOf(m->GetDisplayList());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text, QStringLiteral("100.000 mm"));
        // Ten characters of 15 centred on L, 5 above the line.
        ExpectNear(text->points[0], c.l + die::coord{-75, 5}, "text origin");
        EXPECT_EQ(text->points[2], (die::coord{15, 12}));
    }
}

TEST_F(Measure, AlignedDimensionRunsParallelThroughL)
{
    auto m = Make(DimensionKind::Aligned, {0, 0}, {30, 40}, {-40, 30} /* 50 to the left */);
    m->RebuildContour();
    const std::vector<Segment> lines = LinesOf(m->GetDisplayList());
    ASSERT_EQ(lines.size(), 7u);
    ExpectNear(lines[0].from, {-40, 30}, "line start");
    ExpectNear(lines[0].to, {-10, 70}, "line end");
    ExpectNear(lines[5].from, {-8, 6}, "extension at P1");
    ExpectNear(lines[5].to, {-48, 36}, "extension at P1");
    const DisplayFigure* text = TextOf(m->GetDisplayList());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, QStringLiteral(" 50.000 mm"));
    ExpectNear(text->points[1], {0.6, 0.8}, "reading direction");
}

TEST_F(Measure, AlignedDimensionOfOnePointHasNoFigures)
{
    auto m = std::make_unique<CMeasure>(&nodes, nullptr, 0);
    m->SetKind(DimensionKind::Aligned);
    const int p = Node(10, 10);
    m->SetNodes(p, p, -1, Node(20, 20));
    m->RebuildContour();
    EXPECT_TRUE(m->GetDisplayList().IsEmpty());
}

TEST_F(Measure, AngularDisplayListShowsTheSweepFromP2ToP1)
{
    auto m = Make(DimensionKind::Angular, {10, 0}, {0, 10}, {-12, -16}, die::coord{0, 0});
    m->RebuildContour();
    const auto& figures = m->GetDisplayList().Figures();
    ASSERT_FALSE(figures.empty());
    EXPECT_EQ(figures[0].kind, FigureKind::Arc);
    ExpectNear(figures[0].points[1], {20, 0}, "arc start");
    ExpectNear(figures[0].points[2], {0, 20}, "arc end");
    EXPECT_EQ(LinesOf(m->GetDisplayList()).size(), 4u);
    const DisplayFigure* text = TextOf(m->GetDisplayList());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, QStringLiteral("270.000 \u00B0"));
}

TEST_F(Measure, RadialDimensionFromTheCentre)
{
    auto m = Make(DimensionKind::Radial, {0, 0}, {0, 30}, {60, 0});
    m->RebuildContour();
    const std::vector<Segment> lines = LinesOf(m->GetDisplayList());
    ASSERT_EQ(lines.size(), 6u);
    ExpectNear(lines[0].to, {-25, 0}, "continuation behind the centre");
    ExpectNear(lines[1].from, {30, 0}, "line out to L");
    ExpectNear(lines[1].to, {60, 0}, "line out to L");
    EXPECT_EQ(TextOf(m->GetDisplayList())->text, QStringLiteral(" 30.000 mm"));
}

// Recorded lines that are not glyph strokes: the first ones and the last ones.
std::vector<platform::RecordedLine> Ends(const std::vector<platform::RecordedLine>& lines, std::size_t first,
                                         std::size_t last)
{
    std::vector<platform::RecordedLine> out(lines.begin(), lines.begin() + static_cast<long>(first));
    out.insert(out.end(), lines.end() - static_cast<long>(last), lines.end());
    return out;
}

TEST_F(Measure, HorizontalPreviewDrawing)
{
    using platform::DevicePoint;
    const platform::Pen white = platform::Pen::make(platform::PenStyle::Solid, 1, platform::rgb(255, 255, 255));
    const struct {
        die::coord l;
        std::size_t leading;
        std::vector<std::pair<DevicePoint, DevicePoint>> lines;
    } cases[] = {
        {{50, 50}, 1,
         {{{0, 50}, {100, 50}},
          {{0, 10}, {0, 60}},
          {{100, 30}, {100, 60}},
          {{0, 50}, {9, 52}},
          {{0, 50}, {9, 47}},
          {{100, 50}, {90, 47}},
          {{100, 50}, {90, 52}}}},
        {{150, 50}, 2,
         {{{0, 50}, {-25, 50}},
          {{100, 50}, {150, 50}},
          {{0, 10}, {0, 60}},
          {{100, 30}, {100, 60}},
          {{0, 50}, {-9, 47}},
          {{0, 50}, {-9, 52}},
          {{100, 50}, {109, 52}},
          {{100, 50}, {109, 47}}}},
    };
    for (const auto& c : cases) {
        auto m = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, c.l);
        platform::RecordingDevice device;
        DrawContext dc(&device, CInstance(true), false, false, {0, 0});
        m->Draw(dc);
        const auto lines = Ends(device.lines(), c.leading, 6);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].from, c.lines[i].first) << c.l.x << " line " << i;
            EXPECT_EQ(lines[i].to, c.lines[i].second) << c.l.x << " line " << i;
        }
        EXPECT_EQ(lines.front().pen.colour, white.colour);
    }
}

TEST_F(Measure, AngularPreviewDrawsTheSweepFromP1ToP2)
{
    auto m = Make(DimensionKind::Angular, {10, 0}, {0, 10}, {12, 16}, die::coord{0, 0});
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    m->Draw(dc);
    const auto arcs = device.callsOf(platform::RecordedCall::Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points[0], (platform::DevicePoint{-20, -20}));
    EXPECT_EQ(arcs[0].points[1], (platform::DevicePoint{20, 20}));
    EXPECT_EQ(arcs[0].points[2], (platform::DevicePoint{0, 20}));
    EXPECT_EQ(arcs[0].points[3], (platform::DevicePoint{20, 0}));
}

TEST_F(Measure, NothingIsDrawnWithoutDeviceOrPreviewNodes)
{
    auto m = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, {50, 50});
    DrawContext none(nullptr, CInstance(true), false, false, {0, 0});
    m->Draw(none);
    m->SetPreviewNodes(nullptr, nullptr, nullptr, nullptr);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    m->Draw(dc);
    EXPECT_TRUE(device.calls().empty());
    m->RebuildContour();
    EXPECT_TRUE(m->GetDisplayList().IsEmpty());
}

TEST_F(Measure, ExtentsCoverTheDimensionLineAndTheArc)
{
    auto h = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, {150, 50});
    EXPECT_EQ(h->GetMaxX(0, true), 150);
    EXPECT_EQ(h->GetMaxY(0, true), 50);
    EXPECT_EQ(h->GetMinY(0, true), 0);
    // The sweep from the P1 direction counter-clockwise to the P2 direction
    // passes the bottom of its circle, not the top.
    auto a = Make(DimensionKind::Angular, {-10, 0}, {10, 0}, {0, -20}, die::coord{0, 0});
    EXPECT_NEAR(a->GetMinY(0, true), -20, 1e-9);
    EXPECT_NEAR(a->GetMaxX(0, true), 20, 1e-9);
    EXPECT_NEAR(a->GetMaxY(0, true), 0, 1e-9);
}

TEST_F(Measure, RecordRoundTripsByteForByte)
{
    auto m = Make(DimensionKind::Angular, {10, 0}, {0, 10}, {5, 5}, die::coord{0, 0});
    m->SetInstances({1, 2, 3});
    m->CharWidthRef() = 7;
    m->CharHeightRef() = 9;
    m->SetLineType(16);
    const QByteArray saved = Record(*m);
    platform::BinaryReader in(saved);
    ASSERT_EQ(in.readInt32(), ElementTypeId::Measure);
    CMeasure back(&nodes, nullptr, 0);
    ASSERT_TRUE(back.Load(in, 15, 0));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(Record(back), saved);
    EXPECT_EQ(back.GetCentre(), m->GetCentre());
}

TEST_F(Measure, OlderRecordsReadTheDefaults)
{
    auto m = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, {50, 50});
    m->SetInstances({1, 2, 3});
    m->CharWidthRef() = 7;
    const QByteArray whole = Record(*m).mid(4);
    const QByteArray head = whole.left(20);
    const QByteArray instances = whole.mid(20, 12);
    const QByteArray base = whole.mid(40);
    const struct {
        int version;
        QByteArray record;
        std::array<int, 3> instances;
        int width;
    } cases[] = {
        {7, head + instances + base, {1, 2, 3}, 15},
        {4, head + instances + base, {1, 2, 3}, 15},
        {3, head + base.left(base.size() - 4), {0, 0, 0}, 15},
        {8, whole, {1, 2, 3}, 7},
    };
    for (const auto& c : cases) {
        platform::BinaryReader in(c.record);
        CMeasure back(&nodes, nullptr, 0);
        ASSERT_TRUE(back.Load(in, c.version, 0)) << c.version;
        EXPECT_TRUE(in.atEnd()) << c.version;
        EXPECT_EQ(back.GetInstances(), c.instances) << c.version;
        EXPECT_EQ(back.CharWidthRef(), c.width) << c.version;
        EXPECT_EQ(back.CharHeightRef(), 12) << c.version;
        EXPECT_EQ(back.GetCentre(), -1);
    }
}

TEST_F(Measure, DamagedRecordsFailCleanly)
{
    auto m = Make(DimensionKind::Horizontal, {0, 0}, {100, 20}, {50, 50});
    const QByteArray whole = Record(*m).mid(4);
    for (qsizetype n = 0; n < whole.size(); ++n) {
        platform::BinaryReader in(QByteArrayView(whole).first(n));
        CMeasure back(&nodes, nullptr, 0);
        EXPECT_FALSE(back.Load(in, 15, 0)) << "cut at " << n;
        EXPECT_EQ(back.GetP1(), -1);
    }
    for (qsizetype field : {4, 12, 16}) { // P1, C, L on a missing node
        QByteArray broken = whole;
        broken.replace(field, 4, QByteArray("\x70\x00\x00\x00", 4));
        platform::BinaryReader in(broken);
        CMeasure back(&nodes, nullptr, 0);
        EXPECT_FALSE(back.Load(in, 15, 0)) << field;
    }
}

TEST_F(Measure, SelectedDimensionsMoveAllTheirNodes)
{
    auto m = Make(DimensionKind::Angular, {10, 0}, {0, 10}, {5, 5}, die::coord{1, 1});
    NodeRemap remap;
    m->Move(remap, 1, 1);
    EXPECT_EQ(At(m->GetP1()), (die::coord{10, 0})); // not selected
    m->SetSelection(1);
    m->Move(remap, 1, 1);
    EXPECT_EQ(At(m->GetP1()), (die::coord{11, 1}));
    EXPECT_EQ(At(m->GetCentre()), (die::coord{2, 2}));
    EXPECT_EQ(At(m->GetLinePoint()), (die::coord{6, 6}));
    EXPECT_FALSE(m->UsesNode(m->GetP1(), true));
    EXPECT_TRUE(m->UsesNode(m->GetCentre(), false));
    EXPECT_FALSE(m->UsesNode(-1, false));
}

} // namespace
