#pragma once
// The stroke font as paths in the unit cell, for the text figures of display
// lists: for every character a run of points in which consecutive strokes
// that meet are joined into one polyline.
//
// All points of all glyphs lie in one chain, glyph after glyph; a glyph's
// points are the next `count` points of the chain from its first one.
#include "geometry/Coord.h"

#include <cstdint>
#include <deque>
#include <map>

struct GlyphPoint {
    GlyphPoint* next = nullptr;
    double x = 0.0; // unit-cell coordinates
    double y = 0.0;
    std::uint8_t draw = 0; // 1: reached by a stroke from the previous point; 0: a stroke starts here
};

struct GlyphPath {
    const GlyphPoint* first = nullptr;
    std::int32_t count = 0;
};

class GlyphPathTable {
public:
    GlyphPathTable() = default;
    GlyphPathTable(const GlyphPathTable&) = delete;
    GlyphPathTable& operator=(const GlyphPathTable&) = delete;

    // Makes the entry of that character current and empty. Points it had stay
    // in the chain, unreferenced.
    void BeginGlyph(char16_t code);
    // Appends a stroke to the current glyph: nothing for a stroke shorter than
    // 1e-6 in both coordinates or without a current glyph; one point when the
    // stroke starts where the glyph's last point is, else two.
    void AddStroke(const die::coord& from, const die::coord& to);
    // The path of that character; {nullptr, 0} when it has none.
    GlyphPath Lookup(char16_t code) const;

private:
    void Append(const die::coord& p, std::uint8_t draw);

    std::map<char16_t, GlyphPath> glyphs_;
    std::deque<GlyphPoint> points_; // the chain, in order; a deque keeps their addresses
    GlyphPath* current_ = nullptr;
};

// Fills the table from the stroke font, the charset's characters in order,
// each glyph scaled into the unit cell. The application calls it once at
// start-up.
void BuildGlyphPaths(GlyphPathTable& table);
