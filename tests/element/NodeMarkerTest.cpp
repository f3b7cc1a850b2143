#include "display/DrawContext.h"
#include "element/NodePoint.h"
#include "options/Options.h"
#include "platform/RecordingDevice.h"
#include "platform/Registry.h"

#include "NodeTestSupport.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

using platform::DevicePoint;
using platform::RecordedCall;
using Kind = platform::RecordedCall::Kind;

TEST(NodeMarker, ShapeByKindAndPlacement)
{
    test::ScopedTestEnvironment env;
    ASSERT_TRUE(platform::Registry::writeInt("Colours", "PROPSELCOL", 0x00FF00));
    COptions options;
    const auto mirror = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    nodetest::Drawing d;
    const int absolute = d.Absolute(10, 20);
    const int parametric = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(absolute), "1", "0"); });

    // The node (10, 20) lies at device (10, 60): Y mirrored about 80.
    CInstance shifted;
    shifted.dx = 5;
    const struct {
        const char* what;
        int node;
        const CInstance* placement;
        bool triangle;
        bool highlighted;
        Kind kind;
        std::vector<DevicePoint> points;
    } cases[] = {
        {"absolute: square", absolute, nullptr, false, false, Kind::Rectangle, {{5, 55}, {15, 65}}},
        {"parametric: circle", parametric, nullptr, false, false, Kind::Ellipse, {{6, 55}, {16, 65}}},
        {"placed: diamond", absolute, &shifted, false, false, Kind::Polygon, {{15, 55}, {10, 60}, {15, 65}, {20, 60}}},
        {"triangle", absolute, nullptr, true, true, Kind::Polygon, {{10, 55}, {5, 65}, {15, 65}}},
    };
    for (const auto& c : cases) {
        platform::RecordingDevice device;
        DrawContext context(&device, c.placement ? *c.placement : CInstance(true), false, false, {0, 80});
        d.Node(c.node).SetHighlighted(c.highlighted);
        d.Node(c.node).Draw(&context, &options, c.triangle);
        ASSERT_EQ(device.calls().size(), 1u) << c.what;
        const RecordedCall& call = device.calls()[0];
        EXPECT_EQ(call.kind, c.kind) << c.what;
        EXPECT_EQ(call.points, c.points) << c.what;
        EXPECT_EQ(call.pen.colour, c.highlighted ? 0x00FF00u : platform::rgb(255, 255, 255)) << c.what;
        EXPECT_EQ(call.brush.style, platform::BrushStyle::Null) << c.what;
        // The device's own pen and brush come back.
        EXPECT_EQ(device.pen(), platform::Pen::black()) << c.what;
        EXPECT_EQ(device.brush(), platform::Brush::white()) << c.what;
    }

    DrawContext none(nullptr, CInstance(true), false, false, {0, 0});
    d.Node(absolute).DrawMarker(&options, &none); // nothing to draw on: nothing happens
}
