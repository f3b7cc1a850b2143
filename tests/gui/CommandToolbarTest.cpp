// The toolbar shows its button list and takes a dropped button only in the
// editor and only when the drop's record passes its checks.
#include "gui/CommandToolbar.h"

#include "shell/CommandCatalogue.h"
#include "shell/ToolbarDragItem.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class CommandToolbarTest : public ::testing::Test {
protected:
    CommandToolbarTest() { catalogue.Build(); }

    // Drags a payload onto the toolbar, moves over it as a real drag does,
    // and drops it at the first button (or at the start of an empty bar).
    bool Drop(gui::CommandToolbar& bar, const QByteArray& payload, const QString& type)
    {
        QMimeData data;
        data.setData(type, payload);
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &enter);
        QDragMoveEvent move(QPoint(2, 1), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &move);
        EXPECT_EQ(move.isAccepted(), enter.isAccepted()) << "moving answers as entering";
        QDropEvent drop(QPointF(1, 1), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &drop);
        return drop.isAccepted();
    }

    shell::CommandCatalogue catalogue;
    const QString format = QString::fromLatin1(shell::kToolbarMimeType);
};

TEST_F(CommandToolbarTest, ShowsOneButtonPerEntryAndReportsTheClickedCommand)
{
    gui::CommandToolbar bar(346, QStringLiteral("Toolbar 1"), catalogue);
    bar.SetButtonsFromText(u"57600,-1,32797");
    const auto actions = bar.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_FALSE(actions[0]->icon().isNull());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(bar.GetButtonsText(), QStringLiteral("57600,-1,32797"));
    EXPECT_FALSE(bar.IsEmpty());

    int chosen = 0;
    QObject::connect(&bar, &gui::CommandToolbar::commandChosen, [&chosen](int id) { chosen = id; });
    actions[2]->trigger();
    EXPECT_EQ(chosen, 32797);

    bar.SetButtonsFromText(u"0");
    ASSERT_EQ(bar.actions().size(), 1);
    EXPECT_FALSE(bar.actions()[0]->isEnabled()) << "the placeholder runs nothing";
    EXPECT_TRUE(bar.IsEmpty());
}

TEST_F(CommandToolbarTest, TakesADropOnlyInTheEditorAndOnlyAWellFormedRecord)
{
    const auto editing = gui::installToolbarEditing(true);
    QByteArray trailing = shell::ToolbarDragItem{32797, 0}.Serialize();
    trailing.append('\0');
    const struct {
        const char* what;
        QByteArray payload;
        bool taken;
    } cases[] = {
        {"a catalogued command", shell::ToolbarDragItem{32797, 0}.Serialize(), true},
        {"a separator", shell::ToolbarDragItem{-1, 0}.Serialize(), true},
        {"an unknown command", shell::ToolbarDragItem{4711, 0}.Serialize(), false},
        {"the placeholder", shell::ToolbarDragItem{0, 0}.Serialize(), false},
        {"a negative index", shell::ToolbarDragItem{32797, -3}.Serialize(), false},
        {"a short record", shell::ToolbarDragItem{32797, 0}.Serialize().left(7), false},
        {"a record with trailing bytes", trailing, false},
    };
    for (const auto& c : cases) {
        gui::CommandToolbar bar(346, QStringLiteral("Toolbar 1"), catalogue);
        bar.SetButtonsFromText(u"57600,57601");
        EXPECT_EQ(Drop(bar, c.payload, format), c.taken) << c.what;
        EXPECT_EQ(bar.actions().size(), c.taken ? 3 : 2) << c.what;
        EXPECT_EQ(bar.Buttons().Count(), bar.actions().size()) << c.what;
    }
}

TEST_F(CommandToolbarTest, RefusesDropsOutsideTheEditorAndOfOtherData)
{
    gui::CommandToolbar bar(346, QStringLiteral("Toolbar 1"), catalogue);
    bar.SetButtonsFromText(u"57600");
    EXPECT_FALSE(Drop(bar, shell::ToolbarDragItem{32797, 0}.Serialize(), format));
    const auto editing = gui::installToolbarEditing(true);
    EXPECT_FALSE(Drop(bar, shell::ToolbarDragItem{32797, 0}.Serialize(), QStringLiteral("text/plain")));
    EXPECT_EQ(bar.GetButtonsText(), QStringLiteral("57600"));
}

TEST_F(CommandToolbarTest, ACommandDroppedOnAnEmptiedToolbarTakesThePlaceholdersPlace)
{
    const auto editing = gui::installToolbarEditing(true);
    gui::CommandToolbar bar(347, QStringLiteral("Toolbar 2"), catalogue);
    bar.SetButtonsFromText(u"0");
    bar.show();
    QApplication::processEvents();
    ASSERT_TRUE(Drop(bar, shell::ToolbarDragItem{32799, 5}.Serialize(), format));
    EXPECT_EQ(bar.GetButtonsText(), QStringLiteral("32799"));
    EXPECT_FALSE(bar.IsEmpty());
    ASSERT_TRUE(Drop(bar, shell::ToolbarDragItem{-1, 0}.Serialize(), format));
    EXPECT_EQ(bar.GetButtonsText(), QStringLiteral("-1,32799")) << "dropped on the first button";
}

} // namespace
