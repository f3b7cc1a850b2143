#include "options/HotKeyCommand.h"

#include <gtest/gtest.h>

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

} // namespace
