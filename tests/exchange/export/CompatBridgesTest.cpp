#include "exchange/export/CompatBridges.h"
#include "display/DisplayList.h"
#include "geometry/Angle.h"
#include "exchange/export/cf2/Cf2Writer.h"
#include "exchange/export/oldn/OldnWriter.h"

#include "ExportDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using Export::BridgeItem;
using Export::RulePiece;

// Pieces rule, gap, rule, ... from lengths.
std::vector<RulePiece> Pieces(std::initializer_list<double> lengths)
{
    std::vector<RulePiece> pieces;
    std::int32_t kind = RulePiece::Rule;
    for (double length : lengths) {
        Export::AddPiece(pieces, length, kind);
        kind = kind == RulePiece::Rule ? RulePiece::Gap : RulePiece::Rule;
    }
    Export::FinishPieces(pieces);
    return pieces;
}

struct Expected {
    double start, end, width;
    int count;
};

TEST(CompatBridges, ItemsOfPieceLayouts)
{
    const struct {
        const char* name;
        std::vector<RulePiece> pieces;
        std::vector<Expected> items;
    } cases[] = {
        {"even by count", Pieces({14, 4, 28, 4, 28, 4, 14}), {{0, 96, 4, 3}}},
        {"moved by hand",
         Pieces({10, 3, 40, 3, 38, 3, 3}),
         {{0, 8.5, 0, 0}, {8.5, 14.5, 3, 1}, {14.5, 51.5, 0, 0}, {51.5, 57.5, 3, 1}, {57.5, 92.5, 0, 0},
          {92.5, 98.5, 3, 1}, {98.5, 100, 0, 0}}},
        {"no bridges", Pieces({100}), {{0, 100, 0, 0}}},
        {"centred bridge", Pieces({48.5, 3, 48.5}), {{0, 100, 3, 1}}},
        {"bridge off centre", Pieces({40, 3, 57}), {{0, 20, 0, 0}, {20, 63, 3, 1}, {63, 100, 0, 0}}},
        // A leading gap gets a rule of no length: g is 0, the first item empty.
        {"starts with a gap", [] {
             std::vector<RulePiece> p;
             Export::AddPiece(p, 3, RulePiece::Gap);
             Export::AddPiece(p, 47, RulePiece::Rule);
             Export::AddPiece(p, 3, RulePiece::Gap);
             Export::AddPiece(p, 20, RulePiece::Rule);
             Export::FinishPieces(p);
             return p;
         }(),
         {{0, 0, 0, 0}, {0, 3, 3, 1}, {3, 50, 0, 0}, {50, 53, 3, 1}, {53, 73, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BridgeItem> items;
        Export::BridgeItemsOf(c.pieces, items);
        ASSERT_EQ(items.size(), c.items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(items[i].start, c.items[i].start, 1e-9);
            EXPECT_NEAR(items[i].end, c.items[i].end, 1e-9);
            EXPECT_NEAR(items[i].width, c.items[i].width, 1e-9);
            EXPECT_EQ(items[i].count, c.items[i].count);
        }
    }
}

Export::ExportSettings Compat()
{
    Export::ExportSettings s = exporttest::Plain();
    s.mode = 1;
    return s;
}

// A 96 mm rule with 3 bridges of 4 mm by count is one record; the same rule
// with its bridges moved by hand is cut into single-bridge records that
// cover the rule end to end.
TEST(CompatBridges, LinesCarryTheirBridges)
{
    exporttest::ExportDrawing drawing;
    Section& s = drawing.AddSection(QStringLiteral("L"));
    CElement* even = exporttest::ExportDrawing::Line(s, 0, 0, 96, 0, 1, 2.0);
    even->SetAutoBridges(3, 4.0);
    CElement* byHand = exporttest::ExportDrawing::Line(s, 0, 10, 0, 110, 2);
    byHand->SetBridgeMode(BridgeMode::ByHand);
    byHand->SetBridges({{0, 10, 3}, {0, 53, 3}, {0, 94, 3}});
    (void)exporttest::ExportDrawing::Line(s, 0, 200, 50, 200, 1); // no bridges

    const auto blocks = drawing.Prepare(Compat(), DisplayMode::WithBridges);
    ASSERT_EQ(blocks.size(), 1u);
    const auto& p = blocks[0].primitives;
    ASSERT_EQ(p.size(), 1u + 7u + 1u);
    EXPECT_EQ(p[0].kind, Export::ExportPrimitive::Line);
    EXPECT_NEAR(p[0].B.x, 0, 1e-9);
    EXPECT_NEAR(p[0].C.x, 96, 1e-9);
    EXPECT_EQ(p[0].bridge_count, 3);
    EXPECT_FLOAT_EQ(p[0].bridge_width, 4.0f);
    EXPECT_FLOAT_EQ(p[0].ptg, 2.0f);
    EXPECT_EQ(p[0].line_type, 1);
    const double ends[] = {8.5, 14.5, 51.5, 57.5, 92.5, 98.5, 100};
    double from = 0;
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const auto& r = p[static_cast<size_t>(1 + i)];
        EXPECT_NEAR(r.B.y, 10 + from, 1e-9);
        EXPECT_NEAR(r.C.y, 10 + ends[i], 1e-9);
        EXPECT_EQ(r.bridge_count, i % 2);
        EXPECT_EQ(r.line_type, 2);
        from = ends[i];
    }
    EXPECT_EQ(p[8].bridge_count, 0);
    EXPECT_NEAR(p[8].C.x, 50, 1e-9);

    // Without compatibility mode the bridged rules are pieces.
    const auto pieces = drawing.Prepare(exporttest::Plain(), DisplayMode::WithBridges)[0].primitives;
    EXPECT_NEAR(pieces[0].C.x, 14, 1e-9);
    EXPECT_EQ(pieces[0].bridge_count, 0);
}

TEST(CompatBridges, ArcsCarryTheirBridges)
{
    exporttest::ExportDrawing drawing;
    Section& s = drawing.AddSection(QStringLiteral("A"));
    // Clockwise from (0, 50) to (50, 0): a quarter of radius 50.
    CElement* arc = exporttest::ExportDrawing::Arc(s, 0, 0, 0, 50, 50, 0, 1);
    arc->SetAutoBridges(2, 3.0);
    const auto blocks = drawing.Prepare(Compat(), DisplayMode::WithBridges);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_EQ(blocks[0].primitives.size(), 1u);
    const auto& r = blocks[0].primitives[0];
    EXPECT_EQ(r.kind, Export::ExportPrimitive::Arc);
    EXPECT_EQ(r.reverse, 1);
    EXPECT_EQ(r.bridge_count, 2);
    EXPECT_FLOAT_EQ(r.bridge_width, 3.0f);
    EXPECT_NEAR(r.C.x, 0, 1e-6); // followed clockwise from C (the start) to B
    EXPECT_NEAR(r.C.y, 50, 1e-6);
    EXPECT_NEAR(r.B.x, 50, 1e-6);
    EXPECT_NEAR(r.B.y, 0, 1e-6);

    // The CF2 and older-layout writers give it as one clockwise arc record
    // with its bridges.
    Export::ExportPreparer job({});
    job.Blocks() = blocks;
    Export::ExportText cf2{QStringLiteral("a.cf2"), {}, {}};
    Export::WriteCf2(cf2, job);
    EXPECT_TRUE(cf2.text.contains(QStringLiteral(
        "A,2.000000,1,0,50.000000,0.000000,0.000000,50.000000,0.000000,0.000000,50.000000,2,3.000000\n")))
        << cf2.text.toStdString();
    Export::ExportText oldn{QStringLiteral("a.n"), {}, {}};
    Export::WriteOldn(oldn, job);
    EXPECT_TRUE(oldn.text.contains(QStringLiteral(
        "A]1]0.000000]50.000000]50.000000]0.000000]1]2]2]3.000000]]]0.000000]0.000000]-50.000000]\n")))
        << oldn.text.toStdString();
}

// Two touching bridges leave a drawn piece of no length between them: it
// adds nothing to the rule (it is no full turn).
TEST(CompatBridges, APieceOfNoLengthIsNoFullTurn)
{
    DisplayFigure figure;
    figure.kind = FigureKind::Arc;
    figure.outputKind = OutputKind::Arc;
    const double r = 10;
    const auto at = [&](double degrees, int code = OutputCode::Data) {
        const double a = degrees * std::numbers::pi / 180.0;
        return OutputNode{r * std::cos(a), r * std::sin(a), code, 0};
    };
    // Clockwise from 90°: drawn to 60°, gap to 50°, drawn nothing, gap to 40°, drawn to 0°.
    figure.output = {{0, 0, OutputCode::Data, 0}, {r, 0, OutputCode::Data, 0}, at(90), at(60), at(50), at(50),
                     at(40), at(0)};
    Export::ExportBlock block;
    Export::ExportPreparer preparer({});
    preparer.AddArcCompat(block, figure);
    ASSERT_FALSE(block.primitives.empty());
    // The records together sweep the quarter from 90° clockwise to 0°.
    double sweep = 0;
    for (const auto& p : block.primitives) {
        const double from = Angle().FromVector(p.C - p.A).Radians();
        const double to = Angle().FromVector(p.B - p.A).Radians();
        sweep += Angle::Normalize(from - to);
    }
    EXPECT_NEAR(sweep, std::numbers::pi / 2, 1e-9);
}

} // namespace
