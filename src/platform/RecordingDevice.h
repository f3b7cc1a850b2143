#pragma once
// A device that draws nothing and records every drawing call with the pen,
// brush and other state it was made with, so that a test can say "this
// preview drew these lines with these pens". The lead-in line of an angle arc
// is recorded as a line of its own, before the arc.
#include "platform/Device.h"

#include <iosfwd>
#include <vector>

namespace platform {

struct RecordedCall {
    enum class Kind { Line, Arc, AngleArc, Polygon, Rectangle, Ellipse, Text, Blit, Picture };

    Kind kind = Kind::Line;
    // Line: from, to. Arc: the two box corners, start, end. AngleArc: the
    // centre. Polygon: its points. Rectangle, Ellipse: the two corners.
    // Text: the reference point. Blit: destination, source position.
    // Picture: the box's top-left corner.
    std::vector<DevicePoint> points;
    int radius = 0;           // AngleArc
    double startDegrees = 0;  // AngleArc
    double sweepDegrees = 0;  // AngleArc
    int width = 0;            // Blit, Picture
    int height = 0;           // Blit, Picture
    const Device* source = nullptr; // Blit
    const Picture* picture = nullptr; // Picture
    QString text;             // Text

    // The device state at the call.
    Pen pen;
    Brush brush;
    ArcDirection arcDirection = ArcDirection::CounterClockwise;
    LogFont font;
    ColorRef textColour = 0;
    unsigned textAlign = 0;
    BackgroundMode bkMode = BackgroundMode::Opaque;
};

// One recorded line, for the common question "which lines, with which pens".
struct RecordedLine {
    DevicePoint from;
    DevicePoint to;
    Pen pen;
    friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

class RecordingDevice : public Device {
public:
    explicit RecordingDevice(int width = 0, int height = 0) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    // Another recording device of that size, with its own record.
    std::unique_ptr<Device> createCompatible(int width, int height) const override;

    const std::vector<RecordedCall>& calls() const { return calls_; }
    std::vector<RecordedCall> callsOf(RecordedCall::Kind kind) const;
    std::vector<RecordedLine> lines() const;
    void clear() { calls_.clear(); }

protected:
    void drawLine(DevicePoint from, DevicePoint to) override;
    void drawArc(DevicePoint corner1, DevicePoint corner2, DevicePoint start, DevicePoint end) override;
    void drawAngleArc(DevicePoint centre, int radius, double startDegrees, double sweepDegrees) override;
    void drawPolygon(std::span<const DevicePoint> points) override;
    void drawRectangle(DevicePoint corner1, DevicePoint corner2) override;
    void drawEllipse(DevicePoint corner1, DevicePoint corner2) override;
    void drawText(DevicePoint at, const QString& text) override;
    void copyFrom(DevicePoint to, int width, int height, const Device& source, DevicePoint from) override;
    void drawPicture(DevicePoint at, int width, int height, const Picture& picture) override;

private:
    RecordedCall& record(RecordedCall::Kind kind, std::vector<DevicePoint> points);

    int width_;
    int height_;
    std::vector<RecordedCall> calls_;
};

std::ostream& operator<<(std::ostream& os, const RecordedLine& line);

} // namespace platform
