#include "command/CInputRequest.h"

#include "command/CommandTestSupport.h"
#include "element/Line.h"
#include "element/ElementTypes.h"
#include "options/LanguageTable.h"

namespace {

using namespace commandtest;

constexpr int kTitle = 400;

// One typed-value step; each finish adds a horizontal line as long as the
// typed value.
void StartValueCommand(CInputRequest& r, ViewInput& view, int restart, std::vector<double>* finished)
{
    RequestDescription d;
    d.commandCode = 77;
    d.title = kTitle;
    d.restartStep = restart;
    InputStep& value = d.Add();
    value.accepted = InputValue;
    value.defaultValue = 2.5;
    r.Start(view, d, std::make_unique<CallbackCommand>([finished](CInputRequest& q) {
        finished->push_back(q.Step(0).value);
        const double v = q.Step(0).value;
        return q.GetDocument()->GetCurrentSection()->AddLine3(0, v, v, v, true, 1).Get() != nullptr ? 1 : 0;
    }));
}

TEST_F(CommandTest, AValueStepAsksAtOnceAndCancelLeavesTheStepOpen)
{
    Show();
    std::vector<double> finished;
    ui_.values = {std::nullopt};
    StartValueCommand(Request(), input_, -1, &finished);
    ASSERT_EQ(ui_.valueLabels.size(), 1u); // asked as soon as the step became current
    EXPECT_TRUE(finished.empty());
    EXPECT_FALSE(Request().IsRunning());
    EXPECT_EQ(Request().CurrentIndex(), 0);
    EXPECT_TRUE(doc_.Undo().HasOpenStep()); // stays open until the next step opens or closes

    ui_.values = {QStringLiteral("12,5")};
    StartValueCommand(Request(), input_, -1, &finished);
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_EQ(finished[0], 12.0); // the leading number, as the run-time converts it
    EXPECT_FALSE(Request().IsRunning());
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(CommandTest, RestartWithATitleLeavesOneUndoStepPerObject)
{
    Show();
    std::vector<double> finished;
    ui_.values = {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), std::nullopt};
    StartValueCommand(Request(), input_, 0, &finished);
    EXPECT_EQ(finished, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(ui_.valueLabels.size(), 4u); // one dialog per object, none twice
    input_.CancelCommand();                // closes the last, empty step
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 3);
    doc_.Undo().Undo();
    int lines = 0;
    for (CElement* e : Layer())
        lines += e ? 1 : 0;
    EXPECT_EQ(lines, 2);
}

TEST_F(CommandTest, AdvancePastTheLastStepPassesOnTheFinishResult)
{
    Show();
    for (int result : {0, 1}) {
        CInputRequest& r = Request();
        RequestDescription d;
        d.Add().accepted = InputPoint;
        r.Start(input_, d, std::make_unique<CallbackCommand>([result](CInputRequest&) { return result; }));
        EXPECT_EQ(r.Advance(false), result);
        EXPECT_FALSE(r.IsRunning());
        EXPECT_FALSE(doc_.IsModified()); // untitled: never marks the drawing modified
    }
}

TEST_F(CommandTest, ANewCommandStartsWithNothingLeftFromTheLastOne)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    CInputRequest& r = Request();
    RequestDescription d;
    InputStep& element = d.Add();
    element.accepted = InputElement;
    element.SetAllowedTypes({ElementTypeId::Line});
    InputStep& point = d.Add();
    point.accepted = InputPoint;
    point.snapFlags = SnapNode;
    r.Start(input_, d, nullptr);
    input_.OnLButtonDown(Pixel(50, 0), {});
    ASSERT_EQ(r.CurrentIndex(), 1);
    ASSERT_NE(r.Step(0).element, nullptr);
    input_.OnLButtonDown(Pixel(100, 0), {}); // the line's end node
    ASSERT_FALSE(r.IsRunning());

    RequestDescription next;
    next.Add();
    next.Add().accepted = InputPoint;
    r.Start(input_, next, nullptr);
    for (int i = 0; i < CInputRequest::kMaxSteps; ++i) {
        const InputStep& s = r.Step(i);
        EXPECT_EQ(s.resultKind, InputNone);
        EXPECT_EQ(s.element, nullptr);
        EXPECT_EQ(s.nodeIndex, -1);
        EXPECT_EQ(s.allowedTypeCount, -1);
    }
    EXPECT_EQ(r.GetLastPointStep(), -1);
}

// Counts beyond the step table look at the table's steps only.
TEST_F(CommandTest, TheLastPointStepIsSoughtWithinTheStepTable)
{
    Show();
    CInputRequest& r = Request();
    RequestDescription d;
    d.steps[CInputRequest::kMaxSteps - 1].resultKind = InputPoint;
    d.stepCount = CInputRequest::kMaxSteps + 4;
    r.Start(input_, d, nullptr);
    while (r.CurrentIndex() < CInputRequest::kMaxSteps + 3)
        r.Advance(false);
    EXPECT_EQ(r.GetLastPointStep(), CInputRequest::kMaxSteps - 1);
}

TEST_F(CommandTest, KeepResultShowsNoPromptAfterTheFirstResult)
{
    Show();
    CInputRequest& r = Request();
    RequestDescription d;
    d.restartStep = 0;
    d.keepResult = true;
    InputStep& step = d.Add();
    step.prompt = 5000;
    step.accepted = InputPoint;
    step.snapFlags = SnapKeys;
    r.Start(input_, d, std::make_unique<CallbackCommand>([this](CInputRequest&) {
        ui_.SetStatusText(QStringLiteral("result"));
        return 1;
    }));
    EXPECT_EQ(ui_.status, Translate(5000));
    r.Advance(false);
    EXPECT_TRUE(r.IsRunning());
    EXPECT_EQ(ui_.status, QStringLiteral("result"));
}

} // namespace
