// The toolbar editor's window: the toolbars' editing mode for its life, one
// closing signal, and drags started by the mouse on its tree.
#include "gui/ToolbarEditor.h"

#include "gui/CommandToolbar.h"
#include "shell/ToolbarDragItem.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

std::vector<shell::EditorTreeEntry> Tree()
{
    return shell::EditorTree({{shell::BuiltMenuItem::Kind::Popup, -1, QStringLiteral("&File"),
                               {{shell::BuiltMenuItem::Kind::Command, 57601, QStringLiteral("&Open..."), {}}}}});
}

// Presses on the item and moves the mouse far enough to drag; returns the
// record the drag carried, or nothing when no drag started. The drag is
// cancelled with Escape from inside its loop.
std::optional<QByteArray> DragByMouse(gui::ToolbarEditor& editor, QTreeWidgetItem* item)
{
    QTreeWidget& tree = *editor.Tree();
    tree.scrollToItem(item);
    const QPoint at = tree.visualItemRect(item).center();
    std::optional<QByteArray> carried;
    QTimer::singleShot(0, [&] {
        if (auto* drag = tree.findChild<QDrag*>())
            carried = drag->mimeData()->data(QString::fromLatin1(shell::kToolbarMimeType));
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&tree, &escape);
    });
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseMove(tree.viewport(), at + QPoint(QApplication::startDragDistance() + 20, 0));
    QTest::mouseMove(tree.viewport(), at + QPoint(QApplication::startDragDistance() + 40, 5));
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, at + QPoint(40, 5));
    QApplication::processEvents();
    return carried;
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

TEST(ToolbarEditor, TheMouseDragsCommandsAndTheSeparatorButNotAPopup)
{
    gui::ToolbarEditor editor(Tree(), nullptr);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QTreeWidgetItem* separator = editor.Tree()->topLevelItem(0);
    QTreeWidgetItem* file = editor.Tree()->topLevelItem(1);
    file->setExpanded(true);
    QTreeWidgetItem* open = file->child(0);

    EXPECT_EQ(DragByMouse(editor, separator), QByteArray("\xff\xff\xff\xff\x00\x00\x00\x00", 8));
    EXPECT_EQ(DragByMouse(editor, open), QByteArray("\x01\xe1\x00\x00\x00\x00\x00\x00", 8)); // 57601, 0
    EXPECT_EQ(DragByMouse(editor, file), std::nullopt) << "a popup starts no drag";
}

} // namespace
