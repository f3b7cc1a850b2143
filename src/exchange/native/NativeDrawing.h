#pragma once
// The native drawing file (".n") as plain records, read from and written to
// bytes without a document, so the file can be checked (and fuzzed) alone.
//
// Layout, little-endian (a text is an int32 byte count and that many bytes of
// UTF-16 without terminator): int32 tag (0xFFFF a drawing, 0x0FFF an extended
// standard), the identification text, int32 format version; four doubles of
// extents (left, top, right, bottom); the variable block; the node-table
// block; int32 section count; the section records.
//
// Section record: name; int32 visible, int32 current; int32 locked (from
// version 3); the rows and columns step-and-repeat records, each int32
// rotate-alternate, five doubles, int32 count (from version 7); int32
// instance count and per instance five doubles (angle, dx, dy, 1.0, 1.0);
// int32 element count and the element records, each an int32 type id, the
// type's own fields and the common element record.
#include "element/NodeRecord.h"
#include "geometry/AutoInstance.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

namespace native {

inline constexpr int32_t kDrawingTag = 0xFFFF;
inline constexpr int32_t kStandardTag = 0x0FFF;
// The version the writer produces and the highest one the reader takes.
inline constexpr int32_t kFormatVersion = 15;
// A document holds this many sections; a file with more is refused.
inline constexpr int32_t kMaxSections = 102;
// The element type id of a record that carries nothing and is skipped.
inline constexpr int32_t kSkippedElementType = 20;

struct InstanceRecord {
    double angle = 0.0; // degrees
    double dx = 0.0;    // mm
    double dy = 0.0;    // mm
};

struct ElementRecord {
    int32_t typeId = 0;
    QByteArray bytes; // the whole record, type id included
};

struct SectionRecord {
    QString name;
    bool visible = true;
    bool current = false;
    bool locked = false;
    bool hasAutoInstances = false; // false before version 7: keep the defaults
    AutoInstance rows;
    AutoInstance columns;
    std::vector<InstanceRecord> instances;
    std::vector<ElementRecord> elements;
    // When set, the bytes the element records point into (a writer keeps
    // them here instead of a buffer per record).
    QByteArray elementBytes;
};

struct Drawing {
    QString identification;
    int32_t version = kFormatVersion;
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    QByteArray variableBlock; // as FormulaTable::Save writes it
    QByteArray nodeBlock;     // as NodeTable::Save writes it
    NodeBlock nodes;          // the node block as read (not written: nodeBlock is)
    std::vector<SectionRecord> sections;
    QByteArray source; // the bytes read, when read: the records point into them
};

// The header after the tag (the identification text, which nobody looks
// at, and the format version), shared by drawings and extended standards.
// False, with the reason in *error, when it is damaged or its version is
// above kFormatVersion.
[[nodiscard]] bool ReadHeader(platform::BinaryReader& in, QString& identification, int32_t& version, QString* error);
void WriteHeader(platform::BinaryWriter& out, int32_t tag, const QString& identification, int32_t version);

// The int32 tag at the start of a file; none when it has fewer than four
// bytes.
std::optional<int32_t> ReadTag(QByteArrayView bytes);

// Reads a whole drawing file, tag included. The drawing keeps one copy of the
// bytes, into which its blocks and element records point. Every count and length is checked
// against the bytes left before use; a tag other than kDrawingTag, a version
// above kFormatVersion, more than kMaxSections sections, an unknown element
// type id or a damaged block or record fail the read with the reason in
// *error. Bytes after the last section are not looked at.
[[nodiscard]] bool ReadDrawing(QByteArrayView bytes, Drawing& out, QString* error);

// Writes the drawing in the current layout (tag kDrawingTag; the version
// field as given, which callers leave at kFormatVersion).
QByteArray WriteDrawing(const Drawing& drawing);

} // namespace native
