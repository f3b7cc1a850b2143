// The property bar starts empty, tells nothing when it changes, and keeps
// its sizes per placement above their minimums.
#include "gui/PropertyBar.h"

#include "common/TempDir.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QMainWindow>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TEST(PropertyBar, StartsEmptyAndShowsNoMessageWhenItsItemsChange)
{
    platform::ScriptedPrompt prompt;
    const auto usePrompt = platform::installPrompt(prompt);
    QMainWindow frame;
    auto* bar = new gui::PropertyBar(&frame);
    frame.addDockWidget(Qt::RightDockWidgetArea, bar);
    frame.show();
    QApplication::processEvents();

    EXPECT_EQ(bar->windowTitle(), QStringLiteral("Prop"));
    EXPECT_EQ(bar->Tree()->topLevelItemCount(), 0) << "no sample items";
    auto* item = new QTreeWidgetItem(bar->Tree(), {QStringLiteral("Length"), QStringLiteral("100")});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setText(1, QStringLiteral("120"));
    QApplication::processEvents();
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(PropertyBar, TakesTheMinimumOfItsPlacementAndKeepsItsSizes)
{
    test::ScopedTestEnvironment env;
    using Placement = shell::SizingBarState::Placement;
    QMainWindow frame;
    auto* bar = new gui::PropertyBar(&frame);
    frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
    frame.resize(800, 600);
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(bar->CurrentPlacement(), Placement::Vertical);
    EXPECT_EQ(bar->Tree()->minimumSize(), QSize(33, 32));

    bar->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(bar->CurrentPlacement(), Placement::Floating);
    EXPECT_EQ(bar->Tree()->minimumSize(), QSize(37, 32));
    bar->resize(300, 240);
    ASSERT_TRUE(bar->SaveState(QStringLiteral("Toolbars")));

    QMainWindow other;
    auto* again = new gui::PropertyBar(&other);
    again->LoadState(QStringLiteral("Toolbars"));
    EXPECT_EQ(again->Sizes().Size(Placement::Floating).cx, 300);
    EXPECT_EQ(again->Sizes().Size(Placement::Floating).cy, 240);
}

} // namespace
