// The ellipse, dimension and relative line dialogs without their windows:
// the ellipse's rotation, fresh start and picked semi-axes; the dimension's
// controls per kind, OK's rule and the dimension it adds; the relative
// line's clamps, lengths and pen.
#include "dlg/DimensionFields.h"
#include "dlg/EllipseFields.h"
#include "dlg/RelativeLineFields.h"

#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/NodeTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

namespace {

class ConstructFieldsTest : public testing::Test {
protected:
    Section& Layer() { return *doc_.GetCurrentSection(); }
    template <class T> std::vector<T*> All()
    {
        std::vector<T*> found;
        for (CElement* e : Layer())
            if (auto* t = dynamic_cast<T*>(e))
                found.push_back(t);
        return found;
    }
    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> installed_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
};

// --- ellipse ---------------------------------------------------------------------

TEST(EllipseFields, RotationIsBroughtIntoZeroTo360)
{
    const std::pair<double, double> cases[] = {{-30, 330}, {725, 5}, {360, 360}, {720, 360}, {0, 0},
                                               {-360, 0},  {90, 90}, {-725, 355}};
    for (const auto& [in, out] : cases)
        EXPECT_DOUBLE_EQ(dlg::NormaliseRotation(in), out) << in;
}

TEST(EllipseFields, OkNeedsBothSemiAxesAboveZero)
{
    const struct {
        double first, second;
        bool ok;
    } cases[] = {{10, 5, true}, {0, 5, false}, {10, 0, false}, {-10, 5, false}, {10, -5, false}};
    for (const auto& c : cases) {
        dlg::EllipseValues v;
        v.first = c.first;
        v.second = c.second;
        EXPECT_EQ(dlg::EllipseOkEnabled(v), c.ok) << c.first << " " << c.second;
    }
}

TEST(EllipseFields, APickedPointFillsItsSemiAxisOnlyWhileItIsZero)
{
    dlg::EllipseState state;
    state.Open();
    state.values.cx = 1;
    state.values.cy = 1;
    state.values.sideX = 4;
    state.values.sideY = 5;
    state.pickMode = dlg::EllipseState::PickSide;
    state.Open();
    EXPECT_DOUBLE_EQ(state.values.first, 5.0);
    EXPECT_EQ(state.values.second, 0.0);
    state.values.first = 7; // typed
    state.values.sideX = 11;
    state.Open();
    EXPECT_EQ(state.values.first, 7.0) << "a typed value is not overwritten";
    state.values.axisX = 1;
    state.values.axisY = 4;
    state.pickMode = dlg::EllipseState::PickAxis;
    state.Open();
    EXPECT_DOUBLE_EQ(state.values.second, 3.0);
}

TEST_F(ConstructFieldsTest, EllipseOkAddsOneStepAndTheNextCommandStartsFromZeros)
{
    dlg::EllipseState state;
    state.StartCommand();
    state.Open();
    state.values.first = 0;
    state.values.second = 5;
    EXPECT_FALSE(dlg::AddEllipseFromValues(doc_, state)) << "a semi-axis of 0";
    state.values.first = 10;
    state.values.rotation = -30;
    state.values.cx = 3;
    ASSERT_TRUE(dlg::AddEllipseFromValues(doc_, state));
    EXPECT_EQ(state.values.rotation, 330.0);
    ASSERT_EQ(All<CEllipse>().size(), 1u);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, dlg::kTextEllipseTitle);
    state.Open();
    EXPECT_EQ(state.values.first, 0.0);
    EXPECT_EQ(state.values.cx, 0.0);
    EXPECT_EQ(state.values.rotation, 0.0);
}

// --- dimension -------------------------------------------------------------------

TEST(DimensionFields, EachKindUsesItsControls)
{
    const struct {
        int kind;
        bool points, centre, circle;
    } cases[] = {
        {dlg::kDimHorizontal, true, false, false}, {dlg::kDimVertical, true, false, false},
        {dlg::kDimAligned, true, false, false},    {dlg::kDimAngle, true, true, false},
        {dlg::kDimRadius, false, false, true},
    };
    for (const auto& c : cases) {
        const dlg::DimensionControls controls = dlg::ControlsFor(c.kind);
        EXPECT_EQ(controls.points, c.points) << c.kind;
        EXPECT_EQ(controls.pointCoords, c.points) << c.kind;
        EXPECT_EQ(controls.centre, c.centre) << c.kind;
        EXPECT_EQ(controls.centreCoords, c.centre) << c.kind;
        EXPECT_EQ(controls.circle, c.circle) << c.kind;
    }
}

TEST(DimensionFields, OkNeedsTheKindsNodesOrCircle)
{
    dlg::DimensionState s;
    s.StartCommand(dlg::kDimRadius);
    s.Open();
    EXPECT_EQ(s.kind, dlg::kDimRadius);
    EXPECT_FALSE(dlg::DimensionOkEnabled(s));
    s.circleCentre = 1;
    s.circleStart = 2;
    EXPECT_TRUE(dlg::DimensionOkEnabled(s));

    s.StartCommand(dlg::kDimAligned);
    s.Open();
    EXPECT_FALSE(s.HasCircle()) << "a new command starts empty";
    s.first.node = 3;
    EXPECT_FALSE(dlg::DimensionOkEnabled(s));
    s.second.node = 4;
    EXPECT_TRUE(dlg::DimensionOkEnabled(s));
    s.kind = dlg::kDimAngle;
    EXPECT_FALSE(dlg::DimensionOkEnabled(s));
    s.centre.node = 5;
    EXPECT_TRUE(dlg::DimensionOkEnabled(s));
    s.kind = dlg::kDimAligned; // switching kinds keeps the nodes
    EXPECT_EQ(s.centre.node, 5);
    EXPECT_TRUE(dlg::DimensionOkEnabled(s));

    s.StartCommand(dlg::kDimAngle);
    s.Open();
    EXPECT_EQ(s.first.node, -1);
    EXPECT_EQ(s.posX, 0.0);
    EXPECT_EQ(s.kind, dlg::kDimAngle);
}

TEST_F(ConstructFieldsTest, DimensionsGetTheDialogsCharacterSizeAndTheirKindsTitle)
{
    const int a = doc_.Nodes().AddPoint(0, 0, true);
    const int b = doc_.Nodes().AddPoint(40, 0, true);
    const int c = doc_.Nodes().AddPoint(0, 30, true);
    const CArc* arc = static_cast<CArc*>(Layer().AddArc3(100, 0, 110, 0, 110, 0, true, 1).Get());
    ASSERT_NE(arc, nullptr);
    const int arcs = doc_.Undo().GetUndoCount();

    const struct {
        int kind;
        int title;
    } cases[] = {{dlg::kDimAligned, 48}, {dlg::kDimHorizontal, 117}, {dlg::kDimAngle, 49}, {dlg::kDimRadius, 192}};
    for (const auto& k : cases) {
        dlg::DimensionState s;
        s.StartCommand(k.kind);
        s.Open();
        s.kind = k.kind; // chosen in the combo
        s.first.node = c;
        s.second.node = b;
        s.centre.node = a;
        ASSERT_TRUE(s.TakeCircle(arc, 0));
        if (k.kind == dlg::kDimHorizontal) {
            s.posX = 20;
            s.posY = -5;
        }
        ASSERT_TRUE(dlg::AddDimensionFromState(doc_, s)) << k.kind;
        CMeasure* m = All<CMeasure>().back();
        EXPECT_EQ(m->GetKind(), k.kind);
        EXPECT_EQ(m->CharWidthRef(), 15);
        EXPECT_EQ(m->CharHeightRef(), 12);
        EXPECT_EQ(doc_.Undo().NextUndo()->title, k.title);
        const die::coord at = Layer().Point(m->GetLinePoint());
        EXPECT_EQ(at.x, k.kind == dlg::kDimHorizontal ? 20.0 : 0.0) << "never picked: (0, 0)";
        EXPECT_EQ(at.y, k.kind == dlg::kDimHorizontal ? -5.0 : 0.0);
        if (k.kind == dlg::kDimRadius) {
            EXPECT_EQ(m->GetP1(), arc->GetCenterNode());
            EXPECT_EQ(m->GetP2(), arc->GetStartNode());
        } else {
            EXPECT_EQ(m->GetP1(), c);
            EXPECT_EQ(m->GetCentre(), k.kind == dlg::kDimAngle ? a : -1);
        }
    }
    EXPECT_EQ(doc_.Undo().GetUndoCount(), arcs + 4);

    dlg::DimensionState missing;
    missing.Open();
    missing.first.node = a;
    EXPECT_FALSE(dlg::AddDimensionFromState(doc_, missing));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), arcs + 4);
}

// --- relative line ----------------------------------------------------------------

TEST(RelativeLineFields, DirectionsAreClampedAndShownInTheirFormat)
{
    EXPECT_EQ(dlg::DirectionText(dlg::ClampDirection(200)), QStringLiteral("180.000"));
    EXPECT_EQ(dlg::DirectionText(dlg::ClampDirection(270)), QStringLiteral("180.000"));
    EXPECT_EQ(dlg::DirectionText(dlg::ClampDirection(-190)), QStringLiteral("-180.000"));
    EXPECT_EQ(dlg::DirectionText(dlg::ClampDirection(180 + 1)), QStringLiteral("180.000")) << "spinning down at 180";
    EXPECT_EQ(dlg::PenText(8.660254), QStringLiteral("   8.660"));
    EXPECT_EQ(dlg::DirectionText(dlg::DialDirection(0, 20)), QStringLiteral("270.000")) << "below the centre";
    EXPECT_EQ(dlg::DirectionText(dlg::DialDirection(20, 0)), QStringLiteral(" 0.000"));
    EXPECT_EQ(dlg::DirectionText(dlg::DialDirection(-5, -5)), QStringLiteral("135.000"));
}

TEST(RelativeLineFields, TheLengthComesFromTheLengthOrAnExtent)
{
    using D = dlg::DirectionLength;
    const struct {
        double angle, length, dX, dY;
        D::Outcome outcome;
        double result;
    } cases[] = {
        {30, 10, 0, 0, D::Length, 10},
        {0, 0, -20, 0, D::Length, 20}, // the sign of dX dropped
        {60, 0, 5, 0, D::Length, 10},
        {30, 0, 0, 5, D::Length, 10},
        {0, 0, 0, 0, D::Nothing, 0},
        {30, -4, 0, 0, D::Refused, 0},
        {90, 0, 10, 0, D::Refused, 0},
        {-90, 0, 10, 0, D::Refused, 0},
        {180, 0, 0, 10, D::Refused, 0},
        {0, 0, 0, 10, D::Refused, 0},
    };
    for (const auto& c : cases) {
        const D d = dlg::LengthAlong(c.angle, c.length, c.dX, c.dY);
        EXPECT_EQ(d.outcome, c.outcome) << c.angle << " " << c.length << " " << c.dX << " " << c.dY;
        if (c.outcome == D::Length) {
            EXPECT_NEAR(d.length, c.result, 1e-9);
        }
    }
}

TEST_F(ConstructFieldsTest, EachCreateIsOneStepFromThePenWhichMovesToTheEnd)
{
    ASSERT_TRUE(dlg::CreateByDirection(doc_, 30, 10, 0, 0));
    EXPECT_NEAR(doc_.Remembered().penX, 8.660254, 1e-6);
    EXPECT_NEAR(doc_.Remembered().penY, 5.0, 1e-9);
    EXPECT_EQ(dlg::PenText(doc_.Remembered().penX), QStringLiteral("   8.660"));
    EXPECT_EQ(dlg::PenText(doc_.Remembered().penY), QStringLiteral("   5.000"));
    ASSERT_TRUE(dlg::CreateByDirection(doc_, 0, 0, -20, 0));
    EXPECT_NEAR(doc_.Remembered().penX, 28.660254, 1e-6);
    ASSERT_TRUE(dlg::CreateByOffset(doc_, 0, -5));
    EXPECT_EQ(All<CLine>().size(), 3u);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 3);
    EXPECT_TRUE(doc_.IsModified());
    const die::coord end = Layer().Point(All<CLine>().back()->GetEndNode());
    EXPECT_NEAR(end.x, 28.660, 1e-3);
    EXPECT_NEAR(end.y, 0.0, 1e-3);

    // Nothing given, a zero offset, dX alone at 90°: no line, no step, the pen stays.
    const double penX = doc_.Remembered().penX;
    EXPECT_FALSE(dlg::CreateByDirection(doc_, 45, 0, 0, 0));
    EXPECT_TRUE(prompt_.texts().isEmpty()) << "nothing given shows nothing";
    EXPECT_FALSE(dlg::CreateByOffset(doc_, 0, 0));
    EXPECT_FALSE(dlg::CreateByDirection(doc_, 90, 0, 10, 0));
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(doc_.Remembered().penX, penX);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 3);
    EXPECT_EQ(All<CLine>().size(), 3u);
}

} // namespace
