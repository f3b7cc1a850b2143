// The common part of every element record of the drawing file.
//   int32 line type, int32 bridge count n, n × (8-byte tag, double position,
//   double width), double ptg, int32 bridge mode, int32 auto count,
//   double bridge width, int32 not-instanced (read from format version 4 on)
#include "element/Element.h"

#include "platform/BinaryStream.h"

#include <QStringLiteral>

namespace {
constexpr int kBridgeRecordBytes = 24;
// The first format version whose records carry the not-instanced flag.
constexpr int kNotInstancedVersion = 4;
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

bool CElement::LoadBase(platform::BinaryReader& in, int fileVersion)
{
    const int32_t lineType = in.readInt32();
    const int32_t count = in.readCount(kBridgeRecordBytes, BridgeList::MaxCount);
    BridgeList loaded;
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        Bridge b;
        b.tag = in.readInt32();
        (void)in.readInt32(); // padding of the tag
        b.position = in.readDouble();
        b.width = in.readDouble();
        (void)loaded.Append(b); // count is at most MaxCount
    }
    const double loadedPtg = in.readDouble();
    const int32_t mode = in.readInt32();
    const int32_t loadedAutoCount = in.readInt32();
    const double width = in.readDouble();
    const int32_t flag = fileVersion >= kNotInstancedVersion ? in.readInt32() : notInstanced;
    if (!in.ok())
        return false;
    if (loadedAutoCount < 0) {
        in.fail(QStringLiteral("negative bridge count %1").arg(loadedAutoCount));
        return false;
    }
    LineType = lineType;
    bridges = loaded;
    bridges.Normalize();
    ptg = loadedPtg;
    iAutoBridges = mode;
    autoCount = loadedAutoCount;
    lBridges = width;
    notInstanced = flag != 0 ? 1 : 0;
    displayDirty = true;
    return true;
}
