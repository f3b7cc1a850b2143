#include "platform/Device.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace platform {

DevicePoint pointOnCircle(DevicePoint centre, int radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return {centre.x + static_cast<int>(std::lround(radius * std::cos(a))),
            centre.y - static_cast<int>(std::lround(radius * std::sin(a)))};
}

DevicePoint Device::moveTo(int x, int y)
{
    return std::exchange(position_, DevicePoint{x, y});
}

void Device::lineTo(int x, int y)
{
    const DevicePoint from = position_;
    position_ = {x, y};
    drawLine(from, position_);
}

ArcDirection Device::setArcDirection(ArcDirection direction)
{
    return std::exchange(arcDirection_, direction);
}

void Device::arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    drawArc({left, top}, {right, bottom}, {xStart, yStart}, {xEnd, yEnd});
}

void Device::angleArc(int x, int y, int radius, double startDegrees, double sweepDegrees)
{
    if (radius < 0)
        return;
    const DevicePoint centre{x, y};
    const DevicePoint start = pointOnCircle(centre, radius, startDegrees);
    if (start != position_)
        drawLine(position_, start);
    drawAngleArc(centre, radius, startDegrees, sweepDegrees);
    position_ = pointOnCircle(centre, radius, startDegrees + sweepDegrees);
}

void Device::polygon(std::span<const DevicePoint> points)
{
    if (points.size() >= 2)
        drawPolygon(points);
}

void Device::rectangle(int left, int top, int right, int bottom)
{
    drawRectangle({left, top}, {right, bottom});
}

void Device::ellipse(int left, int top, int right, int bottom)
{
    drawEllipse({left, top}, {right, bottom});
}

Pen Device::selectPen(const Pen& pen)
{
    return std::exchange(pen_, pen);
}

Brush Device::selectBrush(const Brush& brush)
{
    return std::exchange(brush_, brush);
}

LogFont Device::selectFont(const LogFont& font)
{
    return std::exchange(font_, font);
}

ColorRef Device::setTextColor(ColorRef colour)
{
    return std::exchange(textColour_, colour);
}

unsigned Device::setTextAlign(unsigned align)
{
    return std::exchange(textAlign_, align);
}

BackgroundMode Device::setBkMode(BackgroundMode mode)
{
    return std::exchange(bkMode_, mode);
}

ColorRef Device::setBkColor(ColorRef colour)
{
    return std::exchange(bkColour_, colour);
}

void Device::textOut(int x, int y, const QString& text)
{
    if (!text.isEmpty())
        drawText({x, y}, text);
}

void Device::bitBlt(int x, int y, int width, int height, const Device& source, int xSource, int ySource)
{
    if (width > 0 && height > 0)
        copyFrom({x, y}, width, height, source, {xSource, ySource});
}

void Device::stretchPicture(int x, int y, int width, int height, const Picture& picture)
{
    if (width > 0 && height > 0)
        drawPicture({x, y}, width, height, picture);
}

} // namespace platform
