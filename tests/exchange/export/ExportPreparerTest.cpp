#include "ExportDrawing.h"

#include "common/TempDir.h"
#include "exchange/export/BlockTransforms.h"
#include "exchange/export/FigureConversion.h"
#include "exchange/export/LineTypeMap.h"
#include "geometry/GeomConstants.h"

#include <QFile>

#include <cmath>

namespace {

using Export::ExportBlock;
using Export::ExportPrimitive;
using exporttest::ExportDrawing;
using exporttest::Plain;

std::vector<QString> Names(const std::vector<ExportBlock>& blocks)
{
    std::vector<QString> names;
    for (const auto& b : blocks)
        names.push_back(b.name);
    return names;
}

TEST(ExportPreparer, LayerChoice)
{
    ExportDrawing drawing;
    Section& shown = drawing.AddSection(QStringLiteral("Shown"));
    Section& hidden = drawing.AddSection(QStringLiteral("Hidden"));
    hidden.SetVisible(false);
    ExportDrawing::Line(shown, 0, 0, 10, 0, 1);
    ExportDrawing::Line(hidden, 0, 5, 10, 5, 1);
    const struct {
        int layer;
        std::vector<QString> blocks;
    } cases[] = {
        {0, {QStringLiteral("Shown"), QStringLiteral("Hidden")}},
        {1, {QStringLiteral("Shown")}},
        {2, {QStringLiteral("Hidden")}},
        {7, {}},
    };
    for (const auto& c : cases) {
        auto settings = Plain();
        settings.layer = c.layer;
        EXPECT_EQ(Names(drawing.Prepare(settings, 0, &hidden)), c.blocks) << c.layer;
    }
    shown.SetVisible(false);
    auto settings = Plain();
    settings.layer = 1;
    EXPECT_TRUE(drawing.Prepare(settings).empty());
}

TEST(ExportPreparer, InstancesAsPlacementsExpandedOrOriginalOnly)
{
    ExportDrawing drawing;
    Section& box = drawing.AddSection(QStringLiteral("Box"));
    ExportDrawing::Line(box, 0, 0, 10, 0, 1)->SetNotInstanced(0);
    ExportDrawing::Line(box, 0, 20, 10, 20, 1)->SetNotInstanced(1); // a dimension, say
    box.NewInstance(100, 0, 90);

    auto settings = Plain();
    settings.instance = 0;
    auto blocks = drawing.Prepare(settings);
    ASSERT_EQ(Names(blocks), (std::vector<QString>{QStringLiteral("Box"), QStringLiteral("Box_noInst")}));
    EXPECT_EQ(blocks[0].primitives.size(), 1u);
    ASSERT_EQ(blocks[0].placements.size(), 1u);
    EXPECT_DOUBLE_EQ(blocks[0].placements[0].angle, Geom::kPi / 2);
    EXPECT_DOUBLE_EQ(blocks[0].placements[0].x, 100.0);
    EXPECT_EQ(blocks[1].primitives.size(), 1u);
    EXPECT_TRUE(blocks[1].placements.empty());

    settings.instance = 1;
    blocks = drawing.Prepare(settings);
    ASSERT_EQ(Names(blocks), std::vector<QString>{QStringLiteral("Box")});
    ASSERT_EQ(blocks[0].primitives.size(), 3u); // the line, its replica, the dimension
    EXPECT_NEAR(blocks[0].primitives[1].B.x, 100.0, 1e-9);
    EXPECT_NEAR(blocks[0].primitives[1].C.y, 10.0, 1e-9);
    EXPECT_EQ(blocks[0].primitives[2].B.y, 20.0);

    settings.instance = 2;
    blocks = drawing.Prepare(settings);
    ASSERT_EQ(Names(blocks), std::vector<QString>{QStringLiteral("Box")});
    EXPECT_EQ(blocks[0].primitives.size(), 1u);

    box.ClearInstances();
    settings.instance = 0;
    blocks = drawing.Prepare(settings);
    ASSERT_EQ(Names(blocks), std::vector<QString>{QStringLiteral("Box")});
    EXPECT_EQ(blocks[0].primitives.size(), 2u);
}

TEST(ExportPreparer, ArcsAsChordsByRadius)
{
    const struct {
        double radius;
        double sweepDegrees;
        std::size_t chords;
    } cases[] = {
        {20, 90, 45},  // 2 degrees
        {0.5, 90, 2},  // 45 degrees
        {10, 90, 20},  // 4.5 degrees, 80 a turn
        {10, 100, 23}, // 22 whole steps and a shorter last one
        {20, 360, 180},
    };
    for (const auto& c : cases) {
        ExportPrimitive arc;
        arc.kind = ExportPrimitive::Arc;
        arc.line_type = 4;
        arc.B = {c.radius, 0.0};
        const double end = Geom::DegToRad(c.sweepDegrees);
        arc.C = {c.radius * std::cos(end), c.radius * std::sin(end)};
        if (c.sweepDegrees == 360)
            arc.C = arc.B;
        std::vector<ExportPrimitive> chords;
        Export::AppendChords(arc, chords);
        ASSERT_EQ(chords.size(), c.chords) << c.radius << " " << c.sweepDegrees;
        EXPECT_NEAR(chords.back().C.x, arc.C.x, 1e-9);
        EXPECT_NEAR(chords.back().C.y, arc.C.y, 1e-9);
        EXPECT_EQ(chords.front().line_type, 4);
        for (std::size_t i = 1; i < chords.size(); ++i)
            EXPECT_LT((chords[i].B - chords[i - 1].C).Length(), 1e-9);
    }
}

TEST(ExportPreparer, DrawnArcsComeOutCounterClockwiseOrAsChords)
{
    ExportDrawing drawing;
    Section& s = drawing.AddSection(QStringLiteral("S"));
    ExportDrawing::Arc(s, 0, 0, 0, 10, 10, 0, 2); // clockwise from (0,10) to (10,0)
    auto settings = Plain();
    auto blocks = drawing.Prepare(settings);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_EQ(blocks[0].primitives.size(), 1u);
    const ExportPrimitive& arc = blocks[0].primitives[0];
    EXPECT_EQ(arc.kind, ExportPrimitive::Arc);
    EXPECT_EQ(arc.B, die::coord(10, 0));
    EXPECT_EQ(arc.C, die::coord(0, 10));
    EXPECT_EQ(arc.reverse, 1);
    settings.arc = 1;
    blocks = drawing.Prepare(settings);
    EXPECT_EQ(blocks[0].primitives.size(), 20u);
}

TEST(ExportPreparer, MirrorThenShiftToTheOffset)
{
    ExportDrawing drawing;
    Section& s = drawing.AddSection(QStringLiteral("S"));
    ExportDrawing::Line(s, 10, 5, 20, 5, 1);
    auto settings = Plain();
    settings.mirror = 1;
    auto blocks = drawing.Prepare(settings);
    EXPECT_EQ(blocks[0].primitives[0].B, die::coord(-10, 5));
    EXPECT_EQ(blocks[0].primitives[0].C, die::coord(-20, 5));

    settings.use_offset = true;
    settings.offset_x = 1;
    settings.offset_y = 2;
    blocks = drawing.Prepare(settings);
    EXPECT_EQ(blocks[0].primitives[0].B, die::coord(11, 2));
    EXPECT_EQ(blocks[0].primitives[0].C, die::coord(1, 2));
}

TEST(BlockTransforms, MirrorKeepsArcsCounterClockwiseAndTextsReadable)
{
    ExportBlock block;
    ExportPrimitive arc;
    arc.kind = ExportPrimitive::Arc;
    arc.B = {10, 0};
    arc.C = {0, 10};
    ExportPrimitive text;
    text.kind = ExportPrimitive::Text;
    text.A = {10, 1};
    text.B = {0.6, 0.8};
    text.C = {2, 3};
    text.text = QStringLiteral("ab");
    block.primitives = {arc, text};
    block.placements = {{Geom::kPi / 2, 5, 6}, {0.0, 7, 8}};

    ExportBlock all = block;
    Export::MirrorBlock(all, 1);
    EXPECT_EQ(all.primitives[0].B, die::coord(0, 10));
    EXPECT_EQ(all.primitives[0].C, die::coord(-10, 0));
    EXPECT_EQ(all.primitives[1].A, die::coord(-10, 1));
    EXPECT_EQ(all.primitives[1].B, die::coord(0.6, -0.8));
    EXPECT_DOUBLE_EQ(all.placements[0].angle, 1.5 * Geom::kPi);
    EXPECT_EQ(all.placements[0].x, -5);
    EXPECT_EQ(all.placements[1].angle, 0.0);

    ExportBlock readable = block;
    Export::MirrorBlock(readable, 2);
    // The text's far end (10 + 4·0.6, 1 + 4·0.8) mirrored becomes its start.
    EXPECT_NEAR(readable.primitives[1].A.x, -12.4, 1e-12);
    EXPECT_NEAR(readable.primitives[1].A.y, 4.2, 1e-12);
    EXPECT_EQ(readable.primitives[1].B, die::coord(0.6, -0.8));
}

TEST(BlockTransforms, MinimumCornerOfArcsAndTheShiftOfPlacedCopies)
{
    const auto arcCorner = [](die::coord centre, die::coord b, die::coord c) {
        ExportBlock block;
        ExportPrimitive arc;
        arc.kind = ExportPrimitive::Arc;
        arc.A = centre;
        arc.B = b;
        arc.C = c;
        block.primitives = {arc};
        std::optional<die::coord> corner;
        Export::ExtendMinimumCorner(block, corner);
        return *corner;
    };
    EXPECT_EQ(arcCorner({0, 0}, {10, 0}, {0, 10}), die::coord(0, 0));      // first quadrant
    EXPECT_EQ(arcCorner({0, 0}, {0, 10}, {0, -10}), die::coord(-10, -10)); // left half
    EXPECT_EQ(arcCorner({0, 0}, {0, -10}, {0, 10}), die::coord(0, -10));   // right half
    EXPECT_EQ(arcCorner({5, 5}, {7, 5}, {7, 5}), die::coord(3, 3));        // full circle

    ExportBlock block;
    block.placements = {{0.7, 30, -4}};
    const die::coord p(3, 9);
    const auto placed = [](const Export::ExportPlacement& pl, die::coord q) {
        return die::coord(std::cos(pl.angle) * q.x - std::sin(pl.angle) * q.y + pl.x,
                          std::sin(pl.angle) * q.x + std::cos(pl.angle) * q.y + pl.y);
    };
    const die::coord before = placed(block.placements[0], p);
    const die::coord m(4, -2);
    Export::ShiftBlock(block, m);
    const die::coord after = placed(block.placements[0], p - m);
    EXPECT_NEAR(after.x, before.x - m.x, 1e-12);
    EXPECT_NEAR(after.y, before.y - m.y, 1e-12);
}

class LineTypeRemap : public ::testing::Test {
protected:
    QString WriteFile(const char* text)
    {
        const QString path = dir.path() + QStringLiteral("/remap.ini");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    test::TempDir dir;
};

TEST_F(LineTypeRemap, TheMostSpecificRuleWins)
{
    Export::LineTypeMap map;
    map.Load(WriteFile("[r1]\nsource_ltype=3\ntarget_ptg=2\n"
                       "[r2]\nsource_ltype=3\nsource_ptg=7\ntarget_ltype=9\n"
                       "[r3]\nsource_ptg=4.5\ntarget_ltype=5\n"
                       "[r4]\nsource_ltype=3\ntarget_ptg=8\n")); // same key as r1: the first counts
    const struct {
        int lineType;
        float ptg;
        int expectedType;
        float expectedPtg;
    } cases[] = {
        {3, 5.0f, 3, 2.0f}, // (line type) only: the ptg set, the line type kept
        {3, 7.0f, 9, 7.0f}, // (line type, ptg) before (line type)
        {1, 4.5f, 5, 4.5f}, // (ptg) alone
        {1, 1.0f, 1, 1.0f}, // no rule
    };
    for (const auto& c : cases) {
        ExportPrimitive p;
        p.line_type = static_cast<std::int16_t>(c.lineType);
        p.ptg = c.ptg;
        map.Apply(p);
        EXPECT_EQ(p.line_type, c.expectedType) << c.lineType << " " << c.ptg;
        EXPECT_EQ(p.ptg, c.expectedPtg) << c.lineType << " " << c.ptg;
    }

    map.Load(dir.path() + QStringLiteral("/missing.ini"));
    EXPECT_TRUE(map.IsEmpty());
}

TEST_F(LineTypeRemap, RunsBeforeTheChainingByLineType)
{
    ExportDrawing drawing;
    Section& s = drawing.AddSection(QStringLiteral("S"));
    ExportDrawing::Line(s, 0, 0, 10, 0, 1);
    ExportDrawing::Line(s, 50, 50, 60, 50, 2);
    auto settings = Plain();
    settings.optimize = 2;
    settings.order = {{7, 0}};
    settings.remap_linetypes = 1;
    settings.remap_filename = WriteFile("[any]\nsource_ltype=2\ntarget_ltype=7\n");
    const auto blocks = drawing.Prepare(settings);
    ASSERT_EQ(blocks[0].primitives.size(), 2u);
    EXPECT_EQ(blocks[0].primitives[0].line_type, 7);
    EXPECT_EQ(blocks[0].primitives[1].line_type, 1);
}

} // namespace
