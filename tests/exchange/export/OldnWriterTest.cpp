#include "exchange/export/ExportPreparer.h"
#include "exchange/export/oldn/OldnWriter.h"
#include "exchange/oldn/OldnReader.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using Export::ExportBlock;
using Export::ExportPrimitive;

ExportPrimitive Primitive(std::int16_t kind, die::coord a, die::coord b, die::coord c, int lineType, int reverse = 0)
{
    ExportPrimitive p;
    p.kind = kind;
    p.line_type = static_cast<std::int16_t>(lineType);
    p.A = a;
    p.B = b;
    p.C = c;
    p.reverse = static_cast<std::int16_t>(reverse);
    return p;
}

QString Oldn(const Export::ExportPreparer& job, const QString& name = QStringLiteral("out.n"))
{
    Export::ExportText out{name, {}, {}};
    Export::WriteOldn(out, job);
    return out.text;
}

TEST(OldnWriter, AnExportWithoutBlocks)
{
    EXPECT_EQ(Oldn(Export::ExportPreparer({})), QStringLiteral("D]41111]out.n]\nU]M]\n*]\n"));
    EXPECT_EQ(Oldn(Export::ExportPreparer({}), QStringLiteral("COM2")), QStringLiteral("D]41111]COM2]\nU]M]\n*]\n"));
}

TEST(OldnWriter, BlocksPlacementsAndRecords)
{
    Export::ExportPreparer job({});
    ExportBlock first;
    first.name = QStringLiteral("a]b");
    first.placements.push_back({std::numbers::pi / 2, 100.0, 0.0});
    ExportPrimitive bridged = Primitive(ExportPrimitive::Line, {}, {0, 0}, {96, 0}, 122);
    bridged.bridge_count = 3;
    bridged.bridge_width = 4.0f;
    bridged.ptg = 2.9f;
    first.primitives.push_back(bridged);
    first.primitives.push_back(Primitive(ExportPrimitive::Line, {}, {0, 0}, {0, -5}, 123, 1));
    first.primitives.push_back(Primitive(ExportPrimitive::Arc, {0, 0}, {10, 0}, {0, 10}, 2, 0));
    first.primitives.push_back(Primitive(ExportPrimitive::Arc, {0, 0}, {10, 0}, {0, 10}, 5, 1));
    ExportPrimitive text = Primitive(ExportPrimitive::Text, {1, 2}, {0, -1}, {2.5, 4}, 7);
    text.text = QStringLiteral("x]y\nL]1]0]0]9]9]");
    first.primitives.push_back(text);
    job.Blocks().push_back(first);
    ExportBlock onlyText; // no line or arc: the bounds before it
    onlyText.name = QStringLiteral("T");
    onlyText.primitives.push_back(text);
    job.Blocks().push_back(onlyText);

    EXPECT_EQ(Oldn(job), QStringLiteral("D]41111]out.n]\n"
                                        "U]M]\n"
                                        "S]1]]a|b]2]1]-10.000000]10.000000]96.000000]-10.000000]\n"
                                        "I]1]]]]1]1]\n"
                                        "I]2]100.000000]0.000000]90.000000]1]1]\n"
                                        "L]1]0.000000]0.000000]96.000000]0.000000]8]2]3]4.000000]\n"
                                        "L]2]0.000000]-5.000000]0.000000]0.000000]1]0]0]0.000000]\n"
                                        "A]3]10.000000]0.000000]0.000000]10.000000]2]0]0]0.000000]]]0.000000]0.000000]10.000000]\n"
                                        "A]4]0.000000]10.000000]10.000000]0.000000]5]0]0]0.000000]]]0.000000]0.000000]-10.000000]\n"
                                        "T]5]4.000000]2.500000]1]0]17]7]1.000000]2.000000]270.000000]\n"
                                        "x|y L|1|0|0|9|9|]\n"
                                        "*]\n"
                                        "S]1]]T]2]1]-10.000000]10.000000]96.000000]-10.000000]\n"
                                        "I]1]]]]1]1]\n"
                                        "T]1]4.000000]2.500000]1]0]17]7]1.000000]2.000000]270.000000]\n"
                                        "x|y L|1|0|0|9|9|]\n"
                                        "*]\n"
                                        "*]\n"));
}

// What the writer writes, the reader reads back: every block once in place
// and once per placement, arcs with their sense.
TEST(OldnWriter, WrittenFilesReadBack)
{
    Export::ExportPreparer job({});
    ExportBlock block;
    block.name = QStringLiteral("box");
    block.placements.push_back({std::numbers::pi, 50.0, 0.0});
    ExportPrimitive line = Primitive(ExportPrimitive::Line, {}, {1, 2}, {3, 4}, 1);
    line.bridge_count = 2;
    line.bridge_width = 3.0f;
    line.ptg = 2.0f;
    block.primitives.push_back(line);
    block.primitives.push_back(Primitive(ExportPrimitive::Arc, {0, 0}, {10, 0}, {0, 10}, 2, 0));
    block.primitives.push_back(Primitive(ExportPrimitive::Arc, {0, 0}, {10, 0}, {0, 10}, 2, 1));
    job.Blocks().push_back(block);

    Export::ExportText out{QStringLiteral("box.n"), {}, {}};
    Export::WriteOldn(out, job);
    oldn::Drawing drawing;
    QString error;
    ASSERT_TRUE(oldn::OldnReader::Read(out.text.toLatin1(), drawing, &error)) << error.toStdString();
    ASSERT_EQ(drawing.figures.size(), 6u);
    const auto near = [](const die::coord& p, double x, double y) {
        return std::abs(p.x - x) < 1e-6 && std::abs(p.y - y) < 1e-6;
    };
    EXPECT_TRUE(near(drawing.figures[0].start, 1, 2) && near(drawing.figures[0].end, 3, 4));
    EXPECT_EQ(drawing.figures[0].bridgeCount, 2);
    EXPECT_DOUBLE_EQ(drawing.figures[0].bridgeWidth, 3.0);
    EXPECT_DOUBLE_EQ(drawing.figures[0].ptg, 2.0);
    // Each figure in place, then placed: turned half a turn and moved by 50.
    EXPECT_TRUE(near(drawing.figures[1].start, 49, -2) && near(drawing.figures[1].end, 47, -4));
    // Counter-clockwise from B to C is clockwise from C to B, either way written.
    for (const size_t i : {2u, 4u})
        EXPECT_TRUE(near(drawing.figures[i].start, 0, 10) && near(drawing.figures[i].end, 10, 0)) << i;
    EXPECT_TRUE(near(drawing.figures[3].centre, 50, 0) && near(drawing.figures[3].start, 50, -10));
}

} // namespace
