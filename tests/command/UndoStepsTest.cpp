// One undo step per action and the modified flag set exactly when the
// drawing changed, across the ways a change is made: an interactive
// command, an editing operation under it, a modify run, a layer copy, a
// refused edit and a change made without an undo step.
#include "command/CommandTestSupport.h"

#include "command/LineCommands.h"
#include "command/ManipulationCommands.h"
#include "command/ModifyApply.h"

#include <functional>
#include <ostream>

namespace {

using namespace commandtest;

class UndoSteps;

struct Case {
    const char* what;
    std::function<void(UndoSteps&)> act;
    int steps;
    bool modified;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.what;
}

class UndoSteps : public CommandTest, public testing::WithParamInterface<Case> {
public:
    void SetUp() override
    {
        BindFreePointKey();
        Show();
    }
    CElement* Line(double x1, double y1, double x2, double y2)
    {
        return Layer().AddLine3(x1, y1, x2, y2, true, 1).Get();
    }
    using CommandTest::Click;
    using CommandTest::FreePoint;
    using CommandTest::Layer;
    using CommandTest::doc_;
    using CommandTest::input_;
    using CommandTest::ui_;
};

const Case kCases[] = {
        {"line: two free points",
         [](UndoSteps& t) {
             linecommands::StartLine(t.input_);
             t.FreePoint(0, 0);
             t.FreePoint(50, 0);
             t.input_.CancelCommand();
         },
         1, true},
        {"line cancelled after one point",
         [](UndoSteps& t) {
             linecommands::StartLine(t.input_);
             t.FreePoint(0, 0);
             t.input_.CancelCommand();
         },
         0, false},
        {"fillet of two lines",
         [](UndoSteps& t) {
             t.Line(0, 0, 100, 0);
             t.Line(0, 0, 0, 100);
             t.ui_.values = {QStringLiteral("5")};
             manipcommands::StartFillet(t.input_);
             t.Click(50, 0);
             t.Click(0, 50);
             t.input_.CancelCommand();
         },
         1, true},
        {"fillet refused: the radius does not fit",
         [](UndoSteps& t) {
             t.Line(0, 0, 10, 0);
             t.Line(0, 0, 0, 10);
             t.ui_.values = {QStringLiteral("500")};
             manipcommands::StartFillet(t.input_);
             t.Click(5, 0);
             t.Click(0, 5);
             t.input_.CancelCommand();
         },
         0, false},
        {"modify move",
         [](UndoSteps& t) {
             modifyapply::Select(*t.Line(0, 0, 10, 0));
             modifyapply::ModifyPlan plan;
             plan.move = true;
             plan.dx = 10.0;
             EXPECT_TRUE(modifyapply::Apply(t.doc_, plan, false));
         },
         1, true},
        {"modify refused: a scale factor of 0",
         [](UndoSteps& t) {
             modifyapply::Select(*t.Line(0, 0, 10, 0));
             modifyapply::ModifyPlan plan;
             plan.scale = true;
             plan.fx = 0.0;
             EXPECT_FALSE(modifyapply::Apply(t.doc_, plan, false));
         },
         0, false},
        {"layer copy",
         [](UndoSteps& t) {
             modifyapply::Select(*t.Line(0, 0, 10, 0));
             Section* to = t.doc_.AppendSection(QStringLiteral("two"));
             ASSERT_NE(to, nullptr);
             t.doc_.CopySelectionToLayer(&t.Layer(), to, false);
         },
         1, true},
        {"layer copy of nothing selected",
         [](UndoSteps& t) {
             t.Line(0, 0, 10, 0);
             Section* to = t.doc_.AppendSection(QStringLiteral("two"));
             ASSERT_NE(to, nullptr);
             t.doc_.CopySelectionToLayer(&t.Layer(), to, false);
         },
         0, false},
        {"a change without an undo step",
         [](UndoSteps& t) {
             t.Line(0, 0, 10, 0);
             t.doc_.MarkChangedWithoutUndo();
         },
         0, true},
};

TEST_P(UndoSteps, OneStepPerActionAndModifiedExactlyWhenTheDrawingChanged)
{
    ASSERT_FALSE(doc_.IsModified());
    GetParam().act(*this);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), GetParam().steps);
    EXPECT_EQ(doc_.IsModified(), GetParam().modified);
    EXPECT_FALSE(doc_.Undo().HasOpenStep()) << "nothing left open";
}

INSTANTIATE_TEST_SUITE_P(Actions, UndoSteps, testing::ValuesIn(kCases));

} // namespace
