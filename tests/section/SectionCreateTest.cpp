#include "section/SectionFixture.h"

#include <limits>

namespace {

using sectiontest::Drawing;
using SectionCreate = Drawing;

TEST_F(SectionCreate, LinesThatMakeNoRuleAreRefusedAndAddNothing)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double x1, y1, x2, y2;
        bool made;
    } cases[] = {
        {0, 0, 100, 0, true},
        {10, 10, 10, 10, false},     // zero length
        {20, 20, 20.002, 20, false}, // both ends merge into one node
        {30, 30, 30.004, 30, true},
        {40, 40, inf, 40, false},    // no node can hold the end
        {50, 50, 1e12, 50, false},
    };
    for (const auto& c : cases) {
        const int nodesBefore = nodes.GetCount();
        const int slotsBefore = section.GetSlotsInUse();
        const ElementIterator it = section.AddLine3(c.x1, c.y1, c.x2, c.y2, true, 1);
        EXPECT_EQ(it.NotEqual(section.end()), c.made) << c.x1;
        if (!c.made) {
            EXPECT_EQ(section.GetSlotsInUse(), slotsBefore) << c.x1;
        }
        if (!c.made && c.x1 >= 40) {
            EXPECT_EQ(nodes.GetCount(), nodesBefore) << c.x1;
        }
    }
    EXPECT_EQ(Elements().size(), 2u);
}

TEST_F(SectionCreate, ANewLineTakesTheGivenLineTypeAndItsBridgesByRule)
{
    CElement* e = section.AddLine3(0, 0, 100, 0, true, 5).Get();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetLineType(), 5);
    EXPECT_EQ(e->GetPtg(), 2.0);
    EXPECT_EQ(e->GetBridgeMode(), BridgeMode::ByRule);
    EXPECT_EQ(e->GetSection(), &section);
}

TEST_F(SectionCreate, MergingSharesTheJointNode)
{
    CLine* a = Line(0, 0, 50, 0);
    CLine* b = Line(50, 0, 50, 50);
    CLine* c = Line(50, 50, 0, 50, false);
    CLine* d = Line(0, 50, 0, 100, false);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(a->GetEndNode(), b->GetStartNode());
    EXPECT_NE(c->GetEndNode(), d->GetStartNode());
    EXPECT_EQ(At(c->GetEndNode()).x, At(d->GetStartNode()).x);
}

TEST_F(SectionCreate, AnArcsEndGoesOntoTheCircleThroughTheStart)
{
    CArc* arc = Arc(0, 0, 10, 0, 0, 5);
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(At(arc->GetEndNode()).x, 0, 1e-9);
    EXPECT_NEAR(At(arc->GetEndNode()).y, 10, 1e-9);

    CArc* circle = Arc(100, 0, 110, 0, 110, 0);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetEndNode(), circle->GetStartNode());
    EXPECT_EQ(circle->GetBridgeMode(), BridgeMode::ByRule);
}

TEST_F(SectionCreate, EveryCreationIsOneItemUnlessRecordingIsOff)
{
    undo.Open(170, &section);
    CLine* line = Line(0, 0, 100, 0);
    int elementItems = 0;
    for (const UndoItem& item : undo.GetOpenStep()->items) {
        if (item.kind == UndoItem::Element) {
            ++elementItems;
            EXPECT_EQ(item.newElement, line);
            EXPECT_EQ(item.operation, UndoItem::Added);
            EXPECT_EQ(item.index, 0);
        }
    }
    EXPECT_EQ(elementItems, 1);

    section.SetUndoRecording(false);
    const std::size_t before = undo.GetOpenStep()->items.size();
    Line(0, 10, 100, 10);
    EXPECT_EQ(undo.GetOpenStep()->items.size(), before + 2); // its two new nodes only
    // A copy into the section is recorded whatever the flag says.
    const int slot = section.CopyElement(*line);
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(undo.GetOpenStep()->items.back().newElement, section.GetElement(2));
    undo.Close();
}

TEST_F(SectionCreate, TheNodeIndexFormsLinkAndRecordOnly)
{
    const int a = nodes.AddPoint(0, 0, true);
    const int b = nodes.AddPoint(10, 0, true);
    const int c = nodes.AddPoint(0, 10, true);
    undo.Open(1, &section);
    const int lineSlot = section.AddLine0(a, b);
    const int arcSlot = section.AddArc0(b, c, a);
    auto* line = dynamic_cast<CLine*>(section.GetElement(lineSlot));
    auto* arc = dynamic_cast<CArc*>(section.GetElement(arcSlot));
    ASSERT_TRUE(line && arc);
    EXPECT_EQ(line->GetStartNode(), a);
    EXPECT_EQ(line->GetEndNode(), b);
    EXPECT_EQ(arc->GetStartNode(), b);
    EXPECT_EQ(arc->GetEndNode(), c);
    EXPECT_EQ(arc->GetCenterNode(), a);
    EXPECT_EQ(arc->GetSection(), &section);
    EXPECT_EQ(undo.GetOpenStep()->items.size(), 2u);
    undo.Close();
}

} // namespace
