#include "gui/QtDevice.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);

// A white image and a device painting on it with the black stock pen.
struct Canvas {
    QImage image{120, 120, QImage::Format_RGB32};
    std::unique_ptr<gui::QtDevice> dc;
    Canvas()
    {
        image.fill(white);
        dc = std::make_unique<gui::QtDevice>(&image);
    }
    // Ends painting so that the image can be read.
    const QImage& done()
    {
        dc.reset();
        return image;
    }
};

// Whether any pixel within one unit of (x, y) has the colour.
bool near(const QImage& image, int x, int y, QRgb colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == colour)
                return true;
    return false;
}

// The on and off runs of pixels of colour `ink` along row y from x0 to x1.
std::vector<int> runs(const QImage& image, int y, int x0, int x1, QRgb ink)
{
    std::vector<int> result;
    bool on = true;
    int length = 0;
    for (int x = x0; x <= x1; ++x) {
        const bool inked = image.pixel(x, y) == ink;
        if (inked != on) {
            result.push_back(length);
            on = inked;
            length = 0;
        }
        ++length;
    }
    result.push_back(length);
    return result;
}

} // namespace

TEST(QtDevice, YGrowsDownwardsAndLinesRunFromTheCurrentPosition)
{
    Canvas c;
    c.dc->moveTo(10, 10);
    c.dc->lineTo(10, 100); // straight down the image
    const QImage& image = c.done();
    EXPECT_EQ(image.pixel(10, 90), black);
    EXPECT_EQ(image.pixel(10, 5), white);
    EXPECT_EQ(image.pixel(11, 50), white);
}

// The quarter from the right-hand point up to the top one, counter-clockwise
// on the device, or the three quarters the other way round.
TEST(QtDevice, ArcFollowsTheArcDirection)
{
    for (const ArcDirection direction : {ArcDirection::CounterClockwise, ArcDirection::Clockwise}) {
        Canvas c;
        c.dc->setArcDirection(direction);
        c.dc->arc(10, 10, 91, 91, 100, 50, 50, 0); // circle of radius 40 about (50, 50)
        const QImage& image = c.done();
        const bool ccw = direction == ArcDirection::CounterClockwise;
        SCOPED_TRACE(ccw ? "counter-clockwise" : "clockwise");
        EXPECT_EQ(near(image, 78, 22, black), ccw);   // upper right
        EXPECT_EQ(near(image, 78, 78, black), !ccw);  // lower right
        EXPECT_EQ(near(image, 22, 78, black), !ccw);  // lower left
        EXPECT_EQ(image.pixel(50, 50), white);
    }
}

TEST(QtDevice, AngleArcSweepsByItsSignAndDrawsTheLeadIn)
{
    Canvas c;
    c.dc->setArcDirection(ArcDirection::Clockwise); // not read by AngleArc
    c.dc->moveTo(110, 110);
    c.dc->angleArc(50, 50, 40, 0, 90); // from the right-hand point up to the top
    EXPECT_EQ(c.dc->currentPosition(), (DevicePoint{50, 10}));
    const QImage& image = c.done();
    EXPECT_TRUE(near(image, 78, 22, black));
    EXPECT_FALSE(near(image, 78, 78, black));
    EXPECT_TRUE(near(image, 100, 80, black)); // on the lead-in from (110, 110) to (90, 50)
}

TEST(QtDevice, PenStylesDrawWindowsPatterns)
{
    struct Case {
        Pen pen;
        std::vector<int> runs; // first on, then off, ... over 48 units
    };
    const QRgb red = qRgb(255, 0, 0);
    const std::vector<Case> cases = {
        {Pen::make(PenStyle::Solid, 1, rgb(255, 0, 0)), {48}},
        {Pen::make(PenStyle::Dash, 1, rgb(255, 0, 0)), {18, 6, 18, 6}},
        {Pen::make(PenStyle::Dot, 0, rgb(255, 0, 0)), {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
        {Pen::make(PenStyle::DashDot, 1, rgb(255, 0, 0)), {9, 6, 3, 6, 9, 6, 3, 6}},
        {Pen::make(PenStyle::Dash, 3, rgb(255, 0, 0)), {48}}, // wider than one unit: solid
        {Pen::null(), {0, 48}},
    };
    for (const Case& test : cases) {
        Canvas c;
        c.dc->setBkMode(BackgroundMode::Transparent);
        c.dc->selectPen(test.pen);
        c.dc->moveTo(0, 20);
        c.dc->lineTo(100, 20);
        EXPECT_EQ(runs(c.done(), 20, 0, 47, red), test.runs) << test.pen;
    }
}

TEST(QtDevice, OpaqueBackgroundFillsPatternGaps)
{
    Canvas c;
    c.dc->setBkColor(rgb(0, 0, 255));
    c.dc->selectPen(Pen::make(PenStyle::Dash, 1, rgb(255, 0, 0)));
    c.dc->moveTo(0, 20);
    c.dc->lineTo(100, 20);
    const QImage& image = c.done();
    EXPECT_EQ(image.pixel(5, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 255));
}

TEST(QtDevice, HatchedBrushesLeaveTheBackgroundInTransparentMode)
{
    Canvas c;
    c.dc->setBkMode(BackgroundMode::Transparent);
    c.dc->selectPen(Pen::null());
    c.dc->selectBrush(Brush::hatched(HatchStyle::BackwardDiagonal, rgb(0, 0, 0)));
    c.dc->rectangle(10, 10, 60, 60);
    const QImage& image = c.done();
    int inked = 0, slopeUp = 0;
    for (int y = 12; y < 56; ++y)
        for (int x = 12; x < 56; ++x)
            if (image.pixel(x, y) == black) {
                ++inked;
                slopeUp += image.pixel(x + 1, y - 1) == black; // "/" lines
            }
    EXPECT_GT(inked, 100);
    EXPECT_LT(inked, 44 * 44 / 2); // lines, not a fill
    EXPECT_EQ(slopeUp, inked);
    EXPECT_EQ(image.pixel(5, 5), white);
    EXPECT_EQ(image.pixel(59, 59), white); // right and bottom edge left out, no pen
}

TEST(QtDevice, ShapesLeaveOutTheirRightAndBottomEdge)
{
    Canvas c;
    c.dc->selectBrush(Brush::solid(rgb(0, 255, 0)));
    c.dc->rectangle(10, 10, 21, 21);
    c.dc->ellipse(39, 39, 61, 61); // radius 10 about (50, 50)
    const QImage& image = c.done();
    EXPECT_EQ(image.pixel(10, 10), black);
    EXPECT_EQ(image.pixel(20, 20), black);
    EXPECT_EQ(image.pixel(21, 21), white);
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 255, 0));
    EXPECT_TRUE(near(image, 60, 50, black));
    EXPECT_TRUE(near(image, 40, 50, black));
    EXPECT_EQ(image.pixel(62, 50), white);
}

TEST(QtDevice, MemoryDevicesAreCopiedWithBitBlt)
{
    Canvas c;
    const auto memory = c.dc->createCompatible(20, 20);
    memory->selectPen(Pen::null());
    memory->selectBrush(Brush::solid(rgb(255, 0, 0)));
    memory->rectangle(0, 0, 11, 21); // left half red, the rest still black
    c.dc->bitBlt(50, 60, 20, 20, *memory, 0, 0);
    const QImage& image = c.done();
    EXPECT_EQ(image.pixel(52, 62), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(65, 62), black);
    EXPECT_EQ(image.pixel(49, 62), white);
    EXPECT_EQ(image.pixel(52, 80), white);
}

TEST(QtDevice, TextSitsOnItsBaselineWithBaselineAlignment)
{
    Canvas c;
    LogFont font;
    font.height = -30;
    font.setFace(QStringLiteral("DejaVu Sans"));
    c.dc->selectFont(font);
    c.dc->setBkMode(BackgroundMode::Transparent);
    c.dc->setTextAlign(TextAlign::Baseline);
    c.dc->textOut(10, 60, QStringLiteral("HH"));
    c.dc->setTextAlign(TextAlign::Top);
    c.dc->textOut(10, 80, QStringLiteral("HH"));
    const QImage& image = c.done();
    int above = 0, between = 0, below = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != white)
                (y < 60 ? above : y < 80 ? between : below) += 1;
    EXPECT_GT(above, 50);  // capitals stand on the baseline
    EXPECT_EQ(between, 0); // neither hangs below it, nor reaches above the top line
    EXPECT_GT(below, 50);
}

// Gathered strokes: each pen's lines land, the pen used first below, and a
// copy of the device sees every stroke drawn before it.
TEST(QtDevice, GatheredStrokesKeepTheirPensAndReachACopy)
{
    gui::QtDevice memory(40, 40);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(255, 0, 0)));
    memory.moveTo(0, 10);
    memory.lineTo(40, 10);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(0, 0, 255)));
    memory.moveTo(10, 0);
    memory.lineTo(10, 40);
    memory.angleArc(20, 20, 5, 0, 360); // lead-in from (10, 40), then the circle
    Canvas c;
    c.dc->bitBlt(0, 0, 40, 40, memory, 0, 0);
    const QImage& image = c.done();
    EXPECT_EQ(image.pixel(30, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 30), qRgb(0, 0, 255));
    EXPECT_TRUE(near(image, 25, 20, qRgb(0, 0, 255))); // the circle's right-hand point
    EXPECT_TRUE(near(image, 20, 15, qRgb(0, 0, 255))); // its top
    EXPECT_EQ(image.pixel(20, 20), black);             // not its centre
}

// Whatever the order of the calls, the pen used first lies below: a line of
// the first pen drawn again over the second pen's stays under it, and a
// third pen lies over both.
TEST(QtDevice, ThePenUsedFirstStaysBelowWhateverTheCallOrder)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    gui::QtDevice memory(40, 40);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(255, 0, 0)));
    memory.moveTo(0, 10);
    memory.lineTo(40, 10);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(0, 0, 255)));
    memory.moveTo(10, 0);
    memory.lineTo(10, 40);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(255, 0, 0)));
    memory.moveTo(0, 20);
    memory.lineTo(40, 20); // crosses the blue line after it was drawn
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(0, 255, 0)));
    memory.moveTo(15, 25);
    memory.lineTo(25, 15);
    const QImage& image = *memory.image();
    EXPECT_EQ(image.pixel(30, 10), red);
    EXPECT_EQ(image.pixel(10, 10), blue);
    EXPECT_EQ(image.pixel(10, 20), blue);
    EXPECT_EQ(image.pixel(20, 20), green);
    EXPECT_EQ(image.pixel(25, 20), red);
}

// On a screen of two pixels per unit a memory device keeps its size in units
// and strokes one screen pixel thin; a copy to a widget-like target of the
// same ratio takes the pixels one to one.
TEST(QtDevice, HighDensityMemoryDevicesDrawThinStrokes)
{
    gui::QtDevice memory(50, 30, 2.0);
    EXPECT_EQ(memory.width(), 50);
    EXPECT_EQ(memory.height(), 30);
    EXPECT_EQ(memory.pixelRatio(), 2.0);
    memory.selectPen(Pen::make(PenStyle::Solid, 1, rgb(255, 255, 255)));
    memory.moveTo(0, 10);
    memory.lineTo(50, 10);
    const QImage& pixels = *memory.image();
    ASSERT_EQ(pixels.size(), QSize(100, 60));
    int inkedRows = 0;
    for (int y = 0; y < pixels.height(); ++y)
        inkedRows += pixels.pixel(60, y) == qRgb(255, 255, 255);
    EXPECT_EQ(inkedRows, 1); // one screen pixel, not two
    EXPECT_EQ(pixels.pixel(98, 20), qRgb(255, 255, 255)); // across the whole width

    QImage screen(100, 60, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    screen.fill(Qt::black);
    {
        gui::QtDevice target(&screen);
        EXPECT_EQ(target.width(), 50);
        target.bitBlt(0, 0, 50, 30, memory, 0, 0);
    }
    for (int y = 0; y < 60; ++y)
        EXPECT_EQ(screen.pixel(60, y), pixels.pixel(60, y)) << y;
}

// At a fractional ratio the image's pixels divided by the ratio round to
// more than the size asked for: the device still tells the size it was made
// with, so a window of that size does not make new buffers at every paint.
TEST(QtDevice, FractionalRatioMemoryDevicesKeepTheirSize)
{
    for (const double ratio : {1.25, 1.5, 1.75}) {
        for (const int size : {5, 7, 601}) {
            const gui::QtDevice memory(size, size + 2, ratio);
            EXPECT_EQ(memory.width(), size) << ratio;
            EXPECT_EQ(memory.height(), size + 2) << ratio;
        }
    }
}

// Memory devices set the pixels of solid thin strokes themselves: the same
// lines and arcs as Qt strokes them on a caller's image, within a pixel, and
// a line's last pixel left out as LineTo leaves it.
TEST(QtDevice, MemoryDevicesStrokeAsQtDoes)
{
    const auto draw = [](platform::Device& dc) {
        dc.selectPen(Pen::make(PenStyle::Solid, 1, rgb(0, 0, 0)));
        dc.moveTo(5, 5);
        dc.lineTo(110, 40);
        dc.lineTo(20, 115);
        dc.moveTo(60, 60);
        dc.lineTo(60, 61);
        dc.moveTo(-50, 100);
        dc.lineTo(500, 90); // beyond both edges
        dc.moveTo(90, 60);
        dc.angleArc(60, 60, 30, 0, 270);
    };
    gui::QtDevice memory(120, 120);
    memory.selectBrush(Brush::solid(rgb(255, 255, 255)));
    memory.selectPen(Pen::null());
    memory.rectangle(0, 0, 121, 121);
    draw(memory);
    const QImage own = *memory.image();
    Canvas c;
    draw(*c.dc);
    const QImage& qt = c.done();
    int inked = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (own.pixel(x, y) == black) {
                ++inked;
                EXPECT_TRUE(near(qt, x, y, black)) << x << ", " << y;
            }
            if (qt.pixel(x, y) == black) {
                EXPECT_TRUE(near(own, x, y, black)) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(inked, 300);
    EXPECT_EQ(own.pixel(60, 60), black);
    EXPECT_EQ(own.pixel(60, 61), white); // the last pixel of a line
}
