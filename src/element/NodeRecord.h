#pragma once
// The node record and the node-table block of the drawing file as plain
// data, read and written without a table or a formula evaluator, so a block
// can be checked (and fuzzed) from its bytes alone.
//
// Node record, little-endian, in this order (a text is an int32 byte count
// and that many bytes of UTF-16 without terminator): name, dx, dy, distance
// and angle formulas (texts); reference 1, reference 2, kind (int32); in use
// (int32, true only for 1); x and y (doubles, micrometres); from version 2 the
// rotation centre X, centre Y and angle formulas (texts); from version 14 the
// separate-second-distance flag (int32, true only for 1).
//
// Node-table block: int32 slot count, int32 record count, then per record an
// int32 slot index (ascending) and the node record. Before version 5: int32
// slot count, then one node record per slot, without index or record count.
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class VariableList;

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

struct NodeRecord {
    QString name;
    QString dxFormula;
    QString dyFormula;
    QString distanceFormula;
    QString angleFormula;
    int32_t reference1 = -1;
    int32_t reference2 = -1;
    int32_t kind = 600;
    bool inUse = true;
    int32_t x = 0; // micrometres
    int32_t y = 0;
    QString rotationCenterXFormula;
    QString rotationCenterYFormula;
    QString rotationAngleFormula;
    bool separateSecondDistance = false;
};

// The format version the writers produce.
inline constexpr int kNodeFileVersion = 15;
// The largest slot count a block may state; a larger one is a damaged file.
inline constexpr int32_t kMaxNodeSlots = 1 << 22;

// Reads one record of that file version. A coordinate that is not finite or
// does not fit the int32 micrometre range fails the read, as does a short
// record; the reader then holds the reason.
[[nodiscard]] std::optional<NodeRecord> ReadNodeRecord(platform::BinaryReader& in, int version);
// Writes the full record of the current version.
void WriteNodeRecord(platform::BinaryWriter& out, const NodeRecord& record);

// The smallest number of bytes a record of that version takes.
int NodeRecordMinBytes(int version);

struct NodeBlockEntry {
    int32_t slot = 0;
    NodeRecord record;
};

struct NodeBlock {
    int32_t slotCount = 0;
    std::vector<NodeBlockEntry> entries; // ascending slots; in-use flag as stored
};

// Reads a node-table block of that file version. Every count and index is
// checked: a slot count that is negative, above kMaxNodeSlots or (before
// version 5) more than the bytes left can hold, a record count above the
// slot count or the bytes left, a slot index outside the slot count or not
// above the previous one, and a reference of a parametric node in use that
// names no slot of the block holding a node in use each fail the read.
[[nodiscard]] std::optional<NodeBlock> ReadNodeBlock(platform::BinaryReader& in, int version);
// Writes the block in the current layout: the slot count, the number of
// entries, then each entry's slot index and record.
void WriteNodeBlock(platform::BinaryWriter& out, const NodeBlock& block);

// The dx, dy, distance and angle formulas that are set, rewritten to follow
// renamed variables (the rotation formulas stay).
void RenameRecordFormulas(NodeRecord& record, VariableList& renames);
