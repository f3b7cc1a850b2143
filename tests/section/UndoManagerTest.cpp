#include "section/SectionFixture.h"

#include "formula/FormulaTable.h"

namespace {

using sectiontest::Drawing;
using Undo = Drawing;

TEST_F(Undo, TwentySixStepsLeaveTwentyFiveAndTheFirstIsGone)
{
    CLine* first = Line(0, 0, 10, 0);
    undo.Open(1, &section);
    section.DeleteElement(first);
    undo.Close();
    for (int i = 1; i < 26; ++i) {
        undo.Open(100 + i, &section);
        Line(0, i, 10, i);
        undo.Close();
    }
    EXPECT_EQ(undo.GetUndoCount(), CUndoManager::MaxSteps);
    for (int i = 0; i < 26; ++i)
        undo.Undo();
    EXPECT_EQ(undo.GetUndoCount(), 0);
    EXPECT_EQ(undo.GetRedoCount(), 25);
    EXPECT_EQ(section.begin(), section.end()); // the deleted line did not come back
}

TEST_F(Undo, TheSameObjectGoesBackIntoTheSameSlot)
{
    Line(0, 0, 10, 0);
    CLine* line = Line(0, 5, 10, 5);
    Line(0, 9, 10, 9);
    undo.Open(1, &section);
    section.DeleteElement(line);
    undo.Close();
    EXPECT_EQ(section.GetElement(1), nullptr);
    undo.Undo();
    EXPECT_EQ(section.GetElement(1), line);

    undo.Open(170, &section);
    CLine* added = Line(50, 0, 60, 0);
    undo.Close();
    const int slot = section.GetIdx(added);
    undo.Undo();
    EXPECT_EQ(section.GetElement(slot), nullptr);
    undo.Redo();
    EXPECT_EQ(section.GetElement(slot), added);
    undo.Undo();
    EXPECT_EQ(section.GetElement(slot), nullptr);
}

TEST_F(Undo, ItemsAreUndoneLastFirstAndRedoneFirstFirst)
{
    // A adds a line, B replaces it by a copy, C deletes the copy: applied
    // in any other order the slot would not end empty.
    undo.Open(1, &section);
    CLine* line = Line(0, 0, 10, 0);
    section.SelectElements(1);
    section.PrepareSelElements();
    CElement* copy = section.GetElement(0);
    section.AddSelElementsToUndo(false);
    section.DeleteElement(0);
    undo.Close();
    ASSERT_NE(copy, line);

    undo.Undo();
    EXPECT_EQ(section.begin(), section.end());
    EXPECT_EQ(nodes.GetNode(line->GetStartNode()), nullptr);
    undo.Redo();
    EXPECT_EQ(section.begin(), section.end());
    undo.Undo();
    undo.Open(2, &section);
    Line(0, 50, 10, 50);
    undo.Close();
    EXPECT_EQ(undo.GetRedoCount(), 0); // a new step clears what could be redone
}

TEST_F(Undo, AStepThatChangedNothingLeavesNoTrace)
{
    undo.Open(1, &section);
    Line(0, 0, 10, 0);
    undo.Close();
    undo.Open(2, &section);
    Line(0, 5, 10, 5);
    undo.Close();
    undo.Undo();
    ASSERT_EQ(undo.GetRedoCount(), 1);
    undo.Open(3, &section);
    undo.Close();
    EXPECT_EQ(undo.GetUndoCount(), 1);
    EXPECT_EQ(undo.NextUndo()->title, 1);
    EXPECT_EQ(undo.GetRedoCount(), 0);
}

TEST_F(Undo, UndoWhileAStepIsOpenClosesItFirst)
{
    undo.Open(170, &section);
    CLine* line = Line(0, 0, 10, 0);
    undo.Undo();
    EXPECT_FALSE(undo.HasOpenStep());
    EXPECT_EQ(section.begin(), section.end());
    // Nothing records into the step that was undone.
    undo.AddNodeItem(std::make_unique<CNodePoint>(), nullptr, 999, UndoItem::Removed);
    EXPECT_EQ(undo.GetUndoCount(), 0);
    EXPECT_EQ(undo.GetRedoCount(), 1);
    undo.Redo();
    EXPECT_EQ(section.GetElement(0), line);

    undo.Open(171, &section);
    Line(0, 9, 10, 9);
    undo.Redo(); // nothing to redo: the open step is still closed
    EXPECT_FALSE(undo.HasOpenStep());
    EXPECT_EQ(undo.NextUndo()->title, 171);
}

TEST_F(Undo, ReOpenWithoutAStepOpensOneWithTheLastTitle)
{
    undo.ReOpen();
    EXPECT_TRUE(undo.HasOpenStep());
    undo.Open(170, &section);
    Line(0, 0, 10, 0);
    undo.ReOpen();
    EXPECT_EQ(undo.GetUndoCount(), 2); // the step kept and the one open
    EXPECT_EQ(undo.GetOpenStep()->title, 170);
    undo.Close();
    undo.ReOpen();
    ASSERT_TRUE(undo.HasOpenStep());
    EXPECT_EQ(undo.GetOpenStep()->title, 170);
    EXPECT_EQ(undo.GetOpenStep()->section, &section);
}

TEST_F(Undo, ItemsWithoutAnOpenStepAreDestroyed)
{
    undo.AddElementItem(std::make_unique<CLine>(&nodes, nullptr, 0), nullptr, 0, UndoItem::Removed, &section);
    undo.AddNodeItem(std::make_unique<CNodePoint>(), nullptr, 0, UndoItem::Removed);
    undo.AddVariableItem(CUndoManager::CreateVarBackup("A", "1", "", 0, true), nullptr, UndoItem::Removed);
    EXPECT_EQ(undo.GetUndoCount(), 0); // and the leak checker finds nothing
}

TEST_F(Undo, EverySectionsElementsReattachAfterUndo)
{
    Section other(&nodes, nullptr, &undo);
    CLine* there = dynamic_cast<CLine*>(other.AddLine3(0, 0, 10, 0, true, 1).Get());
    ASSERT_NE(there, nullptr);
    there->RebuildContour();
    ASSERT_FALSE(there->IsDisplayDirty());
    undo.Open(1, &section);
    Line(0, 50, 10, 50);
    undo.Close();
    undo.Undo();
    EXPECT_TRUE(there->IsDisplayDirty());
}

TEST_F(Undo, ASectionThatGoesTakesTheStepsThatNeedIt)
{
    auto other = std::make_unique<Section>(&nodes, nullptr, &undo);
    undo.Open(1, &section);
    Line(0, 0, 10, 0);
    undo.Close();
    undo.Open(2, other.get());
    (void)other->AddLine3(0, 5, 10, 5, true, 1);
    undo.Close();
    undo.Open(3, &section);
    Line(0, 9, 10, 9);
    undo.Close();
    undo.Undo();
    other.reset();
    // Step 3 can still be redone; steps 1 and 2 are gone.
    EXPECT_EQ(undo.GetUndoCount(), 0);
    EXPECT_EQ(undo.GetRedoCount(), 1);
    undo.Redo();
    EXPECT_EQ(Elements().size(), 2u);
}

TEST(UndoVariables, AddedVariablesAreDeletedAndComeBackWhole)
{
    FormulaTable variables;
    NodeTable nodes;
    CUndoManager undo(&nodes, &variables);
    undo.Open(1);
    ASSERT_TRUE(variables.AddVariable("Flap", "A/2", "flap width", 3, false));
    undo.AddVariableItem(nullptr, CUndoManager::CreateVarBackup("Flap", "A/2", "flap width", 3, false),
                         UndoItem::Added);
    undo.Close();
    undo.Open(2);
    ASSERT_TRUE(variables.SetFormula("Flap", "A/3", "third"));
    undo.AddVariableItem(CUndoManager::CreateVarBackup("Flap", "A/2", "flap width", 3, false),
                         CUndoManager::CreateVarBackup("Flap", "A/3", "third", 3, false), UndoItem::Replaced);
    undo.Close();

    undo.Undo();
    const int n = variables.FindIndex("Flap");
    ASSERT_GE(n, 0);
    EXPECT_EQ(variables.GetFormula(n), "A/2");
    undo.Undo();
    EXPECT_EQ(variables.FindIndex("Flap"), -1);
    undo.Redo();
    const int m = variables.FindIndex("Flap");
    ASSERT_GE(m, 0);
    EXPECT_EQ(variables.GetDescription(m), "flap width");
    EXPECT_EQ(variables.GetCategory(m), 3);
    EXPECT_FALSE(variables.IsDeletable(m));
    undo.Redo();
    EXPECT_EQ(variables.GetFormula(variables.FindIndex("Flap")), "A/3");
}

} // namespace
