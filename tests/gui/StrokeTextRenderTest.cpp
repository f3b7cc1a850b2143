#include "display/DrawContext.h"
#include "display/StrokeFont.h"
#include "gui/QtDevice.h"


#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

using platform::DevicePoint;

namespace {

const QRgb white = qRgb(255, 255, 255);

// Draws text with the stroke font on a white image with a black pen; the
// device origin is the image's top-left corner.
QImage render(QSize size, int width, const std::function<void(DrawContext&)>& draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(white);
    {
        gui::QtDevice device(&image);
        device.selectPen(platform::Pen::make(platform::PenStyle::Solid, width, platform::rgb(0, 0, 0)));
        DrawContext dc(&device, CInstance(true), false, false, {0, 0});
        draw(dc);
    }
    return image;
}

int inkIn(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && image.pixel(x, y) != white;
    return count;
}

} // namespace

// With the Y axis mirrored (model Y up) an L stands on its foot; without it
// the same model draws it upside down.
TEST(StrokeTextRender, TheMirroredYAxisKeepsTextUpright)
{
    for (const int bits : {2, 0}) {
        auto mirror = DrawContext::OverrideMirrorFlags(bits);
        const double baseY = bits ? -100.0 : 40.0; // device row 100 or 40
        const QImage image = render({100, 120}, 1, [&](DrawContext& dc) {
            dc.DrawStrokeText(20, baseY, 60, 60, 0, QStringLiteral("L"));
        });
        const bool upright = bits == 2;
        SCOPED_TRACE(upright ? "mirrored" : "not mirrored");
        EXPECT_GT(inkIn(image, QRect(20, upright ? 99 : 39, 40, 3)), 30);  // the foot at the base line
        EXPECT_GT(inkIn(image, QRect(19, 50, 3, 40)), 30);                // the stem on the left
        EXPECT_EQ(inkIn(image, QRect(30, upright ? 39 : 99, 40, 3)), 0);  // nothing across the top
    }
}

TEST(StrokeTextRender, TheJHasNoDotAndTheIHasOne)
{
    auto mirror = DrawContext::OverrideMirrorFlags(2);
    const QImage image = render({200, 100}, 1, [](DrawContext& dc) {
        dc.DrawStrokeText(20, -80, 60, 60, 0, QStringLiteral("ji"));
    });
    // Grid unit 10 px: the dot of the j would be at (3, 6), i.e. (50, 20); the i's at (2, 5..6) of the next cell.
    EXPECT_EQ(inkIn(image, QRect(45, 15, 11, 11)), 0);
    EXPECT_GT(inkIn(image, QRect(98, 18, 5, 14)), 5);
    EXPECT_GT(inkIn(image, QRect(48, 38, 5, 40)), 20); // the stem of the j
}

// The whole charset, ten glyphs a row, each beside the character it stands
// for, and a few words; written to charset.png in the build folder to be
// looked at.
TEST(StrokeTextRender, RendersTheCharsetToAPicture)
{
    auto mirror = DrawContext::OverrideMirrorFlags(2);
    const QString charset = StrokeFont::Charset().toString();
    const int pitch = 80, glyphSize = 48;
    const QImage image = render({10 * pitch + 20, 10 * pitch + 180}, 2, [&](DrawContext& dc) {
        platform::LogFont label;
        label.height = -14;
        label.setFace(QStringLiteral("DejaVu Sans"));
        dc.device->selectFont(label);
        dc.device->setTextColor(platform::rgb(200, 0, 0));
        for (int i = 0; i < charset.size(); ++i) {
            const int left = 10 + (i % 10) * pitch, top = 10 + (i / 10) * pitch;
            dc.device->textOut(left, top, charset.mid(i, 1));
            dc.DrawGlyph(i, left + 20, -(top + 64), glyphSize, glyphSize, 0);
        }
        const int textTop = 10 * pitch + 40;
        dc.DrawStrokeText(10, -(textTop + 30), 18, 30, 0, QStringLiteral("Die 90\u00B0 \u00C4\u00D6\u00DC \u00E4\u00F6\u00FC \u00DF gjpqy"));
        dc.DrawStrokeText(10, -(textTop + 80), 18, 30, 0, QStringLiteral("R=12.5mm (A+B)/2; #3 @ 45% \"Q\" 'x' <0> [8] {7}"));
        dc.DrawStrokeText(10, -(textTop + 130), 18, 30, 0, QStringLiteral("Stanzform Gr\u00FC\u00DFe: Ma\u00DF 1:1 | x_2 \\ $5 & ^*!?"));
    });
    for (int i = 0; i < charset.size(); ++i) {
        const QRect cell(10 + (i % 10) * pitch + 18, 10 + (i / 10) * pitch + 14, glyphSize * 4 / 6 + 6, 54);
        EXPECT_GT(inkIn(image, cell), 5) << "glyph " << i << " drew nothing";
    }
    const QString path = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absoluteFilePath(
        QStringLiteral("charset.png"));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}
