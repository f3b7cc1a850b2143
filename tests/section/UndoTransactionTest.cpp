#include "section/SectionFixture.h"
#include "section/UndoTransaction.h"

#include "element/Line.h"
#include "element/NodePoint.h"

#include <type_traits>

namespace {

using sectiontest::Drawing;
using Transaction = Drawing;

int ElementCount(Section& section)
{
    int n = 0;
    for (CElement* e : section)
        n += e ? 1 : 0;
    return n;
}

static_assert(!std::is_copy_constructible_v<UndoTransaction> && !std::is_copy_assignable_v<UndoTransaction>);
static_assert(std::is_nothrow_move_constructible_v<UndoTransaction>);

TEST_F(Transaction, CommitKeepsOneStepAndTellsTheListenerOnlyWhenSomethingChanged)
{
    int commits = 0;
    undo.SetCommitListener([&commits] { ++commits; });
    {
        UndoTransaction tx(undo, 170, &section);
        Line(0, 0, 10, 0);
        EXPECT_TRUE(tx.commit());
        EXPECT_FALSE(tx.IsOpen());
    }
    EXPECT_EQ(undo.GetUndoCount(), 1);
    EXPECT_EQ(undo.NextUndo()->title, 170);
    EXPECT_EQ(ElementCount(section), 1);
    EXPECT_EQ(commits, 1);
    {
        UndoTransaction empty(undo, 171, &section);
        EXPECT_FALSE(empty.commit()); // nothing changed: no step, no modified mark
    }
    EXPECT_EQ(undo.GetUndoCount(), 1);
    EXPECT_EQ(commits, 1);
}

TEST_F(Transaction, ScopeExitRollsBackAndLeavesBothStacksAsTheyWere)
{
    Line(0, 0, 10, 0); // no step open: stays without undo
    undo.Open(1, &section);
    Line(0, 5, 10, 5);
    undo.Close();
    undo.Open(2, &section);
    Line(0, 9, 10, 9);
    undo.Close();
    undo.Undo(); // one step to redo
    const int nodesBefore = [this] {
        int n = 0;
        for (int i = 0; i < nodes.GetCount(); ++i)
            n += nodes.GetNode(i) && nodes.GetNode(i)->IsInUse();
        return n;
    }();
    {
        UndoTransaction tx(undo, 3, &section);
        Line(20, 20, 30, 30);
        section.DeleteElement(0);
        EXPECT_EQ(undo.GetRedoCount(), 0); // hidden while the step is open
    }
    EXPECT_FALSE(undo.HasOpenStep());
    EXPECT_EQ(undo.GetUndoCount(), 1);
    EXPECT_EQ(undo.GetRedoCount(), 1);
    EXPECT_EQ(ElementCount(section), 2);
    int nodesAfter = 0;
    for (int i = 0; i < nodes.GetCount(); ++i)
        nodesAfter += nodes.GetNode(i) && nodes.GetNode(i)->IsInUse();
    EXPECT_EQ(nodesAfter, nodesBefore);
    undo.Redo(); // the redo step still applies
    EXPECT_EQ(ElementCount(section), 3);
}

TEST_F(Transaction, ARollbackAtTheStepLimitGivesTheOldestStepBack)
{
    for (int i = 0; i < CUndoManager::MaxSteps; ++i) {
        UndoTransaction tx(undo, 100 + i, &section);
        Line(0, i, 10, i);
        tx.commit();
    }
    {
        UndoTransaction tx(undo, 999, &section);
        Line(50, 50, 60, 60);
    }
    ASSERT_EQ(undo.GetUndoCount(), CUndoManager::MaxSteps);
    for (int i = 0; i < CUndoManager::MaxSteps; ++i)
        undo.Undo();
    EXPECT_EQ(ElementCount(section), 0); // the first step came back with the others
}

TEST_F(Transaction, AMovedTransactionCommitsOnceAndTheSourceHoldsNothing)
{
    UndoTransaction a(undo, 170, &section);
    Line(0, 0, 10, 0);
    UndoTransaction b = std::move(a);
    EXPECT_FALSE(a.IsOpen()); // moved from on purpose
    EXPECT_FALSE(a.commit());
    EXPECT_TRUE(b.IsOpen());
    UndoTransaction c;
    c = std::move(b);
    EXPECT_TRUE(c.commit());
    EXPECT_EQ(undo.GetUndoCount(), 1);
}

TEST_F(Transaction, AnInnerTransactionJoinsTheOuterStep)
{
    UndoTransaction outer(undo, 500, &section);
    Line(0, 0, 10, 0);
    {
        UndoTransaction inner = UndoTransaction::Join(&outer, &undo, 181, &section);
        EXPECT_TRUE(inner.IsPassThrough());
        Line(0, 5, 10, 5);
        EXPECT_FALSE(inner.commit()); // the outer owner decides
    }
    {
        UndoTransaction given = UndoTransaction::Join(&outer, &undo, 182, &section);
        Line(0, 9, 10, 9);
    } // a pass-through rolls nothing back
    ASSERT_TRUE(outer.IsOpen());
    EXPECT_EQ(undo.GetOpenStep()->title, 500);
    outer.commit();
    EXPECT_EQ(undo.GetUndoCount(), 1);
    undo.Undo(); // all three lines were one step
    EXPECT_EQ(ElementCount(section), 0);
    UndoTransaction own = UndoTransaction::Join(nullptr, &undo, 183, &section);
    EXPECT_FALSE(own.IsPassThrough());
    EXPECT_TRUE(own.IsOpen());
}

TEST_F(Transaction, AStepClosedBehindItsBackIsLeftAlone)
{
    UndoTransaction tx(undo, 170, &section);
    Line(0, 0, 10, 0);
    undo.Open(171, &section); // closes tx's step, keeping it
    Line(0, 5, 10, 5);
    tx.rollback();
    EXPECT_TRUE(undo.HasOpenStep());
    EXPECT_EQ(undo.GetOpenStep()->title, 171);
    undo.Close();
    EXPECT_EQ(undo.GetUndoCount(), 2);
}

} // namespace
