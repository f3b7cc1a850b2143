// The modify pages' rules without widgets: distance from two points and
// back, the static-point grid over the selection's box, the kept scale
// ratio, picked points taken once, the axis choices and the driver's resets.
#include "dlg/ModifyPages.h"

#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

using namespace dlg;

TEST(ModifyPages, MoveDistanceFollowsThePointsAndATypedDistanceClearsThem)
{
    MovePage m;
    m.SetPoints(5.0, 1.0, 7.0, -2.0);
    EXPECT_EQ(m.dx, 2.0);
    EXPECT_EQ(m.dy, -3.0);
    m.SetDistance(10.0, 4.0);
    EXPECT_EQ(m.startX, 0.0);
    EXPECT_EQ(m.endY, 0.0);
    EXPECT_EQ(m.dx, 10.0);
    EXPECT_EQ(m.dy, 4.0);
}

TEST(ModifyPages, PickedMovePointsAreTakenOnceAndTheOtherMarkerCleared)
{
    MovePage m;
    m.SetPoints(0, 0, 0, 0);
    m.PickStart(1.0, 2.0);
    m.Show();
    EXPECT_EQ(m.startX, 1.0);
    m.PickEnd(11.0, 12.0);
    m.Show();
    EXPECT_EQ(m.dx, 10.0);
    EXPECT_EQ(m.dy, 10.0);
    m.SetDistance(3.0, 0.0);
    m.Show();
    EXPECT_EQ(m.dx, 3.0) << "a used pick does not come back";
    m.PickStart(5.0, 5.0);
    m.ClearPicks();
    m.Show();
    EXPECT_EQ(m.startX, 0.0);
}

TEST(ModifyPages, GridRadiosTakeTheirPointFromTheSelectionsBox)
{
    const SectionBorders box{0.0, 50.0, 100.0, 0.0}; // left, top, right, bottom
    struct Case {
        int radio;
        double x, y;
    };
    const Case cases[] = {{kLeftTop, 0, 50},       {kLeftMiddle, 0, 25},    {kLeftBottom, 0, 0},
                          {kCentreTop, 50, 50},    {kCentreMiddle, 50, 25}, {kCentreBottom, 50, 0},
                          {kRightTop, 100, 50},    {kRightMiddle, 100, 25}, {kRightBottom, 100, 0}};
    for (const Case& c : cases) {
        RotatePage r;
        r.Choose(c.radio, box);
        EXPECT_EQ(r.centreX, c.x) << c.radio;
        EXPECT_EQ(r.centreY, c.y) << c.radio;
        ScalePage s;
        s.Choose(c.radio, box);
        EXPECT_EQ(s.staticX, c.x) << c.radio;
        EXPECT_EQ(s.staticY, c.y) << c.radio;
    }
    RotatePage r;
    r.SetCentre(7.0, 8.0);
    r.Choose(kCustom, box);
    EXPECT_EQ(r.centreX, 7.0) << "custom keeps the typed point";
    r.Choose(kRightBottom, box);
    r.SetCentre(1.0, 2.0);
    EXPECT_EQ(r.choice, kCustom) << "typing a centre checks custom";
}

TEST(ModifyPages, ScaleRatioIsKeptAtEveryOpening)
{
    ScalePage s;
    s.Show();
    s.SetFx(2.0);
    EXPECT_EQ(s.fy, 2.0);
    s.SetKeepRatio(false);
    s.SetFx(3.0);
    s.fy = 0.5;
    EXPECT_EQ(s.fy, 0.5);
    s.Show();
    EXPECT_TRUE(s.keepRatio);
    EXPECT_EQ(s.fy, 3.0);
}

TEST(ModifyPages, PickedStaticPointIsUsedOnceAndATypedOneKept)
{
    ScalePage s;
    s.PickStatic(4.0, 5.0);
    s.Show();
    EXPECT_EQ(s.staticX, 4.0);
    s.SetStatic(9.0, 9.5);
    s.Show();
    EXPECT_EQ(s.staticX, 9.0);
    EXPECT_EQ(s.staticY, 9.5);
    s.PickAxisPoint(1.0, 1.0);
    s.PickAxisEnd(2.0, 3.0);
    s.Show();
    EXPECT_EQ(s.axisX1, 1.0);
    EXPECT_EQ(s.axisY2, 3.0);
    s.axisX1 = 0.0;
    s.Show();
    EXPECT_EQ(s.axisX1, 0.0) << "the picked axis point does not come back";
}

TEST(ModifyPages, AxisChoiceGivesTheMirrorLine)
{
    ScalePage s;
    s.axisX1 = 10.0;
    s.axisY1 = 20.0;
    s.axisX2 = 30.0;
    s.axisY2 = 40.0;
    struct Case {
        int axis;
        double x2, y2;
        bool second;
    };
    for (const Case& c : {Case{ScalePage::kAxisTwoPoints, 30, 40, true}, Case{ScalePage::kAxisHorizontal, 110, 20, false},
                          Case{ScalePage::kAxisVertical, 10, 120, false}}) {
        s.ChooseAxis(c.axis);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        s.Axis(x1, y1, x2, y2);
        EXPECT_EQ(x1, 10.0);
        EXPECT_EQ(y1, 20.0);
        EXPECT_EQ(x2, c.x2) << c.axis;
        EXPECT_EQ(y2, c.y2) << c.axis;
        EXPECT_EQ(s.SecondPointUsed(), c.second);
    }
}

TEST(ModifyPages, ResetPartsClearTheirHalfAndModeSetsTheGroups)
{
    ScalePage s;
    s.SetStatic(5, 5);
    s.SetFx(2);
    s.axisX1 = 3;
    s.SetMode(ScalePage::kModeBoth);
    s.Reset(ScalePage::kFlipHalf);
    EXPECT_EQ(s.axisX1, 0.0);
    EXPECT_FALSE(s.flipOn);
    EXPECT_EQ(s.fx, 2.0) << "the scale half stays";
    EXPECT_TRUE(s.scaleOn);
    s.Reset(ScalePage::kScaleHalf);
    EXPECT_EQ(s.fx, 1.0);
    EXPECT_EQ(s.staticX, 0.0);
    EXPECT_FALSE(s.scaleOn);
    EXPECT_EQ(s.mode, ScalePage::kModeBoth);
    s.Reset(ScalePage::kAll);
    EXPECT_EQ(s.mode, ScalePage::kModeNone);
    s.SetMode(ScalePage::kModeFlip);
    EXPECT_TRUE(s.flipOn);
    EXPECT_FALSE(s.scaleOn);
}

} // namespace
