#include "exchange/dxf/DxfReader.h"

#include "DxfRecordingSink.h"

#include <gtest/gtest.h>

#include <set>

using dxftest::Fixture;
using dxftest::Pairs;
using dxftest::RecordingSink;

namespace {

QStringList Inserted(const char* fixture, int block = 0, die::coord offset = {}, double angle = 0.0)
{
    DxfReader reader;
    EXPECT_TRUE(reader.ReadFile(Fixture(fixture))) << reader.Error().toStdString();
    RecordingSink sink;
    if (block < static_cast<int>(reader.Blocks().size())) {
        EXPECT_TRUE(reader.InsertBlock(reader.Blocks()[static_cast<size_t>(block)], offset, angle, sink));
    }
    return sink.rows;
}

} // namespace

TEST(DxfReader, LinesKeepTheirLayersLineTypeAndTheBlockItsHeader)
{
    DxfReader reader;
    ASSERT_TRUE(reader.ReadFile(Fixture("lines.dxf"))) << reader.Error().toStdString();
    ASSERT_EQ(reader.Blocks().size(), 1u); // the ENTITIES section's insertion is model space's
    ASSERT_EQ(reader.ModelSpace().inserts.size(), 1u);
    const DxfBlock& b = reader.Blocks()[0];
    EXPECT_EQ(b.name, "LINES");
    EXPECT_EQ(b.layer, "0");
    EXPECT_EQ(b.ElementCount(), 2);
    EXPECT_EQ(b.GetMinCorner(), die::coord(0, 0));
    EXPECT_EQ(b.GetMaxCorner(), die::coord(10, 5.5));
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(b, die::coord(100, 0), 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"L 100 0 110 0 2", "L 110 0 110 5.5 3"}));
    EXPECT_EQ(reader.LastLineType(), 3);
}

TEST(DxfReader, LineTypesByLayerName)
{
    for (const char* three : {"4", "INK", "ANNOTATION", "7"})
        EXPECT_EQ(DxfReader::LineTypeForLayer(QString::fromLatin1(three)), 3) << three;
    for (const char* two : {"0", "ink", "7 ", "CUT", ""})
        EXPECT_EQ(DxfReader::LineTypeForLayer(QString::fromLatin1(two)), 2) << two;
}

TEST(DxfReader, TextsAreTrimmedAndAnEmptyOneAddsNothing)
{
    DxfReader reader;
    ASSERT_TRUE(reader.ReadFile(Fixture("text.dxf")));
    const dxf::Text& t = reader.Blocks()[0].texts[0];
    EXPECT_TRUE(t.mirrored);
    EXPECT_EQ(reader.Blocks()[0].GetMinCorner(), die::coord()); // texts do not count for the box
    EXPECT_EQ(Inserted("text.dxf", 0, {10, 0}), QStringList({"T 15 6 2.5 30 2 Lid 3"}));
}

TEST(DxfReader, PolylinesRunBackwardsCloseAndBulge)
{
    // The closed A, B, C gives B→A, C→B and A→C; the open one's bulge of 1
    // is the half circle counter-clockwise from (0, 20) to (10, 20).
    EXPECT_EQ(Inserted("polyline.dxf"), QStringList({"L 20 0 0 0 2", "L 20 10 20 0 2", "L 0 0 20 10 2",
                                                     "A 5 20 10 20 0 20 2"}));
}

TEST(DxfReader, ArcsRunCounterClockwiseAndCirclesAreWhole)
{
    // The quarter arc from (10, 0) counter-clockwise to (0, 10) is the
    // section's clockwise arc from (0, 10) to (10, 0).
    EXPECT_EQ(Inserted("arc_circle.dxf"), QStringList({"A 0 0 0 10 10 0 2", "A 50 50 55 50 55 50 3"}));
    DxfReader reader;
    ASSERT_TRUE(reader.ReadFile(Fixture("arc_circle.dxf")));
    EXPECT_EQ(reader.Blocks()[0].GetMaxCorner(), die::coord()); // arcs and circles do not count
}

TEST(DxfReader, APointIsACrossOfFourMillimetres)
{
    DxfReader reader;
    ASSERT_TRUE(reader.ReadFile(Fixture("point.dxf")));
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], die::coord(10, 10), 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"L 11 12 15 16 3", "L 15 12 11 16 3"}));
    EXPECT_EQ(reader.LastLineType(), DxfReader::kPointLineType);
}

TEST(DxfReader, AnInsertTurnedNinetyDegreesTurnsItsLinesCounterClockwise)
{
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {2, "TOP"}, {0, "INSERT"}, {2, "BAR"}, {10, "100"}, {20, "0"},
                                   {50, "90"}, {0, "ENDBLK"},
                                   {0, "BLOCK"}, {2, "BAR"}, {0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"},
                                   {21, "0"}, {0, "ENDBLK"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"L 100 0 100 10 2"}));
}

TEST(DxfReader, NestedInsertsComposeBasePointScaleAndRotation)
{
    // ARM (base (5, 0)) goes in at (100, 0) scaled 2 and turned 90°; its TIP
    // goes in at the ARM's far end turned 90° again. Every entity, the arc
    // too, follows the whole chain of placements.
    EXPECT_EQ(Inserted("nested.dxf"), QStringList({"L 100 0 100 20 2", "L 100 20 98 20 2",
                                                   "A 100 20 100 18 98 20 2"}));
}

TEST(DxfReader, ATurnedTopLevelInsertionTurnsArcsTextsAndPolylinesToo)
{
    // Angle −90° (radians) at the top turns the block a quarter
    // counter-clockwise: every kind of entity alike.
    EXPECT_EQ(Inserted("arc_circle.dxf", 0, {}, -1.5707963267948966),
              QStringList({"A 0 0 -10 0 0 10 2", "A -50 50 -50 55 -50 55 3"}));
    EXPECT_EQ(Inserted("text.dxf", 0, {}, -1.5707963267948966), QStringList({"T -6 5 2.5 120 2 Lid 3"}));
}

TEST(DxfReader, AMirroringScaleReversesArcs)
{
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {2, "TOP"}, {0, "INSERT"}, {2, "Q"}, {41, "-1"}, {0, "ENDBLK"},
                                   {0, "BLOCK"}, {2, "Q"}, {0, "ARC"}, {40, "10"}, {50, "0"}, {51, "90"},
                                   {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
    // Mirrored about the y axis the quarter runs clockwise from (−10, 0) to (0, 10).
    EXPECT_EQ(sink.rows, QStringList({"A 0 0 -10 0 0 10 2"}));
}

TEST(DxfReader, BlocksOfOneNameAreAllInsertedAndAMissingOneAddsNothing)
{
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {2, "TOP"}, {0, "INSERT"}, {2, "TWIN"}, {0, "INSERT"},
                                   {2, "NONE"}, {0, "ENDBLK"},
                                   {0, "BLOCK"}, {2, "TWIN"}, {0, "POINT"}, {0, "ENDBLK"},
                                   {0, "BLOCK"}, {2, "TWIN"}, {0, "LINE"}, {11, "1"}, {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"L -2 -2 2 2 3", "L 2 -2 -2 2 3", "L 0 0 1 0 2"}));
}

TEST(DxfReader, SkippedEntitiesLeaveTheOthersAloneAndAreCounted)
{
    // The lightweight polyline is read now; the solid and the hatch are
    // skipped, counted by kind.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"},
                                   {0, "LINE"}, {10, "1"}, {11, "2"},
                                   {0, "LWPOLYLINE"}, {8, "X"}, {10, "50"}, {20, "50"}, {11, "60"},
                                   {0, "SOLID"}, {10, "70"}, {0, "HATCH"}, {2, "OTHER"}, {0, "HATCH"},
                                   {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    ASSERT_EQ(reader.Blocks().size(), 1u);
    const DxfBlock& b = reader.Blocks()[0];
    EXPECT_EQ(b.name, "B");
    ASSERT_EQ(b.lines.size(), 1u);
    EXPECT_EQ(b.lines[0].start, die::coord(1, 0));
    EXPECT_EQ(b.lines[0].end, die::coord(2, 0));
    ASSERT_EQ(b.polylines.size(), 1u);
    EXPECT_EQ(b.polylines[0].layer, "X");
    ASSERT_EQ(b.polylines[0].vertices.size(), 1u);
    EXPECT_EQ(b.polylines[0].vertices[0].at, die::coord(50, 50));
    EXPECT_EQ(b.ElementCount(), 2);
    EXPECT_EQ(reader.SkippedReport(), "1 SOLID, 2 HATCH skipped");
}

TEST(DxfReader, AnEntitiesOnlyFileIsModelSpace)
{
    DxfReader reader;
    ASSERT_TRUE(reader.ReadFile(Fixture("entities_only.dxf")));
    EXPECT_TRUE(reader.Blocks().empty());
    ASSERT_EQ(reader.ModelSpace().lines.size(), 1u);
    EXPECT_EQ(reader.ModelSpace().lines[0].end, die::coord(10, 10));
    EXPECT_TRUE(reader.HasFigures());
}

TEST(DxfReader, KeywordsCountOnlyAsTheValueOfGroupCodeZero)
{
    // A header value "ENDSEC" or "SECTION" and a block named "ENDBLK" are
    // values, not keywords.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "HEADER"}, {1, "ENDSEC"}, {1, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "ENDBLK"},
                                   {0, "LINE"}, {1, "ENDBLK"}, {11, "5"}, {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    ASSERT_EQ(reader.Blocks().size(), 1u);
    EXPECT_EQ(reader.Blocks()[0].name, "ENDBLK");
    EXPECT_EQ(reader.Blocks()[0].lines.size(), 1u);
}

TEST(DxfReader, ABlockLeftOpenEndsWithItsSection)
{
    // Without its ENDBLK the block does not take the ENTITIES section's lines.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}, {0, "LINE"}, {11, "1"},
                                   {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {11, "9"},
                                   {0, "ENDSEC"}, {0, "EOF"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    ASSERT_EQ(reader.Blocks().size(), 1u);
    EXPECT_EQ(reader.Blocks()[0].lines.size(), 1u);
}

TEST(DxfReader, AVertexOutsideAPolylineAndASequenceEndBelongToNothing)
{
    // A VERTEX with no polyline open is skipped; a SEQEND's own layer does not
    // become its polyline's.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}, {0, "VERTEX"}, {10, "1"},
                                   {0, "POLYLINE"}, {8, "7"}, {0, "VERTEX"}, {10, "2"}, {0, "SEQEND"}, {8, "CUT"},
                                   {70, "1"}, {0, "VERTEX"}, {10, "3"}, {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    ASSERT_EQ(reader.Blocks()[0].polylines.size(), 1u);
    const dxf::Polyline& p = reader.Blocks()[0].polylines[0];
    EXPECT_EQ(p.layer, "7");
    EXPECT_FALSE(p.IsClosed());
    ASSERT_EQ(p.vertices.size(), 1u);
    EXPECT_EQ(p.vertices[0].at, die::coord(2, 0));
}

TEST(DxfReader, ATwoVertexClosedPolylineDrawsItsLineOnce)
{
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}, {0, "POLYLINE"},
                                   {70, "1"}, {0, "VERTEX"}, {0, "VERTEX"}, {10, "5"}, {0, "SEQEND"},
                                   {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"L 5 0 0 0 2"}));
}

// A closed polyline without vertices, counted and inserted: nothing.
TEST(DxfReader, AClosedPolylineWithoutVerticesMakesNothing)
{
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}, {0, "POLYLINE"},
                                   {70, "1"}, {0, "SEQEND"}, {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    reader.SetPageSize(100.0, 100.0);
    ASSERT_TRUE(reader.ImportBlocks({0}, false, sink)) << reader.Error().toStdString();
    EXPECT_EQ(reader.CountedElements(), 0);
    EXPECT_TRUE(sink.rows.isEmpty());
}

TEST(DxfReader, DamagedFilesAreRefusedWithTheLine)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* error;
    };
    const QByteArray blockStart = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n";
    const Case cases[] = {
        {"a group code that is no integer", "0\nSECTION\nX1\nBLOCKS\n", "line 3: a group code was expected"},
        {"a code without its value", "0\nSECTION\n2\n", "line 3: the file ends after a group code"},
        {"truncated inside a block", blockStart + "0\nLINE\n10\n1.5\n", "the file ends inside its BLOCKS section"},
        {"truncated between blocks", "0\nSECTION\n2\nBLOCKS\n", "the file ends inside its BLOCKS section"},
        {"a coordinate that is no number", blockStart + "0\nLINE\n10\nabc\n", "line 12: a number was expected"},
        {"a number with trailing text", blockStart + "0\nCIRCLE\n40\n5mm\n", "line 12: a number was expected"},
        {"flags out of range", blockStart + "0\nPOLYLINE\n70\n1e20\n", "line 12: the number"},
    };
    for (const Case& c : cases) {
        DxfReader reader;
        EXPECT_FALSE(reader.Read(c.bytes)) << c.what;
        EXPECT_TRUE(reader.Error().startsWith(QLatin1String(c.error))) << c.what << ": " << reader.Error().toStdString();
        EXPECT_TRUE(reader.Blocks().empty()) << c.what;
    }
}

TEST(DxfReader, BlankCodeLinesAndTrailingBlankLinesAreTolerated)
{
    DxfReader reader;
    EXPECT_TRUE(reader.Read("  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n\r\n  \r\n"))
        << reader.Error().toStdString();
    EXPECT_FALSE(reader.ReadFile(Fixture("no_such_file.dxf")));
    EXPECT_TRUE(reader.Error().contains(QLatin1String("no_such_file.dxf")));
}

TEST(DxfReader, ABlockThatInsertsItselfStops)
{
    // A inserts B, B inserts A: the loop is refused, not expanded.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {2, "A"}, {0, "LINE"}, {11, "1"}, {0, "INSERT"}, {2, "B"},
                                   {0, "ENDBLK"}, {0, "BLOCK"}, {2, "B"}, {0, "INSERT"}, {2, "A"}, {0, "ENDBLK"},
                                   {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    EXPECT_FALSE(reader.InsertBlock(reader.Blocks()[1], {}, 0.0, sink));
    EXPECT_EQ(reader.Error(), "block \"B\" inserts itself");
    EXPECT_EQ(sink.rows.size(), 1);
}

TEST(DxfReader, DeepAndWideExpansionIsBounded)
{
    // 40 levels, each inserting the next: refused at the nesting limit.
    QByteArray deep = "0\nSECTION\n2\nBLOCKS\n";
    for (int i = 0; i < 40; ++i)
        deep += "0\nBLOCK\n2\nL" + QByteArray::number(i) + "\n0\nINSERT\n2\nL" + QByteArray::number(i + 1)
                + "\n0\nENDBLK\n";
    deep += "0\nENDSEC\n";
    // 25 levels each inserting the next ten times: 10^25 insertions.
    QByteArray wide = "0\nSECTION\n2\nBLOCKS\n";
    for (int i = 0; i < 25; ++i) {
        wide += "0\nBLOCK\n2\nW" + QByteArray::number(i) + "\n";
        for (int k = 0; k < 10; ++k)
            wide += "0\nINSERT\n2\nW" + QByteArray::number(i + 1) + "\n";
        wide += "0\nENDBLK\n";
    }
    wide += "0\nBLOCK\n2\nW25\n0\nLINE\n11\n1\n0\nENDBLK\n0\nENDSEC\n";
    struct Case {
        const QByteArray& bytes;
        const char* error;
    };
    for (const Case& c : {Case{deep, "blocks nest deeper than 32 levels"},
                          Case{wide, "the blocks expand to more than 5000000 elements"}}) {
        DxfReader reader;
        ASSERT_TRUE(reader.Read(c.bytes)) << reader.Error().toStdString();
        dxftest::CountingSink sink;
        EXPECT_FALSE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
        EXPECT_EQ(reader.Error(), c.error);
    }
}

// The import counts what all the chosen blocks make, over every nesting
// level, before it makes anything: ten blocks each inserting the next ten
// times, and three blocks each under the limit whose sum is over it, are
// refused with the number and add nothing. Under the limit the count is
// what the sink receives.
TEST(DxfReader, AnImportOverTheLimitIsRefusedBeforeAnythingIsMade)
{
    // Ten levels of ten insertions each down to one figure.
    auto tenLevels = [](const QByteArray& figure) {
        QByteArray out = "0\nSECTION\n2\nBLOCKS\n";
        for (int i = 0; i < 10; ++i) {
            out += "0\nBLOCK\n2\nB" + QByteArray::number(i) + "\n";
            if (i == 9)
                out += figure;
            else
                for (int k = 0; k < 10; ++k)
                    out += "0\nINSERT\n2\nB" + QByteArray::number(i + 1) + "\n";
            out += "0\nENDBLK\n";
        }
        return out + "0\nENDSEC\n";
    };
    const QByteArray nested = tenLevels("0\nLINE\n11\n1\n");
    const QByteArray ellipses = tenLevels("0\nELLIPSE\n11\n3\n40\n0.5\n42\n6.283185307179586\n");
    // One insertion of an array of 5,000 × 1,001 copies of a line.
    const QByteArray array = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nINSERT\n2\nL\n70\n5000\n71\n1001\n0\nENDBLK\n"
                             "0\nBLOCK\n2\nL\n0\nLINE\n11\n1\n0\nENDBLK\n0\nENDSEC\n";
    const QByteArray splines = tenLevels("0\nSPLINE\n11\n0\n21\n0\n11\n1\n21\n1\n11\n2\n21\n0\n");
    // C0..C2 each insert B3 (2,111,110 elements and insertions) once more.
    QByteArray three = nested.chopped(9); // without "0\nENDSEC\n"
    for (int i = 0; i < 3; ++i)
        three += "0\nBLOCK\n2\nC" + QByteArray::number(i) + "\n0\nINSERT\n2\nB3\n0\nENDBLK\n";
    three += "0\nENDSEC\n";
    const struct {
        const char* what;
        const QByteArray& bytes;
        std::set<int> chosen;
        const char* error; // null: imported
        qint64 made;
    } cases[] = {
        {"ten nested, all chosen", nested, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         "the chosen blocks would make 2345679001 elements, more than the 5000000 a drawing may take", 0},
        {"ellipses ten levels down", ellipses, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         "the chosen blocks would make 2345679001 elements, more than the 5000000 a drawing may take", 0},
        {"splines ten levels down", splines, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         "the chosen blocks would make 2345679001 elements, more than the 5000000 a drawing may take", 0},
        {"an array insertion", array, {0},
         "the chosen blocks would make 10010000 elements, more than the 5000000 a drawing may take", 0},
        {"three under the limit each", three, {10, 11, 12},
         "the chosen blocks would make 6333333 elements, more than the 5000000 a drawing may take", 0},
        {"two of them", three, {10, 11}, nullptr, 2 * 1000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DxfReader reader;
        ASSERT_TRUE(reader.Read(c.bytes)) << reader.Error().toStdString();
        reader.SetPageSize(1000.0, 1000.0);
        dxftest::CountingSink sink;
        EXPECT_EQ(reader.ImportBlocks(c.chosen, false, sink), c.error == nullptr);
        EXPECT_EQ(reader.Error(), c.error ? QString::fromLatin1(c.error) : QString());
        EXPECT_EQ(sink.count, c.made);
    }
}

TEST(DxfReader, APolylineOverTheVertexLimitIsRefused)
{
    QByteArray file = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n0\nPOLYLINE\n";
    for (int i = 0; i <= DxfReader::kMaxPolylineVertices; ++i)
        file += "0\nVERTEX\n";
    DxfReader reader;
    EXPECT_FALSE(reader.Read(file));
    EXPECT_TRUE(reader.Error().endsWith(QStringLiteral("a polyline has more than 1000000 vertices")))
        << reader.Error().toStdString();
}

TEST(DxfReader, UnequalScalesMakeCirclesAndArcsElliptic)
{
    // Scaled 2 across and 1 up, the circle of radius 5 becomes the whole
    // ellipse with semi-axes 10 and 5, the quarter arc a quarter of one.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "BLOCKS"},
                                   {0, "BLOCK"}, {2, "TOP"}, {0, "INSERT"}, {2, "O"}, {41, "2"}, {0, "ENDBLK"},
                                   {0, "BLOCK"}, {2, "O"}, {0, "CIRCLE"}, {40, "5"}, {0, "ARC"}, {40, "5"},
                                   {50, "0"}, {51, "90"}, {0, "ENDBLK"}, {0, "ENDSEC"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    RecordingSink sink;
    ASSERT_TRUE(reader.InsertBlock(reader.Blocks()[0], {}, 0.0, sink));
    EXPECT_EQ(sink.rows, QStringList({"E 0 0 10 0 0 5 0 5 10 0 2", "E 0 0 10 0 0 5 10 0 10 0 2"}));
}

TEST(DxfReader, ModelSpaceMeshesAreSkippedAndSplineFramesLeftOut)
{
    // A polyface mesh (flag 64) is a 3D entity; a spline-fit polyline's frame
    // vertices (flag 16) are no points of its curve; a mirrored arc (the
    // extrusion points down) runs clockwise about the mirrored centre.
    const QByteArray file = Pairs({{0, "SECTION"}, {2, "ENTITIES"},
                                   {0, "POLYLINE"}, {70, "64"}, {0, "VERTEX"}, {10, "1"}, {0, "VERTEX"}, {10, "2"},
                                   {0, "SEQEND"},
                                   {0, "POLYLINE"}, {70, "4"}, {0, "VERTEX"}, {10, "9"}, {70, "16"},
                                   {0, "VERTEX"}, {10, "1"}, {70, "8"}, {0, "VERTEX"}, {10, "3"}, {70, "8"},
                                   {0, "SEQEND"},
                                   {0, "ARC"}, {10, "60"}, {40, "10"}, {50, "0"}, {51, "90"}, {230, "-1"},
                                   {0, "ENDSEC"}, {0, "EOF"}});
    DxfReader reader;
    ASSERT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    const DxfBlock& m = reader.ModelSpace();
    ASSERT_EQ(m.polylines.size(), 1u);
    ASSERT_EQ(m.polylines[0].vertices.size(), 2u);
    EXPECT_EQ(m.polylines[0].vertices[0].at, die::coord(1, 0));
    EXPECT_EQ(reader.SkippedReport(), "1 POLYLINE (mesh) skipped");
    RecordingSink sink;
    ASSERT_TRUE(reader.ImportDrawing(true, {}, false, sink));
    // From (−70, 0) clockwise to (−60, 10): the section's arc from there.
    EXPECT_EQ(sink.rows, QStringList({"L 3 0 1 0 2", "A -60 0 -70 0 -60 10 2"}));
}
