#pragma once
// Small drawing files of any format version, written field by field: three
// absolute nodes (the origin, (10, 0), (0, 10)), one variable and one
// section with two instances, a line and an arc, each field present exactly
// when that version carries it.
#include "element/ElementTypes.h"
#include "platform/BinaryStream.h"

#include <QByteArray>
#include <QString>

namespace nativetest {

struct FixtureOptions {
    int version = 15;
    int32_t sectionCount = 1;
    // The line's record: type id and base-record bridge count.
    int32_t lineType = ElementTypeId::Line;
    int32_t bridgeCount = 1;
};

inline void WriteOldNode(platform::BinaryWriter& out, int version, double xMm, double yMm)
{
    for (int i = 0; i < 5; ++i)
        out.writeWString(i == 0 ? QStringLiteral("n") : QString());
    out.writeInt32(-1);
    out.writeInt32(-1);
    out.writeInt32(600);
    out.writeInt32(1);
    out.writeDouble(xMm * 1000.0);
    out.writeDouble(yMm * 1000.0);
    if (version > 1) {
        for (int i = 0; i < 3; ++i)
            out.writeWString(QString());
    }
    if (version >= 14)
        out.writeInt32(0);
}

inline void WriteBase(platform::BinaryWriter& out, int version, int32_t bridges)
{
    out.writeInt32(3); // line type
    out.writeInt32(bridges);
    for (int32_t i = 0; i < bridges; ++i) {
        out.writeInt32(0);
        out.writeInt32(0);
        out.writeDouble(2.0 + i);
        out.writeDouble(0.5);
    }
    out.writeDouble(23.8); // ptg
    out.writeInt32(0);     // by hand
    out.writeInt32(0);
    out.writeDouble(3.0);
    if (version >= 4)
        out.writeInt32(1); // not instanced
}

inline QByteArray OldFile(const FixtureOptions& o)
{
    const int v = o.version;
    platform::BinaryWriter out;
    out.writeInt32(0xFFFF);
    out.writeWString(QStringLiteral("fixture"));
    out.writeInt32(v);
    for (double e : {0.0, 10.0, 10.0, 0.0})
        out.writeDouble(e);
    // Variable block: one variable.
    out.writeInt32(1);
    out.writeWString(QStringLiteral("Width"));
    out.writeWString(QStringLiteral("40"));
    out.writeWString(QString());
    out.writeInt32(3);
    out.writeInt32(1);
    // Node block.
    out.writeInt32(3);
    if (v >= 5)
        out.writeInt32(3);
    const double at[3][2] = {{0, 0}, {10, 0}, {0, 10}};
    for (int i = 0; i < 3; ++i) {
        if (v >= 5)
            out.writeInt32(i);
        WriteOldNode(out, v, at[i][0], at[i][1]);
    }
    out.writeInt32(o.sectionCount);
    for (int32_t s = 0; s < std::min<int32_t>(o.sectionCount, 1); ++s) {
        out.writeWString(QStringLiteral("Layer"));
        out.writeInt32(1); // visible
        out.writeInt32(1); // current
        if (v >= 3)
            out.writeInt32(1); // locked
        if (v >= 7) {
            for (int a = 0; a < 2; ++a) {
                out.writeInt32(1);
                for (double d : {90.0, 1.0, 2.0, 3.0, 4.0})
                    out.writeDouble(d);
                out.writeInt32(3);
            }
        }
        out.writeInt32(2);
        for (double d : {0.0, 0.0, 0.0, 1.0, 1.0, 45.0, 100.0, 50.0, 1.0, 1.0})
            out.writeDouble(d);
        out.writeInt32(2);
        out.writeInt32(o.lineType);
        out.writeInt32(1);
        out.writeInt32(2);
        WriteBase(out, v, o.bridgeCount);
        out.writeInt32(ElementTypeId::Arc);
        out.writeInt32(1);
        out.writeInt32(2);
        out.writeInt32(0);
        WriteBase(out, v, 0);
    }
    return out.take();
}

} // namespace nativetest
