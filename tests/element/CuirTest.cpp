#include "SymbolFixture.h"

#include "display/DrawContext.h"
#include "element/Cuir.h"
#include "element/NodePoint.h"

#include <cmath>

namespace {

using elementtest::Figure;
using elementtest::Line;
using platform::DevicePoint;

class Cuir : public elementtest::Symbols {
protected:
    std::unique_ptr<CCuir> Make(double x, double y, double r, double a, double w)
    {
        auto c = std::make_unique<CCuir>(&nodes, nullptr, 0);
        c->SetNode(Node(x, y));
        c->SetRadius(r);
        c->SetAngle(a);
        c->SetWingLength(w);
        return c;
    }

    // The distance of two angles around the circle.
    static double Apart(double a, double b)
    {
        const double d = std::fmod(std::fabs(a - b), Geom::kTwoPi);
        return std::min(d, Geom::kTwoPi - d);
    }
};

TEST_F(Cuir, CircleAndWings)
{
    const struct {
        die::coord at;
        double angle;
        std::vector<Figure> figures;
    } cases[] = {
        {{0, 0}, 0.0,
         {Figure{FigureKind::Arc, {{0, 0}, {21, 0}, {21, 0}}}, Line({21, 0}, {31, 0}), Line({-31, 0}, {-21, 0})}},
        {{5, 5}, Geom::kHalfPi,
         {Figure{FigureKind::Arc, {{5, 5}, {26, 5}, {26, 5}}}, Line({5, 26}, {5, 36}), Line({5, -26}, {5, -16})}},
    };
    for (const auto& c : cases) {
        auto cuir = Make(c.at.x, c.at.y, 21, c.angle, 10);
        ExpectFigures(*cuir, c.figures);
        EXPECT_NEAR(cuir->GetFullLength(), 2 * (21 * Geom::kPi + 10), 1e-9);
        // The extents are the centre's.
        EXPECT_EQ(cuir->GetMinX(0, true), c.at.x);
        EXPECT_EQ(cuir->GetMaxY(0, true), c.at.y);
    }
}

TEST_F(Cuir, PreviewDrawingOnTheDevice)
{
    auto cuir = Make(0, 0, 21, 0, 10);
    platform::RecordingDevice dc;
    DrawContext context(&dc, CInstance(true), false, false, {0, 0});
    cuir->Draw(context);
    const std::vector<platform::RecordedLine> lines = dc.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].from, (DevicePoint{31, 0}));
    EXPECT_EQ(lines[0].to, (DevicePoint{21, 0}));
    EXPECT_EQ(lines[1].from, (DevicePoint{-31, 0}));
    EXPECT_EQ(lines[1].to, (DevicePoint{-21, 0}));
    EXPECT_EQ(lines[0].pen, platform::Pen::white());
    const auto arcs = dc.callsOf(platform::RecordedCall::Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points, (std::vector<DevicePoint>{{-21, 21}, {21, -21}, {21, 0}, {21, 0}}));
}

TEST_F(Cuir, FittedPreviewNeedsItsPreviewNode)
{
    auto cuir = Make(0, 0, 21, 0, 9);
    platform::RecordingDevice dc;
    DrawContext context(&dc, CInstance(true), false, false, {0, 0});
    EXPECT_EQ(cuir->DrawFitted(context, {0, 0, 120, 100}), 0.0);
    EXPECT_TRUE(dc.calls().empty());

    CNodePoint preview;
    ASSERT_TRUE(preview.SetPlain(10, 0, false));
    cuir->SetPreviewNode(&preview);
    // 90 % of the 100 high rectangle over the symbol's 60 mm.
    EXPECT_DOUBLE_EQ(cuir->DrawFitted(context, {0, 0, 120, 100}), 1.5);
    EXPECT_EQ(context.origin, (DevicePoint{45, 50}));
    EXPECT_EQ(dc.lines().size(), 2u);
}

TEST_F(Cuir, CtrlWheelTurnsByThirtyDegrees)
{
    const struct {
        double from;
        int delta;
        double to;
    } cases[] = {
        {0, 120, Geom::kPi / 6},
        {0, -120, 11 * Geom::kPi / 6},
        {0, 360, Geom::kHalfPi},
        {0, 100, 0},                      // less than a notch
        {0, 0x10078, Geom::kPi / 6},      // only the low word counts
        // Far off: the notch is lost in the magnitude, but it ends in range.
        {-1e300, 120, std::fmod(-1e300, Geom::kTwoPi) + Geom::kTwoPi},
    };
    for (const auto& c : cases) {
        auto cuir = Make(0, 0, 21, c.from, 10);
        cuir->RebuildContour();
        EXPECT_EQ(cuir->OnCtrlWheel(c.delta, 0, 0), 0.0);
        EXPECT_LT(Apart(cuir->GetAngle(), c.to), 1e-9) << c.from << ' ' << c.delta;
        EXPECT_GE(cuir->GetAngle(), 0.0);
        EXPECT_LT(cuir->GetAngle(), Geom::kTwoPi);
        EXPECT_TRUE(cuir->IsDisplayDirty());
    }
    auto cuir = Make(0, 0, 21, 0, 10);
    for (int i = 0; i < 12; ++i)
        (void)cuir->OnCtrlWheel(120, 0, 0);
    EXPECT_LT(Apart(cuir->GetAngle(), 0.0), 1e-9);
}

TEST_F(Cuir, ShiftWheelStepsTheRadius)
{
    const struct {
        double from;
        int delta;
        double to;
    } cases[] = {{21, 120, 30}, {30, 120, 40}, {40, 120, 40}, {40, -120, 30}, {21, -120, 21}, {25, 120, 25}};
    for (const auto& c : cases) {
        auto cuir = Make(0, 0, c.from, 0, 10);
        cuir->RebuildContour();
        EXPECT_EQ(cuir->OnShiftWheel(c.delta, 0, 0), c.to);
        EXPECT_EQ(cuir->GetRadius(), c.to) << c.from << ' ' << c.delta;
        EXPECT_TRUE(cuir->IsDisplayDirty());
    }
}

TEST_F(Cuir, ScriptLineNamesTheCuirAndItsValues)
{
    auto cuir = Make(5, 7, 30, 0, 12);
    cuir->SetLineType(126);
    const QString line = cuir->GetScriptText();
    EXPECT_TRUE(line.startsWith(QStringLiteral("AddCuir {"))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral("};\n")));
    const auto& p = cuir->GetParameters();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].ToText(), QStringLiteral("(Cuir, CenterPt) = [5.000000,7.000000]"));
    EXPECT_EQ(p[1].ToText(), QStringLiteral("(Cuir, Radius) = [30.000000]"));
    EXPECT_EQ(p[2].ToText(), QStringLiteral("(Cuir, WingLength) = [12.000000]"));
    EXPECT_EQ(p[3].ToText(), QStringLiteral("(Element, LineType) = [126]"));
}

TEST_F(Cuir, TurnsAndMirrorsTakeTheWingsAlong)
{
    const struct {
        bool mirror;
        double a;
        double b; // rotate: degrees about (cx, cy); mirror: the line's second point is (a, b)
        die::coord at;
        double angle;
    } cases[] = {
        {false, 90, 0, {10, 10}, Geom::kPi / 6 + Geom::kHalfPi},      // about its own centre
        {false, 180, 0, {10, 10}, Geom::kPi / 6 + Geom::kPi},
        {true, 10, 20, {10, 10}, Geom::kPi - Geom::kPi / 6},            // the vertical through it
        {true, 20, 10, {10, 10}, 2 * Geom::kPi - Geom::kPi / 6},      // the horizontal through it
    };
    for (const auto& c : cases) {
        auto cuir = Make(10, 10, 21, Geom::kPi / 6, 10);
        cuir->SetSelection(1);
        NodeRemap remap;
        if (c.mirror)
            cuir->Mirror(remap, 10, 10, c.a, c.b);
        else
            cuir->Rotate(remap, 10, 10, c.a);
        EXPECT_NEAR(At(cuir->GetNode()).x, c.at.x, 1e-3);
        EXPECT_NEAR(At(cuir->GetNode()).y, c.at.y, 1e-3);
        EXPECT_LT(Apart(cuir->GetAngle(), c.angle), 1e-9) << c.mirror << ' ' << c.a;
    }
    // Without a radius the wings still turn with it.
    auto point = Make(10, 10, 0, 0, 10);
    point->SetSelection(1);
    NodeRemap turn;
    point->Rotate(turn, 0, 0, 90);
    EXPECT_LT(Apart(point->GetAngle(), Geom::kHalfPi), 1e-9);
    // Scaling leaves it alone; an unselected cuir does not turn.
    auto cuir = Make(10, 10, 21, 0, 10);
    NodeRemap remap;
    cuir->Rotate(remap, 0, 0, 90);
    EXPECT_EQ(cuir->GetAngle(), 0.0);
    cuir->SetSelection(1);
    cuir->Scale(remap, 0, 0, 2, 2);
    EXPECT_EQ(At(cuir->GetNode()), (die::coord{10, 10}));
    EXPECT_EQ(cuir->GetRadius(), 21);
    cuir->Rotate(remap, 0, 0, 90);
    EXPECT_NEAR(At(cuir->GetNode()).x, -10, 1e-3);
    EXPECT_NEAR(At(cuir->GetNode()).y, 10, 1e-3);
}

} // namespace
