// Copies of elements: one element under a placement, the in-place copies of
// the modify commands, and the node re-pointing every class takes part in.
#include "section/SectionFixture.h"

#include "element/BobstAsm.h"
#include "element/Cuir.h"
#include "element/Ellipse.h"
#include "element/Holder.h"
#include "element/Measure.h"
#include "element/SideSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "platform/Prompt.h"

#include <QByteArray>

namespace {

// The node indices of an element, in the order of its fields.
std::vector<int> NodesOf(const CElement& e)
{
    if (const auto* l = dynamic_cast<const CLine*>(&e))
        return {l->GetStartNode(), l->GetEndNode()};
    if (const auto* a = dynamic_cast<const CArc*>(&e))
        return {a->GetCenterNode(), a->GetStartNode(), a->GetEndNode()};
    if (const auto* el = dynamic_cast<const CEllipse*>(&e))
        return {el->GetCentreNode(), el->GetStartNode(), el->GetEndNode(), el->GetMajorNode(), el->GetMinorNode()};
    if (const auto* t = dynamic_cast<const CText*>(&e))
        return {t->GetHeightNode(), t->GetBaseNode(), t->GetEndNode()};
    if (const auto* m = dynamic_cast<const CMeasure*>(&e))
        return {m->GetP1(), m->GetP2(), m->GetLinePoint()};
    if (const auto* s = dynamic_cast<const CSpline*>(&e))
        return {s->GetNodes().begin(), s->GetNodes().end()};
    if (const auto* n = dynamic_cast<const CNodeSymbol*>(&e))
        return {n->GetNode()};
    return {};
}

class SectionDuplicate : public sectiontest::Drawing {
protected:
    std::vector<die::coord> PointsOf(const CElement& e) const
    {
        std::vector<die::coord> points;
        for (int n : NodesOf(e))
            points.push_back(At(n));
        return points;
    }
    // One element of every class that has a copy, each of line type 7.
    std::vector<CElement*> OneOfEach()
    {
        BobstAsmParams params;
        params.SetPreset1();
        std::vector<ElementIterator> made{
            section.AddLine3(10, 10, 30, 10, true, 7),
            section.AddArc3(50, 50, 60, 50, 50, 60, true, 7),
            section.AddEllipse3(100, 20, 20, 10, 30, true, 7),
            section.AddText3(0, 40, 0, 30, 20, 30, QStringLiteral("Ab"), platform::LogFont{}, 0, 1401, true, 7),
            section.AddMeasureXY(1201, 15, 70, 10, 60, 40, 60, -1, -1, true),
            section.AddSpline1(0, 100, 10, 110, 20, 100, true, 7),
            section.AddCuirAt(70, 10, 30, 1, 10, true),
            section.AddBobstAt(80, 80, params, true),
            section.AddHolder(90, 10, true, 90, 20, true),
            section.AddSeperatingRule(120, 10, true, true),
            section.AddStripperWood(140, 10, true, true),
        };
        std::vector<CElement*> list;
        for (const ElementIterator& it : made) {
            EXPECT_TRUE(it.NotEqual(section.end()));
            list.push_back(it.Get());
            list.back()->SetLineType(7);
        }
        return list;
    }
    int NodesInUse() const
    {
        int count = 0;
        for (int i = 0; i < nodes.GetCount(); ++i)
            count += nodes.GetNode(i) != nullptr ? 1 : 0;
        return count;
    }
};

TEST_F(SectionDuplicate, EveryClassIsCopiedWithItsValuesAndItsPointsMoved)
{
    const std::vector<CElement*> sources = OneOfEach();
    Section other(&nodes, nullptr, &undo);
    CInstance shift;
    shift.dx = 5;
    shift.dy = -3;
    for (CElement* source : sources) {
        SCOPED_TRACE(source->GetTypeId());
        const ElementIterator copy = other.AddDuplicated(*source, shift, section, true);
        ASSERT_TRUE(copy.NotEqual(other.end()));
        CElement* made = copy.Get();
        EXPECT_EQ(made->GetTypeId(), source->GetTypeId());
        EXPECT_EQ(made->GetLineType(), 7);
        EXPECT_EQ(made->GetSection(), &other);
        const std::vector<die::coord> from = PointsOf(*source);
        const std::vector<die::coord> to = PointsOf(*made);
        ASSERT_EQ(to.size(), from.size());
        for (std::size_t i = 0; i < from.size(); ++i) {
            EXPECT_NEAR(to[i].x, from[i].x + 5, 1e-3) << "point " << i;
            EXPECT_NEAR(to[i].y, from[i].y - 3, 1e-3) << "point " << i;
        }
    }
    EXPECT_EQ(dynamic_cast<CText*>(other.GetElement(3))->GetText(), QStringLiteral("Ab"));
    EXPECT_EQ(dynamic_cast<CHolder*>(other.GetElement(8))->GetLength(),
              dynamic_cast<CHolder*>(sources[8])->GetLength());
}

// A placement turned by 90° about the source section's centre, then moved:
// the section holds (10, 0)–(30, 0), so with the origin the centre is
// (15, 0).
TEST_F(SectionDuplicate, TurnedPlacementTurnsAboutTheSourceSectionsCentre)
{
    CLine* source = Line(10, 0, 30, 0);
    ASSERT_NE(source, nullptr);
    CInstance turn;
    turn.angle = 90;
    turn.dx = 10;
    turn.centreX = 500; // the placement's own centre is not used here
    auto* copy = dynamic_cast<CLine*>(section.AddDuplicated(*source, turn, section, true).Get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NEAR(At(copy->GetStartNode()).x, 25, 1e-3);
    EXPECT_NEAR(At(copy->GetStartNode()).y, -5, 1e-3);
    EXPECT_NEAR(At(copy->GetEndNode()).x, 25, 1e-3);
    EXPECT_NEAR(At(copy->GetEndNode()).y, 15, 1e-3);
}

TEST_F(SectionDuplicate, CopyUnderTheFirstPlacementSharesTheLinesNodes)
{
    CLine* source = Line(10, 0, 30, 0);
    ASSERT_NE(source, nullptr);
    auto* copy = dynamic_cast<CLine*>(section.AddDuplicated(*source, section.GetInstance(0), section, false).Get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    EXPECT_EQ(copy->GetStartNode(), source->GetStartNode()) << "lines always merge";
    EXPECT_EQ(copy->GetEndNode(), source->GetEndNode());
    EXPECT_FALSE(copy->IsSelected());
}

TEST_F(SectionDuplicate, DieBoardAndHolePatternsAreNotCopiedAndNothingIsAsked)
{
    platform::ScriptedPrompt prompt;
    auto guard = platform::installPrompt(prompt);
    const ElementIterator board = section.AddWood(50, 80, 50, 13, 0);
    const ElementIterator martin = section.AddMartinHole(10, 10, 3, 2, true);
    ASSERT_TRUE(board.NotEqual(section.end()) && martin.NotEqual(section.end()));
    for (const ElementIterator& it : {board, martin})
        EXPECT_FALSE(section.AddDuplicated(*it.Get(), CInstance(true), section, true).NotEqual(section.end()));
    EXPECT_EQ(Elements().size(), 2U);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

// A spline whose placed point cannot be a node is not made at all (a spline
// with a node missing would be another curve).
TEST_F(SectionDuplicate, SplineWithAPointOutOfRangeIsNotCopied)
{
    const ElementIterator spline = section.AddSpline1(0, 0, 10, 10, 20, 0, true, 1);
    ASSERT_TRUE(spline.NotEqual(section.end()));
    CInstance far;
    far.dx = 2147483.0 - 15; // only the third point falls outside the node range
    const int inUse = NodesInUse();
    EXPECT_FALSE(section.AddDuplicated(*spline.Get(), far, section, true).NotEqual(section.end()));
    EXPECT_EQ(Elements().size(), 1U);
    EXPECT_EQ(NodesInUse(), inUse) << "no node is left behind";
}

// The modify commands' copy: the selected elements get unselected copies in
// place; lines keep their nodes, the other classes get coincident ones.
TEST_F(SectionDuplicate, DuplicateAllCopiesTheSelectionInPlaceUnselected)
{
    CLine* line = Line(10, 0, 30, 0);
    const ElementIterator ellipse = section.AddEllipse3(100, 20, 20, 10, 0, true, 1);
    CLine* other = Line(0, 50, 10, 50);
    ASSERT_TRUE(line && other && ellipse.NotEqual(section.end()));
    line->SetSelection(1);
    ellipse.Get()->SetSelection(1);
    section.DuplicateAll(true);
    const std::vector<CElement*> all = Elements();
    ASSERT_EQ(all.size(), 5U);
    EXPECT_TRUE(all[0]->IsSelected());
    EXPECT_TRUE(all[1]->IsSelected());
    EXPECT_FALSE(all[2]->IsSelected());
    for (CElement* copy : {all[3], all[4]})
        EXPECT_FALSE(copy->IsSelected());
    EXPECT_EQ(NodesOf(*all[3]), NodesOf(*line));
    const std::vector<int> ellipseNodes = NodesOf(*all[1]);
    const std::vector<int> copyNodes = NodesOf(*all[4]);
    ASSERT_EQ(copyNodes.size(), ellipseNodes.size());
    for (std::size_t i = 0; i < copyNodes.size(); ++i) {
        EXPECT_NE(copyNodes[i], ellipseNodes[i]) << "merge off for the ellipse";
        EXPECT_EQ(At(copyNodes[i]), At(ellipseNodes[i]));
    }
}

// Copying every element visits only the elements there at the start: the
// copies it adds are not copied again (the walk would never end).
TEST_F(SectionDuplicate, DuplicateAllOfEveryElementCopiesEachOnce)
{
    ASSERT_NE(Line(10, 0, 30, 0), nullptr);
    ASSERT_NE(Line(0, 50, 10, 50), nullptr);
    section.DuplicateAll(false);
    EXPECT_EQ(Elements().size(), 4U);
    section.DuplicateAll(false);
    EXPECT_EQ(Elements().size(), 8U);
}

// Node re-pointing reaches every node field of every class.
TEST_F(SectionDuplicate, ReplaceNodeRepointsEveryClass)
{
    const std::vector<CElement*> all = OneOfEach();
    const int target = nodes.AddPoint(999, 999, false);
    ASSERT_GE(target, 0);
    for (bool recording : {false, true}) {
        SCOPED_TRACE(recording);
        for (int slot = 0; slot < section.GetSlotsInUse(); ++slot) {
            CElement* e = section.GetElement(slot);
            const int from = NodesOf(*e).front();
            if (recording)
                undo.Open(1);
            section.ReplaceNode(from, target, false);
            if (recording)
                undo.Close();
            EXPECT_EQ(NodesOf(*section.GetElement(slot)).front(), target) << "type " << e->GetTypeId();
            if (recording) {
                undo.Undo();
                EXPECT_EQ(NodesOf(*section.GetElement(slot)).front(), from);
            } else {
                section.ReplaceNode(target, from, false);
            }
        }
    }
}

} // namespace
