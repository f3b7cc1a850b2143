// The arc dialog's case analysis without a window: which combinations
// enable OK, which case wins, the centre each case finds, the messages of
// the refused ones, and OK's one undo step.
#include "dlg/ArcConstruction.h"

#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using dlg::ArcGeometry;
using dlg::ArcInputs;
using In = ArcInputs::Input;

ArcInputs Given(const std::vector<In>& inputs)
{
    ArcInputs a;
    for (In i : inputs)
        a.Give(i);
    return a;
}

struct Solved {
    int number = 0;
    ArcGeometry arc;
    std::vector<int> messages;
};

Solved Solve(ArcInputs& inputs)
{
    Solved run;
    run.number = dlg::RunArcCases(
        inputs,
        [&run](const ArcGeometry& g) {
            run.arc = g;
            return true;
        },
        run.messages);
    return run;
}

TEST(ArcCases, OkNeedsOneOfTheElevenCombinations)
{
    const struct {
        std::vector<In> given;
        bool enough;
    } cases[] = {
        {{}, false},
        {{In::Start}, false}, // typing start x alone
        {{In::Start, In::End}, false},
        {{In::Start, In::Through, In::End}, true},
        {{In::Start, In::End, In::Centre}, true},
        {{In::Start, In::End, In::StartAngle}, true},
        {{In::Start, In::End, In::EndAngle}, true},
        {{In::Start, In::End, In::Radius}, true},
        {{In::Start, In::EndAngle, In::Centre}, true},
        {{In::StartAngle, In::End, In::Centre}, true},
        {{In::End, In::Through, In::StartAngle, In::Radius}, true},
        {{In::Start, In::Through, In::EndAngle, In::Radius}, true},
        {{In::Through, In::Centre, In::StartAngle, In::EndAngle}, true},
        {{In::Centre, In::Radius, In::StartAngle, In::EndAngle}, true},
        {{In::Centre, In::Radius, In::StartAngle}, false},
        {{In::Through, In::Centre, In::Radius, In::EndAngle}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dlg::HasEnoughInput(Given(c.given)), c.enough) << c.given.size();
}

TEST(ArcCases, ThreePointsGiveTheCircleThroughThemAndWriteTheCentreBack)
{
    // A through point level with the start is handled like any other.
    ArcInputs a = Given({In::Start, In::Through, In::End});
    a.sx = 0, a.sy = 0, a.tx = 10, a.ty = 0, a.ex = 10, a.ey = 10;
    const Solved run = Solve(a);
    ASSERT_EQ(run.number, 1);
    EXPECT_NEAR(a.cx, 5.0, 1e-9);
    EXPECT_NEAR(a.cy, 5.0, 1e-9);
    EXPECT_EQ(run.arc.sx, 0.0);
    EXPECT_EQ(run.arc.ex, 10.0);
    EXPECT_EQ(run.arc.ey, 10.0);
}

TEST(ArcCases, WhatEachCaseBuilds)
{
    const double r11 = std::sqrt(11.0);
    const struct {
        const char* what;
        std::vector<In> given;
        ArcInputs values;
        int number;
        ArcGeometry arc;
        std::vector<int> messages;
    } cases[] = {
        {"S, E, centre and radius: case 2, the radius ignored",
         {In::Start, In::End, In::Centre, In::Radius},
         [] { ArcInputs v; v.sx = 10; v.ex = -10; v.radius = 3; return v; }(),
         2, {0, 0, 10, 0, -10, 0}, {}},
        {"chord equal to the diameter", {In::Start, In::End, In::Radius},
         [] { ArcInputs v; v.ex = 10; v.radius = 5; return v; }(), 0, {}, {157}},
        {"radius 6: centre right of S→E at h = √11", {In::Start, In::End, In::Radius},
         [] { ArcInputs v; v.ex = 10; v.radius = 6; return v; }(), 5, {5, -r11, 0, 0, 10, 0}, {}},
        {"chord of 11.3 with differences below 2r", {In::Start, In::End, In::Radius},
         [] { ArcInputs v; v.ex = 8; v.ey = 8; v.radius = 5; return v; }(), 0, {}, {157}},
        {"start angle 90", {In::Start, In::End, In::StartAngle},
         [] { ArcInputs v; v.sx = 10; v.ex = 0; v.ey = 10; v.startAngle = 90; return v; }(), 0, {}, {156}},
        {"start and end level in x, angle 90: both messages", {In::Start, In::End, In::StartAngle},
         [] { ArcInputs v; v.ey = 10; v.startAngle = 90; return v; }(), 0, {}, {155, 156}},
        {"end angle with start and end level in y", {In::Start, In::End, In::EndAngle},
         [] { ArcInputs v; v.ex = 10; v.endAngle = 45; return v; }(), 0, {}, {155}},
        {"start angle 0 from (10, 0) to (0, 10): centre (0, 0)", {In::Start, In::End, In::StartAngle},
         [] { ArcInputs v; v.sx = 10; v.ey = 10; v.startAngle = 0; return v; }(), 3, {0, 0, 10, 0, 0, 10}, {}},
        {"end angle 270 from (10, 0) to (0, 10): centre (0, 0)", {In::Start, In::End, In::EndAngle},
         [] { ArcInputs v; v.sx = 10; v.ey = 10; v.endAngle = 270; return v; }(), 4, {0, 0, 10, 0, 0, 10}, {}},
        {"angle line parallel to the bisector", {In::Start, In::End, In::StartAngle},
         [] { ArcInputs v; v.sx = 0; v.sy = 0; v.ex = 10; v.ey = 10; v.startAngle = 135; return v; }(), 0, {},
         {2101}},
        {"three collinear points", {In::Start, In::Through, In::End},
         [] { ArcInputs v; v.tx = 5; v.ty = 5; v.ex = 10; v.ey = 10; return v; }(), 0, {}, {2100}},
        {"collinear points fall through to the radius", {In::Start, In::Through, In::End, In::Radius},
         [] { ArcInputs v; v.tx = 5; v.ex = 10; v.radius = 6; return v; }(), 5, {5, -r11, 0, 0, 10, 0}, {2100}},
        {"S, end angle, centre", {In::Start, In::EndAngle, In::Centre},
         [] { ArcInputs v; v.cx = 1; v.sx = 3; v.endAngle = 90; return v; }(), 6, {1, 0, 3, 0, 1, 2}, {}},
        {"start angle, E, centre", {In::StartAngle, In::End, In::Centre},
         [] { ArcInputs v; v.ey = 4; v.startAngle = 180; return v; }(), 7, {0, 0, -4, 0, 0, 4}, {}},
        {"through, centre and both angles: radius from the through point",
         {In::Through, In::Centre, In::StartAngle, In::EndAngle},
         [] { ArcInputs v; v.cx = 2; v.tx = 2; v.ty = 5; v.startAngle = 0; v.endAngle = 180; return v; }(), 10,
         {2, 0, 7, 0, -3, 0}, {}},
        {"centre, radius, angles 30 and 30: the full circle", {In::Centre, In::Radius, In::StartAngle, In::EndAngle},
         [] { ArcInputs v; v.radius = 10; v.startAngle = 30; v.endAngle = 30; return v; }(), 11,
         {0, 0, 10 * std::cos(std::numbers::pi / 6), 5, 10 * std::cos(std::numbers::pi / 6), 5}, {}},
    };
    for (const auto& c : cases) {
        ArcInputs a = c.values;
        for (In i : c.given)
            a.Give(i);
        const Solved run = Solve(a);
        EXPECT_EQ(run.number, c.number) << c.what;
        EXPECT_EQ(run.messages, c.messages) << c.what;
        if (run.number == 0 || run.number != c.number)
            continue;
        EXPECT_NEAR(run.arc.cx, c.arc.cx, 1e-9) << c.what;
        EXPECT_NEAR(run.arc.cy, c.arc.cy, 1e-9) << c.what;
        EXPECT_NEAR(run.arc.sx, c.arc.sx, 1e-9) << c.what;
        EXPECT_NEAR(run.arc.sy, c.arc.sy, 1e-9) << c.what;
        EXPECT_NEAR(run.arc.ex, c.arc.ex, 1e-9) << c.what;
        EXPECT_NEAR(run.arc.ey, c.arc.ey, 1e-9) << c.what;
    }
}

// Cases 8 and 9 in every quadrant: the centre lies on the chord's
// perpendicular, h from its midpoint, right of the chord's direction, at
// distance r from both ends.
TEST(ArcCases, TwoPointsAndARadiusPutTheCentreOnThePerpendicular)
{
    const double r = 10.0;
    for (int number : {8, 9}) {
        for (const auto& [dx, dy] : {std::pair{6.0, 8.0}, {-6.0, 8.0}, {-6.0, -8.0}, {6.0, -8.0}}) {
            ArcInputs a;
            double px = 3, py = -2; // the chord's first end
            a.radius = r;
            if (number == 8) {
                a.Give(In::End), a.Give(In::Through), a.Give(In::StartAngle), a.Give(In::Radius);
                a.tx = px, a.ty = py, a.ex = px + dx, a.ey = py + dy;
            } else {
                a.Give(In::Start), a.Give(In::Through), a.Give(In::EndAngle), a.Give(In::Radius);
                a.sx = px, a.sy = py, a.tx = px + dx, a.ty = py + dy;
            }
            const Solved run = Solve(a);
            ASSERT_EQ(run.number, number) << dx << " " << dy;
            const double mx = px + dx / 2, my = py + dy / 2;
            const double h = std::sqrt(r * r - 25.0);
            // On the perpendicular: (C − M) · chord = 0; right of it: cross < 0.
            EXPECT_NEAR((run.arc.cx - mx) * dx + (run.arc.cy - my) * dy, 0.0, 1e-9) << number << " " << dx << " " << dy;
            EXPECT_NEAR(std::hypot(run.arc.cx - mx, run.arc.cy - my), h, 1e-9);
            EXPECT_LT(dx * (run.arc.cy - my) - dy * (run.arc.cx - mx), 0.0);
            EXPECT_NEAR(std::hypot(run.arc.cx - px, run.arc.cy - py), r, 1e-9);
        }
    }
    // A chord that case 5 refuses is refused here too.
    ArcInputs a = Given({In::End, In::Through, In::StartAngle, In::Radius});
    a.ex = 10, a.radius = 5;
    EXPECT_EQ(Solve(a).messages, std::vector<int>{157});
}

class ArcOkTest : public testing::Test {
protected:
    int Arcs()
    {
        int n = 0;
        for (CElement* e : *doc_.GetCurrentSection())
            n += dynamic_cast<CArc*>(e) != nullptr;
        return n;
    }
    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> installed_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
};

TEST_F(ArcOkTest, AnArcIsOneUndoStepAndARefusalLeavesNone)
{
    ArcInputs a = Given({In::Start, In::Through, In::End});
    a.sx = -10, a.tx = 0, a.ty = 10, a.ex = 10;
    ASSERT_TRUE(dlg::AddArcFromInputs(doc_, a));
    EXPECT_EQ(Arcs(), 1);
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, dlg::kTextArcTitle);
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
    EXPECT_TRUE(doc_.IsModified());

    ArcInputs refused = Given({In::Start, In::End, In::StartAngle});
    refused.sx = 0, refused.ex = 0, refused.ey = 10, refused.startAngle = 90;
    EXPECT_FALSE(dlg::AddArcFromInputs(doc_, refused));
    EXPECT_EQ(Arcs(), 1);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1) << "no empty step";
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
    EXPECT_EQ(prompt_.texts().size(), 2) << "messages 155 and 156 as warnings";
    EXPECT_EQ(refused.ey, 10.0) << "the values stay";
}

} // namespace
