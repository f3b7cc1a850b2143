// Line and Line continuous through the engine and the view's input rules:
// points given by the free-point key or by clicks on nodes, one undo step
// per line, and the tangent cases of the finish.
#include "command/LineCommands.h"

#include "command/CommandTestSupport.h"
#include "element/Arc.h"
#include "element/Line.h"
#include "options/KeyBinding.h"
#include "options/LanguageTable.h"
#include "platform/Registry.h"

#include <cmath>
#include <vector>

namespace {

using namespace commandtest;

class LineCommandTest : public CommandTest {
protected:
    void SetUp() override
    {
        BindFreePointKey();
        Show();
    }
    CArc* Circle(double cx, double cy, double r)
    {
        return static_cast<CArc*>(Layer().AddArc3(cx, cy, cx + r, cy, cx + r, cy, true, 1).Get());
    }
};

TEST_F(LineCommandTest, TwoPointsDrawOneLineAndEachLineIsItsOwnUndoStep)
{
    linecommands::StartLine(input_);
    CInputRequest& r = Request();
    EXPECT_EQ(r.CommandCode(), linecommands::kCodeLine);
    EXPECT_EQ(ui_.status, Translate(linecommands::kTextFirstPoint) + input_.FreePointHint());
    FreePoint(10, 20);
    EXPECT_EQ(ui_.status, Translate(linecommands::kTextNextPoint));
    EXPECT_TRUE(All<CLine>().empty());
    FreePoint(60, 20);
    ASSERT_EQ(All<CLine>().size(), 1u);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_TRUE(r.IsRunning()) << "the command restarts at the first point";
    EXPECT_EQ(r.CurrentIndex(), 0);

    Click(60, 20); // on the end node of the first line
    FreePoint(60, 70);
    const std::vector<CLine*> lines = All<CLine>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->GetStartNode(), lines[0]->GetEndNode());
    EXPECT_EQ(Layer().Point(lines[1]->GetEndNode()).y, 70.0);

    input_.CancelCommand();
    EXPECT_FALSE(r.IsRunning());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 2) << "no empty step is left behind";
    doc_.Undo().Undo();
    EXPECT_EQ(All<CLine>().size(), 1u);
    doc_.Undo().Undo();
    EXPECT_TRUE(All<CLine>().empty());
}

TEST_F(LineCommandTest, LineContinuousStartsEachLineWhereTheLastEnded)
{
    linecommands::StartLineContinuous(input_);
    EXPECT_EQ(Request().CommandCode(), linecommands::kCodeLineContinuous);
    FreePoint(10, 10);
    FreePoint(50, 10);
    FreePoint(50, 40);
    FreePoint(10, 40);
    const std::vector<CLine*> lines = All<CLine>();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1]->GetStartNode(), lines[0]->GetEndNode());
    EXPECT_EQ(lines[2]->GetStartNode(), lines[1]->GetEndNode());
    EXPECT_EQ(Request().CurrentIndex(), 1) << "only the next end point is asked";

    // A click on the last point makes no line and keeps the chain's end.
    Click(10, 40);
    FreePoint(10, 10);
    ASSERT_EQ(All<CLine>().size(), 4u);
    EXPECT_EQ(All<CLine>()[3]->GetStartNode(), lines[2]->GetEndNode());
    EXPECT_EQ(All<CLine>()[3]->GetEndNode(), lines[0]->GetStartNode()) << "the rectangle closes on its first node";

    input_.CancelCommand();
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 4);
    doc_.Undo().Undo();
    EXPECT_EQ(All<CLine>().size(), 3u);
}

// The steps as the tangent key or a point leaves them.
struct Answer {
    bool element;
    int arc; // index into the circles; −1 a line
    double x, y;
};

TEST_F(LineCommandTest, TheFinishDrawsTangentsWhereAStepReceivedAnArc)
{
    CArc* circles[] = {Circle(0, 0, 10), Circle(50, 0, 10)};
    CElement* line = Layer().AddLine3(0, -40, 50, -40, true, 1).Get();
    const double h = 10 * std::sqrt(3.0) / 2; // the touching points from (20, 0) lie at (5, ±h)
    const struct {
        const char* name;
        Answer first, second;
        bool drawn;
        double x1, y1, x2, y2;
    } cases[] = {
        {"two points", {false, 0, 20, 30}, {false, 0, 40, 30}, true, 20, 30, 40, 30},
        {"from a point to the arc of the first step", {true, 0, 0, 10}, {false, 0, 20, 0}, true, 20, 0, 5, h},
        {"picked below, touching below", {true, 0, 0, -10}, {false, 0, 20, 0}, true, 20, 0, 5, -h},
        {"from the first point to the arc of the second", {false, 0, 20, 0}, {true, 0, 0, -10}, true, 20, 0, 5, -h},
        {"the common tangent of two arcs", {true, 0, 0, 10}, {true, 1, 50, 10}, true, 50, 10, 0, 10},
        {"from inside the circle", {true, 0, 0, 10}, {false, 0, 3, 0}, false, 0, 0, 0, 0},
        {"the element is no arc", {true, -1, 25, -40}, {false, 0, 20, 0}, false, 0, 0, 0, 0},
        {"no length", {false, 0, 30, 30}, {false, 0, 30, 30}, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc_.SetModifiedFlag(false);
        const std::size_t before = All<CLine>().size();
        linecommands::StartLine(input_);
        CInputRequest& r = Request();
        for (const Answer* a : {&c.first, &c.second}) {
            InputStep* step = r.Current();
            ASSERT_NE(step, nullptr);
            step->resultKind = a->element ? InputElement : InputPoint;
            step->element = a->element ? (a->arc >= 0 ? circles[a->arc] : line) : nullptr;
            step->x = a->x;
            step->y = a->y;
            const int result = r.Advance(false);
            if (a == &c.second) {
                EXPECT_EQ(result, c.drawn ? 1 : 0);
            }
        }
        EXPECT_EQ(doc_.IsModified(), c.drawn) << "a finish that adds nothing changes nothing";
        const std::vector<CLine*> lines = All<CLine>();
        ASSERT_EQ(lines.size(), before + (c.drawn ? 1 : 0));
        if (c.drawn) {
            const die::coord a = Layer().Point(lines.back()->GetStartNode());
            const die::coord b = Layer().Point(lines.back()->GetEndNode());
            EXPECT_NEAR(a.x, c.x1, 0.002);
            EXPECT_NEAR(a.y, c.y1, 0.002);
            EXPECT_NEAR(b.x, c.x2, 0.002);
            EXPECT_NEAR(b.y, c.y2, 0.002);
        }
        input_.CancelCommand();
    }
}

} // namespace
