#include "element/NodeRecord.h"

#include "element/Micrometres.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

#include <algorithm>

namespace {

constexpr int kLengthFieldBytes = 4;   // a text's length field
constexpr int kIndexBytes = 4;  // a slot index of the current layout

bool ReadCoordinate(platform::BinaryReader& in, int32_t& out, const char* which)
{
    const double v = in.readDouble();
    if (!in.ok())
        return false;
    const auto um = nodeunits::TruncateMicrometres(v);
    if (!um) {
        in.fail(QStringLiteral("node %1 coordinate out of range at offset %2")
                    .arg(QLatin1String(which))
                    .arg(in.position() - 8));
        return false;
    }
    out = *um;
    return true;
}

// The references a node in use needs for its kind.
int NeededReferences(const NodeRecord& r)
{
    switch (r.kind) {
    case 601:
    case 602:
        return 1;
    case 603:
        return 2;
    default:
        return 0;
    }
}

} // namespace

int NodeRecordMinBytes(int version)
{
    int bytes = 5 * kLengthFieldBytes + 4 * 4 + 2 * 8;
    if (version > 1)
        bytes += 3 * kLengthFieldBytes;
    if (version >= 14)
        bytes += 4;
    return bytes;
}

std::optional<NodeRecord> ReadNodeRecord(platform::BinaryReader& in, int version)
{
    NodeRecord r;
    r.name = in.readWString();
    r.dxFormula = in.readWString();
    r.dyFormula = in.readWString();
    r.distanceFormula = in.readWString();
    r.angleFormula = in.readWString();
    r.reference1 = in.readInt32();
    r.reference2 = in.readInt32();
    r.kind = in.readInt32();
    r.inUse = in.readInt32() == 1;
    if (!ReadCoordinate(in, r.x, "x") || !ReadCoordinate(in, r.y, "y"))
        return std::nullopt;
    if (version > 1) {
        r.rotationCenterXFormula = in.readWString();
        r.rotationCenterYFormula = in.readWString();
        r.rotationAngleFormula = in.readWString();
    }
    if (version >= 14)
        r.separateSecondDistance = in.readInt32() == 1;
    if (!in.ok())
        return std::nullopt;
    return r;
}

void WriteNodeRecord(platform::BinaryWriter& out, const NodeRecord& r)
{
    out.writeWString(r.name);
    out.writeWString(r.dxFormula);
    out.writeWString(r.dyFormula);
    out.writeWString(r.distanceFormula);
    out.writeWString(r.angleFormula);
    out.writeInt32(r.reference1);
    out.writeInt32(r.reference2);
    out.writeInt32(r.kind);
    out.writeInt32(r.inUse ? 1 : 0);
    out.writeDouble(r.x);
    out.writeDouble(r.y);
    out.writeWString(r.rotationCenterXFormula);
    out.writeWString(r.rotationCenterYFormula);
    out.writeWString(r.rotationAngleFormula);
    out.writeInt32(r.separateSecondDistance ? 1 : 0);
}

namespace {

// Every reference a node in use needs names a slot of the block that holds a
// node in use (itself included).
bool CheckReferences(platform::BinaryReader& in, const NodeBlock& block)
{
    std::vector<bool> used(static_cast<size_t>(block.slotCount), false);
    for (const NodeBlockEntry& e : block.entries)
        used[static_cast<size_t>(e.slot)] = e.record.inUse;
    for (const NodeBlockEntry& e : block.entries) {
        if (!e.record.inUse)
            continue;
        const int needed = NeededReferences(e.record);
        for (int k = 0; k < needed; ++k) {
            const int32_t ref = k == 0 ? e.record.reference1 : e.record.reference2;
            if (ref < 0 || ref >= block.slotCount || !used[static_cast<size_t>(ref)]) {
                in.fail(QStringLiteral("node %1 refers to slot %2, which holds no node").arg(e.slot).arg(ref));
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::optional<NodeBlock> ReadNodeBlock(platform::BinaryReader& in, int version)
{
    NodeBlock block;
    if (version < 5) {
        block.slotCount = in.readCount(NodeRecordMinBytes(version), kMaxNodeSlots);
        if (!in.ok())
            return std::nullopt;
        block.entries.reserve(static_cast<size_t>(block.slotCount));
        for (int32_t i = 0; i < block.slotCount; ++i) {
            auto r = ReadNodeRecord(in, version);
            if (!r)
                return std::nullopt;
            block.entries.push_back({i, std::move(*r)});
        }
    } else {
        block.slotCount = in.readCount(0, kMaxNodeSlots);
        const int32_t records = in.readCount(kIndexBytes + NodeRecordMinBytes(version), block.slotCount);
        if (!in.ok())
            return std::nullopt;
        block.entries.reserve(static_cast<size_t>(records));
        int32_t previous = -1;
        for (int32_t k = 0; k < records; ++k) {
            const qsizetype at = in.position();
            const int32_t slot = in.readInt32();
            if (!in.ok())
                return std::nullopt;
            if (slot <= previous || slot >= block.slotCount) {
                in.fail(QStringLiteral("node slot %1 at offset %2 is out of order or beyond the %3 slots")
                            .arg(slot)
                            .arg(at)
                            .arg(block.slotCount));
                return std::nullopt;
            }
            previous = slot;
            auto r = ReadNodeRecord(in, version);
            if (!r)
                return std::nullopt;
            block.entries.push_back({slot, std::move(*r)});
        }
    }
    if (!CheckReferences(in, block))
        return std::nullopt;
    return block;
}

void WriteNodeBlock(platform::BinaryWriter& out, const NodeBlock& block)
{
    out.writeInt32(block.slotCount);
    out.writeInt32(static_cast<int32_t>(block.entries.size()));
    for (const NodeBlockEntry& e : block.entries) {
        out.writeInt32(e.slot);
        WriteNodeRecord(out, e.record);
    }
}

void RenameRecordFormulas(NodeRecord& r, VariableList& renames)
{
    for (QString* f : {&r.dxFormula, &r.dyFormula, &r.distanceFormula, &r.angleFormula}) {
        if (!f->isEmpty())
            *f = renames.Substitute(*f);
    }
}
