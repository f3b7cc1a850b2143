#include "options/HotKeyCommand.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(HotKeyCommand, HotKeyRows)
{
    HotKeyCommandTable rows{};
    FillHotKeyCommands(rows);
    const struct {
        int index, level, caption, description, parent;
        const char* valueName;
    } want[] = {
        {0, 0, 1003, 1005, -1, ""},          {1, 0, 1006, 1005, -1, ""},
        {3, 1, 1004, 1001, 0, "SHOW_POINT"}, {8, 1, 1011, 1001, 1, "DEF_VERTPROJ"},
        {9, 1, 1057, 1057, 1, "DEF_INDLAST"}, {11, 1, 1058, 1058, 1, "DEF_LINECONT"},
        {13, 1, 1061, 1061, 1, ""},          {14, 1, 1062, 1062, 1, "DEF_PERPEND"},
    };
    for (const auto& w : want) {
        const HotKeyCommand& row = rows[std::size_t(w.index)];
        EXPECT_EQ(row.level, w.level) << w.index;
        EXPECT_EQ(row.captionId, w.caption) << w.index;
        EXPECT_EQ(row.descriptionId, w.description) << w.index;
        EXPECT_EQ(row.parentIndex, w.parent) << w.index;
        EXPECT_EQ(row.valueName, QString::fromLatin1(w.valueName)) << w.index;
        EXPECT_EQ(row.treeItem, 0u) << w.index;
    }
}

// The dialog builds its tree from the table in one pass: every command hangs
// under a group that comes before it, and no two commands share a registry
// value (one would overwrite the other's key).
TEST(HotKeyCommand, TheTableIsATreeInOrderWithDistinctValues)
{
    HotKeyCommandTable rows{};
    FillHotKeyCommands(rows);
    std::set<QString> values;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HotKeyCommand& row = rows[i];
        EXPECT_NE(row.captionId, 0) << i;
        if (row.level == 0) {
            EXPECT_EQ(row.parentIndex, -1) << i;
            EXPECT_TRUE(row.valueName.isEmpty()) << i;
            continue;
        }
        EXPECT_EQ(row.level, 1) << i;
        ASSERT_GE(row.parentIndex, 0) << i;
        ASSERT_LT(std::size_t(row.parentIndex), i) << i;
        EXPECT_EQ(rows[std::size_t(row.parentIndex)].level, 0) << i;
        if (!row.valueName.isEmpty()) {
            EXPECT_TRUE(values.insert(row.valueName).second) << row.valueName.toStdString();
        }
    }
}

} // namespace
