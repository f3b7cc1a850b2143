#include "exchange/export/FigureConversion.h"

#include "display/DisplayList.h"

#include <gtest/gtest.h>

namespace {

using Export::ExportPrimitive;

DisplayFigure Figure(int kind, int outputKind, std::vector<OutputNode> output)
{
    DisplayFigure figure;
    figure.kind = kind;
    figure.lineType = 5;
    figure.ptg = 2.5f;
    figure.outputKind = outputKind;
    figure.output = std::move(output);
    return figure;
}

std::vector<ExportPrimitive> Converted(const DisplayFigure& figure, int text = 0, int arc = 0)
{
    Export::ExportSettings settings;
    settings.text = text;
    settings.arc = arc;
    std::vector<ExportPrimitive> out;
    Export::ConvertFigure(figure, settings, out);
    return out;
}

TEST(FigureConversion, PolylineDrawsAndMovesWithEachNodesLineType)
{
    const auto out = Converted(Figure(FigureKind::Curve, OutputKind::Polyline,
                                      {{0, 0, OutputCode::Move, 5},
                                       {1, 0, OutputCode::Draw, 5},
                                       {2, 0, OutputCode::Move, 5}, // a bridge's gap
                                       {3, 0, OutputCode::DrawPen1, 7}}));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].B, die::coord(0, 0));
    EXPECT_EQ(out[0].C, die::coord(1, 0));
    EXPECT_EQ(out[0].line_type, 5);
    EXPECT_EQ(out[0].ptg, 2.5f);
    EXPECT_EQ(out[1].B, die::coord(2, 0));
    EXPECT_EQ(out[1].line_type, 7);
}

TEST(FigureConversion, WaveArcsAndSpurs)
{
    // From (0,0): a counter-clockwise half-wave to (2,0) about (1,0), a
    // clockwise one to (4,0) about (3,0) (its direction record below 0), then
    // a spur from (4,0) to (4,1) and a plain move.
    const auto out = Converted(Figure(FigureKind::Line, OutputKind::WaveArcs,
                                      {{0, 0, OutputCode::Move, 5},
                                       {2, 0, OutputCode::Draw, 5},
                                       {1, 0, OutputCode::Data, 0},
                                       {1, 1, OutputCode::Data, 0},
                                       {3.14, 3.14, OutputCode::Data, 0},
                                       {4, 0, OutputCode::Draw, 5},
                                       {3, 0, OutputCode::Data, 0},
                                       {1, -1, OutputCode::Data, 0},
                                       {0, 3.14, OutputCode::Data, 0},
                                       {4, 0, OutputCode::Spur, 5},
                                       {4, 1, OutputCode::Data, 0},
                                       {9, 9, OutputCode::Move, 5}}));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].kind, ExportPrimitive::Arc);
    EXPECT_EQ(out[0].A, die::coord(1, 0));
    EXPECT_EQ(out[0].B, die::coord(0, 0));
    EXPECT_EQ(out[0].C, die::coord(2, 0));
    EXPECT_EQ(out[0].reverse, 0);
    EXPECT_EQ(out[1].A, die::coord(3, 0));
    EXPECT_EQ(out[1].B, die::coord(4, 0));
    EXPECT_EQ(out[1].C, die::coord(2, 0));
    EXPECT_EQ(out[1].reverse, 1);
    EXPECT_EQ(out[2].kind, ExportPrimitive::Line);
    EXPECT_EQ(out[2].B, die::coord(4, 0));
    EXPECT_EQ(out[2].C, die::coord(4, 1));

    // A half-wave whose data records are cut off makes nothing.
    EXPECT_TRUE(Converted(Figure(FigureKind::Line, OutputKind::WaveArcs,
                                 {{0, 0, OutputCode::Move, 5}, {2, 0, OutputCode::Draw, 5}, {1, 0, OutputCode::Data, 0}}))
                    .empty());
}

TEST(FigureConversion, ArcPiecesRunClockwiseFromEachPairsFirstPoint)
{
    const auto figure = Figure(FigureKind::Arc, OutputKind::Arc,
                               {{0, 0, OutputCode::Data, 0},
                                {10, 0, OutputCode::Data, 0},
                                {0, 10, OutputCode::Data, 0},
                                {10, 0, OutputCode::Data, 0},
                                {0, -10, OutputCode::Data, 0}}); // a piece without its end
    const auto out = Converted(figure);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].B, die::coord(10, 0));
    EXPECT_EQ(out[0].C, die::coord(0, 10));
    EXPECT_EQ(out[0].reverse, 1);
    EXPECT_EQ(Converted(figure, 0, 1).size(), 20u); // radius 10: 4.5° chords
}

TEST(FigureConversion, TextKeptOrAsItsStrokes)
{
    DisplayFigure text = Figure(FigureKind::Text, OutputKind::Polyline,
                                {{0, 0, OutputCode::Move, 5}, {0, 3, OutputCode::Draw, 5}});
    text.points = {{1, 2}, {0, 1}, {2, 3}};
    text.text = QStringLiteral("Ab");
    auto out = Converted(text);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].kind, ExportPrimitive::Text);
    EXPECT_EQ(out[0].A, die::coord(1, 2));
    EXPECT_EQ(out[0].B, die::coord(0, 1));
    EXPECT_EQ(out[0].C, die::coord(2, 3));
    EXPECT_EQ(out[0].text, QStringLiteral("Ab"));
    out = Converted(text, 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].kind, ExportPrimitive::Line);
}

} // namespace
