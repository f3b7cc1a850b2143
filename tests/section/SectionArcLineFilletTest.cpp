// The fillet of an arc and a line: where the fillet lies for each way the
// line can pass the circle, in either pick order, and the refusals.
#include "section/EditGeometry.h"
#include "section/SectionFixture.h"

#include <cmath>

namespace {

using sectiontest::Ends;
using sectiontest::ExpectAt;
using sectiontest::ExpectLine;
using sectiontest::ExpectSmooth;
using ArcLineFillet = sectiontest::Drawing;

struct ArcShape {
    die::coord centre;
    die::coord start;
    die::coord end;
};

// The top half of the circle of radius 10 about the origin, and nearly all
// of it above the x axis (from 170° clockwise to 10°).
const ArcShape kTopHalf{{0, 0}, {-10, 0}, {10, 0}};
const ArcShape kUpperCap{{0, 0}, {-9.8481, 1.7365}, {9.8481, 1.7365}};

TEST_F(ArcLineFillet, TheFilletTouchesTheCircleAndTheLineWhereThePicksSay)
{
    const struct {
        const char* name;
        ArcShape arc;
        Ends line;
        die::coord arcPick;
        die::coord linePick;
        double radius;
        die::coord centre;
        die::coord onLine;   // tangent points
        die::coord onCircle;
        Ends line2;          // the line afterwards
        bool arcStartMoved;
    } cases[] = {
        {"line clear of the circle", kTopHalf, {{-30, 14}, {30, 14}}, {0, 10}, {20, 14}, 3, {6.9282, 11},
         {6.9282, 14}, {5.3294, 8.4615}, {{6.9282, 14}, {30, 14}}, true},
        {"line clear, picked on the other side", kTopHalf, {{-30, 14}, {30, 14}}, {0, 10}, {-20, 14}, 3,
         {-6.9282, 11}, {-6.9282, 14}, {-5.3294, 8.4615}, {{-30, 14}, {-6.9282, 14}}, false},
        {"line cuts the circle, fillet in the cap", kTopHalf, {{-30, 5}, {30, 5}}, {0, 10}, {3, 5}, 2,
         {3.8730, 7}, {3.8730, 5}, {4.8412, 8.75}, {{-30, 5}, {3.8730, 5}}, false},
        {"line cuts the circle, fillet on the centre's side", kTopHalf, {{-30, 5}, {30, 5}}, {9.9, 1.4}, {3, 5}, 2,
         {7.4162, 3}, {7.4162, 5}, {9.2702, 3.75}, {{-30, 5}, {7.4162, 5}}, true},
        {"line through the centre, picked outside", kUpperCap, {{-30, 0}, {30, 0}}, {0, 10}, {20, 0}, 3,
         {12.6491, 3}, {12.6491, 0}, {9.7301, 2.3077}, {{12.6491, 0}, {30, 0}}, false},
    };
    for (const bool lineFirst : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(lineFirst ? "line picked first" : "arc picked first");
            NodeTable nodes2;
            CUndoManager undo2(&nodes2);
            Section s(&nodes2, nullptr, &undo2);
            CElement* arc =
                s.AddArc3(c.arc.centre.x, c.arc.centre.y, c.arc.start.x, c.arc.start.y, c.arc.end.x, c.arc.end.y,
                          true, 1)
                    .Get();
            CElement* line = s.AddLine3(c.line.start.x, c.line.start.y, c.line.end.x, c.line.end.y, true, 1).Get();
            ASSERT_TRUE(arc && line);
            const bool made =
                lineFirst ? s.DoFillet(line, arc, c.linePick.x, c.linePick.y, c.arcPick.x, c.arcPick.y, c.radius, false)
                          : s.DoFillet(arc, line, c.arcPick.x, c.arcPick.y, c.linePick.x, c.linePick.y, c.radius, false);
            ASSERT_TRUE(made);
            ExpectLine(s, 1, c.line2);
            const auto* arc2 = dynamic_cast<const CArc*>(s.GetElement(0));
            const auto* fillet = dynamic_cast<const CArc*>(s.GetElement(2));
            ASSERT_TRUE(arc2 && fillet);
            ExpectAt(s.Point(arc2->GetStartNode()), c.arcStartMoved ? c.onCircle : c.arc.start, "arc start");
            ExpectAt(s.Point(arc2->GetEndNode()), c.arcStartMoved ? c.arc.end : c.onCircle, "arc end");
            ExpectAt(s.Point(fillet->GetCenterNode()), c.centre, "fillet centre");
            EXPECT_NEAR(die::distance(s.Point(fillet->GetCenterNode()), s.Point(fillet->GetStartNode())), c.radius,
                        2e-3);
            ExpectSmooth(s, *s.GetElement(1), *fillet, c.onLine);
            ExpectSmooth(s, *arc2, *fillet, c.onCircle);
            ASSERT_NE(undo2.NextUndo(), nullptr);
            EXPECT_EQ(undo2.NextUndo()->title, 181);
        }
    }
}

TEST_F(ArcLineFillet, RefusedFilletsChangeNothing)
{
    const struct {
        const char* name;
        ArcShape arc;
        Ends line;
        die::coord arcPick;
        die::coord linePick;
        double radius;
    } cases[] = {
        {"radius cannot bridge the gap", kTopHalf, {{-30, 14}, {30, 14}}, {0, 10}, {20, 14}, 1.5},
        {"cap too small for the radius", kTopHalf, {{-30, 5}, {30, 5}}, {0, 10}, {3, 5}, 3},
        {"radius beyond the centre's side", kTopHalf, {{-30, 5}, {30, 5}}, {9.9, 1.4}, {3, 5}, 8},
        {"through the centre, picked inside, radius over half", kUpperCap, {{-30, 0}, {30, 0}}, {0, 10}, {3, 0}, 6},
        {"tangent point beyond the line's end", kTopHalf, {{-30, 14}, {5, 14}}, {0, 10}, {2, 14}, 3},
        {"tangent point off the arc's sweep", kTopHalf, {{-30, -14}, {30, -14}}, {0, 10}, {20, -14}, 3},
        {"zero radius", kTopHalf, {{-30, 14}, {30, 14}}, {0, 10}, {20, 14}, 0},
        // Picked at the foot of the perpendicular from the centre: the
        // fillet goes towards the end, past it.
        {"picked at the foot, tangent point past the end", kTopHalf, {{-30, 14}, {5, 14}}, {0, 10}, {0, 14}, 3},
        // The arc ends 0.002 past the tangent point (at 57.8°): trimmed, both
        // its ends would be one node, the full circle.
        {"the arc would shrink to nothing", {{0, 0}, {-10, 0}, {5.3323, 8.4597}}, {{-30, 14}, {30, 14}}, {0, 10},
         {20, 14}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        CElement* arc = s.AddArc3(c.arc.centre.x, c.arc.centre.y, c.arc.start.x, c.arc.start.y, c.arc.end.x,
                                  c.arc.end.y, true, 1)
                            .Get();
        CElement* line = s.AddLine3(c.line.start.x, c.line.start.y, c.line.end.x, c.line.end.y, true, 1).Get();
        const int nodesBefore = nodes2.GetCount();
        EXPECT_FALSE(s.DoArcLineFillet(arc, line, c.arcPick, c.linePick, c.radius, false));
        EXPECT_EQ(s.GetElement(0), arc);
        EXPECT_EQ(s.GetElement(1), line);
        EXPECT_EQ(s.GetElement(2), nullptr);
        EXPECT_EQ(nodes2.GetCount(), nodesBefore);
        EXPECT_EQ(undo2.GetUndoCount(), 0);
        EXPECT_FALSE(s.DoArcLineFillet(line, arc, c.linePick, c.arcPick, 3, false)); // kinds swapped
    }
}

TEST_F(ArcLineFillet, TheNewArcIsNotInstancedExactlyWhenAskedAndUndoPutsBothBack)
{
    for (const bool notInstanced : {false, true}) {
        NodeTable nodes2;
        CUndoManager undo2(&nodes2);
        Section s(&nodes2, nullptr, &undo2);
        CElement* arc = s.AddArc3(0, 0, -10, 0, 10, 0, true, 1).Get();
        CElement* line = s.AddLine3(-30, 14, 30, 14, true, 1).Get();
        arc->SetNotInstanced(1);
        line->SetNotInstanced(1);
        ASSERT_TRUE(s.DoArcLineFillet(arc, line, {0, 10}, {20, 14}, 3, notInstanced));
        EXPECT_EQ(s.GetElement(2)->GetNotInstanced(), notInstanced ? 1 : 0);
        undo2.Undo();
        EXPECT_EQ(s.GetElement(0), arc);
        EXPECT_EQ(s.GetElement(1), line);
        EXPECT_EQ(s.GetElement(2), nullptr);
        ExpectLine(s, 1, {{-30, 14}, {30, 14}});
        ExpectAt(s.Point(static_cast<CArc*>(arc)->GetStartNode()), {-10, 0}, "arc start");
    }
}

} // namespace
