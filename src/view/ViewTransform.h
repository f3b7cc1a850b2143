#pragma once
// The view's mapping between model millimetres and client pixels, with the
// process-wide axis-mirror bits (DrawContext::MirrorX, MirrorY): zoom z is
// pixels per millimetre, origin the pixel of the model point (0, 0);
//   px = Ox + sx·z·x, py = Oy + sy·z·y, sx (sy) −1 when the bit is set.
// Also the zoom operations that change it: fitting extents into a client
// area and a typed zoom kept about the client centre.
#include "view/PixelRound.h"

struct ViewExtents {
    double left = 0.0;
    double top = 0.0; // the largest Y
    double right = 0.0;
    double bottom = 0.0;
};

struct ViewTransform {
    static constexpr double kMinZoom = 0.0001;
    static constexpr double kMaxZoom = 10000.0;
    // Pixels left free across each direction when fitting.
    static constexpr int kFitMargin = 25;

    double zoom = 1.0;
    platform::DevicePoint origin;

    // The mapping the painter draws with and the view input rounds with:
    // this zoom and origin under the mirror bits.
    ViewMapping Mapping(int mirrorFlags) const;
    // Model point to pixel (no rounding; Mapping rounds).
    void ToPixel(double x, double y, int mirrorFlags, double& px, double& py) const;
    // Model point to the nearest pixel (through Mapping).
    platform::DevicePoint ToDevicePixel(double x, double y, int mirrorFlags) const;
    // Pixel to model point.
    void ToModel(double px, double py, int mirrorFlags, double& x, double& y) const;

    // Fits the extents into a client area of width by height pixels; zero
    // width or height of the extents gives zoom 1 with the origin at the
    // lower-left corner (0, height).
    void Fit(int width, int height, const ViewExtents& extents, int mirrorFlags);
    // Takes a new zoom, clamped to kMinZoom..kMaxZoom, keeping the model point
    // under the client centre in place.
    void SetZoomAboutCentre(double newZoom, int width, int height);
    // Takes a new zoom, clamped, keeping the model point under the fixed
    // pixel in place (within half a pixel each way).
    void ZoomAbout(double newZoom, platform::DevicePoint fixed);
    static double ClampZoom(double zoom);
};
