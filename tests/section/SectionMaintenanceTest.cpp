#include "section/SectionFixture.h"

namespace {

using sectiontest::Drawing;
using SectionMaintenance = Drawing;

TEST_F(SectionMaintenance, UpdatingBringsCachedGeometryInStepWithMovedNodes)
{
    CArc* circle = Arc(0, 0, 10, 0, 10, 0);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRadius(), 10);
    std::vector<int> remap(static_cast<size_t>(nodes.GetCount()), NodeTable::kMoveInPlace);
    (void)nodes.MoveNode(circle->GetStartNode(), remap, 5, 0, false);
    (void)nodes.SetCacheValid(false); // positions computed afresh, as after every move
    EXPECT_EQ(circle->GetRadius(), 10);
    section.UpdateElements();
    EXPECT_EQ(circle->GetRadius(), 15);
}

TEST_F(SectionMaintenance, RefreshingALineReplacesItWithACopyOnTheNewEnds)
{
    CLine* line = Line(0, 0, 10, 0);
    CLine edited(*line);
    edited.SetLineType(4);
    edited.SetSelection(1);
    Section::Refresh r = section.RefreshElement(0, edited, {5, 5, 6, 5});
    ASSERT_EQ(r.outcome, Section::Refresh::Replaced);
    EXPECT_EQ(r.old.get(), line); // the caller's undo item gets the old object
    auto* now = dynamic_cast<CLine*>(section.GetElement(0));
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, line);
    EXPECT_EQ(At(now->GetStartNode()).x, 5);
    EXPECT_EQ(At(now->GetEndNode()).x, 6);
    EXPECT_EQ(now->GetLineType(), 4);
    EXPECT_TRUE(now->IsSelected());
}

TEST_F(SectionMaintenance, ARefreshThatMakesNoRuleIsRefusedAndChangesNothing)
{
    CLine* line = Line(0, 0, 10, 0);
    const int start = line->GetStartNode();
    const struct {
        std::vector<double> values;
    } cases[] = {{{5, 5, 5, 5}}, {{5, 5, 5.001, 5}}, {{1, 2, 3}}};
    for (const auto& c : cases) {
        Section::Refresh r = section.RefreshElement(0, *line, c.values);
        EXPECT_EQ(r.outcome, Section::Refresh::Refused);
        EXPECT_EQ(r.old, nullptr);
        EXPECT_EQ(section.GetElement(0), line);
        EXPECT_EQ(line->GetStartNode(), start);
    }
}

TEST_F(SectionMaintenance, RefreshingAnArcSetsItsThreeNodes)
{
    CArc* arc = Arc(0, 0, 10, 0, 0, 10);
    Section::Refresh r = section.RefreshElement(0, *arc, {20, 0, 0, 20, 0, 0});
    ASSERT_EQ(r.outcome, Section::Refresh::Replaced);
    auto* now = dynamic_cast<CArc*>(section.GetElement(0));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->GetRadius(), 20);
    EXPECT_EQ(At(now->GetEndNode()).y, 20);
}

TEST_F(SectionMaintenance, ReplacingANodeRecordsEachChangedElementOnce)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(10, 0, 10, 10);
    CLine* c = Line(50, 50, 60, 50);
    CLine* d = Line(10, 0, 20, 0);
    d->SetSelection(1);
    const int from = a->GetEndNode();
    const int to = nodes.AddPoint(11, 0, false);

    undo.Open(1, &section);
    section.ReplaceNode(from, to, true);
    const UndoStep* step = undo.GetOpenStep();
    ASSERT_EQ(step->items.size(), 2u);
    for (const UndoItem& item : step->items) {
        EXPECT_EQ(item.operation, UndoItem::Replaced);
        EXPECT_EQ(item.section, &section);
        auto* now = dynamic_cast<CLine*>(item.newElement);
        ASSERT_NE(now, nullptr);
        EXPECT_TRUE(now->GetStartNode() == to || now->GetEndNode() == to);
    }
    EXPECT_EQ(section.GetElement(2), c); // untouched elements keep their objects
    EXPECT_EQ(section.GetElement(3), d); // selected, skipped
    EXPECT_EQ(d->GetStartNode(), from);
    undo.Close();
    undo.Undo();
    EXPECT_EQ(section.GetElement(0), a);
    EXPECT_EQ(section.GetElement(1), b);

    // Without a step the elements change in place.
    section.ReplaceNode(from, to, false);
    EXPECT_EQ(section.GetElement(0), a);
    EXPECT_EQ(a->GetEndNode(), to);
    EXPECT_EQ(d->GetStartNode(), to);
}

TEST_F(SectionMaintenance, WithoutADieBoardThereIsNothingToDelete)
{
    Line(0, 0, 10, 0);
    EXPECT_FALSE(section.DelWood());
    EXPECT_EQ(Elements().size(), 1u);
}

} // namespace
