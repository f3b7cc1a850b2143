#include "gui/QtDevice.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using platform::rgb;

TEST(PaperPens, ColoursTooLightOnWhitePrintBlack)
{
    struct Case {
        const char* name;
        platform::ColorRef colour;
        platform::ColorRef printed;
    };
    const Case cases[] = {
        {"yellow", rgb(255, 255, 0), rgb(0, 0, 0)},
        {"cyan", rgb(0, 255, 255), rgb(0, 0, 0)},
        {"green", rgb(0, 255, 0), rgb(0, 0, 0)},
        {"white", rgb(255, 255, 255), rgb(0, 0, 0)},
        {"light grey", rgb(192, 192, 192), rgb(0, 0, 0)},
        {"red", rgb(255, 0, 0), rgb(255, 0, 0)},
        {"blue", rgb(0, 0, 255), rgb(0, 0, 255)},
        {"magenta", rgb(255, 0, 255), rgb(255, 0, 255)},
        {"dark green", rgb(0, 128, 0), rgb(0, 128, 0)},
        {"black", rgb(0, 0, 0), rgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gui::PaperColour(c.colour), c.printed);
    }
}

TEST(PaperPens, AOnePixelRuleIsScaledToTheDeviceAndTurnsBlack)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        gui::QtDevice device(&image);
        device.setPaperPens(6.0);
        device.selectPen(platform::Pen::make(platform::PenStyle::Solid, 1, rgb(255, 255, 0)));
        device.moveTo(10, 50);
        device.lineTo(90, 50);
    }
    int across = 0;
    for (int y = 40; y < 60; ++y) {
        const QColor c = image.pixelColor(50, y);
        if (c.red() < 128 && c.green() < 128)
            ++across;
    }
    EXPECT_NEAR(across, 6, 1);

    // Off again: the screen's one-pixel pen.
    image.fill(Qt::white);
    {
        gui::QtDevice device(&image);
        device.setPaperPens(6.0);
        device.setPaperPens(0.0);
        device.selectPen(platform::Pen::make(platform::PenStyle::Solid, 1, rgb(0, 0, 0)));
        device.moveTo(10, 50);
        device.lineTo(90, 50);
    }
    int thin = 0;
    for (int y = 40; y < 60; ++y)
        thin += image.pixelColor(50, y).red() < 128 ? 1 : 0;
    EXPECT_EQ(thin, 1);
}

} // namespace
