#pragma once
// A line type: what a rule is (cut, crease, perforation, ...) and how it is
// drawn. The records live in the LinetypeTable, keyed by their number.
#include "platform/DrawingObjects.h"

#include <QString>

#include <optional>

// The kind of a line type: one bit is set.
struct LinetypeKind {
    enum : int {
        None = 0,
        Standard = 1, // a rule type the user draws with
        Internal = 2, // a rule type of the system's own elements (die board, hole patterns, markers)
        Display = 4,  // a display style of the view (highlight, selection, markers)
        Wave = 8,     // drawn as a wave pattern
        Tear = 16,    // drawn as dashes with slanted ticks
        Mixed = 32,   // drawn as alternating dashes of two other line types
    };
    // The data values and subtypes a kind draws its pattern with.
    static bool UsesSubtype(int kind, int index); // index 1 or 2
    static bool UsesData(int kind, int index);    // index 1 to 3
};

// The pen styles of the same numbers.
struct LinetypeStyle {
    enum : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3 };
};

// The name and kind the application registers for a special line type.
struct SymbolicLinetype {
    int kind = 0;
    QString name; // lower case
};

struct Linetype {
    // Pen widths outside 0 to MaxWidth are not taken from a file; pens are
    // never wider.
    static constexpr int MaxWidth = 1000;

    int kind = LinetypeKind::None;
    // Wave and tear: subtype1 is the line type whose pen draws the pattern;
    // mixed: subtype1 and subtype2 are the two line types that alternate.
    // -1 when not given.
    int subtype1 = -1;
    int subtype2 = -1;
    // The pattern values: wave and mixed use data1 and data2, tear all three.
    double data1 = 0.0;
    double data2 = 0.0;
    double data3 = 0.0;
    int style = LinetypeStyle::Solid;
    int width = 1; // device units
    const SymbolicLinetype* symbolic = nullptr;
    platform::ColorRef colour = 0;
    // The normal pen (style, width, colour) and the state pens: solid, width
    // + 4, in the colours of "selected", "highlight" and "high_select".
    std::optional<platform::Pen> normalPen;
    std::optional<platform::Pen> selectedPen;
    std::optional<platform::Pen> highlightPen;
    std::optional<platform::Pen> bothPen;
    QString name;

    double Data(int index) const; // index 0 to 2
    // Kind, subtypes, data values, style, width, colour and name agree.
    bool SameValues(const Linetype& other) const;
};

// The exporters' line-type mapping key. Ordered by has-line-type, line type,
// has-ptg, ptg; the values take part whatever the flags say.
struct LineTypeMapKey {
    int lineType = 0;
    double ptg = 0.0;
    unsigned char hasLineType = 0;
    unsigned char hasPtg = 0;

    bool operator<(const LineTypeMapKey& other) const;
};
