#include "view/FigurePainter.h"
#include "geometry/GeomConstants.h"
#include "geometry/PlacementList.h"
#include "platform/RecordingDevice.h"

#include "common/DisplayTestSupport.h"

#include <gtest/gtest.h>

namespace {

using platform::DevicePoint;
using platform::Pen;
using platform::PenStyle;
using platform::RecordedCall;
using platform::RecordedLine;
using platform::rgb;

// 10 device units per millimetre, the model origin at (100, 200).
class FigurePainterTest : public testing::Test {
protected:
    FigurePainterTest()
    {
        linetypes_.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, rgb(255, 255, 255));
        linetypes_.Add(3, LinetypeKind::Standard, -1, -1, 0, 0, 0, rgb(255, 0, 0));
    }

    void Paint(DisplayList& list, int mode, const ViewMapping& mapping = {10.0, {100, 200}, false},
               const Placement* replica = nullptr)
    {
        list.Regenerate(mode);
        FigurePainter painter(dc_, linetypes_.table, mapping);
        painter.DrawList(list, linetypes_.table, mode, replica);
    }

    static Pen PenOf(platform::ColorRef colour) { return Pen::make(PenStyle::Solid, 1, colour); }

    displaytest::LinkedLinetypes linetypes_;
    platform::RecordingDevice dc_;
};

TEST_F(FigurePainterTest, LineWithABridgeInModeOneIsTwoStrokes)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddLine({0, 0}, {10, 0});
    list.End();
    list.AddBridge(4, 2);
    Paint(list, DisplayMode::WithBridges);
    const std::vector<RecordedLine> expected = {{{100, 200}, {140, 200}, PenOf(rgb(255, 255, 255))},
                                                {{160, 200}, {200, 200}, PenOf(rgb(255, 255, 255))}};
    EXPECT_EQ(dc_.lines(), expected);
    EXPECT_EQ(dc_.pen(), Pen::null()); // released at the end

    dc_.clear();
    Paint(list, DisplayMode::Normal);
    EXPECT_EQ(dc_.lines().size(), 1u);
}

TEST_F(FigurePainterTest, MixedDashesAlternateTheSubtypePens)
{
    linetypes_.Add(6, LinetypeKind::Mixed, 1, 3, 3, 1);
    DisplayList list;
    list.Begin(6, 0, 0, 2.0);
    list.AddLine({0, 0}, {8, 0});
    Paint(list, DisplayMode::SpecialLineTypes);
    const std::vector<RecordedLine> expected = {{{100, 200}, {130, 200}, PenOf(rgb(255, 255, 255))},
                                                {{130, 200}, {140, 200}, PenOf(rgb(255, 0, 0))},
                                                {{140, 200}, {170, 200}, PenOf(rgb(255, 255, 255))},
                                                {{170, 200}, {180, 200}, PenOf(rgb(255, 0, 0))}};
    EXPECT_EQ(dc_.lines(), expected);
}

TEST_F(FigurePainterTest, WaveIsDrawnAsAngleArcsWithTheSubtypePen)
{
    linetypes_.Add(8, LinetypeKind::Wave, 3, -1, 10, 5);
    DisplayList list;
    list.Begin(8, 0, 0, 2.0);
    list.AddLine({0, 0}, {20, 0});
    Paint(list, DisplayMode::SpecialLineTypes);
    const std::vector<RecordedCall> arcs = dc_.callsOf(RecordedCall::Kind::AngleArc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].points[0], (DevicePoint{150, 200}));
    EXPECT_EQ(arcs[0].radius, 50);
    EXPECT_DOUBLE_EQ(arcs[0].startDegrees, 180.0);
    EXPECT_DOUBLE_EQ(arcs[0].sweepDegrees, -180.0); // clockwise: over the top
    EXPECT_DOUBLE_EQ(arcs[1].sweepDegrees, 180.0);
    EXPECT_EQ(arcs[0].pen, PenOf(rgb(255, 0, 0)));
    EXPECT_TRUE(dc_.lines().empty()); // every half-wave starts where the last ended
    // The first half-wave's middle lies above the path on the device.
    const DevicePoint top = platform::pointOnCircle(arcs[0].points[0], arcs[0].radius, 90.0);
    EXPECT_LT(top.y, 200);
}

TEST_F(FigurePainterTest, TearWithAMissingSubtypeDrawsWithTheNullPen)
{
    linetypes_.Add(7, LinetypeKind::Tear, 42, -1, 5, 2, 90);
    DisplayList list;
    list.Begin(7, 0, 0, 2.0);
    list.AddLine({0, 0}, {20, 0});
    Paint(list, DisplayMode::SpecialLineTypes);
    ASSERT_EQ(dc_.lines().size(), 6u);
    for (const RecordedLine& line : dc_.lines())
        EXPECT_EQ(line.pen, Pen::null());
}

TEST_F(FigurePainterTest, ArcPiecesAreDrawnFromTheirEndToTheirStart)
{
    DisplayList list;
    list.Begin(3, 0, 0, 2.0);
    list.AddArc({0, 0}, {1, 0}, {-1, 0}); // the lower half circle
    list.End();
    list.AddBridge(Geom::kPi / 2 - 0.5, 1.0);
    Paint(list, DisplayMode::WithBridges);
    const std::vector<RecordedCall> arcs = dc_.callsOf(RecordedCall::Kind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    // The circle's box, centred on the centre: negative values round as
    // positive ones do.
    for (const RecordedCall& arc : arcs) {
        EXPECT_EQ(arc.points[0], (DevicePoint{90, 190}));
        EXPECT_EQ(arc.points[1], (DevicePoint{110, 210}));
        EXPECT_EQ(arc.arcDirection, platform::ArcDirection::CounterClockwise);
        EXPECT_EQ(arc.pen, PenOf(rgb(255, 0, 0)));
    }
    // First piece from (1, 0) to the gap: drawn from the gap's start back to (1, 0).
    EXPECT_EQ(arcs[0].points[3], (DevicePoint{110, 200}));
    EXPECT_EQ(arcs[1].points[2], (DevicePoint{90, 200}));

    // A full circle without bridges is one arc whose ends meet.
    dc_.clear();
    DisplayList circle;
    circle.Begin(3, 0, 0, 2.0);
    circle.AddArc({0, 0}, {1, 0}, {1, 0});
    Paint(circle, DisplayMode::WithBridges);
    ASSERT_EQ(dc_.callsOf(RecordedCall::Kind::Arc).size(), 1u);
    EXPECT_EQ(dc_.calls()[0].points[2], dc_.calls()[0].points[3]);
}

TEST_F(FigurePainterTest, ReplicasAndMirroringMoveTheDrawing)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddLine({0, 0}, {10, 0});
    PlacementList replicas;
    replicas.Add({5, 5}, Geom::kHalfPi + Geom::kTwoPi, 1);
    const Placement& replica = *replicas.begin();
    EXPECT_DOUBLE_EQ(replica.angle, Geom::kHalfPi);
    Paint(list, DisplayMode::Normal, {10.0, {100, 200}, false}, &replica);
    ASSERT_EQ(dc_.lines().size(), 1u);
    EXPECT_EQ(dc_.lines()[0].from, (DevicePoint{150, 150}));
    EXPECT_EQ(dc_.lines()[0].to, (DevicePoint{150, 50}));

    dc_.clear();
    linetypes_.Add(8, LinetypeKind::Wave, 1, -1, 10, 5);
    DisplayList wave;
    wave.Begin(8, 0, 0, 2.0);
    wave.AddLine({0, 0}, {10, 0});
    Paint(wave, DisplayMode::SpecialLineTypes, {10.0, {100, 200}, true});
    const std::vector<RecordedCall> arcs = dc_.callsOf(RecordedCall::Kind::AngleArc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points[0], (DevicePoint{50, 200}));
    EXPECT_DOUBLE_EQ(arcs[0].startDegrees, 0.0);   // π − π
    EXPECT_DOUBLE_EQ(arcs[0].sweepDegrees, 180.0); // the direction turned round
    EXPECT_EQ(dc_.arcDirection(), platform::ArcDirection::Clockwise);
}

} // namespace

namespace {

// Negative model values round as positive ones do: a drawing left of or
// below the origin sits exactly where its mirror image to the right does.
TEST(ViewMapping, RoundsNegativeValuesToTheNearestUnit)
{
    const struct {
        double mm;
        int units;
    } cases[] = {{0.26, 3}, {-0.26, -3}, {0.24, 2}, {-0.24, -2}, {-0.05, 0}, {-0.15, -1}, {1e300, 1000000000}};
    const ViewMapping m{10.0, {100, 200}, false};
    for (const auto& c : cases) {
        EXPECT_EQ(m.ToDeviceLength(c.mm), c.units) << c.mm;
        if (c.units != 1000000000) {
            // Model Y grows upwards: -mm lands c.units below the origin row.
            EXPECT_EQ(m.ToDevice({c.mm, -c.mm}), (platform::DevicePoint{100 + c.units, 200 + c.units})) << c.mm;
        }
    }
}

} // namespace
