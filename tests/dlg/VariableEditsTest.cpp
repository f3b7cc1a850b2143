// The variables dialog's edits on a drawing: the Used filter, Modify,
// Delete and Rename with their refusals and undo items, and the one step a
// showing leaves; and the dialog wired to them.
#include "dlg/VariableDlg.h"
#include "dlg/VariableEdits.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

using dlg::VariableEdits;
using Outcome = VariableEdits::Outcome;
using platform::PromptResult;

class VariableEditsTest : public testing::Test {
protected:
    void SetUp() override
    {
        FormulaTable& t = doc.Variables();
        ASSERT_TRUE(t.AddVariable(QStringLiteral("X"), QStringLiteral("3"), QStringLiteral("free"), 1000, true));
        ASSERT_TRUE(t.AddVariable(QStringLiteral("Y"), QStringLiteral("X*2"), QStringLiteral("used"), 1000, true));
        ASSERT_TRUE(t.AddVariable(QStringLiteral("Z"), QStringLiteral("7"), QStringLiteral("spare"), 1000, true));
        // A node 'Y' mm right of another: Y and, through it, X are used.
        NodeTable& nodes = doc.Nodes();
        base = nodes.AddPoint(10, 10, false);
        placed = nodes.AddPoint(30, 10, false);
        nodes.GetNode(placed)->MakeOffset(nodes.GetNode(base), QStringLiteral("Y"), QStringLiteral("0"));
        edits.emplace(doc);
    }
    QStringList Names(bool usedOnly)
    {
        QStringList names;
        for (const VariableEdits::Row& row : edits->Rows(usedOnly, usedOnly))
            names << row.name;
        return names;
    }
    double PlacedX()
    {
        doc.Nodes().SetCacheValid(false);
        return doc.Nodes().GetNode(placed)->GetX();
    }

    test::ScopedTestEnvironment env;
    test::ScopedLanguage language{env, "[375]\nENG=protected\n[377]\nENG=no value %1\n[378]\nENG=refused %1\n"
                                       "[2160]\nENG=used %1\n[411]\nENG=ok\n[412]\nENG=bad\n"};
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> installed = platform::installPrompt(prompt);
    CMorvekDoc doc;
    int base = -1;
    int placed = -1;
    std::optional<VariableEdits> edits;
};

TEST_F(VariableEditsTest, UsedFilterListsOnlyWhatFormulasUse)
{
    EXPECT_EQ(Names(false).join(u' '), QStringLiteral("A B E H MatThick PI X Y Z"));
    EXPECT_EQ(Names(true).join(u' '), QStringLiteral("X Y"));
    const std::vector<VariableEdits::Row> rows = edits->Rows(false, false);
    EXPECT_EQ(rows[6].value, QStringLiteral("3.000000"));
    EXPECT_EQ(rows[6].validity, QStringLiteral("ok"));
}

TEST_F(VariableEditsTest, ModifyLeavesConstantsAndRefusesSelfReference)
{
    EXPECT_EQ(edits->Modify(QStringLiteral("PI"), QStringLiteral("3"), {}), Outcome::Unchanged);
    EXPECT_EQ(edits->Modify(QStringLiteral("E"), QStringLiteral("3"), {}), Outcome::Unchanged);
    EXPECT_EQ(edits->Modify(QStringLiteral("X"), QStringLiteral("X + 1"), QStringLiteral("new")), Outcome::Refused);
    EXPECT_EQ(edits->Formula(QStringLiteral("X")), QStringLiteral("3"));
    EXPECT_EQ(edits->Description(QStringLiteral("X")), QStringLiteral("free"));
    EXPECT_EQ(edits->Modify(QStringLiteral("X"), QStringLiteral("(1"), {}), Outcome::Refused); // does not parse
    EXPECT_EQ(edits->Formula(QStringLiteral("X")), QStringLiteral("3"));
    EXPECT_EQ(prompt.texts(), QStringList({QStringLiteral("refused 8"), QStringLiteral("refused 7")}));
    EXPECT_FALSE(edits->Changed());
    EXPECT_EQ(edits->Modify(QStringLiteral("A"), QStringLiteral("500"), {}), Outcome::Changed);
    EXPECT_EQ(doc.Variables().Evaluate(QStringLiteral("A")), 500.0);
}

TEST_F(VariableEditsTest, AChangeThatDoesNotEvaluateIsStillUndone)
{
    EXPECT_EQ(edits->Modify(QStringLiteral("Z"), QStringLiteral("1/0"), {}), Outcome::Changed);
    EXPECT_EQ(prompt.texts(), QStringList({QStringLiteral("no value 2")}));
    edits->Finish();
    doc.Undo().Undo();
    EXPECT_EQ(doc.Variables().GetFormula(doc.Variables().FindIndex(QStringLiteral("Z"))), QStringLiteral("7"));
}

TEST_F(VariableEditsTest, DeleteRefusesProtectedAndAsksForUsed)
{
    for (const char* name : {"A", "B", "H", "MatThick", "PI", "E"}) {
        EXPECT_EQ(edits->Delete(QString::fromLatin1(name)), Outcome::Protected) << name;
        EXPECT_EQ(prompt.texts().back(), QStringLiteral("protected"));
    }
    prompt.push(PromptResult::No);
    EXPECT_EQ(edits->Delete(QStringLiteral("Y")), Outcome::Unchanged);
    EXPECT_TRUE(doc.Variables().Exists(QStringLiteral("Y")));
    EXPECT_EQ(prompt.texts().back(), QStringLiteral("used Y"));
    prompt.push(PromptResult::Yes);
    EXPECT_EQ(edits->Delete(QStringLiteral("Y")), Outcome::Changed);
    EXPECT_FALSE(doc.Variables().Exists(QStringLiteral("Y")));
    EXPECT_EQ(doc.Nodes().GetNode(placed)->GetDxFormula(), QStringLiteral("Y")); // now counts as 0
    EXPECT_EQ(PlacedX(), 10.0);
    const int asked = static_cast<int>(prompt.texts().size());
    EXPECT_EQ(edits->Delete(QStringLiteral("Z")), Outcome::Changed); // unused: no question
    EXPECT_EQ(static_cast<int>(prompt.texts().size()), asked);

    // One Undo brings both back with formula, description, category and flag.
    edits->Finish();
    doc.Undo().Undo();
    FormulaTable& t = doc.Variables();
    const int y = t.FindIndex(QStringLiteral("Y"));
    ASSERT_GE(y, 0);
    EXPECT_EQ(t.GetFormula(y), QStringLiteral("X*2"));
    EXPECT_EQ(t.GetDescription(y), QStringLiteral("used"));
    EXPECT_EQ(t.GetCategory(y), 1000);
    EXPECT_TRUE(t.IsDeletable(y));
    EXPECT_TRUE(t.Exists(QStringLiteral("Z")));
    EXPECT_EQ(PlacedX(), 16.0);
}

TEST_F(VariableEditsTest, RenameRefusesEmptyAndTakenNamesAndIsUndone)
{
    const struct {
        const char* from;
        const char* to;
        Outcome outcome;
    } cases[] = {
        {"Y", "Y", Outcome::Unchanged}, {"Y", "", Outcome::Refused},    {"Y", "  ", Outcome::Refused},
        {"Y", "X", Outcome::Refused},   {"Y", "A", Outcome::Refused},   {"A", "Width", Outcome::Protected},
        {"PI", "Q", Outcome::Protected},
    };
    for (const auto& c : cases)
        EXPECT_EQ(edits->Rename(QString::fromLatin1(c.from), QString::fromLatin1(c.to)), c.outcome) << c.to;
    EXPECT_FALSE(edits->Changed());
    EXPECT_EQ(doc.Variables().GetCount(), 9);

    EXPECT_EQ(edits->Rename(QStringLiteral("X"), QStringLiteral("Width")), Outcome::Changed);
    EXPECT_EQ(edits->Rename(QStringLiteral("Y"), QStringLiteral("Offset")), Outcome::Changed);
    EXPECT_EQ(edits->Formula(QStringLiteral("Offset")), QStringLiteral("Width*2"));
    EXPECT_EQ(doc.Nodes().GetNode(placed)->GetDxFormula(), QStringLiteral("Offset"));
    EXPECT_EQ(PlacedX(), 16.0);
    edits->Finish();
    doc.Undo().Undo();
    EXPECT_EQ(Names(false).join(u' '), QStringLiteral("A B E H MatThick PI X Y Z"));
    EXPECT_EQ(doc.Variables().GetFormula(doc.Variables().FindIndex(QStringLiteral("Y"))), QStringLiteral("X*2"));
    EXPECT_EQ(doc.Nodes().GetNode(placed)->GetDxFormula(), QStringLiteral("Y"));
    EXPECT_EQ(PlacedX(), 16.0);
}

TEST_F(VariableEditsTest, AShowingIsOneStepKeptHoweverItEnds)
{
    edits->Finish(); // nothing changed: no step, not modified
    EXPECT_EQ(doc.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc.IsModified());

    edits.emplace(doc);
    EXPECT_EQ(edits->Add(QStringLiteral("X"), QStringLiteral("1"), {}), Outcome::Refused); // taken
    EXPECT_EQ(prompt.texts().back(), QStringLiteral("refused 4"));
    EXPECT_EQ(edits->Add(QStringLiteral("W"), QStringLiteral("Y+1"), QStringLiteral("w")), Outcome::Changed);
    EXPECT_EQ(edits->Modify(QStringLiteral("Y"), QStringLiteral("10"), {}), Outcome::Changed);
    edits->Finish();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc.Undo().NextUndo()->title, VariableEdits::kTextUndoTitle);
    EXPECT_EQ(PlacedX(), 20.0);
    doc.Undo().Undo();
    EXPECT_FALSE(doc.Variables().Exists(QStringLiteral("W")));
    EXPECT_EQ(PlacedX(), 16.0);
}

// The dialog: the list, the filter that holds Check Used, Delete through
// the selected row, and Escape ending it with the changes kept.
TEST_F(VariableEditsTest, DialogIsWired)
{
    dlg::CVariableDlg dialog(nullptr, *edits);
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("List"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->topLevelItemCount(), 9);
    dialog.findChild<QAbstractButton*>(QStringLiteral("Used"))->click();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    auto* checkUsed = dialog.findChild<QAbstractButton*>(QStringLiteral("CheckUsed"));
    EXPECT_TRUE(checkUsed->isChecked());
    checkUsed->click();
    EXPECT_TRUE(checkUsed->isChecked());
    dialog.findChild<QAbstractButton*>(QStringLiteral("All"))->click();
    dialog.Select(QStringLiteral("Z"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Definition"))->text().section(u'\n', 0, 0),
              QStringLiteral("7"));
    dialog.findChild<QPushButton*>(QStringLiteral("Delete"))->click();
    EXPECT_EQ(list->topLevelItemCount(), 8);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    edits->Finish();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.Variables().Exists(QStringLiteral("Z")));
}

} // namespace
