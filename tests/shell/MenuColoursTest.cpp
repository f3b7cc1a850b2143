#include "shell/MenuColours.h"

#include <gtest/gtest.h>

namespace {

using namespace shell;

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | g << 8 | b << 16;
}

constexpr PackedHls Hls(unsigned h, unsigned l, unsigned s)
{
    return h | l << 8 | s << 16;
}

TEST(MenuColours, ConvertsToHls)
{
    const struct {
        Colour rgb;
        PackedHls hls;
    } cases[] = {
        {Rgb(128, 128, 128), Hls(0, 128, 0)},
        {Rgb(0, 0, 0), Hls(0, 0, 0)},
        {Rgb(255, 255, 255), Hls(0, 255, 0)},
        {Rgb(255, 0, 0), Hls(255, 127, 255)},   // hue 360 degrees
        {Rgb(0, 255, 0), Hls(85, 127, 255)},
        {Rgb(0, 0, 255), Hls(170, 127, 255)},
        {Rgb(212, 208, 200), Hls(28, 206, 31)}, // the classic button face
    };
    for (const auto& c : cases)
        EXPECT_EQ(RGBToHLS(c.rgb), c.hls) << std::hex << c.rgb;
}

TEST(MenuColours, ConvertsBackToRgb)
{
    const struct {
        PackedHls hls;
        Colour rgb;
    } cases[] = {
        {Hls(0, 128, 0), Rgb(128, 128, 128)},
        {Hls(40, 77, 0), Rgb(77, 77, 77)},      // no saturation: grey of the lightness byte
        {Hls(255, 127, 255), Rgb(254, 0, 0)},
        {Hls(85, 127, 255), Rgb(0, 254, 0)},
        {Hls(170, 127, 255), Rgb(0, 0, 254)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HLSToRGB(c.hls), c.rgb) << std::hex << c.hls;
    EXPECT_EQ(HueToChannel(0.2f, 0.8f, -30.0f), HueToChannel(0.2f, 0.8f, 330.0f));
    EXPECT_EQ(HueToChannel(0.2f, 0.8f, 400.0f), HueToChannel(0.2f, 0.8f, 40.0f));
}

TEST(MenuColours, ShiftsLightnessAndSaturation)
{
    const Colour face = Rgb(212, 208, 200);
    const struct {
        Colour colour;
        int dl, ds;
        Colour want;
    } cases[] = {
        {Rgb(255, 255, 255), 75, 0, Rgb(255, 255, 255)},
        {Rgb(255, 255, 255), -100, 0, Rgb(0, 0, 0)},
        {Rgb(255, 0, 0), 0, 0, Rgb(254, 0, 0)},  // the round trip truncates
        {face, 0, -100, Rgb(206, 206, 206)},
        {face, 75, 0, HLSToRGB(Hls(28, 206 + (255 - 206) * 75 / 100, 31))},
        {face, -18, 0, HLSToRGB(Hls(28, 206 * 82 / 100, 31))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HLSTransform(c.colour, c.dl, c.ds), c.want) << std::hex << c.colour << std::dec << ' ' << c.dl << ' ' << c.ds;
}

} // namespace
