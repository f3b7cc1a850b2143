#include "display/DrawContext.h"
#include "display/StrokeFont.h"

#include "platform/RecordingDevice.h"


#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using platform::DevicePoint;
using platform::Pen;
using platform::RecordedLine;
using platform::RecordingDevice;

namespace {

DrawContext contextOn(platform::Device* device, DevicePoint origin = {100, 200}, double scale = 1.0)
{
    DrawContext dc(device, CInstance(true), false, false, origin);
    dc.scale = scale;
    return dc;
}

// The lines one glyph draws on its own.
std::vector<RecordedLine> glyphLines(QChar c, double x, double y, double w, double h, double angle)
{
    RecordingDevice device;
    contextOn(&device).DrawGlyph(StrokeFont::IndexOf(c), x, y, w, h, angle);
    return device.lines();
}

} // namespace

TEST(DrawContext, MapsModelPointsTruncatingBeforeTheSign)
{
    struct Case {
        int bits;
        double scale;
        die::coord p;
        DevicePoint expected; // relative to the origin
    };
    const Case cases[] = {
        {2, 3.0, {1.5, 2.9}, {4, -8}},  // 4.5 -> 4, 8.7 -> 8, then Y mirrored
        {3, 1.0, {-1.5, 0.0}, {1, 0}},  // int(-1.5) = -1, mirrored: +1
        {0, 2.0, {-1.3, 1.3}, {-2, 2}}, // truncation towards zero, no mirror
        {1, 1.0, {2.7, -2.7}, {-2, -2}},
    };
    for (const Case& c : cases) {
        auto bits = DrawContext::OverrideMirrorFlags(c.bits);
        const DevicePoint d = contextOn(nullptr, {50, 60}, c.scale).ToDevice(c.p);
        EXPECT_EQ(d, (DevicePoint{50 + c.expected.x, 60 + c.expected.y})) << "bits " << c.bits;
    }
}

TEST(DrawContext, PointsBeyondTheDeviceRangeStayFinite)
{
    auto bits = DrawContext::OverrideMirrorFlags(2);
    const DrawContext dc = contextOn(nullptr, {0, 0}, 1e12);
    const DevicePoint far = dc.ToDevice({1e300, -1e300});
    EXPECT_EQ(far, (DevicePoint{1000000000, 1000000000}));
    EXPECT_EQ(dc.ToDevice({std::numeric_limits<double>::quiet_NaN(), 0.0}), (DevicePoint{0, 0}));
}

TEST(DrawContext, WrappersDrawWithTheStockWhitePen)
{
    auto bits = DrawContext::OverrideMirrorFlags(2);
    RecordingDevice device;
    device.selectPen(Pen::make(platform::PenStyle::Solid, 1, platform::rgb(255, 0, 0)));
    device.setArcDirection(platform::ArcDirection::Clockwise);
    DrawContext dc = contextOn(&device, {100, 200}, 2.0);
    dc.Line({1, 1}, {5, 1});
    dc.LineToPoint({5, 4});
    dc.SelectLineTo(0, 0);
    dc.Arc({-10, 10}, {10, -10}, {10, 0}, {0, 10});
    EXPECT_EQ(device.lines(), (std::vector<RecordedLine>{{{102, 198}, {110, 198}, Pen::white()},
                                                         {{110, 198}, {110, 192}, Pen::white()},
                                                         {{110, 192}, {0, 0}, Pen::white()}}));
    const auto arcs = device.callsOf(platform::RecordedCall::Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points, (std::vector<DevicePoint>{{80, 180}, {120, 220}, {120, 200}, {100, 180}}));
    EXPECT_EQ(arcs[0].pen, Pen::white());
    EXPECT_EQ(arcs[0].arcDirection, platform::ArcDirection::Clockwise);
}

TEST(DrawContext, GlyphStrokesUseTheSelectedPenAndStandUpright)
{
    auto bits = DrawContext::OverrideMirrorFlags(2);
    RecordingDevice device;
    const Pen red = Pen::make(platform::PenStyle::Solid, 1, platform::rgb(255, 0, 0));
    device.selectPen(red);
    contextOn(&device).DrawGlyph(StrokeFont::IndexOf(QLatin1Char('1')), 10, 20, 12, 12, 0);
    // Grid unit 2 mm: (1,5)->(2,6) and (2,6)->(2,0) from the base point (10, 20), Y up.
    EXPECT_EQ(device.lines(), (std::vector<RecordedLine>{{{112, 170}, {114, 168}, red},
                                                         {{114, 168}, {114, 180}, red}}));

    // Turned by 90 degrees the stem of the 1 runs along -X.
    const auto turned = glyphLines(QLatin1Char('1'), 0, 0, 6, 6, 90);
    ASSERT_EQ(turned.size(), 2u);
    EXPECT_EQ(turned[1].from, (DevicePoint{94, 198}));
    EXPECT_EQ(turned[1].to, (DevicePoint{100, 198}));
}

TEST(DrawContext, TheDotOfTheJIsAStrokeOfZeroLength)
{
    const auto lines = glyphLines(QLatin1Char('j'), 0, 0, 6, 6, 0);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5].from, lines[5].to);
}

TEST(DrawContext, StrokeTextAdvancesOneCellPerCharacterAndSkipsTheBlank)
{
    auto bits = DrawContext::OverrideMirrorFlags(2);
    RecordingDevice device;
    contextOn(&device).DrawStrokeText(0, 0, 6, 9, 0, QStringLiteral("a b"));
    auto expected = glyphLines(QLatin1Char('a'), 0, 0, 6, 9, 0);
    const auto b = glyphLines(QLatin1Char('b'), 12, 0, 6, 9, 0);
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(device.lines(), expected);
}

TEST(DrawContext, StrokeTextFollowsItsAngle)
{
    auto bits = DrawContext::OverrideMirrorFlags(2);
    struct Case {
        double angle;
        die::coord second; // base point of the second character
    };
    const Case cases[] = {{0.05, {10, 0}}, {90, {0, 10}}, {30, {10 * std::cos(M_PI / 6), 5}}};
    for (const Case& c : cases) {
        RecordingDevice device;
        contextOn(&device).DrawStrokeText(0, 0, 10, 10, c.angle, QStringLiteral("11"));
        auto expected = glyphLines(QLatin1Char('1'), 0, 0, 10, 10, c.angle);
        const auto second = glyphLines(QLatin1Char('1'), c.second.x, c.second.y, 10, 10, c.angle);
        expected.insert(expected.end(), second.begin(), second.end());
        EXPECT_EQ(device.lines(), expected) << "angle " << c.angle;
    }
}

TEST(DrawContext, WithoutADeviceNothingIsDrawn)
{
    // A context without a device (a preview not yet shown) takes every call
    // and still maps points; once a device is attached, drawing reaches it.
    DrawContext dc = contextOn(nullptr);
    dc.Line({0, 0}, {1, 1});
    dc.Arc({0, 0}, {1, 1}, {1, 0}, {0, 1});
    dc.DrawStrokeText(0, 0, 1, 1, 0, QStringLiteral("abc"));
    RecordingDevice device;
    EXPECT_EQ(dc.ToDevice({3, 4}), contextOn(&device).ToDevice({3, 4}));
    dc.device = &device;
    dc.Line({0, 0}, {1, 1});
    EXPECT_EQ(device.lines().size(), 1u);
}
