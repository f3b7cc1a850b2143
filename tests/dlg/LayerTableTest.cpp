// The layers dialog's operations on a drawing of four layers: the cells,
// the rename, New, Delete, Merge and Duplicate with their questions, the
// modified flag and which changes drop the undo history; and the dialog
// over them (rename in place, the buttons at the layer limit).
#include "dlg/LayerDlg.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using dlg::LayerTable;
using platform::PromptResult;

class LayerTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc_.GetSection(0)->setName(QStringLiteral("A"));
        for (const char* name : {"B", "C", "D"})
            ASSERT_GE(doc_.InsertSection(QString::fromLatin1(name), -1), 0);
        // One undoable step, so that we see whether the history stays.
        UndoTransaction tx(doc_.Undo(), 174, doc_.GetSection(0));
        (void)doc_.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1);
        tx.commit();
        ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
        doc_.SetModifiedFlag(false);
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < doc_.GetSectionCount(); ++i)
            names << doc_.GetSection(i)->getName();
        return names;
    }
    void Fill()
    {
        while (doc_.GetSectionCount() < CMorvekDoc::kMaxSections)
            ASSERT_NE(doc_.AppendSection(QStringLiteral("filler")), nullptr);
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage english_{env_, test::EnglishTexts()};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
    LayerTable table_{doc_};
};

TEST_F(LayerTableTest, RowsShowNameVisibleActiveAndLocked)
{
    doc_.GetSection(1)->SetVisible(false);
    doc_.GetSection(2)->SetLocked(true);
    ASSERT_EQ(table_.RowCount(), 4);
    const auto row = [&](int i) {
        const LayerTable::Row r = table_.RowAt(i);
        return QStringList{r.name, r.visible, r.active, r.locked}.join(QLatin1Char('|'));
    };
    EXPECT_EQ(row(0), QStringLiteral("A|Yes|Active|"));
    EXPECT_EQ(row(1), QStringLiteral("B|No||"));
    EXPECT_EQ(row(2), QStringLiteral("C|Yes||Yes"));
}

// Cell clicks change one flag each, mark the drawing modified and keep the
// undo history.
TEST_F(LayerTableTest, CellClicks)
{
    struct Case {
        const char* what;
        int row;
        int column;
        bool changes;
    };
    Section* b = doc_.GetSection(1);
    b->SetVisible(false);
    // The active cell of a hidden layer makes it current and visible.
    EXPECT_TRUE(table_.Click(1, LayerTable::kColumnActive));
    EXPECT_EQ(doc_.GetCurrentSection(), b);
    EXPECT_TRUE(b->IsVisible());
    EXPECT_TRUE(doc_.IsModified());
    const Case cases[] = {
        {"the current layer is not hidden", 1, LayerTable::kColumnVisible, false},
        {"the current layer's active cell", 1, LayerTable::kColumnActive, false},
        {"the name cell", 0, LayerTable::kColumnName, false},
        {"a row outside the table", 9, LayerTable::kColumnLocked, false},
        {"another layer is hidden", 0, LayerTable::kColumnVisible, true},
        {"and shown again", 0, LayerTable::kColumnVisible, true},
        {"locked", 2, LayerTable::kColumnLocked, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table_.Click(c.row, c.column), c.changes) << c.what;
    EXPECT_TRUE(b->IsVisible());
    EXPECT_TRUE(doc_.GetSection(0)->IsVisible());
    EXPECT_TRUE(doc_.GetSection(2)->IsLocked());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1) << "no structural change";
    EXPECT_FALSE(table_.StructureChanged());
    EXPECT_EQ(prompt_.texts().size(), 0);
}

TEST_F(LayerTableTest, RenameKeepsTheUndoHistory)
{
    EXPECT_FALSE(table_.Rename(1, QStringLiteral("B")));
    EXPECT_FALSE(doc_.IsModified()) << "the same name changes nothing";
    EXPECT_TRUE(table_.Rename(1, QStringLiteral("Blanks")));
    EXPECT_EQ(doc_.GetSection(1)->getName(), QStringLiteral("Blanks"));
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

TEST_F(LayerTableTest, DeleteAsksOncePerLayerAndCancelKeepsThatOne)
{
    prompt_.push(PromptResult::Ok);
    prompt_.push(PromptResult::Cancel);
    prompt_.push(PromptResult::Ok);
    EXPECT_EQ(table_.Delete({1, 2, 3}), 2);
    EXPECT_EQ(Names(), (QStringList{"A", "C"}));
    EXPECT_EQ(prompt_.texts(),
              (QStringList{"Delete the layer B?", "Delete the layer C?", "Delete the layer D?"}));
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0) << "deleting layers drops the history";
}

// The current layer is refused (text 345) and the walk goes on; the
// layer that moved into a deleted one's row is not deleted by mistake.
TEST_F(LayerTableTest, DeletingASetWithTheCurrentLayerDeletesTheOthers)
{
    doc_.SetCurrentSection(2);
    prompt_.push(PromptResult::Ok);
    prompt_.push(PromptResult::Ok);
    prompt_.push(PromptResult::Ok);
    EXPECT_EQ(table_.Delete({1, 2, 3}), 2);
    EXPECT_EQ(Names(), (QStringList{"A", "C"}));
    EXPECT_EQ(doc_.GetCurrentSection(), doc_.GetSection(1));
    ASSERT_EQ(prompt_.texts().size(), 3);
    EXPECT_EQ(prompt_.texts()[1], Translate(LayerTable::kTextCannotDeleteCurrent));
}

TEST_F(LayerTableTest, NewAddsACurrentLayerAndDropsTheHistory)
{
    EXPECT_TRUE(table_.New());
    ASSERT_EQ(doc_.GetSectionCount(), 5);
    EXPECT_EQ(doc_.GetSection(4)->getName(), QStringLiteral("New layer 4"));
    EXPECT_EQ(doc_.GetCurrentSection(), doc_.GetSection(4));
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_TRUE(table_.StructureChanged());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

// Each placement of a merged layer gives one plain copy; the merged layers
// go and the new one is current.
TEST_F(LayerTableTest, MergeCopiesEveryPlacementIntoANewLayer)
{
    Section* b = doc_.GetSection(1);
    (void)b->AddLine3(0, 0, 0, 20, true, 1);
    b->NewInstance(100, 0, 0);
    (void)doc_.GetSection(3)->AddLine3(0, 0, 5, 5, true, 1);
    prompt_.push(PromptResult::Ok);
    EXPECT_TRUE(table_.Merge({1, 3}));
    EXPECT_EQ(Names(), (QStringList{"A", "C", "Merged layer 4"}));
    Section* merged = doc_.GetSection(2);
    EXPECT_EQ(doc_.GetCurrentSection(), merged);
    int count = 0;
    for ([[maybe_unused]] CElement* e : *merged)
        ++count;
    EXPECT_EQ(count, 3) << "two placements of B and D's line";
    EXPECT_EQ(merged->GetPlacements().size(), 1u) << "plain copies, placed once";
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

TEST_F(LayerTableTest, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        bool (*run)(LayerTable&);
        int message;
    };
    const Case cases[] = {
        {"merge without a selection", [](LayerTable& t) { return t.Merge({}); }, LayerTable::kTextMergeNothing},
        {"duplicate of two", [](LayerTable& t) { return t.Duplicate({0, 1}); }, LayerTable::kTextDuplicateOne},
        {"duplicate of none", [](LayerTable& t) { return t.Duplicate({}); }, LayerTable::kTextDuplicateOne},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.run(table_)) << c.what;
        ASSERT_FALSE(prompt_.texts().empty()) << c.what;
        EXPECT_EQ(prompt_.texts().back(), Translate(c.message)) << c.what;
    }
    // Cancel to the merge question.
    prompt_.push(PromptResult::Cancel);
    EXPECT_FALSE(table_.Merge({1}));
    EXPECT_EQ(Names(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

TEST_F(LayerTableTest, DuplicateNamesTheCopyInEnglish)
{
    (void)doc_.GetSection(1)->AddLine3(0, 0, 0, 20, true, 1);
    prompt_.push(PromptResult::Ok);
    EXPECT_TRUE(table_.Duplicate({1}));
    EXPECT_EQ(prompt_.texts().front(), QStringLiteral("Duplicate the layer B?"));
    ASSERT_EQ(doc_.GetSectionCount(), 5);
    EXPECT_EQ(doc_.GetSection(4)->getName(), QStringLiteral("Copy 4"));
    EXPECT_EQ(doc_.GetCurrentSection(), doc_.GetSection(4));
}

TEST_F(LayerTableTest, NothingIsAddedAtTheLayerLimit)
{
    Fill();
    EXPECT_FALSE(table_.CanAdd());
    prompt_.push(PromptResult::Ok);
    prompt_.push(PromptResult::Ok);
    EXPECT_FALSE(table_.New());
    EXPECT_FALSE(table_.Merge({1}));
    EXPECT_FALSE(table_.Duplicate({1}));
    EXPECT_EQ(doc_.GetSectionCount(), CMorvekDoc::kMaxSections);
    EXPECT_FALSE(doc_.IsModified());

    dlg::CLayerDlg dialog(nullptr, doc_);
    EXPECT_FALSE(dialog.NewButton()->isEnabled());
    EXPECT_FALSE(dialog.MergeButton()->isEnabled());
    EXPECT_FALSE(dialog.DuplicateButton()->isEnabled());
    EXPECT_TRUE(dialog.DeleteButton()->isEnabled());
}

// In place: Escape abandons the typed name, Enter takes it; a click on
// another row's active cell makes that layer current.
TEST_F(LayerTableTest, DialogRenamesInPlaceAndTogglesCells)
{
    dlg::CLayerDlg dialog(nullptr, doc_);
    dialog.show();
    QTreeWidget* list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 4);
    const auto rename = [&](const QString& text, int key) {
        QTreeWidgetItem* item = list->topLevelItem(1);
        list->setCurrentItem(item, 0);
        list->editItem(item, 0);
        QApplication::processEvents();
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : list->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                editor = e;
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, static_cast<Qt::Key>(key));
        QApplication::processEvents();
    };
    rename(QStringLiteral("Abandoned"), Qt::Key_Escape);
    EXPECT_EQ(doc_.GetSection(1)->getName(), QStringLiteral("B"));
    EXPECT_FALSE(doc_.IsModified());
    rename(QStringLiteral("Blanks"), Qt::Key_Return);
    EXPECT_EQ(doc_.GetSection(1)->getName(), QStringLiteral("Blanks"));
    EXPECT_TRUE(doc_.IsModified());

    const QRect cell = list->visualRect(list->model()->index(2, LayerTable::kColumnActive));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(doc_.GetCurrentSection(), doc_.GetSection(2));
    EXPECT_EQ(list->topLevelItem(2)->text(LayerTable::kColumnActive), QStringLiteral("Active"));
    EXPECT_TRUE(list->topLevelItem(0)->text(LayerTable::kColumnActive).isEmpty());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

} // namespace
