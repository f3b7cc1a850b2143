#include "shell/ToolbarEditorTree.h"

#include "shell/CommandCatalogue.h"
#include "shell/ToolbarDragItem.h"

#include <gtest/gtest.h>

namespace {

using shell::BuiltMenuItem;

TEST(ToolbarEditorTree, LabelsLoseAmpersandsAndShortcuts)
{
    const struct {
        const char* menu;
        const char* shown;
    } cases[] = {
        {"&Open...\tCtrl+O", "Open..."}, {"Save Cop&y As...", "Save Copy As..."}, {"&&x\ty\tz", "x"}, {"\tCtrl+Q", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::EditorTreeText(QString::fromLatin1(c.menu)), QString::fromLatin1(c.shown)) << c.menu;
}

TEST(ToolbarEditorTree, SeparatorFirstThenTheMenusNestedWithoutEmptyEntries)
{
    const std::vector<BuiltMenuItem> bar = {
        {BuiltMenuItem::Kind::Popup, -1, QStringLiteral("&File"),
         {{BuiltMenuItem::Kind::Command, 57601, QStringLiteral("&Open...\tCtrl+O"), {}},
          {BuiltMenuItem::Kind::Separator, 0, QString(), {}},
          {BuiltMenuItem::Kind::Popup, -1, QStringLiteral("&Recent"),
           {{BuiltMenuItem::Kind::Command, 57603, QStringLiteral("&Save"), {}}}}}},
    };
    const std::vector<shell::EditorTreeEntry> tree = shell::EditorTree(bar);
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, QStringLiteral("Separator"));
    EXPECT_EQ(tree[0].data, -1);
    EXPECT_EQ(tree[1].text, QStringLiteral("File"));
    EXPECT_EQ(tree[1].data, 0);
    ASSERT_EQ(tree[1].children.size(), 2u);
    EXPECT_EQ(tree[1].children[0].text, QStringLiteral("Open..."));
    EXPECT_EQ(tree[1].children[0].data, 57601);
    EXPECT_EQ(tree[1].children[1].data, 0);
    ASSERT_EQ(tree[1].children[1].children.size(), 1u);
    EXPECT_EQ(tree[1].children[1].children[0].data, 57603);
}

TEST(ToolbarEditorTree, DragPayloads)
{
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    EXPECT_FALSE(shell::EditorDragPayload(0).has_value()); // a popup starts no drag
    const auto separator = shell::EditorDragPayload(-1);
    ASSERT_TRUE(separator.has_value());
    EXPECT_EQ(*separator, QByteArray("\xff\xff\xff\xff\x00\x00\x00\x00", 8));
    const auto open = shell::EditorDragPayload(57601);
    ASSERT_TRUE(open.has_value());
    const auto item = shell::ToolbarDragItem::Read(*open, catalogue);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->commandId, 57601);
    EXPECT_EQ(item->buttonIndex, 0);
}

} // namespace
