#include "SectionFixture.h"

#include "display/DisplayList.h"
#include "element/Wood.h"
#include "section/SectionBoardLayout.h"
#include "section/SectionIntersections.h"

#include <algorithm>
#include <cmath>

namespace {

struct Segment {
    die::coord from;
    die::coord to;
};

class SectionWood : public sectiontest::Drawing {
protected:
    CWood* Board() { return dynamic_cast<CWood*>(section.AddWood(50, 80, 50, 13, 0).Get()); }

    // The board with no gaps and no knives, so that only the rules and the
    // frame remain.
    CWood* PlainBoard()
    {
        CWood* board = Board();
        board->Values().gapSpacing = 0.0;
        board->Values().knives = false;
        return board;
    }

    static std::vector<Segment> Lines(CWood& board, int lineType)
    {
        board.MarkDisplayDirty();
        board.RebuildContour();
        std::vector<Segment> lines;
        for (const DisplayFigure& f : board.GetDisplayList().Figures()) {
            if (f.kind == FigureKind::Line && f.lineType == lineType)
                lines.push_back({f.points[0], f.points[1]});
        }
        return lines;
    }

    // A closed rectangle of lines of line type 1.
    void Rectangle(double x1, double y1, double x2, double y2)
    {
        (void)Line(x1, y1, x2, y1);
        (void)Line(x2, y1, x2, y2);
        (void)Line(x2, y2, x1, y2);
        (void)Line(x1, y2, x1, y1);
    }
};

TEST_F(SectionWood, AddWoodReplacesTheBoardAndKeepsItsRecords)
{
    undo.Open(1, &section);
    CWood* first = Board();
    undo.Close();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRecords().size(), 10u);
    EXPECT_EQ(first->GetLineType(), 122);
    EXPECT_EQ(first->Values().gapSpacing, 150.0);
    EXPECT_EQ(first->Values().knifeSpacing, 20.0);
    EXPECT_EQ(first->GetLayout(), &section.GetBoardLayout());

    undo.Open(1, &section);
    CWood* second = dynamic_cast<CWood*>(section.AddWood(10, 20, 30, 40, 5).Get());
    undo.Close();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_EQ(second->Values().leftMargin, 10.0);
    EXPECT_EQ(second->Values().fillet, 5.0);
    // Replacing a board does not add ten more records.
    EXPECT_EQ(second->GetRecords().size(), 10u);

    undo.Undo();
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Elements()[0], first);
    EXPECT_TRUE(section.DelWood());
    EXPECT_TRUE(Elements().empty());
    EXPECT_FALSE(section.DelWood());
}

TEST_F(SectionWood, LayoutBoxCoversEveryInstance)
{
    (void)Line(0, 0, 100, 50);
    section.NewInstance(200.0, -10.0, 0.0);
    CWood* board = Board();
    EXPECT_EQ(board->GetElementsBorders(), (WoodBox{0.0, 50.0, 300.0, -10.0}));
    EXPECT_EQ(board->BoardBox(board->LayoutBox()), (WoodBox{-50.0, 130.0, 350.0, -23.0}));
    const SectionBorders widened = section.GetBorders(true, true, false);
    EXPECT_EQ(widened.left, -50.0);
    EXPECT_EQ(widened.top, 130.0);
    EXPECT_EQ(widened.right, 350.0);
    EXPECT_EQ(widened.bottom, -23.0);
    board->Values().absolute = true;
    board->Values().absoluteBox = {1, 2, 3, 4};
    EXPECT_EQ(board->LayoutBox(), (WoodBox{1, 2, 3, 4}));

    // Turned instances (about the origin): a quarter turn takes the line to
    // (0, 0)-(−50, 100), an eighth to (0, 0)-(35.36, 106.07).
    section.NewInstance(0.0, 0.0, 90.0);
    section.NewInstance(0.0, 0.0, 45.0);
    const WoodBox turned = board->GetElementsBorders();
    EXPECT_NEAR(turned.minX, -50.0, 1e-9);
    EXPECT_NEAR(turned.maxY, 150.0 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(turned.maxX, 300.0, 1e-9);
    EXPECT_NEAR(turned.minY, -10.0, 1e-9);
}

// After an edit the section recalculates its elements: the board then
// frames the layout where it stands now, not where it stood.
TEST_F(SectionWood, OutlineFollowsTheEditedLayout)
{
    Rectangle(0, 0, 100, 50);
    CWood* board = PlainBoard();
    board->RebuildContour();
    const BoundingBox before = board->GetDisplayList().GetBoundingBox();
    EXPECT_EQ(before.minX, -50.0);
    EXPECT_EQ(before.maxX, 150.0);

    NodeRemap remap;
    for (CElement* e : Elements()) {
        if (e->IsDieBoard())
            continue;
        e->SetSelection(1);
        e->Move(remap, 200.0, 30.0);
    }
    section.UpdateElements();
    board->RebuildContour();
    const BoundingBox after = board->GetDisplayList().GetBoundingBox();
    EXPECT_EQ(after.minX, before.minX + 200.0);
    EXPECT_EQ(after.maxX, before.maxX + 200.0);
    EXPECT_EQ(after.minY, before.minY + 30.0);
    EXPECT_EQ(after.maxY, before.maxY + 30.0);
}

TEST_F(SectionWood, CentredRulesEndAtTheLayout)
{
    Rectangle(0, 0, 100, 50);
    CWood* board = PlainBoard();
    board->Values().sides[WoodValues::SideTop] = {true, true, 0.0, 30.0, 10.0, 0};
    const std::vector<Segment> lines = Lines(*board, 124);
    // Four rules at 5, 35, 65 and 95, each from 10 above the layout down to
    // its top line, followed by its centred tick of ±4.
    ASSERT_EQ(lines.size(), 8u);
    const double xs[] = {5, 35, 65, 95};
    for (int i = 0; i < 4; ++i) {
        const Segment& rule = lines[static_cast<std::size_t>(2 * i)];
        const Segment& tick = lines[static_cast<std::size_t>(2 * i + 1)];
        EXPECT_NEAR(rule.from.x, xs[i], 1e-9);
        EXPECT_NEAR(rule.from.y, 60.0, 1e-9);
        EXPECT_NEAR(rule.to.x, xs[i], 1e-9);
        EXPECT_NEAR(rule.to.y, 50.0, 1e-9);
        EXPECT_NEAR(tick.from.x, xs[i] - 4.0, 1e-9);
        EXPECT_NEAR(tick.to.x, xs[i] + 4.0, 1e-9);
    }
}

TEST_F(SectionWood, SidesWithoutRules)
{
    Rectangle(0, 0, 100, 50);
    CWood* board = PlainBoard();
    // Step under 0.1, and a side shorter than start plus one step.
    for (const WoodSideRecord& side : {WoodSideRecord{true, false, 0.0, 0.05, 10.0, 0},
                                       WoodSideRecord{true, false, 80.0, 30.0, 10.0, 0}}) {
        board->Values().sides[WoodValues::SideTop] = side;
        EXPECT_TRUE(Lines(*board, 124).empty()) << side.start;
    }
}

TEST_F(SectionWood, SymmetricRulesStopInsideThePieces)
{
    // Two rules, at x = 20 and 80, from 10 above the layout through to 10
    // below it; counts per rule.
    const struct {
        std::vector<double> lineYs; // horizontal lines across x = 50
        std::size_t ruleLines;
    } cases[] = {
        {{0, 50}, 2},         // one piece: above it and below it
        {{0, 20, 30, 50}, 3}, // two pieces: also between them
        {{0, 25, 50}, 2},     // an odd count: the two outer parts only
    };
    for (const auto& c : cases) {
        NodeTable table;
        CUndoManager manager{&table};
        Section s{&table, nullptr, &manager};
        for (double y : c.lineYs)
            (void)s.AddLine3(0, y, 100, y, true, 1);
        auto* board = dynamic_cast<CWood*>(s.AddWood(50, 80, 50, 13, 0).Get());
        board->Values().gapSpacing = 0.0;
        board->Values().knives = false;
        board->Values().symmetric = true;
        board->Values().sides[WoodValues::SideTop] = {true, true, 0.0, 60.0, 10.0, 1};
        // Rule lines are vertical, the ticks horizontal.
        std::size_t rules = 0;
        std::size_t ticks = 0;
        for (const Segment& l : Lines(*board, 124))
            (l.from.x == l.to.x ? rules : ticks) += 1;
        EXPECT_EQ(rules, 2 * c.ruleLines) << c.lineYs.size();
        // A tick at each outer end.
        EXPECT_EQ(ticks, 2u * 2u) << c.lineYs.size();
    }
}

TEST_F(SectionWood, CrossingSet)
{
    (void)Line(0, 0, 100, 0);        // crossed at (50, 0)
    (void)Line(0, 10, 100, 10);      // crossed at (50, 10)
    (void)Line(50, 20, 50, 40);      // parallel to the probe: skipped
    (void)Line(50.4, 30, 70, 30);    // touched at its start by x = 50.4
    (void)Arc(50, 60, 60, 60, 60, 60); // full circle: (50, 50) and (50, 70)
    auto* other = Line(0, 5, 100, 5);
    other->SetLineType(2); // not a rule of line type 1
    SectionIntersections set(section);
    set.Collect(nullptr, {50, -5}, {50, 100}, false, -1);
    std::vector<double> ys;
    for (int i = 0; i < set.Count(); ++i)
        ys.push_back(set.At(i).y);
    std::sort(ys.begin(), ys.end());
    ASSERT_EQ(ys.size(), 4u);
    EXPECT_NEAR(ys[0], 0.0, 1e-9);
    EXPECT_NEAR(ys[1], 10.0, 1e-9);
    EXPECT_NEAR(ys[2], 50.0, 1e-9);
    EXPECT_NEAR(ys[3], 70.0, 1e-9);
    set.Collect(nullptr, {50.4, 25}, {50.4, 35}, false, -1);
    ASSERT_EQ(set.Count(), 1u);
    EXPECT_NEAR(set.At(0).x, 50.4, 1e-9);

    // Distances by whole millimetres: 0.4 and 0.9 away count as 0, the
    // lower index wins; a limit of 0 finds nothing.
    set.Collect(nullptr, {0, -5}, {0, 100}, false, -1);
    const int nearest = set.FindNearest(0.0, 9.2, 5.0, false);
    ASSERT_NE(nearest, -1);
    EXPECT_NEAR(set.At(nearest).y, 10.0, 1e-9);
    EXPECT_EQ(set.FindNearest(0.0, 9.2, 0.0, false), -1);
    // Second pass with one point in reach returns that point.
    EXPECT_EQ(set.FindNearest(0.0, 9.2, 5.0, true), nearest);
    EXPECT_NE(set.FindNearest(0.0, 5.0, 20.0, true), set.FindNearest(0.0, 5.0, 20.0, false));
}

} // namespace
