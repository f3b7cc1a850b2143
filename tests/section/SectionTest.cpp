#include "section/Section.h"

#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

namespace {

struct SectionTest : ::testing::Test {
    SectionTest() { nodes.SetUndoManager(&undo); }

    CUndoManager undo;
    NodeTable nodes;
    Section section{&nodes, nullptr, &undo};
};

TEST_F(SectionTest, LinesWhoseEndsAreOneNodeAreRefused)
{
    const struct {
        double x1, y1, x2, y2;
        bool made;
    } cases[] = {
        {0, 0, 100, 0, true},
        {10, 10, 10, 10, false},      // zero length
        {20, 20, 20.002, 20, false},  // both ends merge into one node
        {30, 30, 30.004, 30, true},
    };
    for (const auto& c : cases) {
        const ElementIterator it = section.AddLine3(c.x1, c.y1, c.x2, c.y2, true);
        EXPECT_EQ(it.NotEqual(section.end()), c.made) << c.x1;
    }
    int count = 0;
    for (ElementIterator it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        const auto* line = dynamic_cast<const CLine*>(it.Get());
        ASSERT_NE(line, nullptr);
        EXPECT_NE(line->GetStartNode(), line->GetEndNode());
        EXPECT_EQ(line->GetBridgeMode(), BridgeMode::ByRule);
        EXPECT_EQ(line->GetSection(), &section);
        ++count;
    }
    EXPECT_EQ(count, 2);
}

TEST_F(SectionTest, AnArcsEndGoesOntoTheCircleThroughTheStart)
{
    const ElementIterator it = section.AddArc3(0, 0, 10, 0, 0, 20, true);
    ASSERT_TRUE(it.NotEqual(section.end()));
    const auto* arc = dynamic_cast<CArc*>(it.Get());
    ASSERT_NE(arc, nullptr);
    CNodePoint* end = nodes.GetNode(arc->GetEndNode());
    EXPECT_DOUBLE_EQ(end->GetX(), 0);
    EXPECT_DOUBLE_EQ(end->GetY(), 10);
}

TEST_F(SectionTest, DeletedElementsGoIntoTheOpenStepOrAreDestroyed)
{
    undo.Open(1);
    CElement* kept = section.AddLine3(0, 0, 100, 0, true).Get();
    ASSERT_NE(kept, nullptr);
    section.DeleteElement(kept);
    const UndoStep* step = undo.GetOpenStep();
    ASSERT_NE(step, nullptr);
    ASSERT_FALSE(step->items.empty());
    EXPECT_EQ(step->items.back().oldElement.get(), kept);
    EXPECT_EQ(step->items.back().operation, NodeUndoRecorder::Removed);
    undo.Close();

    // No step open: the element is destroyed (the leak checker sees to it).
    CElement* gone = section.AddLine3(0, 10, 100, 10, true).Get();
    ASSERT_NE(gone, nullptr);
    section.DeleteElement(gone);
    EXPECT_EQ(section.begin().NotEqual(section.end()), false);
}

} // namespace
