#pragma once
// The device of the program: draws the device calls of the model with a
// QPainter on a widget or an image, with the Windows meanings of
// platform::Device (Y down, arc direction, excluded right and bottom edges,
// cosmetic pen styles, hatch patterns, opaque backgrounds).
//
// Painting is aliased, as the Windows calls paint, so that one device unit is
// one pixel.
#include "platform/Device.h"

#include <QImage>
#include <QPainter>

#include <memory>

class QPaintDevice;

namespace gui {

class QtDevice : public platform::Device {
public:
    // Paints on a widget (only inside its paint event) or on an image that
    // the caller keeps alive longer than the device.
    explicit QtDevice(QPaintDevice* target);
    // A memory device: owns an image of that size, black at first.
    QtDevice(int width, int height);
    ~QtDevice() override;

    int width() const override;
    int height() const override;
    std::unique_ptr<platform::Device> createCompatible(int width, int height) const override;

    // The image drawn on: the memory device's own or the image target; null
    // for a widget.
    const QImage* image() const { return image_; }

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

private:
    void begin();
    // Sets the painter up for a stroke (pen only) or a filled shape.
    void prepare(bool filled);
    void strokePath(const QPainterPath& path);
    // A rectangle or ellipse in the box of two corners.
    void drawBoxShape(platform::DevicePoint corner1, platform::DevicePoint corner2,
                      void (QPainter::*draw)(const QRect&));

    std::unique_ptr<QImage> ownImage_;
    QPaintDevice* target_ = nullptr;
    QImage* image_ = nullptr;
    QPainter painter_;
};

} // namespace gui
