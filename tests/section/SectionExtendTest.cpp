// Extend (a line onto a boundary) and intersection (two elements trimmed or
// extended to their crossing).
#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

#include "element/Ellipse.h"
#include "element/Spline.h"

#include <cmath>
#include <functional>

namespace {


// Nodes hold whole micrometres (cut off towards zero).
void ExpectAt(const die::coord& a, const die::coord& b, const char* what)
{
    EXPECT_NEAR(a.x, b.x, 1.5e-3) << what;
    EXPECT_NEAR(a.y, b.y, 1.5e-3) << what;
}

// One drawing per case of a table.
struct Sheet {
    CLine* Line(double x1, double y1, double x2, double y2)
    {
        return dynamic_cast<CLine*>(section.AddLine3(x1, y1, x2, y2, true, 1).Get());
    }
    CArc* Arc(double cx, double cy, double sx, double sy, double ex, double ey)
    {
        return dynamic_cast<CArc*>(section.AddArc3(cx, cy, sx, sy, ex, ey, true, 1).Get());
    }
    CEllipse* Ellipse(double cx, double cy, double a, double b)
    {
        return dynamic_cast<CEllipse*>(section.AddEllipse3(cx, cy, a, b, 0, true, 1).Get());
    }
    die::coord At(int node) const { return section.Point(node); }
    CLine* LineAt(int slot) const { return dynamic_cast<CLine*>(section.GetElement(slot)); }
    die::coord Start(int slot) const { return At(LineAt(slot)->GetStartNode()); }
    die::coord End(int slot) const { return At(LineAt(slot)->GetEndNode()); }
    int NodesInUse() const
    {
        int n = 0;
        for (int i = 0; i < nodes.GetCount(); ++i)
            n += nodes.GetNode(i) != nullptr && nodes.GetNode(i)->IsInUse();
        return n;
    }
    // The ends of the line, arc or ellipse in the slot, with their nodes.
    struct Ends {
        die::coord start, end;
        int startNode, endNode;
    };
    Ends EndsAt(int slot) const
    {
        CElement* e = section.GetElement(slot);
        if (auto* l = dynamic_cast<CLine*>(e))
            return {At(l->GetStartNode()), At(l->GetEndNode()), l->GetStartNode(), l->GetEndNode()};
        if (auto* a = dynamic_cast<CArc*>(e))
            return {At(a->GetStartNode()), At(a->GetEndNode()), a->GetStartNode(), a->GetEndNode()};
        auto* el = dynamic_cast<CEllipse*>(e);
        return {At(el->GetStartNode()), At(el->GetEndNode()), el->GetStartNode(), el->GetEndNode()};
    }

    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};
};

class Extend : public ::testing::Test, public Sheet {};
using Intersection = Extend;

// The line to extend sits in slot 0, the boundary in slot 1.
TEST_F(Extend, TheEndNearerThePickMovesOntoTheBoundary)
{
    struct Case {
        const char* what;
        die::coord s, e;                             // the line
        std::function<CElement*(Sheet&)> boundary;
        die::coord pick;
        die::coord start, end;                       // the line afterwards
    };
    auto line = [](double x1, double y1, double x2, double y2) {
        return [=](Sheet& t) -> CElement* { return t.Line(x1, y1, x2, y2); };
    };
    const Case cases[] = {
        {"short of a slanted line", {0, 0}, {4, 0}, line(0, -5, 10, 5), {1, 0}, {0, 0}, {5, 0}},
        {"crossing, picked beyond", {0, 0}, {10, 0}, line(0, -5, 10, 5), {8, 0}, {0, 0}, {5, 0}},
        {"crossing, picked before", {0, 0}, {10, 0}, line(0, -5, 10, 5), {2, 0}, {5, 0}, {10, 0}},
        {"start towards the boundary", {4, 0}, {0, 0}, line(0, -5, 10, 5), {3, 0}, {5, 0}, {0, 0}},
        // A vertical boundary is taken with an x run of 0.001.
        {"vertical boundary", {0, 0}, {4, 0}, line(5, -10, 5, 10), {1, 0}, {0, 0}, {4.9995, 0}},
        // Slopes 0.002 apart are not parallel for extend: the far crossing.
        {"nearly parallel", {0, 0}, {10, 0}, line(0, 1, 10, 1.02), {9, 0}, {-500, 0}, {10, 0}},
        // Both crossings with the whole circle lie on it: the nearer one.
        {"circle", {0, 0}, {4, 0}, [](Sheet& t) { return t.Arc(10, 0, 13, 0, 13, 0); }, {3, 0}, {0, 0}, {7, 0}},
        // The right half only: (7, 0) lies off its sweep.
        {"arc", {0, 0}, {4, 0}, [](Sheet& t) { return t.Arc(10, 0, 10, 3, 10, -3); }, {3, 0}, {0, 0}, {13, 0}},
        {"ellipse", {0, 0}, {4, 0}, [](Sheet& t) { return t.Ellipse(10, 0, 3, 2); }, {3, 0}, {0, 0}, {7, 0}},
    };
    for (const Case& c : cases) {
        Sheet t;
        CLine* l = t.Line(c.s.x, c.s.y, c.e.x, c.e.y);
        CElement* b = c.boundary(t);
        ASSERT_NE(l, nullptr) << c.what;
        ASSERT_NE(b, nullptr) << c.what;
        t.section.DoExtend(b, l, c.pick.x, c.pick.y);
        ASSERT_NE(t.LineAt(0), l) << c.what << ": replaced by a copy";
        ExpectAt(t.Start(0), c.start, c.what);
        ExpectAt(t.End(0), c.end, c.what);
        const UndoStep* step = t.undo.NextUndo();
        ASSERT_NE(step, nullptr) << c.what;
        EXPECT_EQ(step->title, 382) << c.what;
    }
}

TEST_F(Extend, NothingChangesWithoutAPointToGoTo)
{
    struct Case {
        const char* what;
        std::function<CElement*(Sheet&)> line;
        std::function<CElement*(Sheet&)> boundary;
    };
    auto line = [](double x1, double y1, double x2, double y2) {
        return [=](Sheet& t) -> CElement* { return t.Line(x1, y1, x2, y2); };
    };
    const Case cases[] = {
        {"parallel lines", line(0, 0, 4, 0), line(0, 5, 10, 5)},
        // Both would be taken with an x run of 0.001 and meet far away.
        {"parallel vertical lines", line(0, 0, 0, 4), line(5, -10, 5, 10)},
        // 45° to 90° of the circle: the line meets it at 0° and 180° only.
        {"circle met off the arc", line(0, 0, 4, 0),
         [](Sheet& t) { return t.Arc(10, 0, 10, 3, 10 + 3 * std::cos(0.7854), 3 * std::sin(0.7854)); }},
        {"circle missed", line(0, 0, 4, 0), [](Sheet& t) { return t.Arc(10, 10, 13, 10, 13, 10); }},
        // The crossing lies beyond what a node can hold.
        {"crossing out of range", line(0, 0, 10, 0), line(0, 10, 1000, 10.001)},
        // The crossing is 0.002 from the end that stays: the line would
        // lie on one node.
        {"onto the other end", line(0, 0, 10, 0), line(4.998, -5, 14.998, 5)},
        {"arc to extend", [](Sheet& t) { return t.Arc(0, 0, 4, 0, 0, -4); }, line(10, -5, 10, 5)},
        {"spline boundary", line(0, 0, 4, 0),
         [](Sheet& t) { return t.section.AddSpline1(8, -5, 9, 0, 8, 5, true, 1).Get(); }},
    };
    for (const Case& c : cases) {
        Sheet t;
        CElement* l = c.line(t);
        CElement* b = c.boundary(t);
        ASSERT_NE(l, nullptr) << c.what;
        ASSERT_NE(b, nullptr) << c.what;
        const int nodeCount = t.NodesInUse();
        t.undo.Reset();
        t.section.DoExtend(b, l, 2, 0);
        EXPECT_EQ(t.section.GetElement(0), l) << c.what;
        EXPECT_EQ(t.undo.GetUndoCount(), 0) << c.what;
        EXPECT_EQ(t.NodesInUse(), nodeCount) << c.what;
    }
    Sheet t;
    CLine* l = t.Line(0, 0, 4, 0);
    t.undo.Reset();
    t.section.DoExtend(l, l, 2, 0);
    t.section.DoExtend(nullptr, l, 2, 0);
    EXPECT_EQ(t.section.GetElement(0), l);
    EXPECT_EQ(t.undo.GetUndoCount(), 0);
}

TEST_F(Extend, UndoPutsTheLineBackAndRedoTheExtendedOne)
{
    CLine* line = Line(0, 0, 4, 0);
    CLine* boundary = Line(0, -5, 10, 5);
    section.DoExtend(boundary, line, 1, 0);
    CLine* extended = LineAt(0);
    undo.Undo();
    EXPECT_EQ(LineAt(0), line);
    ExpectAt(End(0), {4, 0}, "after undo");
    undo.Redo();
    EXPECT_EQ(LineAt(0), extended);
    ExpectAt(End(0), {5, 0}, "after redo");
}

// --- intersection ---------------------------------------------------------------------

// Slot 0 and slot 1 hold the pair, each picked where the table says; each
// moves the end nearer its pick onto the crossing nearest both picks.
TEST_F(Intersection, BothElementsEndOnOneNodeAtTheCrossing)
{
    struct Case {
        const char* what;
        std::function<void(Sheet&)> make;
        die::coord pick0, pick1;
        die::coord point;
        bool movesStart0, movesStart1;
        double sweep0; // the first element's sweep afterwards when it is an arc (else 0)
    };
    const double k45 = 5 * std::cos(0.785398163397448);
    const Case cases[] = {
        // Each picked on its part beyond the crossing: both parts go.
        {"line and line", [](Sheet& t) { t.Line(0, 0, 10, 10); t.Line(0, 10, 10, 0); }, {8, 8}, {8, 2},
         {5, 5}, false, false, 0},
        {"line and line, picked before", [](Sheet& t) { t.Line(0, 0, 10, 10); t.Line(0, 10, 10, 0); },
         {2, 2}, {2, 8}, {5, 5}, true, true, 0},
        // The arc (90° to 45°) is extended along its circle to (−4, −3),
        // the line lengthened to it; in either order.
        {"arc and line", [&](Sheet& t) { t.Arc(0, 0, 0, 5, k45, k45); t.Line(-10, -3, -6, -3); },
         {3.6, 3.5}, {-6.5, -3}, {-4, -3}, false, false, 2 * std::acos(-1.0) - std::atan2(3.0, 4.0) - 1.5707963},
        {"line and arc", [&](Sheet& t) { t.Line(-10, -3, -6, -3); t.Arc(0, 0, 0, 5, k45, k45); },
         {-6.5, -3}, {3.6, 3.5}, {-4, -3}, false, false, 0},
        // The whole ellipse opens at its axis end (13, 0) and runs to (7, 0).
        {"line and ellipse", [](Sheet& t) { t.Line(0, 0, 4, 0); t.Ellipse(10, 0, 3, 2); }, {3, 0},
         {7.5, 1}, {7, 0}, false, false, 0},
        // Circles about (0, 0) and (6, 0), radius 5, meet at (3, ±4).
        {"arc and arc", [](Sheet& t) { t.Arc(0, 0, 5, 0, 0, -5); t.Arc(6, 0, 1, 0, 6, 5); }, {4.8, 1},
         {2.5, 4.2}, {3, 4}, true, false, 0},
        // The circle of radius 5 meets the ellipse (8, 3) about the same
        // centre at (±4.3149, ±2.5262); the arc (90° to 0°) is shortened.
        {"arc and ellipse", [](Sheet& t) { t.Arc(0, 0, 0, 5, 5, 0); t.Ellipse(0, 0, 8, 3); }, {4.8, 1},
         {5, 2.6}, {4.3149, 2.5262}, false, false, 0},
        // The ellipse (8, 3) and the same turned by 90° meet at (±2.8090, ±2.8090).
        {"ellipse and ellipse",
         [](Sheet& t) { t.Ellipse(0, 0, 8, 3); t.section.AddEllipse3(0, 0, 8, 3, 90, true, 1); }, {3, 3},
         {3, 3}, {2.8090, 2.8090}, false, false, 0},
    };
    for (const Case& c : cases) {
        Sheet t;
        c.make(t);
        CElement* first = t.section.GetElement(0);
        CElement* second = t.section.GetElement(1);
        const Ends before0 = t.EndsAt(0);
        const Ends before1 = t.EndsAt(1);
        double x = 0;
        double y = 0;
        ASSERT_TRUE(t.section.DoInterSection(first, second, c.pick0.x, c.pick0.y, c.pick1.x, c.pick1.y, &x, &y))
            << c.what;
        ExpectAt({x, y}, c.point, c.what);
        EXPECT_NE(t.section.GetElement(0), first) << c.what;
        EXPECT_NE(t.section.GetElement(1), second) << c.what;
        const Ends after0 = t.EndsAt(0);
        const Ends after1 = t.EndsAt(1);
        ExpectAt(c.movesStart0 ? after0.start : after0.end, c.point, c.what);
        ExpectAt(c.movesStart0 ? after0.end : after0.start, c.movesStart0 ? before0.end : before0.start, c.what);
        ExpectAt(c.movesStart1 ? after1.start : after1.end, c.point, c.what);
        ExpectAt(c.movesStart1 ? after1.end : after1.start, c.movesStart1 ? before1.end : before1.start, c.what);
        EXPECT_EQ(c.movesStart0 ? after0.startNode : after0.endNode,
                  c.movesStart1 ? after1.startNode : after1.endNode)
            << c.what << ": one shared node";
        if (c.sweep0 != 0) {
            EXPECT_NEAR(dynamic_cast<CArc*>(t.section.GetElement(0))->GetSweepAngle(), c.sweep0, 1e-3) << c.what;
        }
        const UndoStep* step = t.undo.NextUndo();
        ASSERT_NE(step, nullptr);
        EXPECT_EQ(step->title, 181);
        t.undo.Undo();
        EXPECT_EQ(t.section.GetElement(0), first) << c.what << ": undo puts the elements back";
        EXPECT_EQ(t.section.GetElement(1), second) << c.what;
    }
}

TEST_F(Intersection, RefusesWithoutChangingAnything)
{
    struct Case {
        const char* what;
        std::function<void(Sheet&)> make;
    };
    const Case cases[] = {
        {"slopes 0.002 apart", [](Sheet& t) { t.Line(0, 0, 10, 0); t.Line(0, 1, 10, 1.02); }},
        {"parallel vertical lines", [](Sheet& t) { t.Line(0, 0, 0, 4); t.Line(5, -10, 5, 10); }},
        {"concentric circles", [](Sheet& t) { t.Arc(0, 0, 5, 0, 5, 0); t.Arc(0, 0, 3, 0, 3, 0); }},
        {"line missing the circle", [](Sheet& t) { t.Line(0, 10, 4, 10); t.Arc(0, 0, 5, 0, 5, 0); }},
        {"a spline", [](Sheet& t) { t.Line(0, 0, 4, 0); t.section.AddSpline1(8, -5, 9, 0, 8, 5, true, 1); }},
        // The crossing is 0.002 from the end the first line keeps.
        {"onto the kept end", [](Sheet& t) { t.Line(0, 0, 10, 0); t.Line(9.998, -5, 9.998, 5); }},
    };
    for (const Case& c : cases) {
        Sheet t;
        c.make(t);
        CElement* first = t.section.GetElement(0);
        CElement* second = t.section.GetElement(1);
        t.undo.Reset();
        const int nodeCount = t.NodesInUse();
        double x = 123;
        double y = 456;
        EXPECT_FALSE(t.section.DoInterSection(first, second, 1, 0, 9, 1, &x, &y)) << c.what;
        EXPECT_EQ(x, 123) << c.what;
        EXPECT_EQ(y, 456) << c.what;
        EXPECT_EQ(t.section.GetElement(0), first) << c.what;
        EXPECT_EQ(t.section.GetElement(1), second) << c.what;
        EXPECT_EQ(t.undo.GetUndoCount(), 0) << c.what;
        EXPECT_EQ(t.NodesInUse(), nodeCount) << c.what;
    }
    CLine* line = Line(0, 0, 10, 0);
    EXPECT_FALSE(section.DoInterSection(line, line, 1, 0, 9, 0, nullptr, nullptr));
    EXPECT_FALSE(section.DoInterSection(line, nullptr, 1, 0, 9, 0, nullptr, nullptr));
}

// The outline builder runs intersections inside a step of its own.
TEST_F(Intersection, WithATransactionPassedInTheItemsGoIntoTheCallersStep)
{
    CLine* a = Line(0, 0, 10, 10);
    CLine* b = Line(0, 10, 10, 0);
    UndoTransaction tx(undo, 777, &section);
    ASSERT_TRUE(section.DoInterSection(a, b, 8, 8, 8, 2, nullptr, nullptr, &tx));
    ASSERT_TRUE(undo.HasOpenStep());
    EXPECT_EQ(undo.GetOpenStep()->title, 777);
    int replaced = 0;
    for (const UndoItem& item : undo.GetOpenStep()->items)
        replaced += item.kind == UndoItem::Element && item.operation == UndoItem::Replaced;
    EXPECT_EQ(replaced, 2);
    tx.commit();
    EXPECT_EQ(undo.GetUndoCount(), 1);
}

} // namespace
