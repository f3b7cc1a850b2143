// The line types dialog's edits: what the list shows, which deletions are
// refused, and what OK writes into the table and the user's file.
#include "dlg/LineTypeChanges.h"
#include "document/MorvekDoc.h"
#include "section/Section.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

namespace {

using dlg::LineTypeChanges;

const QByteArray kFactory = "[1]\nname=Cut\ncolor=#FFFFFF\n"
                            "[3]\nname=Crease\ncolor=#FF0000\n"
                            "[5]\nname=Perforation\nstyle=dash\n"
                            "[6]\nname=Spare\n"
                            "[8]\nname=Wave\ntype=wave\nsubtype_1=3\nsubtype_2=6\ndata_1=4\ndata_2=1\n"
                            "[Highlight]\ncolor=#FFFF00\n";

class LineTypeChangesTest : public testing::Test {
protected:
    LineTypeChangesTest()
    {
        displaytest::RegisterSpecialNames(table);
        env.dir().write(QStringLiteral("app/Defaults/linetypes.ini"), kFactory);
        table.Load();
    }
    QByteArray UserFile() const { return env.dir().read(QStringLiteral("app/Config/linetypes.cfg")); }

    static std::vector<int> Ids(const LineTypeChanges& changes)
    {
        std::vector<int> ids;
        for (const auto& row : changes.Rows())
            ids.push_back(row.id);
        return ids;
    }

    Linetype Standard(const QString& name) const
    {
        Linetype record = LineTypeChanges::NewRecord(platform::rgb(0, 0, 0));
        record.name = name;
        return record;
    }

    test::ScopedTestEnvironment env;
    LinetypeTable table;
};

TEST_F(LineTypeChangesTest, ListShowsTheMergedViewInIdOrder)
{
    LineTypeChanges changes(table, {});
    changes.Store(2, Standard(QStringLiteral("Scratch")));
    changes.MarkDeleted(5);
    const std::vector<LineTypeChanges::Row> rows = changes.Rows();
    EXPECT_EQ(Ids(changes), (std::vector<int>{1, 2, 3, 6, 8, 1000}));
    EXPECT_EQ(rows[1].name, "Scratch");
    EXPECT_EQ(rows[1].kind, "standard");
    EXPECT_EQ(rows[4].kind, "wave");
    EXPECT_EQ(rows[5].kind, "display");
    // Special numbers are taken whether or not the files hold them.
    const std::set<int> taken = changes.TakenIds();
    EXPECT_TRUE(taken.count(2) && taken.count(1001) && taken.count(122));
    EXPECT_FALSE(taken.count(5));
}

TEST_F(LineTypeChangesTest, NewRecordIsSolidInTheInverseBackground)
{
    const Linetype record = LineTypeChanges::NewRecord(platform::rgb(10, 200, 255));
    EXPECT_EQ(record.kind, LinetypeKind::Standard);
    EXPECT_EQ(record.style, LinetypeStyle::Solid);
    EXPECT_EQ(record.width, 1);
    EXPECT_EQ(record.colour, platform::rgb(245, 55, 0));
}

TEST_F(LineTypeChangesTest, DeleteChecks)
{
    // 1 is used by an element of some open drawing; 3 is the wave's
    // subtype 1; 6 only its subtype 2, which a wave does not use.
    LineTypeChanges changes(table, {1});
    struct Case {
        int id;
        LineTypeChanges::DeleteCheck expected;
    } cases[] = {
        {1, LineTypeChanges::DeleteCheck::UsedByElement},
        {3, LineTypeChanges::DeleteCheck::Referenced},
        {6, LineTypeChanges::DeleteCheck::Allowed},
        {5, LineTypeChanges::DeleteCheck::Allowed},
        {1000, LineTypeChanges::DeleteCheck::Nothing},
        {122, LineTypeChanges::DeleteCheck::Nothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(changes.CheckDelete(c.id), c.expected) << c.id;
    // A mixed line type names both subtypes.
    Linetype mixed = Standard(QStringLiteral("Mixed"));
    mixed.kind = LinetypeKind::Mixed;
    mixed.subtype1 = 5;
    mixed.subtype2 = 6;
    changes.Store(9, mixed);
    EXPECT_EQ(changes.CheckDelete(6), LineTypeChanges::DeleteCheck::Referenced);
    EXPECT_EQ(changes.CheckDelete(5), LineTypeChanges::DeleteCheck::Referenced);
    // Once the wave is deleted, 3 is free.
    changes.MarkDeleted(8);
    EXPECT_EQ(changes.CheckDelete(3), LineTypeChanges::DeleteCheck::Allowed);
}

TEST_F(LineTypeChangesTest, OkWritesAddModifyAndDeleteAndTheFileReadsBack)
{
    LineTypeChanges changes(table, {});
    Linetype added = Standard(QStringLiteral("Groove"));
    added.colour = platform::rgb(0, 128, 255);
    added.width = 3;
    changes.Store(4, added);
    Linetype renumbered = *changes.RecordOf(5);
    renumbered.name = QStringLiteral("Perforation 2");
    changes.Store(7, renumbered, 5); // 5 renumbered to 7
    EXPECT_EQ(Ids(changes), (std::vector<int>{1, 3, 4, 6, 7, 8, 1000}));
    changes.MarkDeleted(6);
    Linetype gone = Standard(QStringLiteral("Gone"));
    changes.Store(11, gone);
    changes.MarkDeleted(11); // added and deleted again: never reaches the table

    ASSERT_TRUE(changes.Apply(table));
    EXPECT_EQ(table.Find(5), nullptr);
    EXPECT_EQ(table.Find(6), nullptr);
    EXPECT_EQ(table.Find(11), nullptr);
    ASSERT_NE(table.Find(7), nullptr);
    EXPECT_EQ(table.Find(7)->name, "Perforation 2");
    EXPECT_EQ(table.Find(7)->style, LinetypeStyle::Dash);
    ASSERT_NE(table.Find(4), nullptr);
    EXPECT_TRUE(table.Find(4)->selectedPen.has_value()); // pens rebuilt

    LinetypeTable again;
    displaytest::RegisterSpecialNames(again);
    again.Load();
    for (int id : {1, 3, 4, 7, 8}) {
        ASSERT_NE(again.Find(id), nullptr) << id;
        EXPECT_TRUE(again.Find(id)->SameValues(*table.Find(id))) << id;
    }
    EXPECT_EQ(again.Find(5), nullptr);
    EXPECT_EQ(again.Find(6), nullptr);
    EXPECT_EQ(again.Find(11), nullptr);
}

TEST_F(LineTypeChangesTest, NothingAppliedLeavesTableAndFileAlone)
{
    {
        LineTypeChanges changes(table, {});
        changes.Store(4, Standard(QStringLiteral("Groove")));
        changes.MarkDeleted(5);
        // The dialog is cancelled: the changes go without Apply.
    }
    EXPECT_EQ(table.Find(4), nullptr);
    EXPECT_NE(table.Find(5), nullptr);
    EXPECT_TRUE(UserFile().isEmpty());
}

TEST_F(LineTypeChangesTest, SubtypeChoicesFollowTheEdits)
{
    // A line type deleted in this run cannot be picked as a pattern's
    // subtype (it would name a line type that is gone after OK), and one
    // added in this run can.
    LineTypeChanges changes(table, {});
    changes.MarkDeleted(5);
    changes.Store(4, Standard(QStringLiteral("Groove")));
    const int mask = LinetypeKind::Display | LinetypeKind::Wave | LinetypeKind::Tear | LinetypeKind::Mixed;
    const std::map<int, QString> names = changes.Names(mask);
    EXPECT_EQ(names.count(5), 0u);
    EXPECT_EQ(names.count(4), 1u);
    EXPECT_EQ(names.count(8), 0u);    // the wave
    EXPECT_EQ(names.count(1000), 0u); // a display type
}

TEST(LineTypesInUse, EveryElementOfEveryOpenDrawingCounts)
{
    // Drawings whose elements have not been drawn yet count as well: a line
    // type in use must never be deleted.
    CMorvekDoc first;
    CMorvekDoc second;
    ASSERT_NE(first.GetCurrentSection()->AddLine3(0, 0, 30, 0, true, 5).Get(), nullptr);
    ASSERT_NE(second.GetCurrentSection()->AddLine3(0, 0, 0, 30, true, 9).Get(), nullptr);
    const std::set<int> used = LineTypeChanges::UsedBy({&first, &second});
    EXPECT_TRUE(used.count(5));
    EXPECT_TRUE(used.count(9));
}

} // namespace
