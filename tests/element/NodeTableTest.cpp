#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/VariableList.h"
#include "geometry/Instance.h"

#include "NodeTestSupport.h"

#include <gtest/gtest.h>

using nodetest::Drawing;
using nodetest::RecordingUndo;

TEST(NodeTable, MergesWithinTheBoxAndNotBeyond)
{
    const struct {
        double x, y;
        bool merges;
    } cases[] = {
        {10.002, 19.998, true}, {10.004, 20, false}, {10, 20.0035, false},
        {9.998, 20.0025, true}, {9.9975, 20, false}, {10.002, 19.996, false},
    };
    for (const auto& c : cases) {
        Drawing d;
        const int existing = d.Absolute(c.x, c.y);
        const int got = d.nodes.AddPoint(10, 20, true);
        EXPECT_EQ(got == existing, c.merges) << c.x << ", " << c.y;
        EXPECT_EQ(d.nodes.AddPoint(10, 20, false) == existing, false);
    }
}

TEST(NodeTable, NeverMergesWithTheOriginNode)
{
    Drawing d;
    const int n = d.nodes.AddPoint(0, 0, true);
    EXPECT_NE(n, d.origin);
    EXPECT_EQ(d.nodes.AddPoint(0.001, 0, true), n);
}

TEST(NodeTable, TheFirstCoincidentNodeInSlotOrderWins)
{
    Drawing d;
    const int first = d.Absolute(5, 5);
    const int second = d.Absolute(5.002, 5);
    for (int i = 0; i < 40; ++i)
        (void)d.Absolute(100 + i, 0);
    d.nodes.RemoveNode(first);
    // The later of two coincident nodes wins while the earlier slot is a hole...
    EXPECT_EQ(d.nodes.AddPoint(5.001, 5, true), second);
    // ...and the earlier one again once a node fills the hole; the point
    // lies within the box of both.
    EXPECT_EQ(d.nodes.AddPoint(5, 5, false), first);
    EXPECT_EQ(d.nodes.AddPoint(5.001, 5, true), first);
}

TEST(NodeTable, GrowsByThirtyAndReusesHoles)
{
    Drawing d;
    for (int i = 1; i < 30; ++i)
        ASSERT_EQ(d.Absolute(i, 0), i);
    EXPECT_EQ(d.nodes.GetCount(), 30);
    EXPECT_EQ(d.Absolute(0, 5), 30);
    EXPECT_EQ(d.nodes.GetCount(), 60);

    d.nodes.RemoveNode(7);
    EXPECT_EQ(d.nodes.GetNode(7), nullptr);
    EXPECT_EQ(d.Absolute(77, 77), 7);
    EXPECT_DOUBLE_EQ(d.Node(8).GetX(), 8);
    // A node no longer in use frees its slot too: a point on it does not
    // merge but takes the slot as a new node.
    d.Node(9).SetInUse(false);
    EXPECT_EQ(d.nodes.AddPoint(9, 0, true), 9);
    EXPECT_TRUE(d.Node(9).IsInUse());
    EXPECT_EQ(d.Absolute(99, 99), 31);
}

TEST(NodeTable, GridFollowsPositionChanges)
{
    Drawing d;
    d.SetVariable("A", "10");
    const int base = d.Absolute(1, 1);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "A", "0"); });
    EXPECT_EQ(d.nodes.AddPoint(11, 1, true), p);
    d.SetVariable("A", "20");
    EXPECT_NE(d.nodes.AddPoint(11, 1, true), p);
    EXPECT_EQ(d.nodes.AddPoint(21, 1, true), p);
    ASSERT_TRUE(d.Node(base).SetPlain(50, 50, true));
    EXPECT_EQ(d.nodes.AddPoint(50, 50, true), base);
    d.nodes.SetCaching(false);
    EXPECT_EQ(d.nodes.AddPoint(70, 50, true), p);
}

TEST(NodeTable, RecordsChangesOnlyInAnOpenStep)
{
    Drawing d;
    const int n = d.Absolute(1, 2);
    EXPECT_TRUE(d.undo.items.empty());
    d.undo.open = true;
    const int m = d.Absolute(3, 4);
    d.nodes.RemoveNode(n);
    ASSERT_EQ(d.undo.items.size(), 2u);
    EXPECT_EQ(d.undo.items[0].op, NodeUndoRecorder::Added);
    EXPECT_EQ(d.undo.items[0].now, d.nodes.GetNode(m));
    EXPECT_EQ(d.undo.items[1].op, NodeUndoRecorder::Removed);
    EXPECT_EQ(d.undo.items[1].index, n);
    ASSERT_TRUE(d.undo.items[1].old);
    EXPECT_DOUBLE_EQ(d.undo.items[1].old->GetX(), 1);
}

TEST(NodeTable, MoveInPlaceOnceForSharedNodes)
{
    Drawing d;
    const int n = d.Absolute(10, 10);
    std::vector<int> remap(static_cast<size_t>(d.nodes.GetCount()), NodeTable::kMoveInPlace);
    d.undo.open = true;
    EXPECT_EQ(d.nodes.MoveNode(n, remap, 1.5, -2, false), n);
    EXPECT_EQ(remap[static_cast<size_t>(n)], n);
    EXPECT_EQ(d.nodes.MoveNode(n, remap, 1.5, -2, false), n);
    EXPECT_EQ(d.Node(n).GetStoredXUm(), 11500);
    EXPECT_EQ(d.Node(n).GetStoredYUm(), 8000);
    ASSERT_EQ(d.undo.items.size(), 1u);
    EXPECT_EQ(d.undo.items[0].op, NodeUndoRecorder::Replaced);
    EXPECT_EQ(d.undo.items[0].old->GetStoredXUm(), 10000);
}

TEST(NodeTable, SplitOffLeavesTheOldNodeAndSharesTheNewOne)
{
    Drawing d;
    const int n = d.Absolute(10, 10);
    std::vector<int> remap(static_cast<size_t>(d.nodes.GetCount()), NodeTable::kSplitOff);
    const int made = d.nodes.MoveNode(n, remap, 5, 0, false);
    EXPECT_NE(made, n);
    EXPECT_EQ(d.nodes.MoveNode(n, remap, 5, 0, false), made);
    EXPECT_DOUBLE_EQ(d.Node(n).GetX(), 10);
    EXPECT_DOUBLE_EQ(d.Node(made).GetX(), 15);
}

TEST(NodeTable, MovesParametricNodesOnlyWhenAllowed)
{
    Drawing d;
    const int base = d.Absolute(1, 1);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "2", "0"); });
    int entry = NodeTable::kMoveInPlace;
    EXPECT_EQ(d.nodes.MoveNode(p, &entry, 1, 0, false), p);
    EXPECT_EQ(entry, NodeTable::kMoveInPlace);
    EXPECT_EQ(d.Node(p).GetKind(), NodeKind::Offset);
    EXPECT_EQ(d.nodes.MoveNode(p, &entry, 1, 0, true), p);
    EXPECT_EQ(d.Node(p).GetKind(), NodeKind::Absolute);
    EXPECT_EQ(d.Node(p).GetStoredXUm(), 4000);
}

TEST(NodeTable, RefusesAMoveOutOfTheMicrometreRange)
{
    Drawing d;
    const int n = d.Absolute(2000000, 0);
    for (int start : {NodeTable::kMoveInPlace, NodeTable::kSplitOff}) {
        int entry = start;
        EXPECT_EQ(d.nodes.MoveNode(n, &entry, 200000, 0, false), n);
        EXPECT_EQ(entry, start);
        EXPECT_EQ(d.Node(n).GetStoredXUm(), 2000000000);
    }
}

TEST(NodeTable, ReplaceReferenceRepointsEveryReference)
{
    Drawing d;
    const int a = d.Absolute(0, 10);
    const int b = d.Absolute(0, 20);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeEquidistant(&d.Node(a), &d.Node(a), "3"); });
    d.undo.open = true;
    d.nodes.ReplaceReference(a, b);
    EXPECT_EQ(d.Node(p).GetReference1(), b);
    EXPECT_EQ(d.Node(p).GetReference2(), b);
    ASSERT_EQ(d.undo.items.size(), 1u);
    EXPECT_EQ(d.undo.items[0].old->GetReference1(), a);
    d.nodes.SetCacheValid(false);
    EXPECT_NEAR(d.Node(p).GetY(), 20, 1e-9);
}

TEST(NodeTable, ConvertAllKeepsUnchangedNodesAndRecordsChangedOnes)
{
    Drawing d;
    const int base = d.Absolute(10, 0);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "5", "0"); });
    const int q = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(p), "5", "0"); });
    d.Node(q).SetRotationFormulas("0", "0", "90");
    CNodePoint* const baseBefore = d.nodes.GetNode(base);
    d.undo.open = true;
    d.nodes.ConvertAll(CNodePoint::ToPlain);
    EXPECT_EQ(d.nodes.GetNode(base), baseBefore);
    EXPECT_EQ(d.Node(p).GetKind(), NodeKind::Absolute);
    EXPECT_EQ(d.Node(q).GetStoredXUm(), 20000);
    EXPECT_EQ(d.undo.items.size(), 2u);

    d.nodes.ConvertAll(CNodePoint::ToRotated);
    EXPECT_EQ(d.Node(q).GetStoredXUm(), 0);
    EXPECT_EQ(d.Node(q).GetStoredYUm(), 20000);
    EXPECT_TRUE(d.Node(q).GetRotationAngleFormula().isEmpty());
}

TEST(NodeTable, ExtentsInWholeMillimetres)
{
    Drawing d;
    (void)d.Absolute(12.9, -3.7);
    (void)d.Absolute(-3.7, 8.2);
    EXPECT_EQ(d.nodes.GetMaxX(), 12);
    EXPECT_EQ(d.nodes.GetMinX(), -3);
    EXPECT_EQ(d.nodes.GetMaxY(), 8);
    EXPECT_EQ(d.nodes.GetMinY(), -3);
}

TEST(NodeTable, FindsNodesWithinThePickTolerance)
{
    Drawing d;
    const int near = d.Absolute(102.4, 0);
    (void)d.Absolute(200, 2.5); // 2.5 mm from the second probe: not below the tolerance
    CNodePoint probe1(&d.variables, &d.nodes);
    probe1.SetXUm(100000);
    EXPECT_EQ(d.nodes.FindNodeNear(probe1, 2.0, -1), near);
    EXPECT_EQ(d.nodes.FindNodeNear(probe1, 2.0, near), -1);
    CNodePoint probe2(&d.variables, &d.nodes);
    probe2.SetXUm(200000);
    EXPECT_EQ(d.nodes.FindNodeNear(probe2, 2.0, -1), -1);

    CInstance shifted;
    shifted.dx = 100;
    const CInstance* placements[] = {nullptr, &shifted};
    int which = -1;
    CNodePoint probe3(&d.variables, &d.nodes);
    probe3.SetXUm(202400);
    EXPECT_EQ(d.nodes.FindNodeNearInInstances(probe3, 2.0, -1, placements, 2, which), near);
    EXPECT_EQ(which, 1);
}

TEST(NodeTable, DependencyThroughSeveralNodes)
{
    Drawing d;
    for (int i = 1; i < 5; ++i)
        (void)d.Absolute(i, 0);
    const int five = d.Absolute(5, 5);
    ASSERT_EQ(five, 5);
    const int other = d.Absolute(9, 9);
    const int off = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(five), "1", "1"); });
    const int two = d.Parametric([&](CNodePoint& n) { n.MakeEquidistant(&d.Node(other), &d.Node(off), "3"); });
    EXPECT_TRUE(d.nodes.NodeDependsOn(two, five));
    EXPECT_FALSE(d.nodes.NodeDependsOn(five, two));
    EXPECT_FALSE(d.nodes.NodeDependsOn(two, 1));
    EXPECT_TRUE(d.nodes.NodeDependsOn(1000, 1));
}

TEST(NodeTable, MarksVariablesUsedByNodesAndThroughOtherVariables)
{
    Drawing d;
    d.SetVariable("Width", "A+Flap");
    d.SetVariable("Flap", "15");
    d.SetVariable("Unused", "Flap*2");
    d.SetVariable("Lid", "3");
    const int base = d.Absolute(0, 0);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "Width/2", "Lid_2"); });
    d.nodes.MarkUsedVariables();
    EXPECT_TRUE(d.nodes.IsVariableUsedByName("Width"));
    EXPECT_TRUE(d.nodes.IsVariableUsedByName("Flap"));
    EXPECT_TRUE(d.nodes.IsVariableUsedByName("A"));
    EXPECT_FALSE(d.nodes.IsVariableUsedByName("Unused"));
    EXPECT_FALSE(d.nodes.IsVariableUsedByName("Lid"));

    d.nodes.RenameVariable("Width", "W");
    EXPECT_EQ(d.Node(p).GetDxFormula(), "W/2");
    d.nodes.RenameVariable("Flap", "F");
    EXPECT_EQ(d.variables.GetFormula(d.variables.FindIndex("Width")), "A+F");
    EXPECT_EQ(d.variables.GetFormula(d.variables.FindIndex("Unused")), "F*2");
}
