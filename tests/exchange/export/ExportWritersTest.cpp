#include "exchange/export/ExportPreparer.h"
#include "exchange/export/cf2/Cf2Writer.h"
#include "exchange/export/hpgl/HpglWriter.h"
#include "exchange/export/wild/WildWriter.h"

#include <QStringList>

#include <numbers>

#include <gtest/gtest.h>

namespace {

using Export::ExportBlock;
using Export::ExportPrimitive;

ExportPrimitive Line(double x1, double y1, double x2, double y2, int lineType, int reverse = 0)
{
    ExportPrimitive p;
    p.kind = ExportPrimitive::Line;
    p.line_type = static_cast<std::int16_t>(lineType);
    p.B = {x1, y1};
    p.C = {x2, y2};
    p.reverse = static_cast<std::int16_t>(reverse);
    return p;
}

ExportPrimitive Arc(die::coord centre, die::coord b, die::coord c, int lineType, int reverse)
{
    ExportPrimitive p;
    p.kind = ExportPrimitive::Arc;
    p.line_type = static_cast<std::int16_t>(lineType);
    p.A = centre;
    p.B = b;
    p.C = c;
    p.reverse = static_cast<std::int16_t>(reverse);
    return p;
}

ExportPrimitive Text(const QString& text)
{
    ExportPrimitive p;
    p.kind = ExportPrimitive::Text;
    p.line_type = 1;
    p.A = {1, 2};
    p.B = {1, 0};
    p.C = {2, 3};
    p.text = text;
    return p;
}

// A job of one block holding the primitives.
Export::ExportPreparer Job(std::vector<ExportPrimitive> primitives, const QString& name = QStringLiteral("B"))
{
    Export::ExportPreparer job({});
    if (!primitives.empty()) {
        ExportBlock block;
        block.name = name;
        block.primitives = std::move(primitives);
        job.Blocks().push_back(std::move(block));
    }
    return job;
}

QString Cf2(const Export::ExportPreparer& job)
{
    Export::ExportText out{QStringLiteral("x.cf2"), {}, {}};
    Export::WriteCf2(out, job);
    return out.text;
}

const QString kCf2Header = QStringLiteral(
    "$BOF\nV2\nORDER\nEND\nAUX\nEND\nMAIN,x.cf2\nUM\nLL,-65,-56\nUR,343,286\nSCALE,1,1\n");

TEST(Cf2Writer, FrameBlocksAndRecords)
{
    // Only an empty export gives the fixed box.
    EXPECT_EQ(Cf2(Job({})), kCf2Header + QStringLiteral("END\n$EOF\n"));
    const QString boxed = QStringLiteral("$BOF\nV2\nORDER\nEND\nAUX\nEND\nMAIN,x.cf2\nUM\n"
                                         "LL,0.000000,0.000000\nUR,96.000000,10.000000\nSCALE,1,1\n");

    ExportPrimitive bridged = Line(0, 0, 96, 0, 1);
    bridged.bridge_count = 3;
    bridged.bridge_width = 4.0f;
    bridged.ptg = 2.0f;
    const QString text = Cf2(Job({bridged, Arc({0, 0}, {10, 0}, {0, 10}, 2, 0), Arc({0, 0}, {10, 0}, {0, 10}, 2, 1),
                                  Text(QStringLiteral("no record"))},
                                 QStringLiteral("A,B")));
    // The texts are "T," records; the box holds the line, the arcs (their
    // quarter points on the circle) and the text's box (9 characters of 2 mm,
    // 3 mm high from (1, 2)).
    EXPECT_EQ(text, boxed + QStringLiteral("C,A B,0,0,0,1,1\nEND\nSUB,A B\n"
                                                "L,2.000000,1,0,0.000000,0.000000,96.000000,0.000000,3,4.000000\n"
                                                "A,0.000000,2,0,0.000000,10.000000,10.000000,0.000000,0.000000,0.000000,-10.000000,0,0.000000\n"
                                                "A,0.000000,2,0,10.000000,0.000000,0.000000,10.000000,0.000000,0.000000,10.000000,0,0.000000\n"
                                                "T,0.000000,1,0,1.000000,2.000000,0.000000,3.000000,2.000000\nno record\n"
                                                "END\n$EOF\n"));
}

// LL and UR: the extents of what the die places, arcs by the circle's points
// they pass, blocks at each placement too.
TEST(Cf2Writer, TheBoxIsTheDiesExtents)
{
    const auto box = [](Export::ExportPreparer job) {
        const QStringList lines = Cf2(job).split(QLatin1Char('\n'));
        return lines[8] + QLatin1Char(' ') + lines[9];
    };
    EXPECT_EQ(box(Job({Arc({0, 0}, {10, 0}, {-10, 0}, 1, 0)})),
              QStringLiteral("LL,-10.000000,0.000000 UR,10.000000,10.000000")); // over the top
    EXPECT_EQ(box(Job({Arc({0, 0}, {-10, 0}, {10, 0}, 1, 1)})),
              QStringLiteral("LL,-10.000000,-10.000000 UR,10.000000,0.000000")); // under the bottom
    auto placed = Job({Line(0, 0, 10, 0, 1)});
    placed.Blocks().front().placements.push_back({std::numbers::pi / 2, 100.0, -5.0});
    EXPECT_EQ(box(std::move(placed)), QStringLiteral("LL,0.000000,-5.000000 UR,100.000000,5.000000"));
}

QString Hpgl(const Export::ExportPreparer& job, bool vcut = false)
{
    Export::ExportText out;
    Export::WriteHpgl(out, job, vcut);
    return out.text;
}

TEST(HpglWriter, PenMovesAndLiftsOnlyWhereNeeded)
{
    const struct {
        const char* name;
        std::vector<ExportPrimitive> primitives;
        bool vcut;
        const char* expected;
    } cases[] = {
        {"corner", {Line(0, 0, 10, 0, 1), Line(10, 0, 10, 10, 1)}, false,
         "SP1;PU;PA0,0;PD;PA400,0;\nPA400,400;\nPU;"},
        {"pen change at a shared point", {Line(0, 0, 10, 0, 1), Line(10, 0, 20, 0, 2)}, false,
         "SP1;PU;PA0,0;PD;PA400,0;\nSP2;PU;PD;PA800,0;\nPU;"},
        {"rounding and a reversed line", {Line(12.3456, 0, 0, 0, 1, 1)}, false, "SP1;PU;PA0,0;PD;PA494,0;\nPU;"},
        {"full circles", {Arc({0, 0}, {5, 0}, {5, 0}, 1, 0), Arc({0, 0}, {5, 0}, {5, 0}, 1, 1)}, false,
         "SP1;PU;PA200,0;PD;AA0,0,360.000000;\nAA0,0,-360.000000;\nPU;"},
        {"vcut", {Line(0, 0, 10, 0, 2)}, true, "SP2;PU;PA0,0;PD;PA400,0;\nPA0,0;\nPU;PA400,0;\n"},
        // A label runs to ETX, so it keeps its semicolon; SI is in centimetres,
        // the character two thirds of the 2 mm advance.
        {"label", {Text(QStringLiteral("a;b"))}, false,
         "SP1;PU;PA40,80;SI0.13333,0.30000;DI1.00000,0.00000;LBa;b\x03PU;\n"},
    };
    for (const auto& c : cases) {
        const auto job = Job(c.primitives);
        EXPECT_EQ(Hpgl(job, c.vcut), QString::fromLatin1(c.expected)) << c.name;
        // A second file starts from no pen and no point again.
        EXPECT_EQ(Hpgl(job, c.vcut), Hpgl(job, c.vcut)) << c.name;
    }
}

QString Wild(const Export::ExportPreparer& job)
{
    Export::ExportText out;
    Export::WriteWild(out, job);
    return out.text;
}

TEST(WildWriter, ToolGroupsOffsetsAndMoves)
{
    const QString head = QStringLiteral(":83\nA0,0\n");
    const QString p4 = QStringLiteral("P4\n:21\n:5200,200\n:747,47\n:E4500\n");
    const QString p3 = QStringLiteral("P3\n:21\n:550,50\n:747,47\n:E-100\n");
    const struct {
        const char* name;
        std::vector<ExportPrimitive> primitives;
        QString expected;
    } cases[] = {
        {"tool offset", {Line(0, 0, 10, 0, 1)}, head + p4 + QStringLiteral("U-200,4700\nD300,4700\n")},
        {"line type 2 without offset", {Line(0, 0, 10, 0, 2)}, head + p4 + QStringLiteral("U0,0\nD500,0\n")},
        {"a group at every change",
         {Line(0, 0, 1, 0, 1), Line(1, 0, 2, 0, 2), Line(2, 0, 3, 0, 1)},
         head + p4 + QStringLiteral("U-200,4700\nD-150,4700\n") + p4 + QStringLiteral("D100,0\n") + p4 +
             QStringLiteral("D-50,4700\n")},
        {"connected lines", {Line(0, 0, 1, 0, 3), Line(1, 0, 1, 1, 3)},
         head + p3 + QStringLiteral("U-200,4700\nD-150,4700\nD-150,4750\n")},
        // An arc is written as chords (their lengths are checked where the
        // exports are read back): here the group, a move and draws.
        {"arcs only", {Arc({0, 0}, {1, 0}, {0, 1}, 1, 0)}, head + p4 + QStringLiteral("U-150,4700\n")},
    };
    for (const auto& c : cases) {
        const QString written = Wild(Job(c.primitives));
        if (QLatin1String(c.name) == QLatin1String("arcs only")) { // then the chords' draws
            EXPECT_TRUE(written.startsWith(c.expected)) << written.toStdString();
            EXPECT_TRUE(written.endsWith(QStringLiteral("D-200,4750\n"))) << written.toStdString();
            continue;
        }
        EXPECT_EQ(written, c.expected) << c.name;
    }
}

} // namespace
