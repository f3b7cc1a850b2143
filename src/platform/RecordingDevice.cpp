#include "platform/RecordingDevice.h"

#include <ostream>

namespace platform {

std::unique_ptr<Device> RecordingDevice::createCompatible(int width, int height) const
{
    return std::make_unique<RecordingDevice>(width, height);
}

std::vector<RecordedCall> RecordingDevice::callsOf(RecordedCall::Kind kind) const
{
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : calls_)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

std::vector<RecordedLine> RecordingDevice::lines() const
{
    std::vector<RecordedLine> result;
    for (const RecordedCall& call : calls_)
        if (call.kind == RecordedCall::Kind::Line)
            result.push_back({call.points[0], call.points[1], call.pen});
    return result;
}

RecordedCall& RecordingDevice::record(RecordedCall::Kind kind, std::vector<DevicePoint> points)
{
    RecordedCall& call = calls_.emplace_back();
    call.kind = kind;
    call.points = std::move(points);
    call.pen = pen();
    call.brush = brush();
    call.arcDirection = arcDirection();
    call.font = font();
    call.textColour = textColor();
    call.textAlign = textAlign();
    call.bkMode = bkMode();
    return call;
}

void RecordingDevice::drawLine(DevicePoint from, DevicePoint to)
{
    record(RecordedCall::Kind::Line, {from, to});
}

void RecordingDevice::drawArc(DevicePoint corner1, DevicePoint corner2, DevicePoint start, DevicePoint end)
{
    record(RecordedCall::Kind::Arc, {corner1, corner2, start, end});
}

void RecordingDevice::drawAngleArc(DevicePoint centre, int radius, double startDegrees, double sweepDegrees)
{
    RecordedCall& call = record(RecordedCall::Kind::AngleArc, {centre});
    call.radius = radius;
    call.startDegrees = startDegrees;
    call.sweepDegrees = sweepDegrees;
}

void RecordingDevice::drawPolygon(std::span<const DevicePoint> points)
{
    record(RecordedCall::Kind::Polygon, {points.begin(), points.end()});
}

void RecordingDevice::drawRectangle(DevicePoint corner1, DevicePoint corner2)
{
    record(RecordedCall::Kind::Rectangle, {corner1, corner2});
}

void RecordingDevice::drawEllipse(DevicePoint corner1, DevicePoint corner2)
{
    record(RecordedCall::Kind::Ellipse, {corner1, corner2});
}

void RecordingDevice::drawText(DevicePoint at, const QString& text)
{
    record(RecordedCall::Kind::Text, {at}).text = text;
}

void RecordingDevice::copyFrom(DevicePoint to, int width, int height, const Device& source, DevicePoint from)
{
    RecordedCall& call = record(RecordedCall::Kind::Blit, {to, from});
    call.width = width;
    call.height = height;
    call.source = &source;
}

void RecordingDevice::drawPicture(DevicePoint at, int width, int height, const Picture& picture)
{
    RecordedCall& call = record(RecordedCall::Kind::Picture, {at});
    call.width = width;
    call.height = height;
    call.picture = &picture;
}

std::ostream& operator<<(std::ostream& os, const RecordedLine& line)
{
    return os << line.from << " -> " << line.to << ' ' << line.pen;
}

} // namespace platform
