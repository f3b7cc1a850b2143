// The import's row layout of the chosen blocks.
#include "exchange/dxf/DxfReader.h"

#include "DxfRecordingSink.h"

#include <gtest/gtest.h>

using dxftest::RecordingSink;

namespace {

// A block whose one line runs across its box from (x, y) to (x + w, y + h).
QByteArray BoxBlock(const char* name, double x, double y, double w, double h)
{
    return "0\nBLOCK\n2\n" + QByteArray(name) + "\n0\nLINE\n10\n" + QByteArray::number(x) + "\n20\n"
           + QByteArray::number(y) + "\n11\n" + QByteArray::number(x + w) + "\n21\n" + QByteArray::number(y + h)
           + "\n0\nENDBLK\n";
}

QByteArray File(const QByteArray& blocks)
{
    return "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n0\nEOF\n";
}

QStringList Layout(const QByteArray& file, const std::set<int>& chosen, double pageWidth, bool label = false)
{
    DxfReader reader;
    EXPECT_TRUE(reader.Read(file)) << reader.Error().toStdString();
    reader.SetPageSize(pageWidth, 900.0);
    RecordingSink sink;
    EXPECT_TRUE(reader.ImportBlocks(chosen, label, sink));
    return sink.rows;
}

} // namespace

TEST(DxfLayout, RowsWrapAtThePageWidthAboveTheTallestBlock)
{
    // 400, 400 and 200 wide on a page of 900: the third starts a new row
    // at x = 0 above the taller (150) of the first two. Each block's
    // lower-left corner lands on its place, wherever the block lay.
    const QByteArray file = File(BoxBlock("A", -50, 10, 400, 100) + BoxBlock("B", 1000, 1000, 400, 150)
                                 + BoxBlock("C", 0, 0, 200, 50));
    EXPECT_EQ(Layout(file, {0, 1, 2}, 900.0),
              QStringList({"L 0 0 400 100 2", "L 400 0 800 150 2", "L 0 150 200 200 2"}));
    // Only the chosen blocks take places; an index past the list is ignored.
    EXPECT_EQ(Layout(file, {2, 7}, 900.0), QStringList({"L 0 0 200 50 2"}));
}

TEST(DxfLayout, ABlockWiderThanThePageOrAPageOfNoWidthStartsARow)
{
    const QByteArray file = File(BoxBlock("A", 0, 0, 100, 30) + BoxBlock("WIDE", 0, 0, 1000, 20)
                                 + BoxBlock("C", 0, 0, 100, 10));
    EXPECT_EQ(Layout(file, {0, 1, 2}, 900.0),
              QStringList({"L 0 0 100 30 2", "L 0 30 1000 50 2", "L 0 50 100 60 2"}));
    EXPECT_EQ(Layout(file, {0, 1, 2}, 0.0),
              QStringList({"L 0 0 100 30 2", "L 0 30 1000 50 2", "L 0 50 100 60 2"}));
}

TEST(DxfLayout, ABlockOfNoSizeStaysAtTheCursor)
{
    // Circles do not count for the box: the circle keeps its own
    // coordinates relative to the cursor, which does not move.
    const QByteArray file = File(BoxBlock("A", 0, 0, 100, 30)
                                 + "0\nBLOCK\n2\nO\n0\nCIRCLE\n10\n5\n20\n5\n40\n2\n0\nENDBLK\n"
                                 + BoxBlock("C", 0, 0, 10, 10));
    EXPECT_EQ(Layout(file, {0, 1, 2}, 900.0),
              QStringList({"L 0 0 100 30 2", "A 105 5 107 5 107 5 2", "L 100 0 110 10 2"}));
}

TEST(DxfLayout, LabelsSitInTheMiddleOfTheirBlocks)
{
    // A two-character name on a block 100 × 50 at (0, 0): (50 − 8, 25).
    const QByteArray file = File(BoxBlock("AB", 0, 0, 100, 50));
    EXPECT_EQ(Layout(file, {0}, 900.0, true),
              QStringList({"L 0 0 100 50 2", "T 42 25 8 0 6.4 AB " + QString::number(DxfSink::kCurrentLineType)}));
}
