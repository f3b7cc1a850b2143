#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/ElementBaseRecord.h"
#include "element/NodeTable.h"
#include "element/Wood.h"
#include "element/WoodOutline.h"
#include "platform/BinaryStream.h"
#include "platform/RecordingDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Segment {
    die::coord from;
    die::coord to;
};

// A board in absolute mode, so that no layout is needed: the layout area
// 50..450 by 13..93 gives with the default margins (50, 50, 80, 13) the
// board 0..500 by 0..173.
class Wood : public ::testing::Test {
protected:
    std::unique_ptr<CWood> Board(double layoutWidth = 400.0)
    {
        auto board = std::make_unique<CWood>(&nodes, nullptr, 0);
        WoodValues& v = board->Values();
        v.absolute = true;
        v.absoluteBox = {50.0, 93.0, 50.0 + layoutWidth, 13.0};
        v.gapSpacing = 150.0;
        v.knifeSpacing = 0.0;
        return board;
    }

    static const std::deque<DisplayFigure>& Figures(CWood& board)
    {
        board.MarkDisplayDirty();
        board.RebuildContour();
        return board.GetDisplayList().Figures();
    }

    static std::vector<Segment> Lines(CWood& board, int lineType)
    {
        std::vector<Segment> lines;
        for (const DisplayFigure& f : Figures(board)) {
            if (f.kind == FigureKind::Line && f.lineType == lineType)
                lines.push_back({f.points[0], f.points[1]});
        }
        return lines;
    }

    static std::vector<const DisplayFigure*> Arcs(CWood& board)
    {
        std::vector<const DisplayFigure*> arcs;
        for (const DisplayFigure& f : Figures(board)) {
            if (f.kind == FigureKind::Arc)
                arcs.push_back(&f);
        }
        return arcs;
    }

    // The gap centres of the outline's edge at y, from the straight pieces
    // lying on it (x measured from the edge's midpoint).
    static std::vector<double> GapsOnEdgeAt(CWood& board, double y, double midX)
    {
        std::vector<std::pair<double, double>> pieces;
        for (const Segment& s : Lines(board, 122)) {
            if (s.from.y == y && s.to.y == y)
                pieces.emplace_back(std::min(s.from.x, s.to.x), std::max(s.from.x, s.to.x));
        }
        std::sort(pieces.begin(), pieces.end());
        std::vector<double> gaps;
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            EXPECT_NEAR(pieces[i].first - pieces[i - 1].second, 2.5, 1e-9);
            gaps.push_back((pieces[i].first + pieces[i - 1].second) / 2.0 - midX);
        }
        return gaps;
    }

    static QByteArray Saved(const CWood& board)
    {
        platform::BinaryWriter out;
        board.Save(out);
        return out.data();
    }

    NodeTable nodes;
};

TEST_F(Wood, NewBoardValues)
{
    CWood board(&nodes, nullptr, 0);
    const WoodValues& v = board.Values();
    EXPECT_EQ(v.leftMargin, 50.0);
    EXPECT_EQ(v.rightMargin, 50.0);
    EXPECT_EQ(v.topMargin, 80.0);
    EXPECT_EQ(v.bottomMargin, 13.0);
    EXPECT_EQ(v.centreLineEdge, CentreLineEdge::Bottom);
    EXPECT_TRUE(v.knives);
    EXPECT_FALSE(v.absolute);
    EXPECT_EQ(v.notchWidth, 8.0);
    EXPECT_EQ(v.notchDepth, 5.0);
    EXPECT_EQ(board.GetNotInstanced(), 1);
    EXPECT_FALSE(board.IsSelected());
    EXPECT_EQ(board.GetHighlightedDimension(), -1);
    EXPECT_TRUE(board.GetRecords().empty());
    board.AddDefaultRecords();
    ASSERT_EQ(board.GetRecords().size(), 10u);
    EXPECT_EQ(board.GetRecords()[2], (WoodRecord{1, 5, 0, 70}));
    EXPECT_EQ(board.AddRecord({7, 8, 9, 10}), 10);
    // Without a layout the box is empty and the board is the margins alone.
    const WoodBox box = board.BoardBox(board.LayoutBox());
    EXPECT_EQ(box, (WoodBox{-50.0, 80.0, 50.0, -13.0}));
    for (int mode : {1, 2, 3})
        EXPECT_EQ(board.IsInRect(1e6, 1e6, 2e6, 2e6, mode), mode == 3) << mode;
    EXPECT_EQ(board.GetMinX(7.0, true), 0.0);
    EXPECT_EQ(board.GetMinX(7.0, false), 7.0);
}

TEST_F(Wood, CopyKeepsStoredValuesAndResetsThePreview)
{
    auto board = Board();
    WoodValues& v = board->Values();
    v.sides[WoodValues::SideTop] = {true, true, 1.0, 30.0, 12.0, 1};
    v.text = QStringLiteral("Probe");
    v.textPositions[WoodValues::BottomLeft] = true;
    board->AddDefaultRecords();
    board->SetDimensionPreview(true);
    board->SetHighlightedDimension(3);
    board->SetPreviewColour(0x123456);
    const CWood copy(*board);
    EXPECT_EQ(copy.Values(), board->Values());
    EXPECT_EQ(copy.GetRecords(), board->GetRecords());
    EXPECT_FALSE(copy.GetDimensionPreview());
    EXPECT_EQ(copy.GetHighlightedDimension(), -1);
    EXPECT_EQ(copy.GetPreviewColour(), 0u);
}

TEST_F(Wood, RecordRoundTripsEveryStoredField)
{
    auto board = Board();
    WoodValues& v = board->Values();
    v.fillet = 4.5;
    v.centreLineEdge = CentreLineEdge::Left;
    v.knifeStartOverhang = 1;
    v.knifeEndOverhang = 2;
    v.knifeOffset = 3;
    v.knifeSpacing = 4;
    v.knifeEndClearance = 5;
    v.knives = false;
    v.sides[WoodValues::SideRight] = {true, false, 2.0, 40.0, 10.0, 1};
    v.sides[WoodValues::SideBottom] = {true, true, 0.0, 25.0, 8.0, 0};
    v.symmetric = true;
    v.text = QStringLiteral("Nr. 4711 äö");
    v.textPositions = {true, false, true, false, false, true, false, true};
    v.textHeight = 7;
    v.textBand = 12.5;
    v.textOffset = 33.0;
    v.notchWidth = 9.0;
    v.notchDepth = 6.0;
    (void)board->AddRecord({4, 5, 6.5, 7.5});
    const QByteArray bytes = Saved(*board);

    CWood read(&nodes, nullptr, 0);
    platform::BinaryReader in(bytes);
    ASSERT_EQ(in.readInt32(), ElementTypeId::Wood);
    ASSERT_TRUE(read.Load(in, 15, 0));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(read.Values(), board->Values());
    // A file that stores records gives exactly them.
    EXPECT_EQ(read.GetRecords(), board->GetRecords());
    EXPECT_EQ(Saved(read), bytes);
}

// A record of an older format version: the fields the version stores.
QByteArray OldRecord(int version)
{
    platform::BinaryWriter out;
    for (double d : {10.0, 20.0, 30.0, 40.0, 0.0})
        out.writeDouble(d);
    out.writeInt32(4);
    out.writeDouble(150.0);
    for (int i = 0; i < 5; ++i)
        out.writeDouble(20.0);
    if (version >= 3) {
        out.writeInt32(1);
        for (double d : {0.0, 100.0, 200.0, 0.0})
            out.writeDouble(d);
    }
    if (version >= 6) {
        out.writeInt32(0);
        out.writeInt32(1);
        out.writeInt32(9);
        out.writeInt32(9);
        out.writeDouble(9);
        out.writeDouble(9);
    }
    // The common record: line type, no bridges, ptg, mode, count, width.
    out.writeInt32(122);
    out.writeInt32(0);
    out.writeDouble(2.0);
    out.writeInt32(0);
    out.writeInt32(0);
    out.writeDouble(0.0);
    if (version >= kNotInstancedVersion)
        out.writeInt32(1);
    return out.data();
}

TEST_F(Wood, OlderFilesGiveDefinedValues)
{
    const WoodValues fresh;
    const struct {
        int version;
        bool absolute;
        bool knives;
        std::size_t records;
    } cases[] = {{2, false, true, 10}, {5, true, true, 10}, {8, true, false, 1}};
    for (const auto& c : cases) {
        CWood board(&nodes, nullptr, 0);
        const QByteArray bytes = OldRecord(c.version);
        platform::BinaryReader in(bytes);
        ASSERT_TRUE(board.Load(in, c.version, 0)) << c.version << " " << in.error().toStdString();
        EXPECT_TRUE(in.atEnd()) << c.version;
        const WoodValues& v = board.Values();
        EXPECT_EQ(v.leftMargin, 10.0);
        EXPECT_EQ(v.gapSpacing, 150.0);
        EXPECT_EQ(v.absolute, c.absolute) << c.version;
        EXPECT_EQ(v.knives, c.knives) << c.version;
        // Side records, text settings and the notch are not stored: they
        // keep the new board's defined values.
        EXPECT_EQ(v.sides, fresh.sides) << c.version;
        EXPECT_EQ(v.textPositions, fresh.textPositions) << c.version;
        EXPECT_EQ(v.textHeight, fresh.textHeight) << c.version;
        EXPECT_EQ(v.textBand, fresh.textBand) << c.version;
        EXPECT_EQ(v.textOffset, fresh.textOffset) << c.version;
        EXPECT_EQ(v.notchWidth, 8.0) << c.version;
        // Records: the ten defaults for a file older than the records.
        EXPECT_EQ(board.GetRecords().size(), c.records) << c.version;
    }
}

TEST_F(Wood, RecordCountIsChecked)
{
    for (int32_t count : {-1, CWood::kMaxRecords + 1, 5}) {
        auto board = Board();
        QByteArray bytes = Saved(*board);
        // The count follows the type id, 5 + 1 + 5 doubles, an int, 4
        // doubles... at its fixed place: type id 4, margins to knives 88,
        // absolute 36, knife flag 4.
        const int at = 4 + 11 * 8 + 4 + 4 + 4 * 8 + 4;
        platform::BinaryWriter patch;
        patch.writeInt32(count);
        bytes.replace(at, 4, patch.data());
        CWood read(&nodes, nullptr, 0);
        platform::BinaryReader in(bytes);
        (void)in.readInt32();
        EXPECT_FALSE(read.Load(in, 15, 0)) << count; // 5 records are not there
        EXPECT_TRUE(read.GetRecords().empty());
    }
}

TEST_F(Wood, GapsAlongTheEdges)
{
    // 500 mm wide: gaps at ±75 and ±225 about the middle of the top and
    // bottom edges; 400 mm: only ±75.
    const struct {
        double layoutWidth;
        std::vector<double> gaps;
    } cases[] = {{400.0, {-225.0, -75.0, 75.0, 225.0}}, {300.0, {-75.0, 75.0}}};
    for (const auto& c : cases) {
        auto board = Board(c.layoutWidth);
        const double mid = (c.layoutWidth + 100.0) / 2.0;
        for (double y : {0.0, 173.0}) {
            const std::vector<double> gaps = GapsOnEdgeAt(*board, y, mid);
            ASSERT_EQ(gaps.size(), c.gaps.size()) << y;
            for (std::size_t i = 0; i < gaps.size(); ++i)
                EXPECT_NEAR(gaps[i], c.gaps[i], 1e-9) << y;
        }
    }
}

TEST_F(Wood, GapEndsBendInwards)
{
    auto board = Board(400.0);
    // On the top edge (running +x, outward +y) the gap at x = 325 has its
    // ends at 323.75 and 326.25, bent 1 mm down and 0.65 towards the gap.
    const std::vector<Segment> lines = Lines(*board, 122);
    const auto has = [&](die::coord a, die::coord b) {
        return std::any_of(lines.begin(), lines.end(), [&](const Segment& s) {
            return std::abs(s.from.x - a.x) < 1e-9 && std::abs(s.from.y - a.y) < 1e-9
                   && std::abs(s.to.x - b.x) < 1e-9 && std::abs(s.to.y - b.y) < 1e-9;
        });
    };
    EXPECT_TRUE(has({323.75, 173}, {324.4, 172}));
    EXPECT_TRUE(has({326.25, 173}, {325.6, 172}));
}

TEST_F(Wood, GapSpacingThatIsNotPositiveGivesNoGaps)
{
    for (double spacing : {0.0, -150.0, std::nan("")}) {
        auto board = Board(400.0);
        board->Values().gapSpacing = spacing;
        EXPECT_TRUE(GapsOnEdgeAt(*board, 173.0, 250.0).empty()) << spacing;
        // One straight line per edge.
        EXPECT_EQ(Lines(*board, 122).size(), 4u) << spacing;
    }
    // A spacing far too small for the edge is cut to a bounded series.
    auto board = Board(400.0);
    board->Values().gapSpacing = 1e-12;
    EXPECT_LE(Lines(*board, 122).size(), 4u * 3u * (WoodOutline::kMaxSeries + 1));
}

TEST_F(Wood, FilletArcsAndClamp)
{
    auto board = Board(400.0);
    board->Values().gapSpacing = 0.0;
    board->Values().fillet = 10.0;
    std::vector<const DisplayFigure*> arcs = Arcs(*board);
    ASSERT_EQ(arcs.size(), 4u);
    // The top right corner: centre (490, 163) from (490, 173) to (500, 163).
    EXPECT_EQ(arcs[0]->points[0], (die::coord{490, 163}));
    EXPECT_EQ(arcs[0]->points[1], (die::coord{490, 173}));
    EXPECT_EQ(arcs[0]->points[2], (die::coord{500, 163}));
    // Each straight part is 10 shorter at both ends.
    const std::vector<Segment> lines = Lines(*board, 122);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].from, (die::coord{10, 173}));
    EXPECT_EQ(lines[0].to, (die::coord{490, 173}));

    // A fillet beyond half the shorter side (173 / 2) is held there.
    board->Values().fillet = 1000.0;
    arcs = Arcs(*board);
    ASSERT_EQ(arcs.size(), 4u);
    EXPECT_NEAR(die::distance(arcs[0]->points[0], arcs[0]->points[1]), 86.5, 1e-9);
    board->Values().fillet = 0.0;
    EXPECT_TRUE(Arcs(*board).empty());
}

TEST_F(Wood, RegisterSlotPairs)
{
    // A front edge of 900: with radius 5 only the pair at ±195 fits.
    auto board = Board(800.0);
    board->Values().gapSpacing = 0.0;
    board->SetSlotSettings(5.0, 12.0);
    std::vector<const DisplayFigure*> arcs = Arcs(*board);
    ASSERT_EQ(arcs.size(), 2u);
    // Slot at −195 from the notch at x = 450: sides at 250 and 260, its
    // half circle about (255, 12) from (250, 12) to (260, 12).
    EXPECT_EQ(arcs[0]->points[0], (die::coord{255, 12}));
    EXPECT_EQ(arcs[0]->points[1], (die::coord{250, 12}));
    EXPECT_EQ(arcs[0]->points[2], (die::coord{260, 12}));
    EXPECT_EQ(arcs[1]->points[0], (die::coord{645, 12}));
    // Centre lines: the notch (3) and two sides per slot.
    EXPECT_EQ(Lines(*board, 125).size(), 3u + 4u);
    // A longer edge takes the outer pair too; radius 0 takes none.
    auto wide = Board(1000.0);
    wide->SetSlotSettings(5.0, 12.0);
    EXPECT_EQ(Arcs(*wide).size(), 4u);
    wide->SetSlotSettings(0.0, 12.0);
    EXPECT_TRUE(Arcs(*wide).empty());
}

TEST_F(Wood, KnifeLines)
{
    // Far margin 80 and every knife value 20: three lines at 20, 40 and 60
    // beyond the layout (top at 93), from +u (right) to −u (left), each
    // reaching 20 past the layout.
    auto board = Board(400.0);
    WoodValues& v = board->Values();
    v.knifeStartOverhang = v.knifeEndOverhang = v.knifeOffset = v.knifeSpacing = v.knifeEndClearance = 20.0;
    std::vector<Segment> knives = Lines(*board, 123);
    ASSERT_EQ(knives.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(knives[i].from.y, 113.0 + 20.0 * i, 1e-9);
        EXPECT_NEAR(knives[i].from.x, 470.0, 1e-9);
        EXPECT_NEAR(knives[i].to.x, 30.0, 1e-9);
    }
    v.knives = false;
    EXPECT_TRUE(Lines(*board, 123).empty());
    v.knives = true;
    v.knifeSpacing = 0.0;
    EXPECT_TRUE(Lines(*board, 123).empty());
}

TEST_F(Wood, CentreLineEdgeOutsideTheRangeIsTheBottom)
{
    auto board = Board(400.0);
    const std::vector<Segment> bottom = Lines(*board, 125);
    for (int edge : {0, 5, -3, 99}) {
        board->Values().centreLineEdge = edge;
        const std::vector<Segment> notch = Lines(*board, 125);
        ASSERT_EQ(notch.size(), bottom.size()) << edge;
        for (std::size_t i = 0; i < notch.size(); ++i) {
            EXPECT_EQ(notch[i].from, bottom[i].from) << edge;
            EXPECT_EQ(notch[i].to, bottom[i].to) << edge;
        }
    }
    // The notch of the bottom edge: 8 wide, 5 deep about x = 250.
    ASSERT_EQ(bottom.size(), 3u);
    EXPECT_EQ(bottom[0].from, (die::coord{246, 0}));
    EXPECT_EQ(bottom[1].from, (die::coord{246, 5}));
    EXPECT_EQ(bottom[1].to, (die::coord{254, 5}));
}

TEST_F(Wood, TextBoxes)
{
    auto board = Board(400.0);
    WoodValues& v = board->Values();
    v.text = QStringLiteral("AB");
    v.textHeight = 10;
    v.textBand = 20.0;
    v.textOffset = 30.0;
    v.textPositions[WoodValues::BottomLeft] = true;
    v.gapSpacing = 0.0;
    const auto texts = [&] {
        std::vector<const DisplayFigure*> list;
        for (const DisplayFigure& f : Figures(*board)) {
            if (f.kind == FigureKind::Text)
                list.push_back(&f);
        }
        return list;
    };
    std::vector<const DisplayFigure*> found = texts();
    ASSERT_EQ(found.size(), 1u);
    // The box from (30, 20) to (70, 0), (2 + 2) × 10 long; its text starts
    // one height in and (20 + 10) / 2 below the box's top.
    EXPECT_EQ(found[0]->lineType, 128);
    EXPECT_EQ(found[0]->text, QStringLiteral("AB"));
    EXPECT_NEAR(found[0]->points[0].x, 40.0, 1e-9);
    EXPECT_NEAR(found[0]->points[0].y, 5.0, 1e-9);
    // Three sides on the frame line type; the bottom lies on the board edge.
    EXPECT_EQ(Lines(*board, 122).size(), 4u + 3u);

    v.textHeight = 21; // higher than the band: no box at all
    EXPECT_TRUE(texts().empty());
}

TEST_F(Wood, FittedPreview)
{
    platform::RecordingDevice device(200, 100);
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    // A board of 400 by 100 mm in 200 by 100 pixels: scale 0.45.
    auto board = Board(300.0);
    WoodValues& v = board->Values();
    v.topMargin = 0.0;
    v.bottomMargin = 0.0;
    v.absoluteBox = {50.0, 100.0, 350.0, 0.0};
    EXPECT_DOUBLE_EQ(board->DrawFitted(dc, {0, 0, 200, 100}), 0.45);
    EXPECT_FALSE(device.lines().empty());

    // A board without extent draws nothing and changes no scale.
    device.clear();
    v.leftMargin = v.rightMargin = 0.0;
    v.absoluteBox = {50.0, 100.0, 50.0, 0.0};
    DrawContext empty(&device, CInstance(true), false, false, {0, 0});
    EXPECT_EQ(board->DrawFitted(empty, {0, 0, 200, 100}), 0.0);
    EXPECT_EQ(empty.scale, 1.0);
    EXPECT_TRUE(device.calls().empty());
}

} // namespace

namespace {

TEST_F(Wood, ValuesOfADamagedFileGiveABoundedOutline)
{
    // A board of no finite size shows nothing.
    auto board = Board(400.0);
    board->Values().topMargin = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(Figures(*board).empty());
    board->Values().topMargin = std::nan("");
    EXPECT_TRUE(Figures(*board).empty());

    // A text height no band can hold in whole millimetres, and series far
    // too long for any board, are built without overflow and bounded.
    board = Board(400.0);
    WoodValues& v = board->Values();
    v.text = QStringLiteral("X");
    v.textHeight = std::numeric_limits<int>::max();
    v.textBand = 1e300;
    v.textPositions[WoodValues::TopLeft] = true;
    v.knifeSpacing = 1e-300;
    v.topMargin = 1e6;
    EXPECT_LE(Figures(*board).size(), 4u * 3u * WoodOutline::kMaxSeries + 2u * WoodOutline::kMaxSeries + 10u);
}

} // namespace

namespace {

TEST_F(Wood, PreviewDrawsPlainGapsOnTheDevice)
{
    // 4 device units per mm, no mirror: the top edge at device y 692, its
    // gaps 10 units wide about 25, 175, 325 and 475 mm, without bent ends.
    const auto flags = DrawContext::OverrideMirrorFlags(0);
    platform::RecordingDevice device(2000, 800);
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    dc.scale = 4.0;
    auto board = Board(400.0);
    board->Draw(dc);
    std::vector<std::pair<int, int>> top;
    for (const platform::RecordedLine& l : device.lines()) {
        if (l.from.y == 692 && l.to.y == 692)
            top.emplace_back(std::min(l.from.x, l.to.x), std::max(l.from.x, l.to.x));
    }
    std::sort(top.begin(), top.end());
    const std::vector<std::pair<int, int>> expected = {{0, 95}, {105, 695}, {705, 1295}, {1305, 1895}, {1905, 2000}};
    EXPECT_EQ(top, expected);
    // The outline's 5 + 5 + 3 + 3 pieces and the notch's 3 sides: nothing
    // bent, no slots, knives or texts.
    EXPECT_EQ(device.lines().size(), 16u + 3u);
}

} // namespace
