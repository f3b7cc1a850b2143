#include "view/ViewTransform.h"

#include "display/DrawContext.h"

#include <algorithm>
#include <cmath>

namespace {

double SignX(int mirrorFlags)
{
    return (mirrorFlags & DrawContext::MirrorX) ? -1.0 : 1.0;
}

double SignY(int mirrorFlags)
{
    return (mirrorFlags & DrawContext::MirrorY) ? -1.0 : 1.0;
}

} // namespace

ViewMapping ViewTransform::Mapping(int mirrorFlags) const
{
    return {zoom, origin, (mirrorFlags & DrawContext::MirrorX) != 0, (mirrorFlags & DrawContext::MirrorY) == 0};
}

void ViewTransform::ToPixel(double x, double y, int mirrorFlags, double& px, double& py) const
{
    px = origin.x + SignX(mirrorFlags) * zoom * x;
    py = origin.y + SignY(mirrorFlags) * zoom * y;
}

void ViewTransform::ToModel(double px, double py, int mirrorFlags, double& x, double& y) const
{
    x = SignX(mirrorFlags) * (px - origin.x) / zoom;
    y = SignY(mirrorFlags) * (py - origin.y) / zoom;
}

void ViewTransform::Fit(int width, int height, const ViewExtents& e, int mirrorFlags)
{
    const double w = e.right - e.left;
    const double h = e.top - e.bottom;
    if (w == 0.0 || h == 0.0 || !std::isfinite(w) || !std::isfinite(h)) {
        zoom = 1.0;
        origin = {0, height};
        return;
    }
    zoom = std::min((width - kFitMargin) / w, (height - kFitMargin) / h);
    // A client area smaller than the margin would turn the drawing over.
    zoom = ClampZoom(zoom);
    int ox = platform::toDeviceUnits(width / 2 - zoom * (e.left + e.right) / 2.0);
    int oy = platform::toDeviceUnits(height / 2 + zoom * (e.top + e.bottom) / 2.0);
    if (mirrorFlags & DrawContext::MirrorX)
        ox = width - ox;
    if (!(mirrorFlags & DrawContext::MirrorY))
        oy = height - oy;
    origin = {ox, oy};
}

void ViewTransform::SetZoomAboutCentre(double newZoom, int width, int height)
{
    ZoomAbout(newZoom, {width / 2, height / 2});
}

void ViewTransform::ZoomAbout(double newZoom, platform::DevicePoint fixed)
{
    const double z0 = zoom;
    zoom = ClampZoom(newZoom);
    // The origin moves towards the fixed pixel by the part of its distance
    // that the zoom takes away: O' = O + (1 − z1/z0)·(P − O).
    const double k = z0 != 0.0 ? 1.0 - zoom / z0 : 0.0;
    origin.x += RoundPixel(k * (fixed.x - origin.x));
    origin.y += RoundPixel(k * (fixed.y - origin.y));
}

platform::DevicePoint ViewTransform::ToDevicePixel(double x, double y, int mirrorFlags) const
{
    return Mapping(mirrorFlags).ToDevice({x, y});
}

double ViewTransform::ClampZoom(double value)
{
    if (!(value > kMinZoom))
        return kMinZoom;
    return std::min(value, kMaxZoom);
}
