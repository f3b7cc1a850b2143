#pragma once
// Model millimetres to whole device pixels: the one rounding rule of the view.
// The painter draws every figure, marker and line through ViewMapping, and the
// view input converts model points for the cursor marks with the same
// mapping (ViewTransform::Mapping), so a point is drawn where it is picked.
//
//   device x = origin x + RoundPixel(±x·scale)   (minus when X is mirrored)
//   device y = origin y + RoundPixel(∓y·scale)   (model Y up unless yDown)
//
// RoundPixel takes the nearest whole pixel, halves going up: 2.5 → 3,
// −0.6 → −1, −0.5 → 0; the exact pixel value is rounded, so a negative
// coordinate rounds the same way as a positive one.
#include "geometry/Coord.h"
#include "platform/DrawingObjects.h"


// The nearest whole pixel of a pixel value, held within ±1e9 (a huge zoom)
// and 0 for NaN.
inline int RoundPixel(double pixels)
{
    // Truncation and a step down below zero: floor without a library call.
    // Every point drawn comes here: the usual range first, without a clamp.
    const double shifted = pixels + 0.5;
    if (shifted > -1.0e9 && shifted < 1.0e9) {
        const int t = static_cast<int>(shifted);
        return shifted < t ? t - 1 : t;
    }
    return platform::toDeviceUnits(shifted); // the limits, and 0 for NaN
}

struct ViewMapping {
    double scale = 1.0; // pixels per millimetre
    platform::DevicePoint origin;
    bool mirrored = false; // X mirrored
    bool yDown = false;    // model Y grows downwards on the device

    platform::DevicePoint ToDevice(const die::coord& p) const
    {
        const double x = p.x * scale;
        const double y = p.y * scale;
        return {origin.x + RoundPixel(mirrored ? -x : x), origin.y + RoundPixel(yDown ? y : -y)};
    }
    int ToDeviceLength(double mm) const { return RoundPixel(mm * scale); }
    // The model point of a device pixel (no rounding).
    die::coord ToModel(platform::DevicePoint pixel) const
    {
        const double dx = (pixel.x - origin.x) / scale;
        const double dy = (pixel.y - origin.y) / scale;
        return {mirrored ? -dx : dx, yDown ? dy : -dy};
    }
};
