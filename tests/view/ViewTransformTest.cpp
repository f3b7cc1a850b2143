#include "view/ViewTransform.h"

#include "display/DrawContext.h"

#include <gtest/gtest.h>

namespace {

constexpr int X = DrawContext::MirrorX;
constexpr int Y = DrawContext::MirrorY;

struct FitCase {
    const char* name;
    ViewExtents extents;
    int width;
    int height;
    int mirror;
    double zoom;
    platform::DevicePoint origin;
};

TEST(ViewTransform, FitTable)
{
    const FitCase cases[] = {
        // An empty drawing: 1 pixel per mm, the origin in the lower-left corner.
        {"empty", {0, 0, 0, 0}, 825, 425, Y, 1.0, {0, 425}},
        {"zero height", {0, 10, 50, 10}, 825, 425, Y, 1.0, {0, 425}},
        // 200 × 100 mm into 825 × 425: 25 pixels left across each direction.
        {"fit", {0, 100, 200, 0}, 825, 425, Y, 4.0, {12, 412}},
        {"mirrored x", {0, 100, 200, 0}, 825, 425, X | Y, 4.0, {813, 412}},
        {"y down", {0, 100, 200, 0}, 825, 425, 0, 4.0, {12, 13}},
        {"off centre", {-100, 50, 100, -50}, 825, 425, Y, 4.0, {412, 212}},
    };
    for (const FitCase& c : cases) {
        ViewTransform t;
        t.origin = {7, 7};
        t.zoom = 3.0;
        t.Fit(c.width, c.height, c.extents, c.mirror);
        EXPECT_DOUBLE_EQ(t.zoom, c.zoom) << c.name;
        EXPECT_EQ(t.origin, c.origin) << c.name;
    }
}

TEST(ViewTransform, FittedDrawingCentreLandsOnClientCentre)
{
    for (int mirror : {Y, X | Y}) {
        ViewTransform t;
        t.Fit(825, 425, {0, 100, 200, 0}, mirror);
        double px = 0, py = 0;
        t.ToPixel(100, 50, mirror, px, py);
        EXPECT_NEAR(px, 412, 1.0) << mirror; // W − Ox with an odd width
        EXPECT_NEAR(py, 212, 0.5) << mirror;
        double x = 0, y = 0;
        t.ToModel(px, py, mirror, x, y);
        EXPECT_DOUBLE_EQ(x, 100);
        EXPECT_DOUBLE_EQ(y, 50);
    }
}

// A client area smaller than the margin must not turn the drawing over.
TEST(ViewTransform, TinyClientKeepsZoomPositive)
{
    ViewTransform t;
    t.Fit(10, 10, {0, 100, 200, 0}, Y);
    EXPECT_GT(t.zoom, 0.0);
}

TEST(ViewTransform, SetZoomClampsAndKeepsTheCentrePoint)
{
    struct Case {
        double typed;
        double zoom;
    };
    const Case cases[] = {{0.0, 0.0001}, {-3.0, 0.0001}, {20000.0, 10000.0}, {2.5, 2.5}};
    for (const Case& c : cases) {
        ViewTransform t;
        t.zoom = 2.0;
        t.origin = {100, 300};
        double cx = 0, cy = 0;
        t.ToModel(400, 200, Y, cx, cy);
        t.SetZoomAboutCentre(c.typed, 800, 400);
        EXPECT_DOUBLE_EQ(t.zoom, c.zoom) << c.typed;
        double px = 0, py = 0;
        t.ToPixel(cx, cy, Y, px, py);
        EXPECT_NEAR(px, 400, 1.0) << c.typed;
        EXPECT_NEAR(py, 200, 1.0) << c.typed;
    }
}

} // namespace

namespace {

TEST(ViewTransform, ModelPointsRoundToTheNearestPixelOnBothSidesOfTheOrigin)
{
    ViewTransform t;
    t.zoom = 10.0;
    t.origin = {100, 200};
    EXPECT_EQ(t.ToDevicePixel(-0.26, -0.26, DrawContext::MirrorY), (platform::DevicePoint{97, 203}));
    EXPECT_EQ(t.ToDevicePixel(0.26, 0.26, DrawContext::MirrorY), (platform::DevicePoint{103, 197}));
    EXPECT_EQ(t.ToDevicePixel(-12.66, 30.07, DrawContext::MirrorY), (platform::DevicePoint{-27, -101}));
}

} // namespace
