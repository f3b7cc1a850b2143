#include "shell/MenuColours.h"

#include <algorithm>

namespace shell {
namespace {

std::uint8_t Channel(Colour colour, int shift)
{
    return static_cast<std::uint8_t>((colour >> shift) & 0xFFu);
}

// Truncates towards zero into a byte, as the conversions have always done.
std::uint8_t ToByte(float value)
{
    return static_cast<std::uint8_t>(static_cast<int>(value));
}

std::uint8_t Shift(std::uint8_t value, int percent)
{
    const int b = value;
    if (percent > 0)
        return static_cast<std::uint8_t>(b + (255 - b) * percent / 100);
    if (percent < 0)
        return static_cast<std::uint8_t>(b * (percent + 100) / 100);
    return value;
}

} // namespace

PackedHls RGBToHLS(Colour colour)
{
    const float red = Channel(colour, 0);
    const float green = Channel(colour, 8);
    const float blue = Channel(colour, 16);
    const float max = std::max({red, green, blue});
    const float min = std::min({red, green, blue});
    const float sum = max + min;
    const float diff = max - min;
    const float lightness = sum / 510.0f;
    if (max == min)
        return static_cast<PackedHls>(ToByte(lightness * 255.0f)) << 8;

    const float saturation = lightness <= 0.5f ? diff / sum : diff / (510.0f - sum);
    const float rc = (max - red) / diff;
    const float gc = (max - green) / diff;
    const float bc = (max - blue) / diff;
    float hue = 0.0f;
    if (red == max)
        hue = (6.0f + bc - gc) * 60.0f;
    if (green == max)
        hue = (2.0f + rc - bc) * 60.0f;
    if (blue == max)
        hue = (4.0f + gc - rc) * 60.0f;
    if (hue > 360.0f)
        hue -= 360.0f;
    return ToByte(hue * 255.0f / 360.0f) | static_cast<PackedHls>(ToByte(lightness * 255.0f)) << 8 |
           static_cast<PackedHls>(ToByte(saturation * 255.0f)) << 16;
}

std::uint8_t HueToChannel(float m1, float m2, float hue)
{
    if (hue > 360.0f)
        hue -= 360.0f;
    else if (hue < 0.0f)
        hue += 360.0f;
    float value = m1;
    if (hue < 60.0f)
        value = m1 + (m2 - m1) * hue / 60.0f;
    else if (hue < 180.0f)
        value = m2;
    else if (hue < 240.0f)
        value = m1 + (m2 - m1) * (240.0f - hue) / 60.0f;
    return ToByte(value * 255.0f);
}

Colour HLSToRGB(PackedHls hls)
{
    const std::uint8_t lightnessByte = Channel(hls, 8);
    const float hue = static_cast<float>(Channel(hls, 0)) * 360.0f / 255.0f;
    const float lightness = static_cast<float>(lightnessByte) / 255.0f;
    const float saturation = static_cast<float>(Channel(hls, 16)) / 255.0f;
    if (saturation == 0.0f)
        return lightnessByte | static_cast<Colour>(lightnessByte) << 8 | static_cast<Colour>(lightnessByte) << 16;
    const float m2 =
        lightness <= 0.5f ? lightness * (1.0f + saturation) : lightness + saturation - lightness * saturation;
    const float m1 = 2.0f * lightness - m2;
    return HueToChannel(m1, m2, hue + 120.0f) | static_cast<Colour>(HueToChannel(m1, m2, hue)) << 8 |
           static_cast<Colour>(HueToChannel(m1, m2, hue - 120.0f)) << 16;
}

Colour HLSTransform(Colour colour, int lightnessPercent, int saturationPercent)
{
    const PackedHls hls = RGBToHLS(colour);
    const std::uint8_t lightness = Shift(Channel(hls, 8), lightnessPercent);
    const std::uint8_t saturation = Shift(Channel(hls, 16), saturationPercent);
    return HLSToRGB((hls & 0xFFu) | static_cast<PackedHls>(lightness) << 8 | static_cast<PackedHls>(saturation) << 16);
}

} // namespace shell
