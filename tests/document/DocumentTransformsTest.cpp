// Move, rotate, scale and mirror of the selection, detached and connected,
// run as the modify commands run them (one undo step around the selection's
// working copies, passed to each transform) and on their own.
#include "document/MorvekDoc.h"

#include "element/Line.h"
#include "element/NodePoint.h"
#include "section/Section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

// Two selected lines a (10, 10)–(20, 10) and b (20, 10)–(20, 20) meet at the
// corner (20, 10), which the unselected line c (20, 10)–(30, 10) shares.
class DocumentTransforms : public ::testing::Test {
protected:
    void SetUp() override
    {
        layer = doc.GetSection(0);
        a = Add(*layer, 10, 10, 20, 10);
        b = Add(*layer, 20, 10, 20, 20);
        c = Add(*layer, 20, 10, 30, 10);
        corner = Line(a)->GetEndNode();
        ASSERT_EQ(Line(b)->GetStartNode(), corner);
        ASSERT_EQ(Line(c)->GetStartNode(), corner);
        Line(a)->SetSelection(1);
        Line(b)->SetSelection(1);
    }

    static int Add(Section& s, double x1, double y1, double x2, double y2)
    {
        const ElementIterator it = s.AddLine3(x1, y1, x2, y2, true, 1);
        EXPECT_TRUE(it.NotEqual(s.end()));
        return it.GetIndex();
    }
    CLine* Line(int slot, Section* s = nullptr) const
    {
        return dynamic_cast<CLine*>((s ? s : layer)->GetElement(slot));
    }
    die::coord At(int node) const
    {
        CNodePoint* n = const_cast<CMorvekDoc&>(doc).Nodes().GetNode(node);
        return n ? die::coord{n->GetX(), n->GetY()} : die::coord{std::nan(""), std::nan("")};
    }
    Segment Where(int slot, Section* s = nullptr) const
    {
        const CLine* l = Line(slot, s);
        const die::coord p = At(l->GetStartNode());
        const die::coord q = At(l->GetEndNode());
        return {p.x, p.y, q.x, q.y};
    }
    int NodesInUse()
    {
        int count = 0;
        for (int i = 0; i < doc.Nodes().GetCount(); ++i)
            count += doc.Nodes().GetNode(i) != nullptr ? 1 : 0;
        return count;
    }
    // What the modify commands do around a transform.
    bool Run(const std::function<bool(UndoTransaction*)>& transform, bool copy = false)
    {
        UndoTransaction tx(doc.Undo(), 405, layer);
        if (copy)
            layer->DuplicateAll(true);
        layer->PrepareSelElements();
        (void)doc.Nodes().SetCacheValid(false); // every position evaluated afresh
        const bool done = transform(&tx);
        (void)doc.Nodes().SetCacheValid(false);
        doc.RefreshAllBridges();
        layer->AddSelElementsToUndo(false);
        tx.commit();
        return done;
    }

    CMorvekDoc doc;
    Section* layer = nullptr;
    int a = -1;
    int b = -1;
    int c = -1;
    int corner = -1;
};

// Positions are whole micrometres, truncated: a turned point may lie one
// micrometre short.
void ExpectAt(const Segment& got, const Segment& want, const char* what)
{
    constexpr double kMicrometre = 1.001e-3;
    SCOPED_TRACE(what);
    EXPECT_NEAR(got.x1, want.x1, kMicrometre);
    EXPECT_NEAR(got.y1, want.y1, kMicrometre);
    EXPECT_NEAR(got.x2, want.x2, kMicrometre);
    EXPECT_NEAR(got.y2, want.y2, kMicrometre);
}

using Tx = UndoTransaction*;

struct TransformCase {
    const char* name;
    std::function<bool(CMorvekDoc&, Tx)> run;
    Segment a, b, c;
    bool cornerMovesInPlace; // else the selection gets a new corner node and c keeps the old one
};

// Line c where it starts.
const Segment kC0{20, 10, 30, 10};

const TransformCase kCases[] = {
    {"move detached", [](CMorvekDoc& d, Tx tx) { return d.MoveSelectionDetached(5, 0, tx); }, {15, 10, 25, 10},
     {25, 10, 25, 20}, kC0, false},
    {"move connected", [](CMorvekDoc& d, Tx tx) { return d.MoveSelectionConnected(5, 0, tx); }, {15, 10, 25, 10},
     {25, 10, 25, 20}, {25, 10, 30, 10}, true},
    {"rotate detached", [](CMorvekDoc& d, Tx tx) { return d.RotateSelectionDetached(20, 10, 90, tx); }, {20, 0, 20, 10},
     {20, 10, 10, 10}, kC0, false},
    {"rotate connected", [](CMorvekDoc& d, Tx tx) { return d.RotateSelectionConnected(20, 10, 90, tx); },
     {20, 0, 20, 10}, {20, 10, 10, 10}, kC0, true},
    {"scale detached", [](CMorvekDoc& d, Tx tx) { return d.ScaleSelectionDetached(0, 0, 2, 3, tx); }, {20, 30, 40, 30},
     {40, 30, 40, 60}, kC0, false},
    {"scale connected", [](CMorvekDoc& d, Tx tx) { return d.ScaleSelectionConnected(0, 0, 2, 3, tx); },
     {20, 30, 40, 30}, {40, 30, 40, 60}, {40, 30, 30, 10}, true},
    {"mirror detached", [](CMorvekDoc& d, Tx tx) { return d.MirrorSelectionDetached(0, 0, 0, 1, tx); },
     {-10, 10, -20, 10}, {-20, 10, -20, 20}, kC0, false},
    {"mirror connected", [](CMorvekDoc& d, Tx tx) { return d.MirrorSelectionConnected(0, 15, 1, 15, tx); },
     {10, 20, 20, 20}, {20, 20, 20, 10}, {20, 20, 30, 10}, true},
};

TEST_F(DocumentTransforms, ResultingCoordinatesOfEachTransform)
{
    for (const TransformCase& t : kCases) {
        SCOPED_TRACE(t.name);
        CMorvekDoc& d = doc;
        ASSERT_TRUE(Run([&](UndoTransaction* tx) { return t.run(d, tx); }));
        ExpectAt(Where(a), t.a, "a");
        ExpectAt(Where(b), t.b, "b");
        ExpectAt(Where(c), t.c, "c");
        EXPECT_EQ(Line(a)->GetEndNode(), Line(b)->GetStartNode()) << "the selection still shares its corner";
        EXPECT_EQ(Line(a)->GetEndNode() == corner, t.cornerMovesInPlace);
        EXPECT_EQ(Line(c)->GetStartNode(), corner);

        doc.Undo().Undo(); // one step puts everything back
        ExpectAt(Where(a), {10, 10, 20, 10}, "a after undo");
        ExpectAt(Where(b), {20, 10, 20, 20}, "b after undo");
        ExpectAt(Where(c), kC0, "c after undo");
        EXPECT_EQ(Line(a)->GetEndNode(), corner);
        EXPECT_EQ(Line(b)->GetStartNode(), corner);
    }
}

// With no step passed a transform is a step of its own, the selection's old
// elements in it, so that one undo puts back the nodes and the elements.
TEST_F(DocumentTransforms, WithNoStepPassedEachTransformIsOneStepOfItsOwn)
{
    const int nodes = NodesInUse();
    for (const TransformCase& t : kCases) {
        SCOPED_TRACE(t.name);
        const int steps = doc.Undo().GetUndoCount();
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(t.run(doc, nullptr));
        ExpectAt(Where(a), t.a, "a");
        ExpectAt(Where(c), t.c, "c");
        EXPECT_FALSE(doc.Undo().HasOpenStep());
        ASSERT_EQ(doc.Undo().GetUndoCount(), steps + 1);
        EXPECT_EQ(doc.Undo().NextUndo()->title, CMorvekDoc::kTextTransformSelection);
        EXPECT_TRUE(doc.IsModified());

        doc.Undo().Undo();
        ExpectAt(Where(a), {10, 10, 20, 10}, "a after undo");
        ExpectAt(Where(b), {20, 10, 20, 20}, "b after undo");
        ExpectAt(Where(c), kC0, "c after undo");
        EXPECT_EQ(Line(a)->GetEndNode(), corner);
        EXPECT_EQ(Line(b)->GetStartNode(), corner);
        EXPECT_EQ(NodesInUse(), nodes);
    }
}

// A layer that is locked keeps its node in every variant; in the connected
// one the unselected line of the open layer follows the copy.
TEST_F(DocumentTransforms, NodeOfALockedLayerIsCopiedAndTheOpenLayerFollows)
{
    Section* locked = doc.AppendSection(QStringLiteral("locked"));
    ASSERT_NE(locked, nullptr);
    const int d = Add(*locked, 20, 10, 20, 0);
    ASSERT_EQ(Line(d, locked)->GetStartNode(), corner);
    locked->SetLocked(true);
    const int before = NodesInUse();

    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionConnected(5, 5, tx); }));
    ExpectAt(Where(a), {15, 15, 25, 15}, "a");
    ExpectAt(Where(b), {25, 15, 25, 25}, "b");
    ExpectAt(Where(c), {25, 15, 30, 10}, "c follows the selection");
    ExpectAt(Where(d, locked), {20, 10, 20, 0}, "the locked line stays");
    EXPECT_EQ(Line(d, locked)->GetStartNode(), corner);
    EXPECT_NE(Line(c)->GetStartNode(), corner);
    EXPECT_EQ(Line(c)->GetStartNode(), Line(a)->GetEndNode());

    doc.Undo().Undo();
    ExpectAt(Where(c), {20, 10, 30, 10}, "c after undo");
    EXPECT_EQ(Line(c)->GetStartNode(), corner);
    EXPECT_EQ(NodesInUse(), before) << "the copied corner goes with the undo";

    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.ScaleSelectionDetached(0, 0, 2, 2, tx); }));
    EXPECT_EQ(Line(d, locked)->GetStartNode(), corner);
    ExpectAt(Where(d, locked), {20, 10, 20, 0}, "the locked line stays");
}

TEST_F(DocumentTransforms, OriginStaysAndTheLinesOnItFollowTheNewNode)
{
    Section* other = doc.AppendSection(QStringLiteral("other"));
    ASSERT_NE(other, nullptr);
    layer->Deselect();
    const int origin = doc.GetOriginNode(); // new points never merge with it
    const int s = layer->AddLine0(origin, doc.Nodes().AddPoint(0, 10, false));
    const int u = other->AddLine0(origin, doc.Nodes().AddPoint(-10, 0, false));
    ASSERT_EQ(Line(s)->GetStartNode(), doc.GetOriginNode());
    ASSERT_EQ(Line(u, other)->GetStartNode(), doc.GetOriginNode());
    Line(s)->SetSelection(1);

    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionConnected(5, 5, tx); }));
    ExpectAt(Where(s), {5, 5, 5, 15}, "selected");
    ExpectAt(Where(u, other), {5, 5, -10, 0}, "the other layer's line follows");
    EXPECT_EQ(At(doc.GetOriginNode()), die::coord(0, 0));
    EXPECT_NE(Line(s)->GetStartNode(), doc.GetOriginNode());
    EXPECT_EQ(Line(u, other)->GetStartNode(), Line(s)->GetStartNode());
}

TEST_F(DocumentTransforms, WholeContourScaledDetachedMovesItsNodesInPlace)
{
    (void)Add(*layer, 30, 10, 10, 10); // closes a and c into a triangle
    layer->SelectElements(1);           // every user of their nodes
    const int before = NodesInUse();
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.ScaleSelectionDetached(20, 10, 2, 2, tx); }));
    EXPECT_EQ(NodesInUse(), before) << "no node is made";
    EXPECT_EQ(Line(a)->GetEndNode(), corner);
    ExpectAt(Where(a), {0, 10, 20, 10}, "a");
    ExpectAt(Where(b), {20, 10, 20, 30}, "b");
}

// The modify Copy: unselected copies stay where the selection was, the
// selection itself moves with nodes of its own; one undo removes both.
TEST_F(DocumentTransforms, CopyLeavesCopiesBehindAndUndoRemovesThemAtOnce)
{
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionDetached(10, 0, tx); }, true));
    std::vector<int> filled;
    for (auto it = layer->begin(); it.NotEqual(layer->end()); it.Next())
        filled.push_back(it.GetIndex());
    ASSERT_EQ(filled.size(), 5U);
    ExpectAt(Where(a), {20, 10, 30, 10}, "a moved");
    ExpectAt(Where(b), {30, 10, 30, 20}, "b moved");
    ExpectAt(Where(filled[3]), {10, 10, 20, 10}, "copy of a");
    ExpectAt(Where(filled[4]), {20, 10, 20, 20}, "copy of b");
    EXPECT_FALSE(Line(filled[3])->IsSelected());
    EXPECT_EQ(Line(filled[3])->GetEndNode(), corner) << "the copies keep the old nodes";
    ExpectAt(Where(c), {20, 10, 30, 10}, "c");

    doc.Undo().Undo();
    int count = 0;
    for (auto it = layer->begin(); it.NotEqual(layer->end()); it.Next())
        ++count;
    EXPECT_EQ(count, 3);
    ExpectAt(Where(a), {10, 10, 20, 10}, "a after undo");
}

// A node built on another node that moves too is placed once: fixed where
// it stands before its base moves, then moved by its own offset.
TEST_F(DocumentTransforms, NodeBuiltOnAMovedNodeMovesOnce)
{
    layer->Deselect();
    const int base = doc.Nodes().AddPoint(100, 100, false);
    CNodePoint offset(&doc.Variables(), &doc.Nodes());
    offset.MakeOffset(doc.Nodes().GetNode(base), QStringLiteral("10"), QStringLiteral("0"));
    const int built = doc.Nodes().AddNode(offset, false);
    const int l = layer->AddLine0(base, built);
    Line(l)->SetSelection(1);
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionConnected(5, 0, tx); }));
    ExpectAt(Where(l), {105, 100, 115, 100}, "connected move");
}

// A node another node is built on counts as used by that node's users: a
// detached scale copies it, so the unselected line on the built node stays.
TEST_F(DocumentTransforms, BaseOfANodeOthersUseIsNotMovedInPlace)
{
    layer->Deselect();
    const int base = doc.Nodes().AddPoint(100, 100, false);
    CNodePoint offset(&doc.Variables(), &doc.Nodes());
    offset.MakeOffset(doc.Nodes().GetNode(base), QStringLiteral("10"), QStringLiteral("0"));
    const int built = doc.Nodes().AddNode(offset, false);
    const int s = layer->AddLine0(base, doc.Nodes().AddPoint(100, 120, false));
    const int u = layer->AddLine0(built, doc.Nodes().AddPoint(140, 100, false));
    Line(s)->SetSelection(1);
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.ScaleSelectionDetached(0, 0, 2, 2, tx); }));
    ExpectAt(Where(s), {200, 200, 200, 240}, "scaled");
    ExpectAt(Where(u), {110, 100, 140, 100}, "the neighbour stays");
}

// A detached move gives the selection new nodes; a node built on another
// that stays behind keeps its formulas for the unselected line.
TEST_F(DocumentTransforms, NodeLeftBehindKeepsItsFormulas)
{
    layer->Deselect();
    const int base = doc.Nodes().AddPoint(100, 100, false);
    CNodePoint offset(&doc.Variables(), &doc.Nodes());
    offset.MakeOffset(doc.Nodes().GetNode(base), QStringLiteral("10"), QStringLiteral("0"));
    const int built = doc.Nodes().AddNode(offset, false);
    const int s = layer->AddLine0(built, doc.Nodes().AddPoint(110, 120, false));
    const int u = layer->AddLine0(built, doc.Nodes().AddPoint(140, 100, false));
    Line(s)->SetSelection(1);
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionDetached(0, 5, tx); }));
    ExpectAt(Where(s), {110, 105, 110, 125}, "moved");
    EXPECT_EQ(Line(u)->GetStartNode(), built);
    EXPECT_TRUE(doc.Nodes().GetNode(built)->IsParametric());
    ExpectAt(Where(u), {110, 100, 140, 100}, "the neighbour stays");
}

TEST_F(DocumentTransforms, DegenerateValuesAndEmptySelectionChangeNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::function<bool(UndoTransaction*)> refused[] = {
        [&](UndoTransaction* tx) { return doc.ScaleSelectionDetached(0, 0, 0, 1, tx); },
        [&](UndoTransaction* tx) { return doc.ScaleSelectionConnected(0, 0, 2, 0, tx); },
        [&](UndoTransaction* tx) { return doc.MirrorSelectionDetached(5, 5, 5, 5, tx); },
        [&](UndoTransaction* tx) { return doc.MirrorSelectionConnected(5, 5, 5, 5, tx); },
        [&](UndoTransaction* tx) { return doc.MoveSelectionDetached(nan, 0, tx); },
        [&](UndoTransaction* tx) {
            return doc.RotateSelectionConnected(0, 0, std::numeric_limits<double>::infinity(), tx);
        },
    };
    const int before = NodesInUse();
    for (const auto& transform : refused) {
        EXPECT_FALSE(Run(transform));
        ExpectAt(Where(a), {10, 10, 20, 10}, "a");
        ExpectAt(Where(b), {20, 10, 20, 20}, "b");
        EXPECT_EQ(NodesInUse(), before);
    }
    layer->Deselect();
    ASSERT_TRUE(Run([&](UndoTransaction* tx) { return doc.MoveSelectionDetached(5, 5, tx); }));
    ExpectAt(Where(a), {10, 10, 20, 10}, "nothing selected");
    EXPECT_EQ(NodesInUse(), before);
}

// A refused value, or nothing selected, opens no step of its own: the undo
// and redo lists stay as they were and no step is left open.
TEST_F(DocumentTransforms, WithNoStepPassedARefusalOrAnEmptySelectionOpensNone)
{
    ASSERT_TRUE(doc.MoveSelectionDetached(1, 0));
    doc.Undo().Undo(); // one step to redo
    const int steps = doc.Undo().GetUndoCount();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto expectNothingOpened = [&] {
        EXPECT_FALSE(doc.Undo().HasOpenStep());
        EXPECT_EQ(doc.Undo().GetUndoCount(), steps);
        EXPECT_EQ(doc.Undo().GetRedoCount(), 1);
        ExpectAt(Where(a), {10, 10, 20, 10}, "a");
    };
    EXPECT_FALSE(doc.ScaleSelectionConnected(0, 0, 2, 0));
    expectNothingOpened();
    EXPECT_FALSE(doc.MirrorSelectionDetached(5, 5, 5, 5));
    expectNothingOpened();
    EXPECT_FALSE(doc.RotateSelectionDetached(nan, 0, 90));
    expectNothingOpened();
    layer->Deselect();
    EXPECT_TRUE(doc.MoveSelectionConnected(5, 5));
    expectNothingOpened();
}

} // namespace
