// The toolbar editor's window: the toolbars' editing mode for its life and
// one closing signal.
#include "gui/ToolbarEditor.h"

#include "gui/CommandToolbar.h"

#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

std::vector<shell::EditorTreeEntry> Tree()
{
    return shell::EditorTree({{shell::BuiltMenuItem::Kind::Popup, -1, QStringLiteral("&File"),
                               {{shell::BuiltMenuItem::Kind::Command, 57601, QStringLiteral("&Open..."), {}}}}});
}

TEST(ToolbarEditor, HoldsTheEditingModeWhileOpenAndSaysOnceThatItClosed)
{
    ASSERT_FALSE(gui::ToolbarEditing());
    int closed = 0;
    {
        gui::ToolbarEditor editor(Tree(), nullptr);
        QObject::connect(&editor, &gui::ToolbarEditor::editorClosed, [&closed] { ++closed; });
        editor.show();
        EXPECT_TRUE(gui::ToolbarEditing());
        EXPECT_FALSE(editor.isModal());
        ASSERT_EQ(editor.Tree()->topLevelItemCount(), 2);
        EXPECT_EQ(editor.Tree()->topLevelItem(0)->text(0), QStringLiteral("Separator"));
        editor.findChild<QPushButton*>()->click(); // Exit
        EXPECT_FALSE(gui::ToolbarEditing());
        EXPECT_FALSE(editor.isVisible());
    }
    EXPECT_EQ(closed, 1);
}

} // namespace
