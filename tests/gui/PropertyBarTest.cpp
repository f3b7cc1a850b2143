// The property bar starts empty, tells nothing when it changes, and keeps
// its sizes per placement above their minimums.
#include "gui/PropertyBar.h"
#include "gui/OptionTreeWidget.h"

#include "common/TempDir.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QMainWindow>
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
    gui::OptionTreeWidget* grid = bar->Grid();
    EXPECT_EQ(bar->widget(), grid) << "the dock shows the property grid";
    gui::COptionTree& tree = grid->Tree();
    EXPECT_EQ(tree.Options(), gui::kOptionTreeHostOptions | gui::kOptNotify) << "the hosts' bits, telling";
    EXPECT_TRUE(tree.Root()->Children().empty()) << "no sample items";
    // A row that changes is told (notifications are on) but shows nothing.
    int changed = 0;
    QObject::connect(&tree, &gui::COptionTree::notify, [&changed](gui::OptionTreeNotify code, gui::COptionTreeItem*, bool*) {
        changed += code == gui::OptionTreeNotify::ItemChanged ? 1 : 0;
    });
    auto* item = tree.Insert(new gui::COptionTreeItemEdit, nullptr);
    item->SetLabelText(QStringLiteral("Length"));
    item->SetText(QStringLiteral("100"));
    item->BeginEdit();
    item->SetText(QStringLiteral("120"));
    EXPECT_TRUE(item->EndEdit());
    QApplication::processEvents();
    EXPECT_EQ(changed, 1);
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
    EXPECT_EQ(bar->Grid()->minimumSize(), QSize(33, 32));

    bar->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(bar->CurrentPlacement(), Placement::Floating);
    EXPECT_EQ(bar->Grid()->minimumSize(), QSize(37, 32));
    bar->resize(300, 240);
    ASSERT_TRUE(bar->SaveState(QStringLiteral("Toolbars")));

    QMainWindow other;
    auto* again = new gui::PropertyBar(&other);
    again->LoadState(QStringLiteral("Toolbars"));
    EXPECT_EQ(again->Sizes().Size(Placement::Floating).cx, 300);
    EXPECT_EQ(again->Sizes().Size(Placement::Floating).cy, 240);
}

} // namespace
