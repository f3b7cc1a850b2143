#pragma once
// The objects a device draws with, as plain values: colours, device points,
// pens, brushes and the font record. They keep the Windows numbers (pen and
// hatch styles, COLORREF byte order, the LOGFONTW fields), because line-type
// files, drawing files and settings store those numbers.
//
// A pen or brush is a value, not a handle: selecting one into a device copies
// it, and "deleting" it is letting it go out of scope.
#include <QString>

#include <array>
#include <cstdint>
#include <iosfwd>

namespace platform {

// A colour as Windows stores it: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8)
           | (static_cast<ColorRef>(blue & 0xFF) << 16);
}
constexpr int redOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// A point in device units: integers, X to the right, Y down.
struct DevicePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// A model length already scaled to the device, truncated towards zero as the
// int conversion does. Values no device can show (a huge zoom, a point that is
// not a number) are held at +/-1e9, and NaN gives 0, instead of the undefined
// conversion.
int toDeviceUnits(double scaled);
// A scaled value rounded to the nearest device unit, halves upwards
// (floor(v + 0.5)), so that negative values round as positive ones do and a
// shift by whole units shifts the result by as many; held like toDeviceUnits.
// Every pixel computation of the view rounds through it.
int roundToDeviceUnits(double scaled);

// The Windows pen styles of the same numbers. A styled pen wider than one
// device unit draws solid, as a Windows cosmetic pen does.
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0; // device units; 0 and 1 both draw one unit wide
    ColorRef colour = 0;

    // The stock pens (WHITE_PEN, BLACK_PEN, NULL_PEN).
    static constexpr Pen white() { return {PenStyle::Solid, 0, rgb(255, 255, 255)}; }
    static constexpr Pen black() { return {PenStyle::Solid, 0, rgb(0, 0, 0)}; }
    static constexpr Pen null() { return {PenStyle::Null, 0, 0}; }
    // A created pen (CreatePen).
    static constexpr Pen make(PenStyle style, int width, ColorRef colour) { return {style, width, colour}; }

    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle : int { Solid = 0, Null = 1, Hatched = 2 };

// The Windows hatch styles of the same numbers.
enum class HatchStyle : int {
    Horizontal = 0,       // -----
    Vertical = 1,         // |||||
    ForwardDiagonal = 2,  // \\\\\ (downward, left to right)
    BackwardDiagonal = 3, // ///// (upward, left to right)
    Cross = 4,            // +++++
    DiagonalCross = 5     // xxxxx
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    HatchStyle hatch = HatchStyle::Horizontal; // read only for hatched brushes
    ColorRef colour = rgb(255, 255, 255);

    // The stock brushes (WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH alias HOLLOW_BRUSH).
    static constexpr Brush white() { return {BrushStyle::Solid, HatchStyle::Horizontal, rgb(255, 255, 255)}; }
    static constexpr Brush black() { return {BrushStyle::Solid, HatchStyle::Horizontal, rgb(0, 0, 0)}; }
    static constexpr Brush null() { return {BrushStyle::Null, HatchStyle::Horizontal, 0}; }
    // Created brushes (CreateSolidBrush, CreateHatchBrush).
    static constexpr Brush solid(ColorRef colour) { return {BrushStyle::Solid, HatchStyle::Horizontal, colour}; }
    static constexpr Brush hatched(HatchStyle hatch, ColorRef colour) { return {BrushStyle::Hatched, hatch, colour}; }

    friend bool operator==(const Brush&, const Brush&) = default;
};

// The Windows font record (LOGFONTW), field for field. Height in device units:
// negative gives the character height, positive the cell height, 0 a default
// size. Escapement in tenths of a degree, counter-clockwise.
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0; // 0 default, 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::array<char16_t, 32> faceName{}; // zero-terminated unless all 32 are used

    QString face() const;
    // Stores at most 31 characters and the terminator.
    void setFace(const QString& name);

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// Readable values in test failures.
std::ostream& operator<<(std::ostream& os, const DevicePoint& p);
std::ostream& operator<<(std::ostream& os, const Pen& pen);
std::ostream& operator<<(std::ostream& os, const Brush& brush);

} // namespace platform
