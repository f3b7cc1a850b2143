// Outlines: the rule at a distance beside a closed figure, its corners
// trimmed, united and rounded, its line type and its one undo step.
#include "section/EditGeometry.h"
#include "section/SectionFixture.h"

#include "section/SectionOutline.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Nodes hold micrometres truncated, and a corner is found from nodes that
// were found before: points within the node table's merge distance are one.
constexpr double kNodeTolerance = 0.003;

// The line type of the rules the tests make.
constexpr int kRule = 7;

struct Piece {
    bool arc = false;
    die::coord start;
    die::coord end;
    die::coord centre; // arcs only
    double radius = 0.0;
};

struct Corner {
    double x;
    double y;
};

// Nodes hold whole micrometres, so where a line meets an arc as its
// tangent the meeting point is found only to about the square root of that
// along the line.
constexpr double kTangentTolerance = 0.2;

bool Near(const die::coord& a, const die::coord& b, double tolerance = kNodeTolerance)
{
    return die::distance(a, b) < tolerance;
}

class Outline : public sectiontest::Drawing {
protected:
    // A closed polygon of lines through the corners, selected.
    void Polygon(const std::vector<Corner>& corners)
    {
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Corner& a = corners[i];
            const Corner& b = corners[(i + 1) % corners.size()];
            Line(a.x, a.y, b.x, b.y);
        }
        section.SelectElements(1);
    }
    double Offset(double distance, double fillet = 0.0, bool resolve = false)
    {
        return section.DoOutline(distance, -1, kRule, fillet, resolve, true, false, OutlineClipWindow{});
    }
    // The elements of the rule's line type.
    std::vector<Piece> Rule() const
    {
        std::vector<Piece> pieces;
        for (CElement* e : section) {
            if (e->GetLineType() != kRule)
                continue;
            if (const auto* line = dynamic_cast<const CLine*>(e)) {
                pieces.push_back({false, At(line->GetStartNode()), At(line->GetEndNode()), {}, 0.0});
            } else if (const auto* arc = dynamic_cast<const CArc*>(e)) {
                const die::coord c = At(arc->GetCenterNode());
                const die::coord s = At(arc->GetStartNode());
                pieces.push_back({true, s, At(arc->GetEndNode()), c, die::distance(c, s)});
            } else {
                ADD_FAILURE() << "neither a line nor an arc";
            }
        }
        return pieces;
    }
    std::vector<Piece> Lines() const { return Only(false); }
    std::vector<Piece> Arcs() const { return Only(true); }
    std::vector<Piece> Only(bool arcs) const
    {
        std::vector<Piece> kept;
        for (const Piece& p : Rule()) {
            if (p.arc == arcs)
                kept.push_back(p);
        }
        return kept;
    }
    // The rule's lines are exactly these.
    void ExpectLines(const std::vector<std::pair<Corner, Corner>>& expected,
                     double tolerance = kNodeTolerance) const
    {
        const std::vector<Piece> lines = Lines();
        ASSERT_EQ(lines.size(), expected.size());
        for (const auto& [from, to] : expected) {
            const die::coord a{from.x, from.y};
            const die::coord b{to.x, to.y};
            int found = 0;
            for (const Piece& p : lines)
                found += (Near(p.start, a, tolerance) && Near(p.end, b, tolerance))
                         || (Near(p.start, b, tolerance) && Near(p.end, a, tolerance));
            EXPECT_EQ(found, 1) << "line from (" << a.x << ", " << a.y << ") to (" << b.x << ", " << b.y << ")";
        }
    }
    // The rule's lines are exactly the sides of the closed polygon.
    void ExpectPolygon(const std::vector<Corner>& corners) const
    {
        std::vector<std::pair<Corner, Corner>> sides;
        for (std::size_t i = 0; i < corners.size(); ++i)
            sides.emplace_back(corners[i], corners[(i + 1) % corners.size()]);
        ExpectLines(sides);
    }
    // Every end of the rule meets exactly one other end: the rule is closed.
    void ExpectClosed() const
    {
        std::vector<die::coord> ends;
        for (const Piece& p : Rule()) {
            ends.push_back(p.start);
            ends.push_back(p.end);
        }
        for (const die::coord& e : ends) {
            int meeting = 0;
            for (const die::coord& o : ends)
                meeting += Near(e, o);
            EXPECT_EQ(meeting, 2) << "end at (" << e.x << ", " << e.y << ")";
        }
    }
    // An arc whose ends meet its neighbours as their tangent.
    static void ExpectArc(const Piece& arc, die::coord centre, double radius, die::coord start, die::coord end)
    {
        EXPECT_TRUE(Near(arc.centre, centre)) << arc.centre.x << ", " << arc.centre.y;
        EXPECT_NEAR(arc.radius, radius, kNodeTolerance);
        EXPECT_TRUE(Near(arc.start, start, kTangentTolerance)) << arc.start.x << ", " << arc.start.y;
        EXPECT_TRUE(Near(arc.end, end, kTangentTolerance)) << arc.end.x << ", " << arc.end.y;
    }
    int ElementCount() const { return static_cast<int>(Elements().size()); }
};

struct PolygonCase {
    const char* name;
    std::vector<Corner> figure;
    double distance;
    std::vector<Corner> rule;
};

class OutlinePolygons : public Outline, public ::testing::WithParamInterface<PolygonCase> {};

TEST_P(OutlinePolygons, TheRuleRunsAtTheDistanceWithTrimmedCorners)
{
    const PolygonCase& c = GetParam();
    Polygon(c.figure);
    EXPECT_EQ(Offset(c.distance), 0.0);
    ExpectPolygon(c.rule);
    EXPECT_TRUE(Arcs().empty());
    ExpectClosed();
}

const std::vector<Corner> kRectangle{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
const std::vector<Corner> kL{{0, 0}, {60, 0}, {60, 20}, {20, 20}, {20, 60}, {0, 60}};

INSTANTIATE_TEST_SUITE_P(
    Shapes, OutlinePolygons,
    ::testing::Values(PolygonCase{"RectangleInside", kRectangle, 5, {{5, 5}, {95, 5}, {95, 45}, {5, 45}}},
                      PolygonCase{"RectangleOutside", kRectangle, -5, {{-5, -5}, {105, -5}, {105, 55}, {-5, 55}}},
                      PolygonCase{"LInside", kL, 5, {{5, 5}, {55, 5}, {55, 15}, {15, 15}, {15, 55}, {5, 55}}},
                      PolygonCase{"LOutside", kL, -5, {{-5, -5}, {65, -5}, {65, 25}, {25, 25}, {25, 65}, {-5, 65}}},
                      // Sides in line stay two lines that meet end to end.
                      PolygonCase{"SidesInLine",
                                  {{0, 0}, {50, 0}, {100, 0}, {100, 50}, {50, 50}, {0, 50}},
                                  5,
                                  {{5, 5}, {50, 5}, {95, 5}, {95, 45}, {50, 45}, {5, 45}}}),
    [](const ::testing::TestParamInfo<PolygonCase>& shape) { return std::string(shape.param.name); });

TEST_F(Outline, TwoRectanglesSharingASideGetOneRuleRoundBoth)
{
    Polygon(kRectangle);
    Line(50, 0, 50, 50);
    section.SelectElements(1);
    EXPECT_EQ(Offset(5), 0.0);
    ExpectPolygon({{-5, -5}, {50, -5}, {105, -5}, {105, 55}, {50, 55}, {-5, 55}});
    ExpectClosed();
}

// A rectangle whose upper right corner is rounded by radius 10.
class RoundCorner : public Outline {
protected:
    void SetUp() override
    {
        Line(0, 0, 100, 0);
        Line(100, 0, 100, 40);
        Arc(90, 40, 90, 50, 100, 40);
        Line(90, 50, 0, 50);
        Line(0, 50, 0, 0);
        section.SelectElements(1);
    }
};

TEST_F(RoundCorner, OutsideTheCornerArcGrows)
{
    EXPECT_EQ(Offset(-5), 0.0);
    ExpectLines({{{105, 40}, {105, -5}}, {{105, -5}, {-5, -5}}, {{-5, -5}, {-5, 55}}, {{-5, 55}, {90, 55}}},
                kTangentTolerance);
    ASSERT_EQ(Arcs().size(), 1u);
    ExpectArc(Arcs()[0], {90, 40}, 15, {90, 55}, {105, 40});
}

TEST_F(RoundCorner, InsideTheCornerArcShrinks)
{
    EXPECT_EQ(Offset(5), 0.0);
    ExpectLines({{{95, 40}, {95, 5}}, {{95, 5}, {5, 5}}, {{5, 5}, {5, 45}}, {{5, 45}, {90, 45}}},
                kTangentTolerance);
    ASSERT_EQ(Arcs().size(), 1u);
    ExpectArc(Arcs()[0], {90, 40}, 5, {90, 45}, {95, 40});
}

TEST_F(RoundCorner, AnArcWhoseRadiusVanishesLeavesASharpCorner)
{
    EXPECT_EQ(Offset(10), 0.0);
    ExpectPolygon({{10, 10}, {90, 10}, {90, 40}, {10, 40}});
    EXPECT_TRUE(Arcs().empty());
}

// A figure whose right side is a half circle about (80, 25).
class ArcSide : public Outline {
protected:
    void SetUp() override
    {
        Line(0, 0, 80, 0);
        Arc(80, 25, 80, 50, 80, 0);
        Line(80, 50, 0, 50);
        Line(0, 50, 0, 0);
        section.SelectElements(1);
    }
};

TEST_F(ArcSide, TheArcSideIsOneConcentricArc)
{
    struct Case {
        double distance;
        double radius;
        double low; // the rule's lower and upper side and its left side
        double high;
        double left;
    };
    for (const Case& c : {Case{-5, 30, -5, 55, -5}, Case{5, 20, 5, 45, 5}}) {
        SCOPED_TRACE(c.distance);
        ASSERT_EQ(Offset(c.distance), 0.0);
        ASSERT_EQ(Arcs().size(), 1u);
        ExpectArc(Arcs()[0], {80, 25}, c.radius, {80, c.high}, {80, c.low});
        ExpectLines({{{80, c.low}, {c.left, c.low}}, {{c.left, c.low}, {c.left, c.high}},
                     {{c.left, c.high}, {80, c.high}}},
                    kTangentTolerance);
        ExpectClosed();
        undo.Undo();
    }
}

TEST_F(Outline, AWholeCircleGrowsOutsideAndShrinksInside)
{
    Arc(0, 0, 10, 0, 10, 0);
    section.SelectElements(1);
    for (const auto& [distance, radius] : {std::pair(5.0, 5.0), std::pair(-5.0, 15.0)}) {
        SCOPED_TRACE(distance);
        ASSERT_EQ(Offset(distance), 0.0);
        ASSERT_EQ(Arcs().size(), 1u);
        EXPECT_NEAR(Arcs()[0].radius, radius, kNodeTolerance);
        EXPECT_TRUE(Near(Arcs()[0].start, Arcs()[0].end)) << "a whole circle";
        undo.Undo();
    }
}

TEST_F(Outline, CornersWithLongEnoughSidesAreRoundedInTheRuleLineType)
{
    // The rule round a 100 x 10 rectangle at 1 outside is 102 x 12.
    struct Case {
        double radius;
        std::size_t arcs;
    };
    Polygon({{0, 0}, {100, 0}, {100, 10}, {0, 10}});
    for (const Case& c : {Case{5, 4}, Case{7, 0}}) {
        SCOPED_TRACE(c.radius);
        ASSERT_EQ(Offset(-1, c.radius), 0.0);
        const std::vector<Piece> arcs = Arcs();
        ASSERT_EQ(arcs.size(), c.arcs);
        for (const Piece& arc : arcs)
            EXPECT_NEAR(arc.radius, c.radius, kNodeTolerance);
        ExpectClosed();
        undo.Undo();
    }
}

TEST_F(Outline, FilletedCornersSitInTheCorners)
{
    Polygon(kRectangle);
    ASSERT_EQ(Offset(5, 2), 0.0);
    const std::vector<Piece> arcs = Arcs();
    ASSERT_EQ(arcs.size(), 4u);
    for (const die::coord centre : {die::coord{7, 7}, die::coord{93, 7}, die::coord{93, 43}, die::coord{7, 43}}) {
        int found = 0;
        for (const Piece& arc : arcs)
            found += Near(arc.centre, centre) && std::abs(arc.radius - 2) < kNodeTolerance;
        EXPECT_EQ(found, 1) << centre.x << ", " << centre.y;
    }
    ExpectLines({{{7, 5}, {93, 5}}, {{95, 7}, {95, 43}}, {{93, 45}, {7, 45}}, {{5, 43}, {5, 7}}});
    ExpectClosed();
}

// A lens of two arcs of radius 50 about (0, ∓30), meeting at (±40, 0): 5
// outside, the offset arcs (radius 55) meet at (±46.10, 0), and a fillet of
// radius 3 inside both circles rounds each corner.
TEST_F(Outline, CornersWhereTwoOffsetArcsMeetAreRounded)
{
    Arc(0, -30, -40, 0, 40, 0);
    Arc(0, 30, 40, 0, -40, 0);
    section.SelectElements(1);
    ASSERT_EQ(Offset(-5, 3), 0.0);
    const std::vector<Piece> arcs = Arcs();
    ASSERT_EQ(arcs.size(), 4u);
    EXPECT_TRUE(Lines().empty());
    const double x = std::sqrt(52.0 * 52.0 - 30.0 * 30.0);
    const struct {
        die::coord centre;
        double radius;
    } expected[] = {{{0, -30}, 55}, {{0, 30}, 55}, {{x, 0}, 3}, {{-x, 0}, 3}};
    for (const auto& e : expected) {
        int found = 0;
        for (const Piece& arc : arcs)
            found += Near(arc.centre, e.centre) && std::abs(arc.radius - e.radius) < kNodeTolerance;
        EXPECT_EQ(found, 1) << e.centre.x << ", " << e.centre.y;
    }
    ExpectClosed();
    undo.Undo();
    EXPECT_TRUE(Rule().empty()) << "the fillets went in the outline's step";
}

TEST_F(Outline, OneUndoStepTakesTheWholeRule)
{
    Polygon(kRectangle);
    const int steps = undo.GetUndoCount();
    ASSERT_EQ(Offset(5, 2), 0.0);
    EXPECT_EQ(undo.GetUndoCount(), steps + 1);
    EXPECT_FALSE(undo.HasOpenStep()); // the whole build committed, nothing left open
    undo.Undo();
    EXPECT_TRUE(Rule().empty());
    EXPECT_EQ(ElementCount(), 4);
}

TEST_F(Outline, NothingToOutlineChangesNothing)
{
    Polygon(kRectangle);
    const int steps = undo.GetUndoCount();
    // Without create: there is something to outline, nothing is made.
    EXPECT_EQ(section.DoOutline(5, -1, kRule, 0, false, false, false, OutlineClipWindow{}), 0.0);
    // No element of the filter's line type.
    EXPECT_EQ(section.DoOutline(5, 2, kRule, 0, false, true, false, OutlineClipWindow{}), -1.0);
    // Nothing selected.
    section.SelectElements(0);
    EXPECT_EQ(Offset(5), -1.0);
    // An open figure has no contour.
    CLine* open = Line(200, 0, 300, 0);
    open->SetSelection(1);
    EXPECT_EQ(Offset(5), -1.0);
    EXPECT_EQ(undo.GetUndoCount(), steps);
    EXPECT_EQ(ElementCount(), 5);
}

TEST_F(Outline, AClickedContourIsOutlinedInsideForAPositiveDistance)
{
    Polygon(kRectangle);
    Polygon({{20, 10}, {40, 10}, {40, 30}, {20, 30}});
    section.SelectElements(0);
    EXPECT_EQ(section.DoOutlineByPoint(2, -1, kRule, 0, false, true, false, 30, 20), 0.0);
    ExpectPolygon({{22, 12}, {38, 12}, {38, 28}, {22, 28}});
    undo.Undo();
    EXPECT_EQ(section.DoOutlineByPoint(-2, -1, kRule, 0, false, true, false, 30, 20), 0.0);
    ExpectPolygon({{18, 8}, {42, 8}, {42, 32}, {18, 32}});
    undo.Undo();
    EXPECT_EQ(section.DoOutlineByPoint(2, -1, kRule, 0, false, true, false, 300, 20), -1.0);
}

// A rectangle with a deep narrow slot from the top: at 5 inside, the
// slot's bottom comes out below the rule along the figure's bottom, whose
// offset crosses both walls' offsets.
TEST_F(Outline, AResolvedCrossingCutsTheRuleWithoutLosingOrDoublingAnything)
{
    const auto length = [&] {
        double sum = 0.0;
        for (const Piece& p : Rule())
            sum += die::distance(p.start, p.end);
        return sum;
    };
    Polygon({{0, 0}, {100, 0}, {100, 50}, {54, 50}, {54, 8}, {46, 8}, {46, 50}, {0, 50}});
    ASSERT_EQ(Offset(5), 0.0);
    const double crossing = length();
    const std::size_t pieces = Rule().size();
    undo.Undo();
    ASSERT_EQ(Offset(5, 0, true), 0.0);
    // The bottom and the right wall are cut where they cross: both parts
    // of each stay, meeting at the crossing.
    EXPECT_NEAR(length(), crossing, 0.01);
    EXPECT_EQ(Rule().size(), pieces + 2);
    const std::vector<Piece> rule = Rule();
    int atCrossing = 0;
    for (const Piece& p : rule)
        atCrossing += Near(p.start, {59, 5}) + Near(p.end, {59, 5});
    EXPECT_EQ(atCrossing, 4);
    for (std::size_t i = 0; i < rule.size(); ++i) {
        for (std::size_t j = i + 1; j < rule.size(); ++j) {
            const bool same = (Near(rule[i].start, rule[j].start) && Near(rule[i].end, rule[j].end))
                              || (Near(rule[i].start, rule[j].end) && Near(rule[i].end, rule[j].start));
            EXPECT_FALSE(same) << "two elements on one track";
        }
    }
}

TEST_F(Outline, OverPlacementsTheRuleIsPlacedAndNotInstanced)
{
    Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    section.NewInstance(20, 0, 0);
    // The rightmost contour is the placed copy's; a box selection's window
    // round the first copy leaves the other out.
    OutlineClipWindow firstCopy;
    firstCopy.box = {-1, -1, 11, 11, false};
    firstCopy.valid = true;
    struct Case {
        OutlineClipWindow window;
        std::vector<Corner> rule;
    };
    for (const Case& c : {Case{OutlineClipWindow{}, {{19, -1}, {31, -1}, {31, 11}, {19, 11}}},
                          Case{firstCopy, {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}}}}) {
        SCOPED_TRACE(c.window.valid);
        ASSERT_EQ(section.DoOutline(-1, -1, kRule, 0, false, true, true, c.window), 0.0);
        ExpectPolygon(c.rule);
        for (CElement* e : section)
            EXPECT_EQ(e->GetNotInstanced(), e->GetLineType() == kRule ? 1 : 0);
        undo.Undo();
    }
}

} // namespace
