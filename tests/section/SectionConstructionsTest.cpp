// The angle bisector, the polygon, the rectangle by its centre and the side
// a parallel's offset takes.
#include "section/EditGeometry.h"
#include "section/SectionFixture.h"

#include "element/Ellipse.h"

#include <cmath>
#include <numbers>

namespace {

using sectiontest::Ends;
using sectiontest::ExpectAt;
using sectiontest::ExpectLine;
using sectiontest::ExpectSmooth;
using Constructions = sectiontest::Drawing;

constexpr double kRoot = std::numbers::sqrt2 / 2.0;

TEST_F(Constructions, TheBisectorRunsFromTheCornerIntoThePickedAngle)
{
    const struct {
        const char* name;
        Ends first;
        Ends second;
        die::coord pick1;
        die::coord pick2;
        Ends bisector;
    } cases[] = {
        {"lines from one node", {{0, 0}, {10, 10}}, {{0, 0}, {-10, 10}}, {8, 8}, {-8, 8}, {{0, 0}, {0, 10}}},
        {"picked on the near halves of crossing lines", {{-10, -10}, {10, 10}}, {{10, -10}, {-10, 10}}, {-8, -8},
         {8, -8}, {{0, 0}, {0, -10}}},
        // A vertical line keeps its direction: the corner is the true one.
        {"vertical line and a far one", {{0, 10}, {0, 11}}, {{5, -1000}, {100, -1000}}, {0, 10.5}, {50, -1000},
         {{0, -1000}, {10 * kRoot, -1000 + 10 * kRoot}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        CElement* a = s.AddLine3(c.first.start.x, c.first.start.y, c.first.end.x, c.first.end.y, true, 1).Get();
        CElement* b = s.AddLine3(c.second.start.x, c.second.start.y, c.second.end.x, c.second.end.y, true, 1).Get();
        s.AddAngleBisector(a, b, c.pick1.x, c.pick1.y, c.pick2.x, c.pick2.y, 10);
        ExpectLine(s, 2, c.bisector);
    }
}

TEST_F(Constructions, NoBisectorWithoutALengthTwoLinesOrACorner)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* parallel = Line(0, 5, 10, 5);
    CLine* nearlyParallel = Line(0, 8, 10, 8.0105); // nodes keep whole micrometres: 8.010
    CLine* upright = Line(30, 0, 30, 10);
    CLine* uprightLonger = Line(40, 0, 40, 30);
    CArc* arc = Arc(0, 50, 10, 50, -10, 50);
    section.AddAngleBisector(a, parallel, 5, 0, 5, 5, 10);
    section.AddAngleBisector(upright, uprightLonger, 30, 5, 40, 5, 10);
    section.AddAngleBisector(a, arc, 5, 0, 0, 60, 10);
    section.AddAngleBisector(a, a, 5, 0, 5, 0, 10);
    section.AddAngleBisector(a, nearlyParallel, 5, 0, 5, 8, 0);
    EXPECT_EQ(section.GetElement(6), nullptr);
    section.AddAngleBisector(a, nearlyParallel, 5, 0, 5, 8, 10); // they meet, far away
    ASSERT_NE(section.GetElement(6), nullptr);
    EXPECT_NEAR(sectiontest::LineEnds(section, 6).start.x, -8000, 1e-2);
}

TEST_F(Constructions, APolygonStartsWithItsBottomEdge)
{
    section.AddPolygon(0, 0, 4, 10, 0, true);
    ExpectLine(section, 0, {{-5, -5}, {5, -5}});
    ExpectLine(section, 1, {{5, -5}, {5, 5}});
    ExpectLine(section, 2, {{5, 5}, {-5, 5}});
    ExpectLine(section, 3, {{-5, 5}, {-5, -5}});
    EXPECT_EQ(section.GetElement(4), nullptr);
    EXPECT_EQ(section.GetSelectedCount(), 4);
    for (int i = 0; i < 4; ++i) // closed on shared nodes
        EXPECT_EQ(static_cast<CLine*>(section.GetElement(i))->GetEndNode(),
                  static_cast<CLine*>(section.GetElement((i + 1) % 4))->GetStartNode());

    Section turned(&nodes, nullptr, &undo);
    turned.AddPolygon(100, 0, 6, 10, 90, false);
    const Ends first = sectiontest::LineEnds(turned, 0);
    EXPECT_NEAR(first.start.x, first.end.x, 2e-3); // the first edge now stands on the right
    EXPECT_GT(first.start.x, 100);
    EXPECT_NEAR(turned.GetLineLength(-1, 0), 60, 1e-2);
    EXPECT_EQ(turned.GetSelectedCount(), 0);

    Section none(&nodes, nullptr, &undo);
    none.AddPolygon(0, 0, 2, 10, 0, false);
    none.AddPolygon(0, 0, 5, 0, 0, false);
    none.AddPolygon(0, 0, 5, 10, std::nan(""), false);
    EXPECT_EQ(none.begin(), none.end());
}

TEST_F(Constructions, ARectangleHasItsSidesAndCornerArcsInOneStep)
{
    const struct {
        const char* name;
        double width;
        double height;
        double radius;
        int lines;
        int arcs;
        double angle = 0.0;
    } cases[] = {
        {"square corners", 100, 50, 0, 4, 0},
        {"rounded corners", 100, 50, 10, 4, 4},
        // The radius is held to 25: the short sides vanish.
        {"radius larger than half a side", 100, 50, 40, 2, 4},
        {"negative radius", 100, 50, -5, 4, 0},
        {"rounded corners turned by 30 degrees", 100, 50, 10, 4, 4, 30},
        {"rounded corners turned by -120 degrees", 100, 50, 10, 4, 4, -120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        s.AddRectByCenter({10, 20}, c.width, c.height, c.radius, c.angle);
        int lines = 0;
        int arcs = 0;
        for (CElement* e : s)
            (dynamic_cast<CArc*>(e) ? arcs : lines) += 1;
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(arcs, c.arcs);
        ASSERT_EQ(undo2.GetUndoCount(), 1);
        EXPECT_EQ(undo2.NextUndo()->title, 59);
        EXPECT_NEAR(s.GetLineLength(-1, 0),
                    2 * (c.width + c.height) - (8 - 2 * std::numbers::pi) * std::clamp(c.radius, 0.0, 25.0), 1e-2);
        // Every corner arc runs on from the side before it into the next.
        for (CElement* e : s) {
            auto* arc = dynamic_cast<CArc*>(e);
            if (arc == nullptr || c.lines < 4)
                continue;
            for (CElement* side : s) {
                auto* line = dynamic_cast<CLine*>(side);
                if (line != nullptr && line->GetEndNode() == arc->GetStartNode())
                    ExpectSmooth(s, *line, *arc, s.Point(arc->GetStartNode()));
                if (line != nullptr && line->GetStartNode() == arc->GetEndNode())
                    ExpectSmooth(s, *line, *arc, s.Point(arc->GetEndNode()));
            }
        }
        // The first side runs along the turned height, from the centre
        // half the width away.
        if (c.lines < 4)
            continue;
        const auto* first = dynamic_cast<CLine*>(*s.begin());
        ASSERT_NE(first, nullptr);
        const die::coord a = s.Point(first->GetStartNode());
        const die::coord b = s.Point(first->GetEndNode());
        const double turn = c.angle * std::numbers::pi / 180.0;
        EXPECT_NEAR(std::atan2(b.y - a.y, b.x - a.x), std::remainder(turn + std::numbers::pi / 2, 2 * std::numbers::pi),
                    1e-4);
        const die::coord mid{(a.x + b.x) / 2 - 10, (a.y + b.y) / 2 - 20};
        EXPECT_NEAR(mid.x, -c.width / 2 * std::cos(turn), 2e-3);
        EXPECT_NEAR(mid.y, -c.width / 2 * std::sin(turn), 2e-3);
    }
    section.AddRectByCenter({0, 0}, 0, 50, 0);
    section.AddRectByCenter({0, 0}, 100, -1, 0);
    EXPECT_EQ(section.begin(), section.end());
    EXPECT_EQ(undo.GetUndoCount(), 0);
}

TEST_F(Constructions, TheParallelDistanceTakesTheSideOfTheClick)
{
    CLine* right = Line(0, 0, 10, 0);
    CLine* left = Line(10, 10, 0, 10);
    CLine* up = Line(20, 0, 20, 10);
    CArc* arc = Arc(50, 0, 55, 0, 45, 0);
    CElement* ellipse = section.AddEllipse3(100, 0, 20, 10, 0, true, 1).Get();
    CElement* spline = section.AddSpline1(0, 50, 10, 55, 20, 50, true, 1).Get();
    ASSERT_TRUE(ellipse && spline);
    const struct {
        const char* name;
        CElement* element;
        die::coord q;
        double distance;
        int mode;
        double result;
    } cases[] = {
        {"left of a line", right, {5, 2}, -3, 1, 3},
        {"right of a line", right, {5, -2}, -3, 1, -3},
        {"right of a line drawn backwards", left, {5, 12}, 3, 1, -3},
        {"left of a line drawn backwards", left, {5, 8}, 3, 1, 3},
        {"left of an upright line", up, {18, 5}, 3, 1, 3},
        {"right of an upright line", up, {22, 5}, 3, 1, -3},
        {"x: right of an upright line", up, {22, 5}, 3, 2, 3},
        {"x: left of an upright line", up, {18, 5}, 3, 2, -3},
        {"y: above a line drawn backwards", left, {5, 12}, 3, 3, 3},
        {"y: below a line", right, {5, -2}, 3, 3, -3},
        {"unknown mode", right, {5, -2}, -3, 7, 3},
        {"inside an arc", arc, {50, 2}, 3, 1, -3},
        {"outside an arc", arc, {50, 8}, 3, 1, 3},
        {"inside an arc, past its centre", arc, {50, 2}, 8, 1, 8},
        {"inside an ellipse", ellipse, {105, 0}, 4, 1, -4},
        {"outside an ellipse", ellipse, {130, 0}, 4, 1, 4},
        {"inside an ellipse, past its minor axis", ellipse, {105, 0}, 12, 1, 12},
        {"left of a spline", spline, {10, 60}, 2, 1, 2},
        {"right of a spline", spline, {10, 50}, 2, 1, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(section.GetParDist(c.element, c.q.x, c.q.y, c.distance, c.mode), c.result);
    }
}

} // namespace
