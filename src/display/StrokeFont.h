#pragma once
// The built-in stroke font: 100 glyphs of straight strokes on a small integer
// grid, one per character of the charset, in the charset's order.
//
// Grid: x from 0 to 4, y from 0 (baseline) to 6 (top of the capitals); the
// cell is 6 units wide and 6 high, so characters keep a gap of 2 units.
// Lower-case letters stand 4 units high; g, j, p, q and y descend 2 units
// below the baseline, and the dots of Ä Ö Ü sit 1 unit above the capitals.
// Two strokes have zero length and draw nothing: the dot of the j (stroke 5,
// at (3, 6)) and the last stroke of the degree sign (at (0, 0)).
//
// The table is constant data, complete before any code runs; nothing needs
// to fill it at start-up.
#include <QChar>
#include <QString>

#include <cstdint>

namespace StrokeFont {

inline constexpr int GlyphCount = 100;
inline constexpr int MaxStrokes = 20;     // room in a record
inline constexpr int MaxUsedStrokes = 16; // no glyph has more
inline constexpr int CellSize = 6;        // grid units per cell, both ways
inline constexpr int MinY = -2;           // the foot of the descenders
inline constexpr int MaxY = 7;            // the top of the capitals' umlaut dots

// One glyph record: stroke j (0 ≤ j ≤ last) runs from (x1[j], y1[j]) to
// (x2[j], y2[j]); the slots after last are 0.
struct Glyph {
    std::int32_t last = -1; // index of the last stroke
    std::int32_t x1[MaxStrokes] = {};
    std::int32_t y1[MaxStrokes] = {};
    std::int32_t x2[MaxStrokes] = {};
    std::int32_t y2[MaxStrokes] = {};
};

// The 100 characters of the font: a-z, A-Z, 1-9 and 0, thirty punctuation
// characters, Ä Ö Ü ä ö ü ß °. The blank is not among them.
QStringView Charset();

// Glyph record `index` (0 to GlyphCount - 1); nullptr for any other index.
const Glyph* GlyphAt(int index);

// The characters the glyph records were drawn for, in table order; the same
// text as Charset().
QString DrawnCharacters();

// Position of the character in the charset, -1 when it has no glyph.
int IndexOf(QChar c);

} // namespace StrokeFont
