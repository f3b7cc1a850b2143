#include "platform/Device.h"

#include <cmath>
#include <numbers>

namespace platform {

DevicePoint pointOnCircle(DevicePoint centre, int radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return {centre.x + static_cast<int>(std::lround(radius * std::cos(a))),
            centre.y - static_cast<int>(std::lround(radius * std::sin(a)))};
}

DevicePoint Device::moveTo(int x, int y)
{
    const DevicePoint previous = position_;
    position_ = {x, y};
    return previous;
}

void Device::lineTo(int x, int y)
{
    const DevicePoint from = position_;
    position_ = {x, y};
    drawLine(from, position_);
}

ArcDirection Device::setArcDirection(ArcDirection direction)
{
    const ArcDirection previous = arcDirection_;
    arcDirection_ = direction;
    return previous;
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
    const Pen previous = pen_;
    pen_ = pen;
    return previous;
}

Brush Device::selectBrush(const Brush& brush)
{
    const Brush previous = brush_;
    brush_ = brush;
    return previous;
}

LogFont Device::selectFont(const LogFont& font)
{
    const LogFont previous = font_;
    font_ = font;
    return previous;
}

ColorRef Device::setTextColor(ColorRef colour)
{
    const ColorRef previous = textColour_;
    textColour_ = colour;
    return previous;
}

unsigned Device::setTextAlign(unsigned align)
{
    const unsigned previous = textAlign_;
    textAlign_ = align;
    return previous;
}

BackgroundMode Device::setBkMode(BackgroundMode mode)
{
    const BackgroundMode previous = bkMode_;
    bkMode_ = mode;
    return previous;
}

ColorRef Device::setBkColor(ColorRef colour)
{
    const ColorRef previous = bkColour_;
    bkColour_ = colour;
    return previous;
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

} // namespace platform
