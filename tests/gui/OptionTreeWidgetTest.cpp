// The property grid on screen: mouse and keys reach the model through the
// real widget, an editor opens over a value and commits into its row, a path
// row asks the installed chooser, and the dialog keeps its minimum size.
#include "gui/OptionTreeDlg.h"

#include "options/PathChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using gui::COptionTree;
using gui::COptionTreeItem;

struct Grid {
    gui::OptionTreeWidget widget;
    COptionTreeItem* general;
    gui::COptionTreeItemComboBox* policy;
    gui::COptionTreeItemFile* folder;
    Grid()
    {
        COptionTree& tree = widget.Tree();
        general = tree.Insert(new COptionTreeItem);
        general->SetLabelText(QStringLiteral("General"));
        policy = tree.Insert(new gui::COptionTreeItemComboBox, general);
        policy->SetLabelText(QStringLiteral("Policy"));
        policy->AddEntry(QStringLiteral("ask"), 0);
        policy->AddEntry(QStringLiteral("fixed directory"), 2);
        policy->SelectData(0);
        folder = tree.Insert(new gui::COptionTreeItemFile, general);
        folder->SetLabelText(QStringLiteral("Output directory"));
        folder->Setup(QString(), {}, gui::COptionTreeItemFile::kFolder | gui::COptionTreeItemFile::kFullPath);
        tree.ExpandAllItems();
        tree.SetNotify(true);
        widget.resize(300, 250);
        widget.show();
        QApplication::processEvents();
    }
    QWidget* list() { return widget.List(); }
    QPoint valueOf(const COptionTreeItem* item) { return {220, item->Y() + 10}; }
};

TEST(OptionTreeWidget, DividerDragAndDoubleClickThroughTheMouse)
{
    Grid g;
    ASSERT_EQ(g.widget.Tree().ClientSize(), QSize(300, 200)) << "the pane takes 50";
    const int rowY = g.policy->Y() + 10;
    QTest::mousePress(g.list(), Qt::LeftButton, {}, QPoint(150, rowY));
    QTest::mouseMove(g.list(), QPoint(30, rowY));
    QTest::mouseRelease(g.list(), Qt::LeftButton, {}, QPoint(30, rowY));
    EXPECT_EQ(g.widget.Tree().GetColumnWidth(), 41);

    QTest::mouseDClick(g.list(), Qt::LeftButton, {}, QPoint(41, rowY));
    const int widest = g.list()->fontMetrics().horizontalAdvance(QStringLiteral("Output directory"));
    EXPECT_EQ(g.widget.Tree().GetColumnWidth(), 21 + widest + 5);
}

TEST(OptionTreeWidget, ComboEditorCommitsWhenAnotherRowIsClicked)
{
    Grid g;
    int changed = 0;
    QObject::connect(&g.widget.Tree(), &COptionTree::notify, [&changed](gui::OptionTreeNotify code, COptionTreeItem*, bool*) {
        changed += code == gui::OptionTreeNotify::ItemChanged;
    });
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.valueOf(g.policy));
    auto* box = qobject_cast<QComboBox*>(g.widget.List()->Editor());
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(1);
    emit box->activated(1);
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, QPoint(60, g.folder->Y() + 10));
    EXPECT_EQ(g.widget.List()->Editor(), nullptr);
    EXPECT_EQ(g.policy->ValueText(), QStringLiteral("fixed directory"));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(g.widget.InfoTitle(), QStringLiteral("Output directory"));
}

TEST(OptionTreeWidget, FolderRowStartsAtHomeAndKeepsItsPathOnCancel)
{
    Grid g;
    ScriptedPathChooser chooser;
    const auto use = installPathChooser(chooser);
    chooser.push(QStringLiteral("/data/"));
    chooser.push(std::nullopt);
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.valueOf(g.folder));
    EXPECT_EQ(g.folder->GetPath(), QStringLiteral("/data/"));
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, QPoint(60, g.policy->Y() + 10));
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.valueOf(g.folder));
    EXPECT_EQ(g.folder->GetPath(), QStringLiteral("/data/"));
    ASSERT_EQ(chooser.starts().size(), 2);
    EXPECT_EQ(chooser.starts()[0], QDir::homePath());
    EXPECT_EQ(chooser.starts()[1], QStringLiteral("/data/"));
}

TEST(OptionTreeWidget, KeysMoveTheFocusAndThePaneFollows)
{
    Grid g;
    g.list()->setFocus();
    QTest::keyClick(g.list(), Qt::Key_Up);
    EXPECT_EQ(g.widget.Tree().GetFocusedItem(), g.folder);
    QTest::keyClick(g.list(), Qt::Key_Home);
    EXPECT_EQ(g.widget.InfoTitle(), QStringLiteral("General"));
}

// The Part's vetoes and key rules hold on the real widget: a read-only value
// tells PropertyClick and opens nothing, a vetoed ItemExpanding keeps every
// row under clicks, Left and Right, Left on a leaf moves up and Return on a
// category opens nothing; collapsing the focused row's parent, once allowed,
// tells SelectionChanged with no row.
TEST(OptionTreeWidget, ClicksAndKeysKeepTheModelsRulesAndVetoes)
{
    Grid g;
    std::vector<gui::OptionTreeNotify> seen;
    COptionTreeItem* lastItem = nullptr;
    bool veto = true;
    QObject::connect(&g.widget.Tree(), &COptionTree::notify,
                     [&](gui::OptionTreeNotify code, COptionTreeItem* item, bool* cancel) {
                         seen.push_back(code);
                         lastItem = item;
                         if (code == gui::OptionTreeNotify::ItemExpanding && cancel)
                             *cancel = veto;
                     });
    const auto count = [&seen](gui::OptionTreeNotify code) { return std::count(seen.begin(), seen.end(), code); };
    g.policy->SetReadOnly(true);
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.valueOf(g.policy));
    EXPECT_EQ(count(gui::OptionTreeNotify::PropertyClick), 1);
    EXPECT_EQ(g.widget.List()->Editor(), nullptr);

    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.general->ExpandBox().center());
    QTest::mouseDClick(g.list(), Qt::LeftButton, {}, QPoint(60, g.general->Y() + 10));
    g.list()->setFocus();
    g.widget.Tree().SetFocusedItem(g.general);
    QTest::keyClick(g.list(), Qt::Key_Left);
    QTest::keyClick(g.list(), Qt::Key_Right);
    EXPECT_TRUE(g.general->IsExpanded());
    EXPECT_EQ(g.widget.Tree().ShownRows().size(), 3u);
    EXPECT_GE(count(gui::OptionTreeNotify::ItemExpanding), 3);

    g.widget.Tree().SetFocusedItem(g.folder);
    QTest::keyClick(g.list(), Qt::Key_Left);
    EXPECT_EQ(g.widget.Tree().GetFocusedItem(), g.policy) << "Left on a leaf acts as Up";
    g.widget.Tree().SetFocusedItem(g.general);
    QTest::keyClick(g.list(), Qt::Key_Return);
    EXPECT_EQ(g.widget.List()->Editor(), nullptr) << "Return on a category opens nothing";

    veto = false;
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, QPoint(60, g.folder->Y() + 10));
    ASSERT_EQ(g.widget.Tree().GetFocusedItem(), g.folder);
    QTest::mouseClick(g.list(), Qt::LeftButton, {}, g.general->ExpandBox().center());
    EXPECT_FALSE(g.general->IsExpanded());
    EXPECT_EQ(g.widget.Tree().GetFocusedItem(), nullptr);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), gui::OptionTreeNotify::SelectionChanged);
    EXPECT_EQ(lastItem, nullptr);
}

TEST(OptionTreeDlg, DoesNotShrinkBelowItsMinimumAndKeepsItsButtonsInTheCorners)
{
    gui::COptionTreeDlg dialog;
    dialog.show();
    dialog.resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(dialog.width(), 200);
    EXPECT_GE(dialog.height(), 300);
    dialog.resize(400, 360);
    QApplication::processEvents();
    EXPECT_EQ(dialog.OkButton()->geometry(), QRect(10, 360 - 33, 75, 23));
    EXPECT_EQ(dialog.CancelButton()->geometry(), QRect(400 - 85, 360 - 33, 75, 23));
    EXPECT_EQ(dialog.Grid()->geometry(), QRect(0, 0, 400, 310));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
}

} // namespace
