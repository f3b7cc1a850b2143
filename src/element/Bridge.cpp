#include "element/Bridge.h"

#include "platform/BinaryStream.h"

#include <QString>

#include <algorithm>
#include <cmath>

bool BridgeList::Append(const Bridge& bridge)
{
    if (Count() >= MaxCount)
        return false;
    items_.push_back(bridge);
    return true;
}

void BridgeList::RemoveAt(int i)
{
    if (i < 0 || i >= Count())
        return;
    items_.erase(items_.begin() + i);
}

void BridgeList::Reverse()
{
    std::reverse(begin(), end());
}

void BridgeList::Normalize()
{
    std::stable_sort(begin(), end(), [](const Bridge& a, const Bridge& b) { return a.position < b.position; });
    for (int i = 0; i + 1 < Count(); ++i) {
        Bridge& b = (*this)[i];
        const double room = (*this)[i + 1].position - b.position;
        if (b.width > room)
            b.width = room;
    }
}

bool ReadBridge(platform::BinaryReader& in, Bridge& bridge)
{
    bridge.tag = in.readInt32();
    (void)in.readInt32(); // padding of the tag
    bridge.position = in.readDouble();
    bridge.width = in.readDouble();
    if (!in.ok())
        return false;
    if (!std::isfinite(bridge.position) || !std::isfinite(bridge.width)) {
        in.fail(QStringLiteral("a bridge at a position or of a width that is not a number"));
        return false;
    }
    return true;
}

double EvenBridgePosition(int i, int n, double width, double length)
{
    const double s = (length - n * width) / n;
    return i * s + s / 2 + i * width;
}
