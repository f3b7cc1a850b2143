// The DXF import dialog: its rows, ticks, information text and the choice
// OK makes.
#include "dlg/DXFImportDlg.h"

#include "common/LanguageTestSupport.h"
#include "options/LanguageTable.h"

#include <QFile>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

std::vector<DxfBlock> Blocks()
{
    std::vector<DxfBlock> blocks(2);
    blocks[0].name = QStringLiteral("LID");
    blocks[0].layer = QStringLiteral("CUT");
    blocks[0].lines.resize(3);
    blocks[0].polylines.resize(1);
    blocks[0].circles.resize(1);
    blocks[0].arcs.resize(4); // arcs, texts, insertions and points are not counted
    blocks[0].texts.resize(2);
    blocks[0].texts[0].text = QStringLiteral("Box 12");
    blocks[0].texts[1].text = QStringLiteral("FEFCO");
    blocks[1].name = QStringLiteral("BASE");
    return blocks;
}

TEST(DxfImportChoices, RowsTicksAndTheChoice)
{
    const std::vector<DxfBlock> blocks = Blocks();
    dlg::DxfImportChoices c(blocks);
    ASSERT_EQ(c.RowCount(), 2);
    EXPECT_EQ(c.Cell(0, 0), "LID");
    EXPECT_EQ(c.Cell(0, 1), "CUT");
    EXPECT_EQ(c.Cell(0, 2), "5");
    EXPECT_EQ(c.InformationText(0), "Box 12\r\nFEFCO\r\n");
    EXPECT_EQ(c.InformationText(1), "");
    EXPECT_EQ(c.pageWidth, "900");
    EXPECT_TRUE(c.Accept().chosen.empty()); // nothing ticked at first

    c.TickAll();
    EXPECT_EQ(c.Accept().chosen, std::set<int>({0, 1}));
    c.ClearAll();
    c.SetTicked(1, true);
    c.label = true;
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& w : {Case{"450", 450.0}, Case{"  612.5mm", 612.5}, Case{"wide", 0.0}, Case{"", 0.0}}) {
        c.pageWidth = QString::fromLatin1(w.text);
        const DxfImportChoice choice = c.Accept();
        EXPECT_EQ(choice.chosen, std::set<int>({1}));
        EXPECT_EQ(choice.pageWidth, w.value) << w.text;
        EXPECT_EQ(choice.pageHeight, 900.0);
        EXPECT_TRUE(choice.label);
    }
}

TEST(DxfImportDialog, SelectingARowShowsItsTextsAndOkTakesTheTicks)
{
    const std::vector<DxfBlock> blocks = Blocks();
    dlg::CDXFImportDlg dialog(nullptr, blocks);
    EXPECT_EQ(dialog.windowTitle(), "DXF File Import");
    QTreeWidget* list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(2), "5");
    EXPECT_EQ(dialog.PageWidth()->text(), "900");
    EXPECT_EQ(dialog.PageHeight()->text(), "900");

    list->topLevelItem(1)->setCheckState(0, Qt::Checked); // ticking alone shows nothing
    EXPECT_EQ(dialog.Information()->toPlainText(), "");
    list->setCurrentItem(list->topLevelItem(0)); // selecting an unticked row does
    EXPECT_EQ(dialog.Information()->toPlainText(), "Box 12\nFEFCO\n");

    dialog.findChild<QPushButton*>(QStringLiteral("Button1087"))->click();
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    dialog.findChild<QPushButton*>(QStringLiteral("Button1088"))->click();
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    dialog.PageWidth()->setText(QStringLiteral("600"));
    dialog.Label()->setChecked(true);
    EXPECT_TRUE(dialog.Choice().chosen.empty()); // nothing before OK
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Choice().chosen, std::set<int>({1}));
    EXPECT_EQ(dialog.Choice().pageWidth, 600.0);
    EXPECT_TRUE(dialog.Choice().label);
}

TEST(DxfImportChoices, ModelSpaceComesFirstAndChosenAndLayoutBlocksAreNotListed)
{
    std::vector<DxfBlock> blocks = Blocks();
    blocks.insert(blocks.begin(), DxfBlock());
    blocks[0].name = QStringLiteral("*Model_Space");
    blocks.emplace_back().name = QStringLiteral("*Paper_Space0");
    DxfBlock modelSpace;
    modelSpace.lines.resize(4);
    modelSpace.texts.resize(1);
    modelSpace.texts[0].text = QStringLiteral("Lid");
    dlg::DxfImportChoices c(blocks, &modelSpace);
    ASSERT_EQ(c.RowCount(), 3); // model space, LID, BASE
    EXPECT_TRUE(c.IsModelSpace(0));
    EXPECT_EQ(c.Cell(0, 0), Translate(dlg::DxfImportChoices::kTextModelSpace));
    EXPECT_EQ(c.Cell(0, 2), "4");
    EXPECT_EQ(c.Cell(1, 0), "LID");
    EXPECT_EQ(c.Cell(2, 0), "BASE");
    EXPECT_EQ(c.InformationText(0), "Lid\r\n");
    DxfImportChoice choice = c.Accept();
    EXPECT_TRUE(choice.modelSpace);
    EXPECT_TRUE(choice.chosen.empty());
    c.SetTicked(0, false);
    c.SetTicked(2, true);
    choice = c.Accept();
    EXPECT_FALSE(choice.modelSpace);
    EXPECT_EQ(choice.chosen, std::set<int>({2})); // BASE's index in the block list
}

TEST(DxfImportDialog, CaptionsComeFromTheLanguageTableAndModelSpaceIsTicked)
{
    test::ScopedTestEnvironment env;
    QFile english(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/english.lng"));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly));
    test::ScopedLanguage language(env, english.readAll());
    const std::vector<DxfBlock> blocks = Blocks();
    DxfBlock modelSpace;
    modelSpace.lines.resize(1);
    dlg::CDXFImportDlg dialog(nullptr, blocks, &modelSpace);
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button1087"))->text(), "All");
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button1088"))->text(), "None");
    EXPECT_EQ(dialog.Label()->text(), "Label the blocks");
    QTreeWidget* list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "model space");
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
    dialog.accept();
    EXPECT_TRUE(dialog.Choice().modelSpace);
    EXPECT_TRUE(dialog.Choice().chosen.empty());
}

} // namespace
