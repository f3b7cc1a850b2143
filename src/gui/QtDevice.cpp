#include "gui/QtDevice.h"

#include "gui/QtPicture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gui {

using platform::BackgroundMode;
using platform::BrushStyle;
using platform::ColorRef;
using platform::DevicePoint;
using platform::HatchStyle;
using platform::PenStyle;
namespace TextAlign = platform::TextAlign;

namespace {

QColor toQColor(ColorRef c)
{
    return QColor(platform::redOf(c), platform::greenOf(c), platform::blueOf(c));
}

// A styled pen draws its pattern only when it is one unit wide, as a Windows
// cosmetic pen does; wider pens are solid with round ends and joins.
bool drawsPattern(const platform::Pen& pen)
{
    return pen.style != PenStyle::Solid && pen.style != PenStyle::Null && pen.width <= 1;
}

QPen toQPen(const platform::Pen& pen, bool backgroundPass, ColorRef background)
{
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    if (pen.width > 1)
        return QPen(toQColor(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen result(backgroundPass ? toQColor(background) : toQColor(pen.colour), 0, Qt::SolidLine, Qt::FlatCap,
                Qt::MiterJoin);
    if (!backgroundPass) {
        // The on/off lengths of the Windows cosmetic pen styles, in device units.
        switch (pen.style) {
        case PenStyle::Dash:
            result.setDashPattern({18, 6});
            break;
        case PenStyle::Dot:
            result.setDashPattern({3, 3});
            break;
        case PenStyle::DashDot:
            result.setDashPattern({9, 6, 3, 6});
            break;
        case PenStyle::DashDotDot:
            result.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
        }
    }
    return result;
}

QBrush toQBrush(const platform::Brush& brush)
{
    switch (brush.style) {
    case BrushStyle::Null:
        return QBrush(Qt::NoBrush);
    case BrushStyle::Hatched: {
        static const Qt::BrushStyle patterns[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        const int h = static_cast<int>(brush.hatch);
        return QBrush(toQColor(brush.colour), h >= 0 && h <= 5 ? patterns[h] : Qt::HorPattern);
    }
    default:
        return QBrush(toQColor(brush.colour));
    }
}

QFont toQFont(const platform::LogFont& record)
{
    QFont font = QGuiApplication::font();
    if (!record.face().isEmpty())
        font.setFamily(record.face());
    if (record.height != 0) {
        const int h = std::abs(record.height);
        font.setPixelSize(h);
        if (record.height > 0) {
            // A positive height is the whole cell: ascent plus descent.
            const int cell = QFontMetrics(font).height();
            if (cell > 0)
                font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(h) * h / cell))));
        }
    }
    if (record.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(record.weight, 1, 1000)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);
    return font;
}

// The box of an ellipse, rectangle or arc: the corners in any order, the
// right and bottom edge left out.
QRectF boxOf(DevicePoint a, DevicePoint b)
{
    const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

// The parametric angle (in degrees, counter-clockwise on the device) where the
// ray from the box centre through p meets the ellipse of the box.
double rayAngle(const QRectF& box, DevicePoint p)
{
    const double rx = box.width() / 2, ry = box.height() / 2;
    const double dy = box.center().y() - p.y;
    const double dx = p.x - box.center().x();
    // On a circle the parametric angle is the ray's own.
    if (rx == ry)
        return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    const double theta = std::atan2(dy, dx);
    return std::atan2(rx * std::sin(theta), ry * std::cos(theta)) * 180.0 / std::numbers::pi;
}

// The pen on paper: its width from screen pixels to device units, at least
// one screen pixel, the dashes (kept in units of the pen's width by Qt)
// stretched the same.
QPen paperPen(QPen pen, const platform::Pen& from, double scale)
{
    if (pen.style() == Qt::NoPen)
        return pen;
    pen.setColor(toQColor(PaperColour(from.colour)));
    const double width = std::max(1, from.width) * scale;
    if (pen.style() == Qt::CustomDashLine) {
        QList<qreal> dashes = pen.dashPattern();
        for (qreal& d : dashes)
            d = d * scale / width;
        pen.setDashPattern(dashes);
    }
    pen.setWidthF(width);
    pen.setCosmetic(false);
    return pen;
}

// The WCAG relative luminance of an sRGB channel value.
double linearChannel(int v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

platform::ColorRef PaperColour(platform::ColorRef colour)
{
    const double luminance = 0.2126 * linearChannel(platform::redOf(colour))
        + 0.7152 * linearChannel(platform::greenOf(colour)) + 0.0722 * linearChannel(platform::blueOf(colour));
    // Contrast with white (1.05 / (L + 0.05)) below 3:1.
    return 1.05 / (luminance + 0.05) < 3.0 ? platform::rgb(0, 0, 0) : colour;
}

void QtDevice::setPaperPens(double unitsPerScreenPixel)
{
    flush();
    paperScale_ = unitsPerScreenPixel > 0.0 ? unitsPerScreenPixel : 0.0;
    hasConverted_ = false;
}

QtDevice::QtDevice(QPaintDevice* target) : target_(target), image_(dynamic_cast<QImage*>(target))
{
    begin();
}

QtDevice::QtDevice(int width, int height, double pixelRatio)
{
    if (width > 0 && height > 0) {
        const double ratio = pixelRatio > 1.0 ? pixelRatio : 1.0;
        ownImage_ = std::make_unique<QImage>(static_cast<int>(std::ceil(width * ratio)),
                                             static_cast<int>(std::ceil(height * ratio)), QImage::Format_RGB32);
        ownImage_->setDevicePixelRatio(ratio);
        ownImage_->fill(Qt::black);
        ownWidth_ = width;
        ownHeight_ = height;
        target_ = ownImage_.get();
        image_ = ownImage_.get();
    }
    begin();
}

QtDevice::~QtDevice()
{
    flush();
    if (painter_.isActive())
        painter_.end();
}

void QtDevice::flush() const
{
    if (usedStrokes_ == 0)
        return;
    painter_.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < usedStrokes_; ++i) {
        Strokes& s = strokes_[i];
        if (s.setsPixels) {
            for (const QLineF& line : s.lines)
                setPixels(s, line);
            for (const Segment& g : s.segments)
                plotPixels(s.colour, g[0], g[1], g[2], g[3]);
            s.segments.clear();
        } else if (!s.lines.isEmpty()) {
            painter_.setPen(qtPen(s.pen, s.background));
            painter_.drawLines(s.lines);
        }
        s.lines.clear(); // keeps its capacity for the next paint
    }
    usedStrokes_ = 0;
}

bool QtDevice::setsPixels(const platform::Pen& pen) const
{
    // Only the own image: an image of the caller's might share its pixels.
    const QImage* own = ownImage_.get();
    return paperScale_ == 0.0 && own && image_ == own && own->isDetached() && own->format() == QImage::Format_RGB32 && own->devicePixelRatio() == 1.0
        && pen.style == PenStyle::Solid && pen.width <= 1 && painter_.isActive() && !painter_.hasClipping()
        && painter_.worldTransform().isIdentity();
}

namespace {

// Beyond this many units from the image's corner a line goes to Qt.
constexpr int kPixelReach = 16384;

// The nearest whole pixel, halves going up (floor(v + 0.5)) for values well
// within the int range.
int nearestPixel(double v)
{
    const double shifted = v + 0.5;
    const int t = static_cast<int>(shifted);
    return shifted < t ? t - 1 : t;
}

} // namespace

// The line from its first pixel up to, not including, its last (as LineTo
// draws), the ends rounded to the nearest pixel; pixels outside the image
// are left out. A line reaching far beyond the image goes to Qt instead.
void QtDevice::setPixels(const Strokes& strokes, const QLineF& line) const
{
    constexpr double kReach = kPixelReach;
    if (std::abs(line.x1()) > kReach || std::abs(line.y1()) > kReach || std::abs(line.x2()) > kReach
        || std::abs(line.y2()) > kReach) {
        painter_.setPen(qtPen(strokes.pen, strokes.background));
        painter_.drawLine(line);
        return;
    }
    plotPixels(strokes.colour, nearestPixel(line.x1()), nearestPixel(line.y1()), nearestPixel(line.x2()),
               nearestPixel(line.y2()));
}

// Bresenham from (x, y) up to, not including, (x1, y1).
void QtDevice::plotPixels(QRgb colour, int x, int y, int x1, int y1) const
{
    const int w = pixelsWide_;
    const int h = pixelsHigh_;
    uchar* const bits = pixels_;
    const qsizetype stride = pixelStride_;
    const int dx = std::abs(x1 - x);
    const int dy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1;
    const int sy = y < y1 ? 1 : -1;
    int error = dx + dy;
    while (x != x1 || y != y1) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void QtDevice::begin()
{
    active_ = target_ && painter_.begin(target_);
    if (active_)
        painter_.setRenderHint(QPainter::Antialiasing, false);
}

int QtDevice::width() const
{
    if (ownImage_)
        return ownWidth_;
    if (image_)
        return static_cast<int>(std::lround(image_->deviceIndependentSize().width()));
    return target_ ? target_->width() : 0;
}

int QtDevice::height() const
{
    if (ownImage_)
        return ownHeight_;
    if (image_)
        return static_cast<int>(std::lround(image_->deviceIndependentSize().height()));
    return target_ ? target_->height() : 0;
}

double QtDevice::pixelRatio() const
{
    return target_ ? target_->devicePixelRatioF() : 1.0;
}

std::unique_ptr<platform::Device> QtDevice::createCompatible(int width, int height) const
{
    return std::make_unique<QtDevice>(width, height, pixelRatio());
}

const QPen& QtDevice::qtPen(const platform::Pen& pen, ColorRef background) const
{
    if (!(hasConverted_ && convertedFrom_ == pen && convertedBackground_ == background)) {
        converted_ = toQPen(pen, false, background);
        if (paperScale_ > 0.0)
            converted_ = paperPen(converted_, pen, paperScale_);
        convertedFrom_ = pen;
        convertedBackground_ = background;
        hasConverted_ = true;
    }
    return converted_;
}

void QtDevice::prepare(bool filled)
{
    flush();
    painter_.setPen(qtPen(pen(), bkColor()));
    painter_.setBrush(filled ? toQBrush(brush()) : QBrush(Qt::NoBrush));
}

// In opaque mode the gaps of a styled pen and of a hatch are the background
// colour: a first pass paints them before the pattern itself.
template <class Draw>
static void paintWithBackground(QPainter& painter, const platform::Device& dc, bool filled, Draw draw)
{
    if (dc.bkMode() != BackgroundMode::Opaque)
        return;
    const bool hatch = filled && dc.brush().style == BrushStyle::Hatched;
    const bool styled = drawsPattern(dc.pen());
    if (!hatch && !styled)
        return;
    painter.save();
    painter.setPen(styled ? toQPen(dc.pen(), true, dc.bkColor()) : QPen(Qt::NoPen));
    painter.setBrush(hatch ? QBrush(toQColor(dc.bkColor())) : QBrush(Qt::NoBrush));
    draw();
    painter.restore();
}

void QtDevice::strokePath(const QPainterPath& path)
{
    paintWithBackground(painter_, *this, false, [&] { painter_.drawPath(path); });
    prepare(false);
    painter_.drawPath(path);
}

bool QtDevice::gathers() const
{
    return !(bkMode() == BackgroundMode::Opaque && drawsPattern(pen()));
}

QtDevice::Strokes& QtDevice::strokesOfPen()
{
    const auto matches = [&](const Strokes& s) { return s.pen == pen() && s.background == bkColor(); };
    if (lastStrokes_ < usedStrokes_ && matches(strokes_[lastStrokes_]))
        return strokes_[lastStrokes_];
    std::size_t i = 0;
    while (i < usedStrokes_ && !matches(strokes_[i]))
        ++i;
    if (i == usedStrokes_) {
        if (usedStrokes_ == kMostPens) {
            flush();
            i = 0;
        }
        if (strokes_.size() <= i)
            strokes_.resize(i + 1);
        Strokes& s = strokes_[i];
        s.pen = pen();
        s.background = bkColor();
        s.setsPixels = setsPixels(s.pen);
        s.colour = toQColor(s.pen.colour).rgb();
        if (s.setsPixels) {
            // The pixels are written through one detached image while
            // strokes are gathered; flush() ends every gathering.
            pixels_ = ownImage_->bits();
            pixelStride_ = ownImage_->bytesPerLine();
            pixelsWide_ = ownImage_->width();
            pixelsHigh_ = ownImage_->height();
        }
        usedStrokes_ = i + 1;
    }
    lastStrokes_ = i;
    return strokes_[i];
}

void QtDevice::gather(const QLineF& line)
{
    Strokes& s = strokesOfPen();
    // The first pen's strokes lie below all others whenever they are drawn:
    // when its pixels can be set they are set at once, not kept.
    if (lastStrokes_ == 0 && s.setsPixels)
        setPixels(s, line);
    else
        s.lines.append(line);
}

bool QtDevice::gatherArc(const QRectF& box, double startDegrees, double sweepDegrees)
{
    // Beyond this radius in pixels the chords would be too many.
    constexpr double kLargestRadius = 4096.0;
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    const double r = std::max(rx, ry);
    if (r > kLargestRadius || !gathers())
        return false;
    const double sweep = sweepDegrees * std::numbers::pi / 180.0;
    // A chord over the angle step stays within half a pixel of the curve,
    // the rounding of aliased painting: r·(1 − cos(step/2)) ≤ r·step²/8 = 1/2.
    const double step = r > 1.0 ? std::sqrt(4.0 / r) : std::numbers::pi / 2;
    const int chords = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / step)));
    const double c = std::cos(sweep / chords);
    const double sn = std::sin(sweep / chords);
    const QPointF centre = box.center();
    double u = std::cos(startDegrees * std::numbers::pi / 180.0);
    double v = std::sin(startDegrees * std::numbers::pi / 180.0);
    QPointF previous(centre.x() + rx * u, centre.y() - ry * v);
    for (int i = 0; i < chords; ++i) {
        const double nu = u * c - v * sn;
        v = u * sn + v * c;
        u = nu;
        const QPointF next(centre.x() + rx * u, centre.y() - ry * v);
        gather(QLineF(previous, next));
        previous = next;
    }
    return true;
}

void QtDevice::drawLine(DevicePoint from, DevicePoint to)
{
    // A line that ends where it starts draws nothing, as LineTo does.
    if (!active_ || from == to)
        return;
    const QLine line(from.x, from.y, to.x, to.y);
    if (gathers()) {
        // A pen that sets its pixels takes the whole-pixel ends as they are:
        // the first pen's at once, any other's kept in a few bytes.
        constexpr int kReach = kPixelReach;
        Strokes& s = strokesOfPen();
        if (s.setsPixels && std::abs(from.x) <= kReach && std::abs(from.y) <= kReach && std::abs(to.x) <= kReach
            && std::abs(to.y) <= kReach) {
            if (lastStrokes_ == 0)
                plotPixels(s.colour, from.x, from.y, to.x, to.y);
            else
                s.segments.push_back({static_cast<std::int16_t>(from.x), static_cast<std::int16_t>(from.y),
                                      static_cast<std::int16_t>(to.x), static_cast<std::int16_t>(to.y)});
            return;
        }
        gather(QLineF(line));
        return;
    }
    // The gaps first, then the pattern.
    flush();
    paintWithBackground(painter_, *this, false, [&] { painter_.drawLine(line); });
    prepare(false);
    painter_.drawLine(line);
}

void QtDevice::drawArc(DevicePoint corner1, DevicePoint corner2, DevicePoint start, DevicePoint end)
{
    const QRectF box = boxOf(corner1, corner2);
    if (!painter_.isActive() || box.width() < 0 || box.height() < 0)
        return;
    const double from = rayAngle(box, start);
    const double to = end == start ? from : rayAngle(box, end);
    // The angle from the start ray to the end ray in the arc direction; the
    // same ray both times is the whole ellipse.
    double sweep = std::fmod(to - from + 720.0, 360.0);
    if (sweep < 1e-9)
        sweep = 360.0;
    if (arcDirection() == platform::ArcDirection::Clockwise)
        sweep = sweep == 360.0 ? -360.0 : sweep - 360.0;
    if (gatherArc(box, from, sweep))
        return;
    QPainterPath path;
    path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    strokePath(path);
}

void QtDevice::drawAngleArc(DevicePoint centre, int radius, double startDegrees, double sweepDegrees)
{
    if (!painter_.isActive())
        return;
    const QRectF box(centre.x - radius, centre.y - radius, 2.0 * radius, 2.0 * radius);
    const double sweep = std::clamp(sweepDegrees, -360.0, 360.0);
    if (gatherArc(box, startDegrees, sweep))
        return;
    QPainterPath path;
    path.arcMoveTo(box, startDegrees);
    path.arcTo(box, startDegrees, sweep);
    strokePath(path);
}

void QtDevice::drawPolygon(std::span<const DevicePoint> points)
{
    flush();
    if (!painter_.isActive())
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const DevicePoint& p : points)
        polygon << QPoint(p.x, p.y);
    paintWithBackground(painter_, *this, true, [&] { painter_.drawPolygon(polygon, Qt::OddEvenFill); });
    prepare(true);
    painter_.drawPolygon(polygon, Qt::OddEvenFill);
}

void QtDevice::drawBoxShape(DevicePoint corner1, DevicePoint corner2, void (QPainter::*draw)(const QRect&))
{
    flush();
    const QRectF box = boxOf(corner1, corner2);
    if (!painter_.isActive() || box.width() < 0 || box.height() < 0)
        return;
    const QRect rect = box.toRect();
    paintWithBackground(painter_, *this, true, [&] { (painter_.*draw)(rect); });
    prepare(true);
    (painter_.*draw)(rect);
}

void QtDevice::drawRectangle(DevicePoint corner1, DevicePoint corner2)
{
    drawBoxShape(corner1, corner2, &QPainter::drawRect);
}

void QtDevice::drawEllipse(DevicePoint corner1, DevicePoint corner2)
{
    drawBoxShape(corner1, corner2, &QPainter::drawEllipse);
}

void QtDevice::drawText(DevicePoint at, const QString& text)
{
    flush();
    if (!painter_.isActive())
        return;
    painter_.save();
    painter_.setFont(toQFont(font()));
    const QFontMetrics metrics = painter_.fontMetrics();
    const double advance = metrics.horizontalAdvance(text);
    double x = 0;
    switch (textAlign() & TextAlign::HorizontalMask) {
    case TextAlign::Right:
        x = -advance;
        break;
    case TextAlign::Center:
        x = -advance / 2;
        break;
    default:
        break;
    }
    double baseline = metrics.ascent();
    switch (textAlign() & TextAlign::VerticalMask) {
    case TextAlign::Bottom:
        baseline = -metrics.descent();
        break;
    case TextAlign::Baseline:
        baseline = 0;
        break;
    default:
        break;
    }
    painter_.translate(at.x, at.y);
    if (font().escapement != 0)
        painter_.rotate(-font().escapement / 10.0);
    if (bkMode() == BackgroundMode::Opaque)
        painter_.fillRect(QRectF(x, baseline - metrics.ascent(), advance, metrics.height()), toQColor(bkColor()));
    painter_.setPen(toQColor(textColor()));
    painter_.drawText(QPointF(x, baseline), text);
    painter_.restore();
}

void QtDevice::copyFrom(DevicePoint to, int width, int height, const platform::Device& source, DevicePoint from)
{
    flush();
    const auto* qtSource = dynamic_cast<const QtDevice*>(&source);
    if (!painter_.isActive() || !qtSource || !qtSource->image_)
        return;
    qtSource->flush();
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    // The source's pixels of the units asked for, onto as many units here.
    const double ratio = qtSource->image_->devicePixelRatio();
    const QRect pixels(static_cast<int>(std::lround(from.x * ratio)), static_cast<int>(std::lround(from.y * ratio)),
                       static_cast<int>(std::lround(width * ratio)), static_cast<int>(std::lround(height * ratio)));
    const QRectF units(to.x, to.y, width, height);
    if (qtSource == this) {
        // A copy first, so that a device can copy a part of itself.
        const QImage part = image_->copy(pixels);
        painter_.drawImage(units, part);
    } else {
        painter_.drawImage(units, *qtSource->image_, pixels);
    }
    painter_.restore();
}

void QtDevice::drawPicture(DevicePoint at, int width, int height, const platform::Picture& picture)
{
    const auto* qtPicture = dynamic_cast<const QtPicture*>(&picture);
    if (!painter_.isActive() || !qtPicture)
        return;
    flush();
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.drawImage(QRect(at.x, at.y, width, height), qtPicture->image());
    painter_.restore();
}

} // namespace gui
