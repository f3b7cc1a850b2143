// The arc, ellipse and dimension commands without a window: the driver
// shows a scripted dialog; a pick button's code hands over to the command
// engine for one point (or arc) from the drawing, which is stored and the
// dialog shown again with everything kept.
#include "app/ConstructDriver.h"
#include "dlg/ConstructDialogs.h"

#include "command/CommandTestSupport.h"
#include "element/Arc.h"
#include "element/Line.h"
#include "element/Measure.h"

#include <deque>
#include <functional>

namespace {

using namespace commandtest;
using app::ConstructDriver;

struct ScriptedDialogs : app::ConstructDialogUi {
    std::deque<std::function<int(dlg::ArcInputs&)>> arc;
    std::deque<std::function<int(dlg::EllipseState&)>> ellipse;
    std::deque<std::function<int(dlg::DimensionState&)>> dimension;
    int shown = 0;

    template <class Queue, class State> static int Next(Queue& queue, State& state)
    {
        if (queue.empty())
            return 0;
        const auto answer = queue.front();
        queue.pop_front();
        return answer(state);
    }
    int ShowArcDialog(dlg::ArcInputs& inputs, CMorvekDoc&) override
    {
        ++shown;
        return Next(arc, inputs);
    }
    int ShowEllipseDialog(dlg::EllipseState& state, CMorvekDoc&) override
    {
        ++shown;
        state.Open(); // what the dialog does when it opens
        return Next(ellipse, state);
    }
    int ShowDimensionDialog(dlg::DimensionState& state, CMorvekDoc&) override
    {
        ++shown;
        state.Open();
        return Next(dimension, state);
    }
};

class ConstructDriverTest : public CommandTest {
protected:
    void SetUp() override
    {
        Show();
        (void)Layer().AddLine3(0, 0, 40, 0, true, 1);
        (void)Layer().AddLine3(40, 0, 40, 30, true, 1);
    }
    static std::function<int(dlg::ArcInputs&)> ArcEnds(int code)
    {
        return [code](dlg::ArcInputs&) { return code; };
    }
    // A showing that keeps what the dialog holds and ends with Cancel.
    template <class State> static std::function<int(State&)> Keep(State& kept)
    {
        return [&kept](State& s) {
            kept = s;
            return 0;
        };
    }

    ScriptedDialogs dialogs_;
    ConstructDriver driver_{input_, dialogs_};
};

TEST_F(ConstructDriverTest, TheCentrePickTakesOneSnappedPointAndReopensWithItsFlag)
{
    dialogs_.arc.push_back([](dlg::ArcInputs& a) {
        a.radius = 7; // typed before the pick, flag and all
        a.Give(dlg::ArcInputs::Radius);
        return dlg::CArcDlg::kPickCentre;
    });
    dlg::ArcInputs reopened;
    dialogs_.arc.push_back(Keep(reopened));
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdArc));
    EXPECT_EQ(dialogs_.shown, 1) << "the dialog waits for the point";
    Click(40.8, 0.6); // near the node (40, 0)
    ASSERT_EQ(dialogs_.shown, 2);
    EXPECT_EQ(reopened.cx, 40.0);
    EXPECT_EQ(reopened.cy, 0.0);
    EXPECT_TRUE(reopened.Has(dlg::ArcInputs::Centre));
    EXPECT_TRUE(reopened.Has(dlg::ArcInputs::Radius));
    EXPECT_EQ(reopened.radius, 7.0);
    EXPECT_FALSE(reopened.Has(dlg::ArcInputs::Through));
}

TEST_F(ConstructDriverTest, EachArcPickFillsItsOwnPoint)
{
    const struct {
        int code;
        dlg::ArcInputs::Input input;
    } cases[] = {{dlg::CArcDlg::kPickStart, dlg::ArcInputs::Start},
                 {dlg::CArcDlg::kPickEnd, dlg::ArcInputs::End},
                 {dlg::CArcDlg::kPickThrough, dlg::ArcInputs::Through}};
    for (const auto& c : cases) {
        dialogs_.arc.push_back(ArcEnds(c.code));
        dlg::ArcInputs reopened;
        dialogs_.arc.push_back(Keep(reopened));
        ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdArc));
        Click(40, 30);
        EXPECT_EQ(reopened.given, [&] {
            dlg::ArcInputs only;
            only.Give(c.input);
            return only.given;
        }()) << c.code;
        const double x = c.input == dlg::ArcInputs::Start ? reopened.sx
                       : c.input == dlg::ArcInputs::End   ? reopened.ex
                                                          : reopened.tx;
        EXPECT_EQ(x, 40.0) << c.code;
        EXPECT_EQ(reopened.cx, 0.0) << "the centre is not the through point";
    }
}

TEST_F(ConstructDriverTest, ArcThroughThreePickedPointsIsOneUndoStep)
{
    dialogs_.arc.push_back(ArcEnds(dlg::CArcDlg::kPickStart));
    dialogs_.arc.push_back(ArcEnds(dlg::CArcDlg::kPickThrough));
    dialogs_.arc.push_back(ArcEnds(dlg::CArcDlg::kPickEnd));
    dialogs_.arc.push_back([this](dlg::ArcInputs& a) { return dlg::AddArcFromInputs(doc_, a) ? 1 : 0; });
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdArc));
    const int steps = doc_.Undo().GetUndoCount();
    Click(0, 0);
    Click(40, 30);
    Click(40, 0);
    ASSERT_EQ(All<CArc>().size(), 1u);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + 1);
    const die::coord centre = Layer().Point(All<CArc>()[0]->GetCenterNode());
    EXPECT_NEAR(centre.x, 20.0, 1e-3);
    EXPECT_NEAR(centre.y, 15.0, 1e-3);
    // A new command starts from nothing.
    dlg::ArcInputs fresh;
    fresh.sx = 1;
    dialogs_.arc.push_back(Keep(fresh));
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdArc));
    EXPECT_EQ(fresh.sx, 0.0);
    EXPECT_FALSE(dlg::HasEnoughInput(fresh));
}

TEST_F(ConstructDriverTest, TheEllipsesSidePointFillsTheFirstSemiAxis)
{
    dialogs_.ellipse.push_back([](dlg::EllipseState&) { return dlg::CAddEllipseDlg::kPickCentre; });
    dialogs_.ellipse.push_back([](dlg::EllipseState&) { return dlg::CAddEllipseDlg::kPickSide; });
    dlg::EllipseState reopened;
    dialogs_.ellipse.push_back(Keep(reopened));
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdEllipse));
    Click(40, 0);
    Click(40, 30);
    EXPECT_EQ(reopened.values.cx, 40.0);
    EXPECT_EQ(reopened.pickMode, dlg::EllipseState::PickSide);
    EXPECT_NEAR(reopened.values.first, 30.0, 1e-9);
    EXPECT_EQ(reopened.values.second, 0.0);
}

TEST_F(ConstructDriverTest, LinearDimensionFromTwoPickedNodesAndAPickedPosition)
{
    using D = dlg::CAddMeasureDlg;
    dialogs_.dimension.push_back([](dlg::DimensionState& s) {
        EXPECT_EQ(s.kind, dlg::kDimAligned);
        return D::kPickFirst;
    });
    dialogs_.dimension.push_back([](dlg::DimensionState& s) {
        EXPECT_FALSE(dlg::DimensionOkEnabled(s)) << "one node";
        return D::kPickSecond;
    });
    dialogs_.dimension.push_back([](dlg::DimensionState& s) {
        EXPECT_TRUE(dlg::DimensionOkEnabled(s));
        return D::kPickPosition;
    });
    dialogs_.dimension.push_back([this](dlg::DimensionState& s) { return dlg::AddDimensionFromState(doc_, s) ? 1 : 0; });
    BindFreePointKey();
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdLinear));
    Click(0.5, 0.5);
    Click(40, 30);
    Click(20, 60); // nothing to snap to: the pick waits
    EXPECT_TRUE(All<CMeasure>().empty());
    FreePoint(20, 60);
    ASSERT_EQ(All<CMeasure>().size(), 1u);
    const CMeasure* m = All<CMeasure>()[0];
    EXPECT_EQ(m->GetKind(), dlg::kDimAligned);
    EXPECT_EQ(Layer().Point(m->GetP1()), die::coord(0, 0));
    EXPECT_EQ(Layer().Point(m->GetP2()), die::coord(40, 30));
    EXPECT_EQ(Layer().Point(m->GetLinePoint()), die::coord(20, 60));
}

TEST_F(ConstructDriverTest, RadiusDimensionTakesThePickedArc)
{
    (void)Layer().AddArc3(100, 0, 120, 0, 120, 0, true, 1);
    dialogs_.dimension.push_back([](dlg::DimensionState& s) {
        EXPECT_EQ(s.kind, dlg::kDimRadius);
        EXPECT_FALSE(dlg::DimensionOkEnabled(s));
        return dlg::CAddMeasureDlg::kPickCircle;
    });
    dialogs_.dimension.push_back([this](dlg::DimensionState& s) {
        EXPECT_TRUE(s.HasCircle());
        return dlg::AddDimensionFromState(doc_, s) ? 1 : 0;
    });
    ASSERT_TRUE(driver_.RunCommand(ConstructDriver::kCmdRadius));
    Click(100, 20);
    ASSERT_EQ(All<CMeasure>().size(), 1u);
    EXPECT_EQ(All<CMeasure>()[0]->GetP1(), All<CArc>()[0]->GetCenterNode());
}

} // namespace
