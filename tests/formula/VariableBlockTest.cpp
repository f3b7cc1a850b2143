// The variable block of the drawing file: bytes written, loading, merging,
// and damaged blocks.
#include <gtest/gtest.h>

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/SpecStandardComponent.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

namespace {

QByteArray SaveBlock(const FormulaTable& table, int n = -1)
{
    platform::BinaryWriter out;
    EXPECT_TRUE(table.Save(out, n));
    return out.take();
}

struct Record {
    const char* name;
    const char* formula;
    int category;
    const char* description = "";
    bool deletable = true;
};

QByteArray Block(std::initializer_list<Record> records)
{
    platform::BinaryWriter out;
    out.writeInt32(static_cast<int32_t>(records.size()));
    for (const Record& r : records) {
        out.writeWString(QString::fromUtf8(r.name));
        out.writeWString(QString::fromUtf8(r.formula));
        out.writeWString(QString::fromUtf8(r.description));
        out.writeInt32(r.category);
        out.writeInt32(r.deletable ? 1 : 0);
    }
    return out.take();
}

// Names, formulas, descriptions, categories and deletable flags in order.
QStringList Contents(const FormulaTable& table)
{
    QStringList rows;
    for (int i = 0; i < table.GetCount(); ++i)
        rows << QString("%1=%2 [%3] %4 %5")
                    .arg(table.GetName(i), table.GetFormula(i), table.GetDescription(i))
                    .arg(table.GetCategory(i))
                    .arg(table.IsDeletable(i));
    return rows;
}

bool Load(FormulaTable& table, const QByteArray& bytes)
{
    platform::BinaryReader in(bytes);
    return table.Load(in);
}

bool Import(FormulaTable& table, const QByteArray& bytes, int mode, VariableList& renames,
            const QString& prefix = "S1_", const SpecStandardComponent* component = nullptr)
{
    platform::BinaryReader in(bytes);
    return table.Import(in, prefix, mode, renames, component);
}

class VariableBlockTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(table.AddDefaultVariables()); }
    FormulaTable table;
};

TEST_F(VariableBlockTest, DefaultTableWritesItsBytes)
{
    const QByteArray block = SaveBlock(table);
    ASSERT_EQ(block.size(), 246);
    const QByteArray recordA = QByteArray::fromHex(
        "02000000" "4100" "06000000" "320030003000" "00000000" "00000000" "00000000");
    // The count, PI's record (90 bytes) and E's (30) come first.
    EXPECT_EQ(block.left(4), QByteArray::fromHex("06000000"));
    EXPECT_EQ(block.mid(124, 28), recordA);
    EXPECT_EQ(SaveBlock(table, 3), QByteArray::fromHex(
        "02000000" "4200" "06000000" "310032003000" "00000000" "00000000" "00000000"));
    platform::BinaryWriter out;
    EXPECT_FALSE(table.Save(out, 6));
}

TEST(VariableBlockEmpty, EmptyTableWritesACountOfZero)
{
    FormulaTable table;
    EXPECT_EQ(SaveBlock(table), QByteArray(4, '\0'));
    EXPECT_TRUE(Load(table, QByteArray(4, '\0')));
    EXPECT_EQ(table.GetCount(), 0);
}

TEST_F(VariableBlockTest, SaveClearLoadGivesTheSameTable)
{
    ASSERT_TRUE(table.AddVariable("Flap", "A/2+MatThick // glue", "flap width", 1000, true));
    ASSERT_TRUE(table.AddVariable("Odd", "(", "", 1000, false));
    ASSERT_TRUE(table.AddVariable("Breite", "Flap*2", "Umlaut \u00e4\u00f6", 7, true));
    const QStringList before = Contents(table);
    const QByteArray block = SaveBlock(table);
    table.Clear();
    ASSERT_TRUE(Load(table, block));
    EXPECT_EQ(Contents(table), before);
    EXPECT_EQ(SaveBlock(table), block);
    EXPECT_FALSE(table.IsValid(table.FindIndex("Odd")));
    EXPECT_EQ(table.Evaluate("Breite"), 206.0);
}

TEST_F(VariableBlockTest, LoadKeepsPresentNamesAndAddsNewOnes)
{
    const QByteArray block = Block({{"A", "999", 0}, {"New", "A+1", 1000}, {"New", "5", 1000},
                                    {"Shift", "2", 1000}});
    ASSERT_TRUE(Load(table, block));
    ASSERT_EQ(table.GetCount(), 8);
    EXPECT_EQ(table.GetFormula(2), "200");
    EXPECT_EQ(table.GetFormula(6), "A+1");
    EXPECT_EQ(table.Evaluate("New"), 201.0);
    EXPECT_EQ(table.GetName(7), "Shift"); // a stored name is kept as it is
}

TEST_F(VariableBlockTest, ImportOverwrites)
{
    ASSERT_TRUE(table.AddVariable("W", "5", "", 1000, false));
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "A*2", 1000}, {"A", "1", 0}, {"PI", "3", 1}}),
                       FormulaTable::MergeOverwrite, renames));
    EXPECT_EQ(table.GetFormula(table.FindIndex("W")), "A*2");
    EXPECT_EQ(table.Evaluate("W"), 400.0);
    EXPECT_EQ(table.GetFormula(table.FindIndex("A")), "200");
    EXPECT_EQ(table.GetCount(), 7);
    EXPECT_EQ(renames.Count(), 0);
}

// Each record replaces the first variable of its name and is appended: a
// name given twice in the block ends as its last record, and the variables
// that use a replaced one see the new formula.
TEST_F(VariableBlockTest, ImportOverwritesInRecordOrder)
{
    ASSERT_TRUE(table.AddVariable("W", "5", "", 1000, false));
    ASSERT_TRUE(table.AddVariable("U", "W+1", "", 1000, true));
    EXPECT_EQ(table.Evaluate("U"), 6.0);
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "1", 1000}, {"X", "3", 1000}, {"W", "2", 1000}}),
                       FormulaTable::MergeOverwrite, renames));
    ASSERT_EQ(table.GetCount(), 9);
    EXPECT_EQ(table.GetName(6), "U");
    EXPECT_EQ(table.GetName(7), "X");
    EXPECT_EQ(table.GetName(8), "W");
    EXPECT_EQ(table.GetFormula(8), "2");
    EXPECT_EQ(table.Evaluate("U"), 3.0);
}

TEST_F(VariableBlockTest, ImportRenamesAndFormulasFollow)
{
    ASSERT_TRUE(table.AddVariable("V", "1", "", 1000, true));
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "V+1", 1000}, {"V", "3", 1000}}),
                       FormulaTable::MergeRename, renames));
    EXPECT_EQ(table.GetFormula(table.FindIndex("W")), "S1_V+1");
    EXPECT_EQ(table.GetFormula(table.FindIndex("S1_V")), "3");
    EXPECT_EQ(table.Evaluate("W"), 4.0);
    ASSERT_EQ(renames.Count(), 2);
    EXPECT_EQ(renames.Name(0), "W");
    EXPECT_EQ(renames.Value(0), "W");
    EXPECT_EQ(renames.Name(1), "V");
    EXPECT_EQ(renames.Value(1), "S1_V");
}

TEST_F(VariableBlockTest, ImportRenameTriesNumberedNames)
{
    ASSERT_TRUE(table.AddVariable("W", "1", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("S1_W", "2", "", 1000, true));
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "10", 1000}, {"W", "W+1", 1000}}),
                       FormulaTable::MergeRename, renames));
    EXPECT_EQ(table.GetFormula(table.FindIndex("S1_W_1")), "10");
    // The second incoming W follows the first rename: pairs are used first to last.
    EXPECT_EQ(table.GetFormula(table.FindIndex("S1_W_2")), "S1_W_1+1");
}

TEST_F(VariableBlockTest, ImportTakesTheComponentsOverrides)
{
    SpecStandardComponent component;
    component.pairCount = 2;
    component.pairs[0] = {"X", "7"};
    component.pairs[1] = {"W", "B/2"};
    component.pairs[2] = {"Y", "9"}; // not in use
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "1", 1000}, {"Y", "1", 1000}}),
                       FormulaTable::MergeRename, renames, "C_", &component));
    EXPECT_EQ(table.GetFormula(table.FindIndex("W")), "B/2");
    EXPECT_EQ(table.GetFormula(table.FindIndex("Y")), "1");
    EXPECT_EQ(table.Evaluate("W"), 60.0);
}

TEST_F(VariableBlockTest, ImportInAnyOtherModeAddsNothing)
{
    VariableList renames;
    ASSERT_TRUE(Import(table, Block({{"W", "1", 1000}}), FormulaTable::MergeNothing, renames));
    EXPECT_EQ(table.GetCount(), 6);
    EXPECT_EQ(renames.Count(), 0);
}

// Every cut of a valid block, and blocks whose counts or lengths are out of
// bounds, fail cleanly and change nothing.
TEST_F(VariableBlockTest, DamagedBlocksAreRefused)
{
    const QByteArray good = Block({{"Flap", "A/2", 1000, "d"}, {"W", "Flap+1", 1000}});
    const QStringList before = Contents(table);
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        const QByteArray part = good.left(cut);
        platform::BinaryReader in(part);
        EXPECT_FALSE(table.Load(in)) << cut;
        EXPECT_FALSE(in.ok());
        VariableList renames;
        platform::BinaryReader again(part);
        EXPECT_FALSE(table.Import(again, "S_", FormulaTable::MergeRename, renames, nullptr));
        EXPECT_EQ(renames.Count(), 0);
    }
    auto withInt = [&](qsizetype at, int32_t value) {
        QByteArray bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xff);
        return bytes;
    };
    const QByteArray damaged[] = {
        withInt(0, -1),          // negative count
        withInt(0, 0x7fffffff),  // count beyond the bytes left
        withInt(0, 3),           // one record more than there is
        withInt(4, -2),          // negative name length
        withInt(4, 7),           // odd name length
        withInt(4, 1000000),     // name beyond the bytes left
        withInt(16, 0x40000000), // formula beyond the bytes left (after "Flap")
    };
    for (const QByteArray& bytes : damaged) {
        EXPECT_FALSE(Load(table, bytes)) << bytes.toHex().toStdString();
    }
    platform::BinaryWriter huge;
    huge.writeInt32(70000);
    huge.writeBytes(QByteArray(70000 * 20, '\0'));
    EXPECT_FALSE(Load(table, huge.data()));
    EXPECT_EQ(Contents(table), before);
}

} // namespace
