// The layer and selection commands through the real window: View > Layer
// adds a layer, Copy to Layer copies a selected line into it and the saved
// drawing holds both layers; Special Selection deletes the lines with more
// than two bridges in one step that Undo brings back; the wizard's copy
// action opens the modify sheet; Convert Nodes without an option leaves no
// step.
#include "app/WindowFixture.h"

#include "dlg/LayerChoiceDlgs.h"
#include "dlg/LayerDlg.h"
#include "dlg/ModifySheet.h"
#include "dlg/SelectionWizard.h"
#include "element/Bridge.h"
#include "options/LanguageTable.h"
#include "shell/CommandId.h"

#include "common/LanguageTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

using shell::CommandId;
using shell::ToInt;

class LayerWindow : public apptest::WindowFixture {
protected:
    // Runs the command with answer given the dialog of type D it opens;
    // false when no such dialog came.
    template <class D, class Answer>
    bool RunWith(CommandId command, Answer answer)
    {
        bool seen = false;
        QTimer::singleShot(0, [&seen, answer] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            answer(*dialog);
        });
        Choose(ToInt(command));
        QApplication::processEvents();
        return seen;
    }

    test::ScopedLanguage english_{env_, test::EnglishTexts()};
};

TEST_F(LayerWindow, NewLayerCopyToLayerAndSave)
{
    Section* first = Doc().GetSection(0);
    CElement* line = first->AddLine3(0, 0, 100, 0, true, 1).Get();
    ASSERT_NE(line, nullptr);
    line->SetSelection(1);

    ASSERT_TRUE((RunWith<dlg::CLayerDlg>(CommandId::Layer, [](dlg::CLayerDlg& dialog) {
        dialog.NewButton()->click();
        // Back to the first layer, whose line is copied next.
        EXPECT_TRUE(dialog.Table().Click(0, dlg::LayerTable::kColumnActive));
        dialog.OkButton()->click();
    })));
    ASSERT_EQ(Doc().GetSectionCount(), 2);
    EXPECT_EQ(Doc().GetCurrentSection(), first);
    EXPECT_EQ(Doc().GetSection(1)->getName(), QStringLiteral("New layer 1"));

    ASSERT_TRUE((RunWith<dlg::CCopyToLayerDlg>(CommandId::CopyToLayer, [](dlg::CCopyToLayerDlg& dialog) {
        EXPECT_TRUE(dialog.SelectCopies()->isChecked());
        dialog.List()->topLevelItem(1)->setSelected(true);
        dialog.OkButton()->click();
    })));
    Section* second = Doc().GetSection(1);
    ASSERT_NE(second->GetElement(0), nullptr);
    EXPECT_TRUE(second->GetElement(0)->IsSelected());
    ASSERT_EQ(Doc().Undo().GetUndoCount(), 1);
    EXPECT_EQ(Doc().Undo().NextUndo()->title, CMorvekDoc::kTextCopyToLayer);

    CMorvekDoc reread;
    QString error;
    ASSERT_TRUE(reread.LoadFile(QStringLiteral("layers.n"), Doc().WriteFile(), &error)) << error.toStdString();
    ASSERT_EQ(reread.GetSectionCount(), 2);
    EXPECT_EQ(reread.GetSection(1)->getName(), QStringLiteral("New layer 1"));
    for (int i = 0; i < 2; ++i) {
        int lines = 0;
        for ([[maybe_unused]] CElement* e : *reread.GetSection(i))
            ++lines;
        EXPECT_EQ(lines, 1) << i;
    }
}

// A dialog that only renames keeps the undo history and still marks the
// drawing modified when it is closed with Escape.
TEST_F(LayerWindow, RenameKeepsUndoAndEscapeKeepsTheChange)
{
    UndoTransaction tx(Doc().Undo(), 174, Doc().GetSection(0));
    (void)Doc().GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
    tx.commit();
    ASSERT_EQ(Doc().Undo().GetUndoCount(), 1);
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE((RunWith<dlg::CLayerDlg>(CommandId::Layer, [](dlg::CLayerDlg& dialog) {
        EXPECT_TRUE(dialog.Table().Rename(0, QStringLiteral("Knives")));
        dialog.reject();
    })));
    EXPECT_EQ(Doc().GetSection(0)->getName(), QStringLiteral("Knives"));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 1);
}

TEST_F(LayerWindow, SpecialSelectionDeletesLinesWithMoreThanTwoBridgesAndUndoBringsThemBack)
{
    Section& layer = *Doc().GetCurrentSection();
    for (int bridges = 1; bridges <= 4; ++bridges) {
        CElement* e = layer.AddLine3(0, 10.0 * bridges, 100, 10.0 * bridges, true, 1).Get();
        ASSERT_NE(e, nullptr);
        std::vector<Bridge> list;
        for (int i = 0; i < bridges; ++i)
            list.push_back({0, 10.0 + 20.0 * i, 2.0});
        e->SetBridgeMode(BridgeMode::ByHand);
        e->SetBridges(list);
    }
    Doc().Undo().Reset();
    ASSERT_TRUE((RunWith<dlg::SelectionWizard>(CommandId::SpecialSelection, [](dlg::SelectionWizard& wizard) {
        using P = dlg::CSelectElementDlg;
        P* page = wizard.CriteriaPage();
        EXPECT_TRUE(wizard.ActionPage()->Radio(dlg::SelectionCriteria::SelectOnly)->isChecked());
        page->ValueBox(P::Type)->setCurrentIndex(2); // lines
        page->AddButton(P::Type)->click();
        page->Relation(P::BridgeCount)->setCurrentIndex(1); // ">"
        page->BridgeCountEdit()->setText(QStringLiteral("2"));
        page->AddButton(P::BridgeCount)->click();
        wizard.next();
        EXPECT_EQ(wizard.currentPage(), wizard.ActionPage());
        wizard.ActionPage()->Radio(dlg::SelectionCriteria::Delete)->click();
        wizard.button(QWizard::FinishButton)->click();
    })));
    EXPECT_EQ(apptest::LinesOf(Doc()).size(), 2u);
    ASSERT_EQ(Doc().Undo().GetUndoCount(), 1);
    Choose(ToInt(CommandId::Undo));
    EXPECT_EQ(apptest::LinesOf(Doc()).size(), 4u);
}

TEST_F(LayerWindow, WizardCopyActionOpensTheCopySheetOnTheMovePage)
{
    (void)Doc().GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
    bool sheetSeen = false;
    ASSERT_TRUE((RunWith<dlg::SelectionWizard>(CommandId::DeleteSpecified, [&sheetSeen](dlg::SelectionWizard& wizard) {
        EXPECT_TRUE(wizard.ActionPage()->Radio(dlg::SelectionCriteria::Delete)->isChecked());
        wizard.CriteriaPage()->AddButton(dlg::CSelectElementDlg::Type)->click(); // any element
        wizard.next();
        wizard.ActionPage()->Radio(dlg::SelectionCriteria::Copy)->click();
        QTimer::singleShot(0, [&sheetSeen] {
            auto* sheet = qobject_cast<dlg::ModifySheet*>(QApplication::activeModalWidget());
            if (!sheet)
                return;
            sheetSeen = true;
            EXPECT_EQ(sheet->windowTitle(), Translate(app::ModifyDriver::kTextCaptionCopy));
            EXPECT_EQ(sheet->Tabs()->currentIndex(), dlg::ModifySheet::kMovePage);
            sheet->reject();
        });
        wizard.button(QWizard::FinishButton)->click();
    })));
    EXPECT_TRUE(sheetSeen);
    EXPECT_EQ(apptest::LinesOf(Doc()).size(), 1u) << "the wizard's copy action deletes nothing";
}

TEST_F(LayerWindow, ConvertNodesWithoutAnOptionLeavesNoStep)
{
    (void)Doc().GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
    const int steps = Doc().Undo().GetUndoCount();
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE((RunWith<dlg::CConvertNodesDlg>(CommandId::ConvertNodes, [](dlg::CConvertNodesDlg& dialog) {
        EXPECT_FALSE(dialog.ToFixed()->isChecked());
        dialog.accept();
    })));
    EXPECT_EQ(Doc().Undo().GetUndoCount(), steps);
    EXPECT_FALSE(Doc().IsModified());
}

} // namespace
