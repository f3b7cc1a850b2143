#include "element/FittedPreview.h"

#include "display/DrawContext.h"
#include "platform/DrawingObjects.h"

#include <algorithm>
#include <cmath>

void FitPreview(DrawContext& dc, const DeviceRect& rect, const die::coord& centre, double width, double height)
{
    constexpr double kFill = 0.9;
    const double byWidth = width > 0.0 ? kFill * std::abs(rect.right - rect.left) / width : 0.0;
    const double byHeight = height > 0.0 ? kFill * std::abs(rect.top - rect.bottom) / height : 0.0;
    if (width > 0.0 && height > 0.0)
        dc.scale = std::min(byWidth, byHeight);
    else if (width > 0.0)
        dc.scale = byWidth;
    else if (height > 0.0)
        dc.scale = byHeight;
    dc.origin.x = platform::toDeviceUnits((rect.left + rect.right) / 2 - dc.scale * centre.x);
    dc.origin.y = platform::toDeviceUnits((rect.top + rect.bottom) / 2 + dc.scale * centre.y);
}
