// Copy to Layer and Convert Nodes: the choice OK accepts, the copy of the
// selection, the coupled conversion options and the conversion's undo
// step; and the two dialogs over them.
#include "dlg/LayerChoiceDlgs.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "element/NodePoint.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QCheckBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using dlg::ConvertNodesChoice;
using dlg::CopyToLayerChoice;

class LayerChoicesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(doc_.InsertSection(QStringLiteral("Target"), -1), 1);
        line_ = doc_.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1).Get();
        ASSERT_NE(line_, nullptr);
        line_->SetSelection(1);
        doc_.Undo().Reset();
        doc_.SetModifiedFlag(false);
    }

    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
    CElement* line_ = nullptr;
};

TEST_F(LayerChoicesTest, CopyToLayerRefusesNoRowAndTheCurrentLayer)
{
    struct Case {
        std::vector<int> rows;
        int message;
    };
    const Case cases[] = {
        {{}, CopyToLayerChoice::kTextChooseOne},
        {{0}, CopyToLayerChoice::kTextCurrentChosen},
        {{7}, CopyToLayerChoice::kTextChooseOne},
    };
    CopyToLayerChoice choice(doc_);
    for (const Case& c : cases) {
        EXPECT_FALSE(choice.Accept(c.rows));
        EXPECT_EQ(choice.Target(), nullptr);
        ASSERT_FALSE(prompt_.texts().empty());
        EXPECT_EQ(prompt_.texts().back(), Translate(c.message));
    }
    ASSERT_TRUE(choice.Accept({1}));
    choice.selectCopies = false;
    choice.Apply();
    Section* target = doc_.GetSection(1);
    ASSERT_EQ(target->GetSlotsInUse(), 1);
    EXPECT_FALSE(target->GetElement(0)->IsSelected());
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
    doc_.Undo().Undo();
    EXPECT_EQ(target->GetElement(0), nullptr);
}

// OK with no row keeps the dialog open; the select-copies box starts set.
TEST_F(LayerChoicesTest, CopyToLayerDialogStaysOpenUntilALayerIsChosen)
{
    dlg::CCopyToLayerDlg dialog(nullptr, doc_);
    dialog.show();
    EXPECT_TRUE(dialog.SelectCopies()->isChecked());
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), Translate(CopyToLayerChoice::kTextCurrent));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt_.texts().size(), 1);
    dialog.List()->topLevelItem(1)->setSelected(true);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Choice().Target(), doc_.GetSection(1));
    EXPECT_TRUE(dialog.Choice().selectCopies);
}

TEST_F(LayerChoicesTest, ConvertOptionsAreCoupled)
{
    struct Step {
        bool first; // which box is clicked
        bool on;
        bool wantFixed;
        bool wantSecondary;
        int wantMode;
    };
    const Step steps[] = {
        {false, true, true, true, CNodePoint::ToRotated}, // the second sets the first
        {false, false, true, false, CNodePoint::ToPlain},
        {false, true, true, true, CNodePoint::ToRotated},
        {true, false, false, false, 0}, // clearing the first clears the second
        {true, true, true, false, CNodePoint::ToPlain},
    };
    ConvertNodesChoice choice;
    EXPECT_EQ(choice.Mode(), 0);
    for (const Step& s : steps) {
        if (s.first)
            choice.SetToFixed(s.on);
        else
            choice.SetSecondary(s.on);
        EXPECT_EQ(choice.ToFixed(), s.wantFixed);
        EXPECT_EQ(choice.Secondary(), s.wantSecondary);
        EXPECT_EQ(choice.Mode(), s.wantMode);
    }

    // The dialog's boxes follow the same rule when clicked.
    dlg::CConvertNodesDlg dialog(nullptr);
    dialog.show();
    dialog.Secondary()->click();
    EXPECT_TRUE(dialog.ToFixed()->isChecked());
    dialog.ToFixed()->click();
    EXPECT_FALSE(dialog.Secondary()->isChecked());
    EXPECT_EQ(dialog.Choice().Mode(), 0);
}

TEST_F(LayerChoicesTest, ConversionIsOneUndoStep)
{
    NodeTable& nodes = doc_.Nodes();
    const int base = nodes.AddPoint(10, 0, false);
    CNodePoint relative(&doc_.Variables(), &nodes);
    relative.MakeOffset(nodes.GetNode(base), "5", "0");
    const int p = nodes.AddNode(relative, false);
    doc_.Undo().Reset();
    doc_.SetModifiedFlag(false);

    ConvertNodesChoice neither;
    EXPECT_FALSE(neither.Apply(doc_));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc_.IsModified());

    ConvertNodesChoice fixed;
    fixed.SetToFixed(true);
    EXPECT_TRUE(fixed.Apply(doc_));
    EXPECT_EQ(nodes.GetNode(p)->GetKind(), NodeKind::Absolute);
    EXPECT_NEAR(nodes.GetNode(p)->GetX(), 15.0, 1e-9);
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, ConvertNodesChoice::kTextUndoTitle);
    EXPECT_TRUE(doc_.IsModified());
    doc_.Undo().Undo();
    EXPECT_NE(nodes.GetNode(p)->GetKind(), NodeKind::Absolute);
}

} // namespace
