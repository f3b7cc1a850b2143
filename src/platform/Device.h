#pragma once
// The drawing surface the model paints on: the operations of a Windows device
// context that this program uses, with their Windows meanings.
//
// - Coordinates are integer device units, X to the right and Y down.
// - A device has a current position: moveTo sets it, lineTo draws from it and
//   moves it, angleArc draws a lead-in line from it to the arc's start and
//   leaves it at the arc's end. arc, polygon, rectangle and ellipse neither use
//   nor move it.
// - Angles are counter-clockwise as seen on the device (Y down), in degrees.
//   arc follows the arc direction (counter-clockwise unless set otherwise);
//   angleArc follows the sign of its sweep and ignores the arc direction.
// - Rectangle, ellipse and arc boxes leave out their right and bottom edge:
//   ellipse(0, 0, 11, 11) is a circle of radius 5 about (5, 5).
// - Lines, arcs and outlines use the selected pen; polygon, rectangle and
//   ellipse fill with the selected brush (polygons with the alternate rule).
// - A new device has the black stock pen, the white stock brush, the default
//   font, black text, left/top text alignment, an opaque white background,
//   a counter-clockwise arc direction and its current position at (0, 0).
//
// The base class keeps this state and the current position; a concrete device
// (the Qt painter device, the recording device of the tests) only draws.
#include "platform/DrawingObjects.h"
#include "platform/Picture.h"

#include <QString>

#include <memory>
#include <span>

namespace platform {

enum class ArcDirection : int { CounterClockwise = 1, Clockwise = 2 };

enum class BackgroundMode : int { Transparent = 1, Opaque = 2 };

// Text alignment flags (the Windows TA_ values); one horizontal value may be
// combined with one vertical value.
namespace TextAlign {
constexpr unsigned Left = 0;
constexpr unsigned Right = 2;
constexpr unsigned Center = 6;
constexpr unsigned Top = 0;
constexpr unsigned Bottom = 8;
constexpr unsigned Baseline = 24;
constexpr unsigned HorizontalMask = 6;
constexpr unsigned VerticalMask = 24;
} // namespace TextAlign

class Device {
public:
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Size of the drawing surface in device units.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // MoveToEx: returns the previous position.
    DevicePoint moveTo(int x, int y);
    DevicePoint moveTo(DevicePoint p) { return moveTo(p.x, p.y); }
    DevicePoint currentPosition() const { return position_; }
    // LineTo: a line from the current position, which then moves to (x, y).
    // A line that ends where it starts draws nothing (it is still recorded).
    void lineTo(int x, int y);
    void lineTo(DevicePoint p) { lineTo(p.x, p.y); }

    // SetArcDirection: returns the previous direction.
    ArcDirection setArcDirection(ArcDirection direction);
    ArcDirection arcDirection() const { return arcDirection_; }
    // Arc: the part of the ellipse in the box from the ray through the start
    // point to the ray through the end point (both seen from the box centre),
    // in the arc direction; equal rays give the whole ellipse. The corners may
    // come in any order.
    void arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // AngleArc: a line from the current position to the point at startDegrees
    // on the circle, then the arc over sweepDegrees (positive counter-clockwise);
    // the current position ends at the arc's end. A negative radius draws nothing.
    void angleArc(int x, int y, int radius, double startDegrees, double sweepDegrees);

    // Polygon: closed outline with the pen, filled with the brush; fewer than
    // two points draw nothing.
    void polygon(std::span<const DevicePoint> points);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);

    // SelectObject for pens, brushes and fonts: returns what was selected.
    Pen selectPen(const Pen& pen);
    const Pen& pen() const { return pen_; }
    Brush selectBrush(const Brush& brush);
    const Brush& brush() const { return brush_; }
    LogFont selectFont(const LogFont& font);
    const LogFont& font() const { return font_; }

    // SetTextColor, SetTextAlign, SetBkMode, SetBkColor: return the previous value.
    ColorRef setTextColor(ColorRef colour);
    ColorRef textColor() const { return textColour_; }
    unsigned setTextAlign(unsigned align);
    unsigned textAlign() const { return textAlign_; }
    // The background fills the gaps of styled pens and hatched brushes and
    // the cells of text when the mode is opaque.
    BackgroundMode setBkMode(BackgroundMode mode);
    BackgroundMode bkMode() const { return bkMode_; }
    ColorRef setBkColor(ColorRef colour);
    ColorRef bkColor() const { return bkColour_; }

    // TextOut: the text with the selected font and text colour, placed at
    // (x, y) by the text alignment; the current position stays.
    void textOut(int x, int y, const QString& text);

    // CreateCompatibleDC with a compatible bitmap of that size selected: a
    // memory device that draws like this one.
    virtual std::unique_ptr<Device> createCompatible(int width, int height) const = 0;
    // BitBlt with SRCCOPY: copies width x height units from (xSource, ySource)
    // of the source to (x, y) of this device. A source this device cannot read
    // copies nothing.
    void bitBlt(int x, int y, int width, int height, const Device& source, int xSource, int ySource);
    // StretchBlt of a whole picture with SRCCOPY into the box of width by
    // height units at (x, y); an empty box draws nothing, as does a picture
    // this device cannot read.
    void stretchPicture(int x, int y, int width, int height, const Picture& picture);

protected:
    Device() = default;

    // What a concrete device draws, with the state read through the accessors
    // above. The arguments are those of the public calls, unchanged.
    virtual void drawLine(DevicePoint from, DevicePoint to) = 0;
    virtual void drawArc(DevicePoint corner1, DevicePoint corner2, DevicePoint start, DevicePoint end) = 0;
    virtual void drawAngleArc(DevicePoint centre, int radius, double startDegrees, double sweepDegrees) = 0;
    virtual void drawPolygon(std::span<const DevicePoint> points) = 0;
    virtual void drawRectangle(DevicePoint corner1, DevicePoint corner2) = 0;
    virtual void drawEllipse(DevicePoint corner1, DevicePoint corner2) = 0;
    virtual void drawText(DevicePoint at, const QString& text) = 0;
    virtual void copyFrom(DevicePoint to, int width, int height, const Device& source, DevicePoint from) = 0;
    virtual void drawPicture(DevicePoint at, int width, int height, const Picture& picture) = 0;

private:
    DevicePoint position_;
    ArcDirection arcDirection_ = ArcDirection::CounterClockwise;
    Pen pen_ = Pen::black();
    Brush brush_ = Brush::white();
    LogFont font_;
    ColorRef textColour_ = rgb(0, 0, 0);
    unsigned textAlign_ = TextAlign::Left | TextAlign::Top;
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    ColorRef bkColour_ = rgb(255, 255, 255);
};

// The point at `degrees` (counter-clockwise on the device) on the circle of
// that radius about the centre, rounded to device units.
DevicePoint pointOnCircle(DevicePoint centre, int radius, double degrees);

} // namespace platform
