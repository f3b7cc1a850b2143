#include "SymbolFixture.h"

#include "display/DrawContext.h"
#include "element/BobstAsm.h"
#include "element/NodePoint.h"
#include "geometry/Angle.h"
#include "platform/BinaryStream.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

class BobstAsm : public elementtest::Painted {
protected:
    std::unique_ptr<CBobstAsm> Make(double x, double y, const BobstAsmParams& p)
    {
        auto hole = std::make_unique<CBobstAsm>(&nodes, nullptr, 0);
        hole->SetNode(Node(x, y));
        hole->SetParams(p);
        hole->SetLineType(127);
        return hole;
    }

    static BobstAsmParams Preset()
    {
        BobstAsmParams p;
        p.SetPreset1();
        return p;
    }

    // The length of the outline's figures: lines, and arcs over their sweep
    // counter-clockwise from the end to the start (a full turn when equal).
    static double OutlineLength(const DisplayList& list)
    {
        double length = 0;
        for (const DisplayFigure& f : list.Figures()) {
            if (f.kind == FigureKind::Line) {
                length += die::distance(f.points[0], f.points[1]);
                continue;
            }
            const die::coord s = f.points[1] - f.points[0];
            const die::coord e = f.points[2] - f.points[0];
            double sweep = Angle::Normalize(std::atan2(s.y, s.x) - std::atan2(e.y, e.x));
            if (die::distance(f.points[1], f.points[2]) < 1e-6)
                sweep = 2 * kPi;
            length += sweep * s.Length();
        }
        return length;
    }
};

TEST(BobstAsmParams, ValidateHoldsEveryValueToItsRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        BobstAsmParams given, valid;
    } cases[] = {
        {{7, -1, -3, -5, -kPi / 2}, {0, 0, 0, 0, 3 * kPi / 2}},
        {{2, 4, 20, 10, 7}, {2, kPi, 20, 20, 7 - 2 * kPi}},
        {{3, 1, 5, 8, 2 * kPi}, {3, 1, 5, 8, 0}},
        {{-1, nan, nan, nan, inf}, {0, 0, 0, 0, 0}},      // a damaged file: no endless turning
        {{1, inf, 1e300, inf, 1e300}, {1, kPi, 10000, 10000, Angle::Normalize(1e300)}},
    };
    for (const auto& c : cases) {
        BobstAsmParams p = c.given;
        p.Validate();
        EXPECT_EQ(p.kind, c.valid.kind);
        EXPECT_NEAR(p.openingAngle, c.valid.openingAngle, 1e-12);
        EXPECT_EQ(p.innerRadius, c.valid.innerRadius);
        EXPECT_EQ(p.outerRadius, c.valid.outerRadius);
        EXPECT_NEAR(p.rotation, c.valid.rotation, 1e-12);
    }
}

TEST_F(BobstAsm, NewHoleIsACircleOfRadiusTwelve)
{
    CBobstAsm hole(&nodes, nullptr, 0);
    hole.SetNode(Node(50, 60));
    Paint(hole);
    const auto arcs = Arcs();
    ASSERT_FALSE(arcs.empty());
    for (const auto& a : arcs) {
        ExpectAt(a.centre, {50, 60}, "arc");
        EXPECT_NEAR(a.radius, 12, 0.011);
    }
    EXPECT_NEAR(hole.GetFullLength(), 24 * kPi, 1e-12);
    EXPECT_EQ(hole.GetMaxX(0, true), 62);
    EXPECT_EQ(hole.GetMinY(0, true), 48);
}

// α 95°, r1 12, r2 19: the lobes about 90° and 270°, each 95° wide, the
// inner arcs 85° wide about 0° and 180°; the outline as long as its figures.
TEST_F(BobstAsm, LobedOutlineHasItsLength)
{
    auto hole = Make(100, 100, Preset());
    const double alpha = 95 * kPi / 180;
    const double expected = 4 * 7 + 2 * alpha * 19 + 2 * (kPi - alpha) * 12;
    EXPECT_NEAR(hole->GetFullLength(), expected, 1e-9);
    EXPECT_NEAR(expected, 4 * 7 + 2 * 1.658 * 19 + 2 * 1.484 * 12, 0.02);
    hole->RebuildContour();
    const DisplayList& list = hole->GetDisplayList();
    ASSERT_EQ(list.Figures().size(), 8u);
    EXPECT_NEAR(OutlineLength(list), expected, 1e-9);

    // The outer arc from B3 to B4 about 270°, the inner one from A4 to A1
    // about 0°.
    const auto direction = [](const die::coord& v) { return Angle::Normalize(std::atan2(v.y, v.x)) * 180 / kPi; };
    const DisplayFigure& outer = list.Figures()[2];
    EXPECT_NEAR(direction(outer.points[1] - outer.points[0]), 270 + 47.5, 1e-9);
    EXPECT_NEAR(direction(outer.points[2] - outer.points[0]), 270 - 47.5, 1e-9);
    const DisplayFigure& inner = list.Figures()[0];
    EXPECT_NEAR(direction(inner.points[1] - inner.points[0]), 90 - 47.5, 1e-9);
    EXPECT_NEAR(direction(inner.points[2] - inner.points[0]), 270 + 47.5, 1e-9);

    Paint(*hole);
    EXPECT_EQ(Arcs().size(), 4u);
    EXPECT_EQ(Lines().size(), 4u);
}

TEST_F(BobstAsm, WheelTurnsByWholeNotches)
{
    const struct {
        int delta;
        double degrees;
    } cases[] = {{360, 90}, {100, 0}, {-120, 330}, {0x10078, 30}};
    for (const auto& c : cases) {
        auto hole = Make(0, 0, Preset());
        EXPECT_EQ(hole->OnCtrlWheel(c.delta, 0, 0), 0.0);
        EXPECT_NEAR(hole->GetParams().rotation, c.degrees * kPi / 180, 1e-12) << c.delta;
        EXPECT_EQ(hole->OnShiftWheel(120, 0, 0), 7.0);
    }
}

TEST_F(BobstAsm, TransformsTurnTheLobesWithTheNode)
{
    auto hole = Make(10, 0, Preset());
    NodeRemap remap;
    hole->Move(remap, 5, 5);
    hole->Rotate(remap, 0, 0, 90);
    EXPECT_EQ(At(hole->GetNode()), (die::coord{10, 0})); // not selected
    hole->SetSelection(1);
    hole->Rotate(remap, 10, 0, 90); // about its own node
    EXPECT_EQ(At(hole->GetNode()), (die::coord{10, 0}));
    EXPECT_NEAR(hole->GetParams().rotation, kPi / 2, 1e-12);
    hole->Rotate(remap, 0, 0, 90);
    EXPECT_NEAR(At(hole->GetNode()).x, 0, 0.002);
    EXPECT_NEAR(At(hole->GetNode()).y, 10, 0.002);
    EXPECT_NEAR(hole->GetParams().rotation, kPi, 1e-12);
    hole->Scale(remap, 0, 0, 3, 3);
    EXPECT_NEAR(At(hole->GetNode()).y, 10, 0.002);
    // Across the x axis: the node to (0, -10), the direction π stays π;
    // across the diagonal it becomes 2·45° - 180° = -90°.
    hole->Mirror(remap, 0, 0, 10, 0);
    EXPECT_NEAR(At(hole->GetNode()).y, -10, 0.002);
    EXPECT_NEAR(hole->GetParams().rotation, kPi, 1e-12);
    hole->Mirror(remap, 0, 0, 10, 10);
    EXPECT_NEAR(At(hole->GetNode()).x, -10, 0.002);
    EXPECT_NEAR(hole->GetParams().rotation, 3 * kPi / 2, 1e-12);
}

// Round trips and damaged records: SymbolRecordTest.
TEST_F(BobstAsm, RecordValuesOutOfRangeReadValidated)
{
    const QByteArray saved = elementtest::RecordOf(*Make(30, 40, Preset()));
    QByteArray damaged = saved;
    platform::BinaryWriter values;
    values.writeInt32(9);
    for (double v : {-1.0, 30.0, 20.0, std::numeric_limits<double>::infinity()})
        values.writeDouble(v);
    damaged.replace(8, 36, values.take());
    platform::BinaryReader r(damaged);
    (void)r.readInt32();
    CBobstAsm read(&nodes, nullptr, 0);
    ASSERT_TRUE(read.Load(r, 15, 0));
    EXPECT_EQ(read.GetParams(), (BobstAsmParams{0, 0.0, 30.0, 30.0, 0.0}));
}

TEST_F(BobstAsm, FittedPreviewDrawsAboutThePreviewNodeOnly)
{
    auto hole = Make(0, 0, Preset());
    platform::RecordingDevice dev;
    DrawContext dc(&dev, CInstance(true), false, false, {0, 0});
    EXPECT_EQ(hole->DrawFitted(dc, {0, 0, 380, 380}), 1.0);
    EXPECT_TRUE(dev.calls().empty());

    CNodePoint at(nullptr, &nodes);
    ASSERT_TRUE(at.SetPlain(500, 500, false));
    hole->SetPreviewNode(&at);
    EXPECT_NEAR(hole->DrawFitted(dc, {0, 0, 380, 380}), 9.0, 1e-12); // 342 / 38
    EXPECT_EQ(dev.callsOf(platform::RecordedCall::Kind::Arc).size(), 4u);
    EXPECT_EQ(dev.lines().size(), 4u);
}

} // namespace
