// The common part of every element record of the drawing file (see
// ElementBaseRecord.h).
#include "element/ElementBaseRecord.h"

#include "element/Element.h"

#include "platform/BinaryStream.h"

#include <QStringLiteral>

namespace {
constexpr int kBridgeRecordBytes = 24;
} // namespace

void CElement::SaveBase(platform::BinaryWriter& out) const
{
    out.writeInt32(LineType);
    out.writeInt32(bridges.Count());
    for (const Bridge& b : bridges) {
        out.writeInt32(b.tag);
        out.writeInt32(0); // padding of the tag
        out.writeDouble(b.position);
        out.writeDouble(b.width);
    }
    out.writeDouble(ptg);
    out.writeInt32(iAutoBridges);
    out.writeInt32(autoCount);
    out.writeDouble(lBridges);
    out.writeInt32(notInstanced);
}

std::optional<ElementBaseRecord> ReadElementBaseRecord(platform::BinaryReader& in, int version)
{
    ElementBaseRecord r;
    r.lineType = in.readInt32();
    const int32_t count = in.readCount(kBridgeRecordBytes, BridgeList::MaxCount);
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        Bridge b;
        if (ReadBridge(in, b))
            (void)r.bridges.Append(b); // count is at most MaxCount
    }
    r.ptg = in.readDouble();
    r.bridgeMode = in.readInt32();
    r.autoCount = in.readInt32();
    r.bridgeWidth = in.readDouble();
    if (version >= kNotInstancedVersion)
        r.notInstanced = in.readInt32();
    if (!in.ok())
        return std::nullopt;
    if (r.autoCount < 0) {
        in.fail(QStringLiteral("negative bridge count %1").arg(r.autoCount));
        return std::nullopt;
    }
    return r;
}

bool CElement::LoadBase(platform::BinaryReader& in, int fileVersion)
{
    const auto r = ReadElementBaseRecord(in, fileVersion);
    if (!r)
        return false;
    LineType = r->lineType;
    bridges = r->bridges;
    bridges.Normalize();
    ptg = r->ptg;
    iAutoBridges = r->bridgeMode;
    autoCount = r->autoCount;
    lBridges = r->bridgeWidth;
    notInstanced = r->notInstanced.value_or(notInstanced) != 0 ? 1 : 0;
    displayDirty = true;
    return true;
}
