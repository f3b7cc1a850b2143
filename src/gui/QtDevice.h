#pragma once
// The device of the program: draws the device calls of the model with a
// QPainter on a widget or an image, with the Windows meanings of
// platform::Device (Y down, arc direction, excluded right and bottom edges,
// cosmetic pen styles, hatch patterns, opaque backgrounds).
//
// Painting is aliased, as the Windows calls paint, so that one device unit is
// one pixel. Lines and arcs are gathered by pen and each pen's strokes drawn
// together (arcs as chords within half a pixel of the curve), the pens in
// the order of their first stroke: where strokes of different pens cross,
// the pen used first lies below. They reach the target before any other
// drawing, before the device is copied from and when it goes (flush() for a
// caller that reads the target itself). A memory device sets the pixels of
// solid one-pixel strokes itself (Bresenham, the last pixel left out); the
// first pen's, which lie below all others anyway, as they come.
#include "platform/Device.h"

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QPen>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QPaintDevice;

namespace gui {

// The colour a pen prints with on white paper: a colour whose contrast with
// white is below 3:1 (yellow, cyan, light green, light grey: the screen's
// colours for a black background) prints black, any other as it is.
platform::ColorRef PaperColour(platform::ColorRef colour);

class QtDevice : public platform::Device {
public:
    // Paints on a widget (only inside its paint event) or on an image that
    // the caller keeps alive longer than the device.
    explicit QtDevice(QPaintDevice* target);
    // A memory device: owns an image of that size, black at first. With a
    // pixel ratio above 1 (a high-density screen) the image has that many
    // pixels per device unit, so that strokes stay one screen pixel thin.
    QtDevice(int width, int height, double pixelRatio = 1.0);
    ~QtDevice() override;

    // In device units (for a memory device of a pixel ratio above 1, fewer
    // than its image's pixels).
    int width() const override;
    int height() const override;
    double pixelRatio() const;
    std::unique_ptr<platform::Device> createCompatible(int width, int height) const override;

    // The image drawn on: the memory device's own or the image target; null
    // for a widget.
    const QImage* image() const
    {
        flush();
        return image_;
    }
    // Strokes the lines gathered so far.
    void flush() const;
    // Whether the device could start painting on its target (a printer
    // whose file cannot be written cannot).
    bool isActive() const { return painter_.isActive(); }

    // Paper: every pen scaled from screen pixels (1/96 inch) to device
    // units by `unitsPerScreenPixel`, so a one-pixel rule prints 0.26 mm
    // wide and dashes keep their screen length; colours by PaperColour.
    // 0 turns it off (the screen's pens).
    void setPaperPens(double unitsPerScreenPixel);

protected:
    void drawLine(platform::DevicePoint from, platform::DevicePoint to) override;
    void drawArc(platform::DevicePoint corner1, platform::DevicePoint corner2, platform::DevicePoint start,
                 platform::DevicePoint end) override;
    void drawAngleArc(platform::DevicePoint centre, int radius, double startDegrees, double sweepDegrees) override;
    void drawPolygon(std::span<const platform::DevicePoint> points) override;
    void drawRectangle(platform::DevicePoint corner1, platform::DevicePoint corner2) override;
    void drawEllipse(platform::DevicePoint corner1, platform::DevicePoint corner2) override;
    void drawText(platform::DevicePoint at, const QString& text) override;
    void copyFrom(platform::DevicePoint to, int width, int height, const platform::Device& source,
                  platform::DevicePoint from) override;
    // Reads a gui::QtPicture only.
    void drawPicture(platform::DevicePoint at, int width, int height, const platform::Picture& picture) override;

private:
    void begin();
    // Sets the painter up for a stroke (pen only) or a filled shape.
    void prepare(bool filled);
    void strokePath(const QPainterPath& path);
    // Gathers a stroke with the current pen, or draws it at once where the
    // opaque background shows between a styled pen's dashes.
    bool gathers() const;
    void gather(const QLineF& line);
    struct Strokes;
    // The entry of the current pen and background, made when new.
    Strokes& strokesOfPen();
    // Gathers the arc of the ellipse in the box from startDegrees over
    // sweepDegrees (parametric angles, counter-clockwise on the device) as
    // chords; false when it is too large for chords (the caller strokes a path).
    bool gatherArc(const QRectF& box, double startDegrees, double sweepDegrees);
    // A rectangle or ellipse in the box of two corners.
    void drawBoxShape(platform::DevicePoint corner1, platform::DevicePoint corner2,
                      void (QPainter::*draw)(const QRect&));

    // Whether the strokes can be set straight into the own image's pixels
    // (a solid pen one pixel wide, one pixel per unit, no clip).
    bool setsPixels(const platform::Pen& pen) const;
    void setPixels(const Strokes& strokes, const QLineF& line) const;
    void plotPixels(QRgb colour, int x, int y, int x1, int y1) const;
    // The Qt pen of a platform pen on that background, converted once for a
    // run of calls with the same pen.
    const QPen& qtPen(const platform::Pen& pen, platform::ColorRef background) const;

    std::unique_ptr<QImage> ownImage_;
    // The own image's size in device units as asked for: its pixel size
    // divided by a fractional ratio would not give it back.
    int ownWidth_ = 0;
    int ownHeight_ = 0;
    QPaintDevice* target_ = nullptr;
    QImage* image_ = nullptr;
    // Mutable: gathered lines are stroked when a const reader needs them.
    mutable QPainter painter_;
    bool active_ = false; // the painter began on the target
    using Segment = std::array<std::int16_t, 4>;
    // The gathered strokes of one pen on one background colour; setsPixels
    // and colour are decided when the pen's first stroke comes.
    struct Strokes {
        platform::Pen pen;
        platform::ColorRef background = 0;
        QList<QLineF> lines;
        // Whole-pixel lines of a pen that sets its pixels: from x, y, to x, y.
        std::vector<Segment> segments;
        bool setsPixels = false;
        QRgb colour = 0;
    };
    static constexpr std::size_t kMostPens = 16;
    mutable std::vector<Strokes> strokes_; // in the order of first use
    mutable std::size_t usedStrokes_ = 0;  // entries of strokes_ in use
    // The own image's pixels while a pen that sets them gathers.
    uchar* pixels_ = nullptr;
    qsizetype pixelStride_ = 0;
    int pixelsWide_ = 0;
    int pixelsHigh_ = 0;
    std::size_t lastStrokes_ = 0;          // the entry gather used last
    // The Qt pen of the last platform pen and background colour converted.
    mutable platform::Pen convertedFrom_;
    mutable platform::ColorRef convertedBackground_ = 0;
    mutable QPen converted_;
    mutable bool hasConverted_ = false;
    double paperScale_ = 0.0;
};

} // namespace gui
