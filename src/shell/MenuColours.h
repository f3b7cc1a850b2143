#pragma once
// The colour arithmetic of the menu look: colours as 0x00BBGGRR, packed HLS
// as hue (0-255 for 0-360 degrees) in bits 0-7, lightness in bits 8-15 and
// saturation in bits 16-23, and the lightness and saturation shifts by which
// every menu colour is made from a system colour.
#include <cstdint>

namespace shell {

using Colour = std::uint32_t;
using PackedHls = std::uint32_t;

PackedHls RGBToHLS(Colour colour);
Colour HLSToRGB(PackedHls hls);
// One channel byte from the two HLS helper values and a hue in degrees.
std::uint8_t HueToChannel(float m1, float m2, float hue);
// Shifts lightness and saturation by per cents: above 0 towards 255, below
// 0 towards 0; the hue stays.
Colour HLSTransform(Colour colour, int lightnessPercent, int saturationPercent);

} // namespace shell
