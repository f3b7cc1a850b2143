#pragma once
// The own fields of each element type's record in the drawing file as plain
// data: one struct per type, read and written field by field from one layout
// per type, with its version gates, so an element's Load and Save and a file
// reader that steps over records it does not build agree by construction.
//
// An element record is the int32 type id, the type's own fields below, then
// the common record of ElementBaseRecord.h. Little-endian; a text is an int32
// count and that many UTF-16 units; a flag is an int32 written as 0 or 1.
//   arc:        int32 start, end, centre node
//   line:       int32 start, end node
//   ellipse:    int32 centre, major, minor, start, end node
//   text:       int32 height, base, end node; text; int32 font kind; from
//               version 11 int32 mirrored; the 92-byte font record
//   dimension:  int32 kind, first, second, centre, line node; from version 4
//               three int32 instance numbers; from version 8 int32 character
//               width and height
//   die board:  doubles left, top, right, bottom margin, fillet; int32 centre
//               line edge; doubles gap spacing, knife start overhang, end
//               overhang, offset, spacing, end clearance; from version 3
//               flag absolute (set only by 1), doubles min x, max y, max x,
//               min y of the absolute box; from version 6 flag knives (set
//               only by 1), int32 count and that many (int32, int32, double,
//               double) records; from version 9 per side (left, right, top,
//               bottom) doubles start, step, offset, int32 one-sided tick,
//               flags on, centred; from version 10 flag symmetric, text,
//               eight position flags, int32 text height, doubles text band,
//               text offset; from version 13 doubles notch width and depth
//   spline:     int32 count and that many int32 nodes; from version 12 int32
//               samples per segment
//   cuir:       int32 node; doubles angle, wing length, radius
//   Bobst assembly hole: int32 node, int32 kind; doubles opening angle,
//               inner radius, outer radius, rotation
//   holder:     int32 node, int32 vertical; doubles length, width
//   Bobst and Bobst SP hole patterns: int32 node
//   Martin holes: int32 node; doubles horizontal and vertical count
//   separating rule, stripper board: int32 node, int32 side
// Node numbers are as stored (relative to the file's node table).
#include "element/NodeRecord.h"
#include "element/Wood.h"
#include "platform/DrawingObjects.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

struct ArcRecord {
    int32_t start = 0;
    int32_t end = 0;
    int32_t centre = 0;
};

struct LineRecord {
    int32_t start = 0;
    int32_t end = 0;
};

struct EllipseRecord {
    int32_t centre = 0;
    int32_t major = 0;
    int32_t minor = 0;
    int32_t start = 0;
    int32_t end = 0;
};

struct TextRecord {
    int32_t heightNode = 0;
    int32_t baseNode = 0;
    int32_t endNode = 0;
    QString text;
    int32_t fontKind = 0;
    int32_t mirrored = 0; // 0 before version 11
    platform::LogFont font{};
};

struct MeasureRecord {
    int32_t kind = 0;
    int32_t first = 0;
    int32_t second = 0;
    int32_t centre = -1; // -1: none
    int32_t line = 0;
    std::array<int32_t, 3> instances{}; // zeros before version 4
    int32_t charWidth = 15;             // before version 8 these defaults
    int32_t charHeight = 12;
};

struct WoodFileRecord {
    // Fields the version does not reach keep the values the read starts from.
    WoodValues values;
    std::optional<std::vector<WoodRecord>> records; // absent before version 6
};

struct SplineRecord {
    std::vector<int32_t> nodes;
    int32_t samplesPerSegment = 0; // before version 12 the value the read starts from
};

struct CuirRecord {
    int32_t node = 0;
    double angle = 0.0;
    double wingLength = 0.0;
    double radius = 0.0;
};

struct BobstAsmRecord {
    int32_t node = 0;
    int32_t kind = 0;
    double openingAngle = 0.0;
    double innerRadius = 0.0;
    double outerRadius = 0.0;
    double rotation = 0.0;
};

struct HolderRecord {
    int32_t node = 0;
    int32_t vertical = 0;
    double length = 0.0;
    double width = 0.0;
};

// Bobst and Bobst SP hole patterns.
struct HolePatternRecord {
    int32_t node = 0;
};

struct MartinRecord {
    int32_t node = 0;
    double horizontal = 0.0;
    double vertical = 0.0;
};

// Separating rules and stripper boards.
struct SideSymbolRecord {
    int32_t node = 0;
    int32_t side = 0;
};

using ElementBody = std::variant<ArcRecord, LineRecord, EllipseRecord, TextRecord, MeasureRecord, WoodFileRecord,
                                 SplineRecord, CuirRecord, BobstAsmRecord, HolderRecord, HolePatternRecord,
                                 MartinRecord, SideSymbolRecord>;

// Reads the type's own fields of that file version. Fields the version does
// not hold keep their values in start. A short record, a count above the
// type's limit or a text above CText::MaxLoadedLength fail the read; the
// reader then holds the reason.
template <class Record>
[[nodiscard]] std::optional<Record> ReadElementRecord(platform::BinaryReader& in, int version, Record start = {});
// Writes the type's own fields in the layout of that version (the current
// one unless a test asks for an older).
template <class Record>
void WriteElementRecord(platform::BinaryWriter& out, const Record& record, int version = kNodeFileVersion);

// Reads the own fields of an element record of that type id (after the id).
// An unknown id fails the read.
[[nodiscard]] std::optional<ElementBody> ReadElementBody(platform::BinaryReader& in, int32_t typeId, int version);
