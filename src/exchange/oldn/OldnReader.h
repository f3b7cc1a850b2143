#pragma once
// Drawings in the older text layout: 8-bit text, one record per line, fields
// separated by ']' (a tab, CR, LF or form feed also ends a field). Records:
//   "S]" opens a block level, "*]" closes it;
//   "I]" adds a placement (x, y, angle in degrees, scale x, scale y) to the
//        open level, the first one of a block replacing its identity;
//   "L]" line, "A]" arc, "T]" text (its text the next line, closed by ']');
//   "D]", "U]", "F]", "E]" carry nothing a drawing needs.
// Every figure stands once for every combination of one placement from each
// level (offsets and angles summed, scales multiplied; inner offsets are
// not turned by outer angles).
//
// The reader turns the bytes into placed figures without a document: the
// loader makes the elements.
#include "geometry/Coord.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

namespace oldn {

// Levels 0 (no block open) to kMaxLevel, each with at most kMaxPlacements
// placements; at most kMaxFigures figures once every placement is counted.
inline constexpr int kMaxLevel = 10;
inline constexpr int kMaxPlacements = 300;
inline constexpr std::int64_t kMaxFigures = 1000000;

enum class FigureKind { Line, Arc, Text };

// One placed figure in millimetres.
//   line: from `start` to `end`;
//   arc: about `centre`, clockwise from `start` to `end` (the end moved onto
//        the circle by whoever builds it; equal ends a full circle);
//   text: at `start`, `height` high, each character `advance` wide, angle 0.
struct Figure {
    FigureKind kind = FigureKind::Line;
    die::coord start;
    die::coord end;
    die::coord centre;
    std::int32_t lineType = 0;
    double ptg = 0.0;
    std::int32_t bridgeCount = 0;
    double bridgeWidth = 0.0;
    double height = 0.0;
    double advance = 0.0;
    QString text;
};

struct Drawing {
    std::vector<Figure> figures;
};

class OldnReader {
public:
    // Reads the whole file; false, with the line and the reason, for a file
    // that holds no record of the layout, nests blocks deeper than kMaxLevel,
    // places a level more than kMaxPlacements times, places more than
    // kMaxFigures figures, gives a line type or bridge count out of range,
    // or ends after a text record without its text.
    [[nodiscard]] static bool Read(QByteArrayView bytes, Drawing& drawing, QString* error);
};

} // namespace oldn
