#include "document/MorvekDoc.h"

#include "element/Line.h"
#include "element/NodePoint.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

// Two layers sharing the node at (20, 0): line a (10, 0)–(20, 0) on the open
// first layer, line b (20, 0)–(30, 0) on a locked second one. A free node at
// (50, 50) is the drop target; one offset node is built on the shared node
// and another on a node no element uses.
class DocumentNodes : public ::testing::Test {
protected:
    void SetUp() override
    {
        Section* open = doc.GetSection(0);
        Section* locked = doc.AppendSection(QStringLiteral("locked"));
        ASSERT_NE(locked, nullptr);
        a = static_cast<CLine*>(open->AddLine3(10, 0, 20, 0, true, 1).Get());
        b = static_cast<CLine*>(locked->AddLine3(20, 0, 30, 0, true, 1).Get());
        ASSERT_TRUE(a && b);
        locked->SetLocked(true);
        shared = a->GetEndNode();
        ASSERT_EQ(b->GetStartNode(), shared);
        target = doc.Nodes().AddPoint(50, 50, false);
        base = doc.Nodes().AddPoint(70, 70, false);
        onShared = OffsetFrom(shared);
        onBase = OffsetFrom(base);
    }

    int OffsetFrom(int node)
    {
        CNodePoint offset(&doc.Variables(), &doc.Nodes());
        offset.MakeOffset(doc.Nodes().GetNode(node), QStringLiteral("1"), QStringLiteral("2"));
        return doc.Nodes().AddNode(offset, false);
    }
    int ReferenceOf(int node) { return doc.Nodes().GetNode(node)->GetReference1(); }
    // The lines as the slots hold them now (undo puts other objects back).
    CLine* LineA() { return static_cast<CLine*>(doc.GetSection(0)->GetElement(0)); }
    CLine* LineB() { return static_cast<CLine*>(doc.GetSection(1)->GetElement(0)); }

    CMorvekDoc doc;
    CLine* a = nullptr;
    CLine* b = nullptr;
    int shared = -1;
    int target = -1;
    int base = -1;
    int onShared = -1;
    int onBase = -1;
};

TEST_F(DocumentNodes, UsageCountsElementsOfOpenAndLockedLayersApart)
{
    EXPECT_EQ(doc.GetNodeUsage(a->GetStartNode()), 1);
    EXPECT_EQ(doc.GetNodeUsage(b->GetEndNode()), 2);
    EXPECT_EQ(doc.GetNodeUsage(shared), 3);
    EXPECT_EQ(doc.GetNodeUsage(target), 0);
    EXPECT_EQ(doc.GetNodeUsage(base), 0) << "a node referring to it is no element";
}

TEST_F(DocumentNodes, MergeMovesEveryUserOntoTheTargetAndUndoPutsThemBack)
{
    ASSERT_TRUE(doc.MergeNode(shared, target)); // a step of its own
    EXPECT_FALSE(doc.Undo().HasOpenStep());
    ASSERT_EQ(doc.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc.Undo().NextUndo()->title, CMorvekDoc::kTextNodeRemap);
    EXPECT_EQ(LineA()->GetEndNode(), target);
    EXPECT_EQ(LineB()->GetStartNode(), target) << "locked layers follow a merge too";
    EXPECT_EQ(ReferenceOf(onShared), target);
    EXPECT_EQ(doc.Nodes().GetNode(shared), nullptr);
    EXPECT_DOUBLE_EQ(doc.Nodes().GetNode(onShared)->GetX(), 51.0);

    doc.Undo().Undo();
    ASSERT_NE(doc.Nodes().GetNode(shared), nullptr);
    EXPECT_EQ(LineA()->GetEndNode(), shared);
    EXPECT_EQ(LineB()->GetStartNode(), shared);
    EXPECT_EQ(ReferenceOf(onShared), shared);
    EXPECT_DOUBLE_EQ(doc.Nodes().GetNode(onShared)->GetX(), 21.0);
}

TEST_F(DocumentNodes, ReplacingInSectionsTakesTheLockedOrTheOpenLayers)
{
    struct Case {
        bool lockedOnly;
        bool aMoves, bMoves, referenceMoves;
    };
    for (const Case c : {Case{true, false, true, false}, Case{false, true, false, true}}) {
        SCOPED_TRACE(c.lockedOnly);
        ASSERT_TRUE(doc.ReplaceNodeInSections(shared, target, c.lockedOnly));
        EXPECT_EQ(LineA()->GetEndNode(), c.aMoves ? target : shared);
        EXPECT_EQ(LineB()->GetStartNode(), c.bMoves ? target : shared);
        EXPECT_EQ(ReferenceOf(onShared), c.referenceMoves ? target : shared);
        EXPECT_NE(doc.Nodes().GetNode(shared), nullptr) << "the node stays";
        doc.Undo().Undo();
        EXPECT_EQ(LineA()->GetEndNode(), shared);
        EXPECT_EQ(LineB()->GetStartNode(), shared);
    }
}

TEST_F(DocumentNodes, RefusedRemappingsChangeNothing)
{
    const int hole = doc.Nodes().AddPoint(90, 90, false);
    doc.Nodes().RemoveNode(hole);
    const int origin = doc.GetOriginNode();
    // A node built on the dragged one would end up referring to itself.
    struct Case {
        int from, to;
        bool merge, replace;
    };
    for (const Case c : {Case{shared, shared, false, false}, Case{shared, onShared, false, false},
                         Case{shared, hole, false, false}, Case{hole, target, false, false},
                         Case{shared, 9999, false, false}, Case{-1, target, false, false},
                         Case{origin, target, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        EXPECT_EQ(doc.MergeNode(c.from, c.to), c.merge);
        EXPECT_EQ(LineA()->GetEndNode(), shared);
        EXPECT_EQ(ReferenceOf(onShared), shared);
        EXPECT_NE(doc.Nodes().GetNode(origin), nullptr);
        EXPECT_EQ(doc.ReplaceNodeInSections(c.from, c.to, false), c.replace);
        EXPECT_EQ(LineA()->GetEndNode(), shared);
        EXPECT_EQ(ReferenceOf(onShared), shared);
        if (!c.replace) {
            EXPECT_EQ(doc.Undo().GetUndoCount(), 0) << "a refusal leaves no step";
        }
        EXPECT_FALSE(doc.Undo().HasOpenStep());
    }
    // Only elements move: a node built on the old one is no obstacle.
    EXPECT_TRUE(doc.ReplaceNodeInSections(shared, onShared, true));
    EXPECT_EQ(LineB()->GetStartNode(), onShared);
}

} // namespace
