// Fillets of two lines, the half circle of two parallel lines and the
// fillet of two arcs: the trimmed elements, the arc, refusals that change
// nothing, the undo step.
#include "section/EditGeometry.h"
#include "section/SectionFixture.h"
#include "section/UndoTransaction.h"

#include "element/ElementTypes.h"

#include <algorithm>
#include <limits>

namespace {

using sectiontest::Ends;
using sectiontest::ExpectAt;
using sectiontest::ExpectLine;
using sectiontest::ExpectSmooth;
using Fillets = sectiontest::Drawing;

struct LineCase {
    const char* name;
    Ends first;
    Ends second;
    die::coord pick1;
    die::coord pick2;
    double radius;
    Ends first2; // the lines afterwards
    Ends second2;
    bool arc;
    die::coord centre;
    double arcRadius;
};

// The arc in the section, if there is one.
CArc* FindArc(const Section& section)
{
    for (CElement* e : section) {
        if (auto* arc = dynamic_cast<CArc*>(e))
            return arc;
    }
    return nullptr;
}

std::size_t ItemsOf(const UndoStep& step, int kind, UndoItem::Operation op)
{
    return static_cast<std::size_t>(std::count_if(step.items.begin(), step.items.end(), [&](const UndoItem& i) {
        return i.kind == kind && i.operation == op;
    }));
}

TEST_F(Fillets, TwoLinesAreTrimmedToTheTangentPointsOfTheArc)
{
    const double k = std::sqrt(0.5);
    const LineCase cases[] = {
        {"right angle, neither line vertical", {{-5, -5}, {20, 20}}, {{5, -5}, {-20, 20}}, {15, 15}, {-15, 15}, 10,
         {{10 * k, 10 * k}, {20, 20}}, {{-10 * k, 10 * k}, {-20, 20}}, true, {0, 20 * k}, 10},
        {"radius below 0.001 joins at the corner", {{-5, -5}, {20, 20}}, {{5, -5}, {-20, 20}}, {15, 15}, {-15, 15},
         0.0005, {{0, 0}, {20, 20}}, {{0, 0}, {-20, 20}}, false, {}, 0},
        {"lines short of the corner are extended", {{5, 5}, {20, 20}}, {{-5, 5}, {-20, 20}}, {15, 15}, {-15, 15}, 2,
         {{2 * k, 2 * k}, {20, 20}}, {{-2 * k, 2 * k}, {-20, 20}}, true, {0, 4 * k}, 2},
        {"obtuse corner, the second line keeps its start", {{0, 0}, {30, 0}}, {{-10, 10}, {0, 0}}, {25, 0}, {-8, 8},
         5, {{2.0711, 0}, {30, 0}}, {{-10, 10}, {-1.4645, 1.4645}}, true, {2.0711, 5}, 5},
        {"the same corner picked the other way round", {{-10, 10}, {0, 0}}, {{0, 0}, {30, 0}}, {-8, 8}, {25, 0}, 5,
         {{-10, 10}, {-1.4645, 1.4645}}, {{2.0711, 0}, {30, 0}}, true, {2.0711, 5}, 5},
        // A vertical line keeps its direction: the corner is the true one.
        {"vertical line meets a far line", {{0, 10}, {0, 11}}, {{5, -1000}, {100, -1000}}, {0, 10.5}, {50, -1000},
         0.0005, {{0, -1000}, {0, 11}}, {{0, -1000}, {100, -1000}}, false, {}, 0},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        CElement* a = s.AddLine3(c.first.start.x, c.first.start.y, c.first.end.x, c.first.end.y, true, 1).Get();
        CElement* b = s.AddLine3(c.second.start.x, c.second.start.y, c.second.end.x, c.second.end.y, true, 1).Get();
        ASSERT_TRUE(a && b);
        ASSERT_TRUE(s.DoFillet(a, b, c.pick1.x, c.pick1.y, c.pick2.x, c.pick2.y, c.radius, false));
        ExpectLine(s, 0, c.first2);
        ExpectLine(s, 1, c.second2);
        CArc* arc = FindArc(s);
        ASSERT_EQ(arc != nullptr, c.arc);
        if (!arc) {
            const auto* l1 = dynamic_cast<const CLine*>(s.GetElement(0));
            const auto* l2 = dynamic_cast<const CLine*>(s.GetElement(1));
            const int moved1 = c.first2.start == die::coord(c.first.start) ? l1->GetEndNode() : l1->GetStartNode();
            const int moved2 = c.second2.start == die::coord(c.second.start) ? l2->GetEndNode() : l2->GetStartNode();
            EXPECT_EQ(moved1, moved2); // one shared node at the corner
            continue;
        }
        ExpectAt(s.Point(arc->GetCenterNode()), c.centre, "arc centre");
        EXPECT_NEAR(arc->GetRadius(), c.arcRadius, 2e-3);
        ExpectSmooth(s, *s.GetElement(0), *arc, c.first2.start == c.first.start ? c.first2.end : c.first2.start);
        ExpectSmooth(s, *s.GetElement(1), *arc, c.second2.start == c.second.start ? c.second2.end : c.second2.start);
    }
}

TEST_F(Fillets, OneStepOfTwoReplacedLinesAndTheAddedArcThatUndoTakesBack)
{
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    ASSERT_TRUE(section.DoFillet(a, b, 15, 15, -15, 15, 10, true));
    const UndoStep* step = undo.NextUndo();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->title, 181);
    EXPECT_EQ(ItemsOf(*step, UndoItem::Element, UndoItem::Replaced), 2u);
    EXPECT_EQ(ItemsOf(*step, UndoItem::Element, UndoItem::Added), 1u);
    ASSERT_NE(FindArc(section), nullptr);
    EXPECT_EQ(FindArc(section)->GetNotInstanced(), 1);
    EXPECT_NE(section.GetElement(0), a); // a copy took the slot

    undo.Undo();
    EXPECT_EQ(section.GetElement(0), a);
    EXPECT_EQ(section.GetElement(1), b);
    EXPECT_EQ(FindArc(section), nullptr);
    ExpectLine(section, 0, {{-5, -5}, {20, 20}});
    ExpectLine(section, 1, {{5, -5}, {-20, 20}});
}

TEST_F(Fillets, WithATransactionPassedInTheItemsGoIntoTheCallersStep)
{
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    CLine* c = Line(30, 0, 40, 0);
    CLine* d = Line(30, 5, 40, 15);
    UndoTransaction tx(undo, 999, &section);
    ASSERT_TRUE(section.DoFilletAt(section.GetIdx(a), section.GetIdx(b), 15, 15, -15, 15, 2, false, &tx));
    ASSERT_TRUE(section.DoFillet(c, d, 38, 0, 38, 13, 1, false, &tx));
    ASSERT_NE(undo.GetOpenStep(), nullptr);
    EXPECT_EQ(undo.GetOpenStep()->title, 999);
    EXPECT_EQ(ItemsOf(*undo.GetOpenStep(), UndoItem::Element, UndoItem::Replaced), 4u);
    tx.commit();
    EXPECT_EQ(undo.GetUndoCount(), 1);
    undo.Undo();
    ExpectLine(section, 0, {{-5, -5}, {20, 20}});
    ExpectLine(section, 3, {{30, 5}, {40, 15}});
}

TEST_F(Fillets, RefusalsChangeNothing)
{
    NodeTable otherNodes;
    CUndoManager otherUndo(&otherNodes);
    Section other(&otherNodes, nullptr, &otherUndo);
    CLine* stranger = dynamic_cast<CLine*>(other.AddLine3(0, 0, 0, 30, true, 1).Get());
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    CArc* arc1 = Arc(50, 0, 40, 0, 60, 0);
    CArc* arc2 = Arc(50, 50, 40, 50, 60, 50);
    CElement* ellipse = section.AddEllipse3(0, 80, 20, 10, 0, true, 1).Get();
    CLine* flat = Line(0, 100, 10, 100);
    CLine* flatBeside = Line(20, 100, 30, 100); // on the same line: no gap
    CLine* upright = Line(0, 110, 0, 130);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        CElement* first;
        CElement* second;
        double radius;
    } cases[] = {
        {"radius 0", a, b, 0},
        {"negative radius", a, b, -1},
        {"radius not a number", a, b, nan},
        {"the same line twice", a, a, 5},
        // The tangent points would lie beyond the kept ends (28.3 from the corner).
        {"radius too large for the lines", a, b, 30},
        {"an ellipse", ellipse, a, 5},
        {"a line of another section", stranger, a, 5},
        {"no element", nullptr, a, 5},
        {"parallel lines without a gap", flat, flatBeside, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CElement*> before = Elements();
        const int nodesBefore = nodes.GetCount();
        EXPECT_FALSE(section.DoFillet(c.first, c.second, 15, 15, -15, 15, c.radius, false));
        EXPECT_EQ(Elements(), before);
        EXPECT_EQ(nodes.GetCount(), nodesBefore);
        EXPECT_EQ(undo.GetUndoCount(), 0);
    }
    // The perpendicular through the free end never meets a perpendicular line.
    EXPECT_FALSE(section.DoParallelFillet(flat, upright, 0, 100));
    EXPECT_FALSE(section.DoFilletAt(0, 99, 0, 0, 0, 0, 5, false));
    const die::coord pick(0, 0);
    EXPECT_FALSE(section.DoArcArcFillet(arc1, arc2, &pick, &pick, 5, false));
    EXPECT_EQ(undo.GetUndoCount(), 0);
}

TEST_F(Fillets, ParallelLinesAreClosedByAHalfCircleAtThePickedEnd)
{
    const struct {
        const char* name;
        Ends first;
        Ends second;
        die::coord pick;
        Ends first2;
        Ends second2;
        die::coord centre;
    } cases[] = {
        {"second line below", {{0, 0}, {10, 0}}, {{0, -8}, {10, -8}}, {1, 0}, {{4, 0}, {10, 0}}, {{4, -8}, {10, -8}},
         {4, -4}},
        {"second line above", {{0, 0}, {10, 0}}, {{0, 8}, {10, 8}}, {1, 0}, {{4, 0}, {10, 0}}, {{4, 8}, {10, 8}},
         {4, 4}},
        {"picked at the end", {{0, 0}, {10, 0}}, {{0, -8}, {10, -8}}, {9, 0}, {{0, 0}, {6, 0}}, {{0, -8}, {6, -8}},
         {6, -4}},
        {"free end away from the axis", {{5, 0}, {15, 0}}, {{5, -8}, {15, -8}}, {6, 0}, {{9, 0}, {15, 0}},
         {{9, -8}, {15, -8}}, {9, -4}},
        {"vertical lines of different lengths", {{0, 0}, {0, 10}}, {{8, 0}, {8, 20}}, {0, 1}, {{0, 4}, {0, 10}},
         {{8, 4}, {8, 20}}, {4, 4}},
        {"second line shorter and further on", {{0, 0}, {10, 0}}, {{6, -8}, {10, -8}}, {1, 0}, {{4, 0}, {10, 0}},
         {{4, -8}, {10, -8}}, {4, -4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        CElement* a = s.AddLine3(c.first.start.x, c.first.start.y, c.first.end.x, c.first.end.y, true, 1).Get();
        CElement* b = s.AddLine3(c.second.start.x, c.second.start.y, c.second.end.x, c.second.end.y, true, 1).Get();
        ASSERT_TRUE(a && b);
        // The radius plays no part.
        ASSERT_TRUE(s.DoFillet(a, b, c.pick.x, c.pick.y, 0, 0, 1, false));
        ExpectLine(s, 0, c.first2);
        ExpectLine(s, 1, c.second2);
        CArc* arc = FindArc(s);
        ASSERT_NE(arc, nullptr);
        ExpectAt(s.Point(arc->GetCenterNode()), c.centre, "centre");
        const bool firstStartMoved = !(c.first2.start == c.first.start);
        const bool secondStartMoved = !(c.second2.start == c.second.start);
        ExpectSmooth(s, *s.GetElement(0), *arc, firstStartMoved ? c.first2.start : c.first2.end);
        ExpectSmooth(s, *s.GetElement(1), *arc, secondStartMoved ? c.second2.start : c.second2.end);
        ASSERT_NE(undo2.NextUndo(), nullptr);
        EXPECT_EQ(undo2.NextUndo()->title, 182);
    }
}

struct ArcShape {
    die::coord centre;
    die::coord start; // the arc runs clockwise from its start to its end
    die::coord end;
};

CElement* AddArc(Section& section, const ArcShape& a)
{
    return section.AddArc3(a.centre.x, a.centre.y, a.start.x, a.start.y, a.end.x, a.end.y, true, 1).Get();
}

// Two arcs picked for a fillet.
struct ArcPair {
    const char* name;
    ArcShape first;
    ArcShape second;
    die::coord pick1;
    die::coord pick2;
    double radius;
};

// The two arcs in a drawing of their own.
struct ArcPairDrawing {
    explicit ArcPairDrawing(const ArcPair& pair) : a(AddArc(s, pair.first)), b(AddArc(s, pair.second)) {}

    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section s{&nodes, nullptr, &undo};
    CElement* a;
    CElement* b;
};

// Two arcs of radius 10 crossing at (7.5, 6.6144): the first from 60° to 0°
// about the origin, the second from 180° to 120° about (15, 0).
const ArcShape kRightOfOrigin{{0, 0}, {5, 8.6603}, {10, 0}};
const ArcShape kLeftOf15{{15, 0}, {5, 0}, {10, 8.6603}};

TEST_F(Fillets, TwoArcsAreTrimmedToTheTangentPointsOfTheFilletArc)
{
    const struct {
        ArcPair in;
        die::coord centre;
        die::coord t1; // tangent points
        die::coord t2;
        bool startMoves1;
        bool startMoves2;
    } cases[] = {
        // Once refused; the circle of radius 30 touches the first from
        // outside and holds the second.
        {{"two arcs", {{50, 0}, {40, 0}, {60, 0}}, {{50, 50}, {40, 50}, {60, 50}}, {15, 15}, {-15, 15}, 30},
         {65.1987, 37}, {53.7997, 9.25}, {42.4007, 56.5}, false, false},
        {{"meeting from outside", kRightOfOrigin, kLeftOf15, {5.7358, 8.1915}, {9.2642, 8.1915}, 2}, {7.5, 9.3675},
         {6.25, 7.8062}, {8.75, 7.8062}, false, true},
        {{"meeting inside each other", kRightOfOrigin, kLeftOf15, {9.3969, 3.4202}, {5.6031, 3.4202}, 2},
         {7.5, 2.7839}, {9.375, 3.4799}, {5.625, 3.4799}, true, false},
        {{"inside the larger arc, outside the smaller", {{0, 0}, {-20, 0}, {20, 0}}, {{15, 0}, {5, 0}, {25, 0}},
          {0, 20}, {10, 8.6603}, 2},
         {13.5, 11.9059}, {15, 13.2288}, {13.75, 9.9216}, false, false},
    };
    for (const bool swapped : {false, true}) {
        for (const auto& c : cases) {
            const ArcPair& in = c.in;
            SCOPED_TRACE(in.name);
            SCOPED_TRACE(swapped ? "second arc picked first" : "first arc picked first");
            ArcPairDrawing d(in);
            Section& s = d.s;
            CElement* a = d.a;
            CElement* b = d.b;
            ASSERT_TRUE(a && b);
            const bool made =
                swapped ? s.DoFillet(b, a, in.pick2.x, in.pick2.y, in.pick1.x, in.pick1.y, in.radius, false)
                        : s.DoFillet(a, b, in.pick1.x, in.pick1.y, in.pick2.x, in.pick2.y, in.radius, false);
            ASSERT_TRUE(made);
            const auto* fillet = dynamic_cast<const CArc*>(s.GetElement(2));
            ASSERT_NE(fillet, nullptr);
            ExpectAt(s.Point(fillet->GetCenterNode()), c.centre, "fillet centre");
            EXPECT_NEAR(die::distance(s.Point(fillet->GetCenterNode()), s.Point(fillet->GetStartNode())), in.radius,
                        2e-3);
            const struct {
                int slot;
                const ArcShape& was;
                die::coord t;
                bool startMoves;
            } arcs[] = {{0, in.first, c.t1, c.startMoves1}, {1, in.second, c.t2, c.startMoves2}};
            for (const auto& arc : arcs) {
                const auto* now = dynamic_cast<const CArc*>(s.GetElement(arc.slot));
                ASSERT_NE(now, nullptr);
                ExpectAt(s.Point(now->GetStartNode()), arc.startMoves ? arc.t : arc.was.start, "arc start");
                ExpectAt(s.Point(now->GetEndNode()), arc.startMoves ? arc.was.end : arc.t, "arc end");
                ExpectAt(s.Point(now->GetCenterNode()), arc.was.centre, "arc centre");
                ExpectSmooth(s, *now, *fillet, arc.t);
            }
            const UndoStep* step = d.undo.NextUndo();
            ASSERT_NE(step, nullptr);
            EXPECT_EQ(step->title, 181);
            EXPECT_EQ(ItemsOf(*step, UndoItem::Element, UndoItem::Replaced), 2u);
            EXPECT_EQ(ItemsOf(*step, UndoItem::Element, UndoItem::Added), 1u);
            d.undo.Undo();
            EXPECT_EQ(s.GetElement(0), a);
            EXPECT_EQ(s.GetElement(1), b);
            EXPECT_EQ(s.GetElement(2), nullptr);
        }
    }
}

TEST_F(Fillets, TwoArcsAreRefusedWithNothingChangedWhereNoFilletFits)
{
    const ArcPair cases[] = {
        // Every circle of radius 40 touches the circles off the arcs.
        {"radius too large", kRightOfOrigin, kLeftOf15, {5.7358, 8.1915}, {9.2642, 8.1915}, 40},
        // Short arcs on the far sides of circles that cross at (7.5, ±6.6).
        {"tangent point off a sweep", {{0, 0}, {-9.8481, -1.7365}, {-9.8481, 1.7365}},
         {{15, 0}, {24.8481, 1.7365}, {24.8481, -1.7365}}, {-10, 0}, {25, 0}, 2},
        {"concentric arcs", {{0, 0}, {-10, 0}, {10, 0}}, {{0, 0}, {-20, 0}, {20, 0}}, {0, 10}, {0, 20}, 2},
    };
    for (const ArcPair& c : cases) {
        SCOPED_TRACE(c.name);
        ArcPairDrawing d(c);
        ASSERT_TRUE(d.a && d.b);
        const int nodesBefore = d.nodes.GetCount();
        const int steps = d.undo.GetUndoCount();
        EXPECT_FALSE(d.s.DoFillet(d.a, d.b, c.pick1.x, c.pick1.y, c.pick2.x, c.pick2.y, c.radius, false));
        EXPECT_EQ(d.s.GetElement(0), d.a);
        EXPECT_EQ(d.s.GetElement(1), d.b);
        EXPECT_EQ(d.s.GetElement(2), nullptr);
        EXPECT_EQ(d.nodes.GetCount(), nodesBefore);
        EXPECT_EQ(d.undo.GetUndoCount(), steps);
    }
}

} // namespace
