#include "exchange/native/StandardDimensions.h"

#include "exchange/native/NativeDrawing.h"
#include "exchange/native/StandardTable.h"
#include "formula/FormulaTable.h"
#include "platform/BinaryStream.h"

#include <QFile>

namespace native {
namespace {

// A standard's drawing is far smaller; a larger file is not read.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

std::optional<MainDimensions> FromDrawing(QByteArrayView bytes)
{
    platform::BinaryReader in(bytes);
    (void)in.readInt32(); // the tag
    QString identification;
    int32_t version = 0;
    if (!ReadHeader(in, identification, version, nullptr))
        return std::nullopt;
    for (int i = 0; i < 4; ++i)
        (void)in.readDouble(); // the extents
    FormulaTable variables;
    if (!in.ok() || !variables.Load(in))
        return std::nullopt;
    return MainDimensions{variables.Evaluate(QStringLiteral("A")), variables.Evaluate(QStringLiteral("B")),
                                    variables.Evaluate(QStringLiteral("H")),
                                    variables.Evaluate(QStringLiteral("MatThick"))};
}

} // namespace

std::optional<MainDimensions> ReadStandardDimensions(QByteArrayView bytes, bool* extended)
{
    const std::optional<int32_t> tag = ReadTag(bytes);
    if (extended)
        *extended = tag == kStandardTag;
    if (tag == kDrawingTag)
        return FromDrawing(bytes);
    if (tag == kStandardTag) {
        SpecStandardTable table;
        if (!table.Read(bytes, nullptr))
            return std::nullopt;
        return MainDimensions{table.A, table.B, table.H, table.MatThick};
    }
    return std::nullopt;
}

std::optional<MainDimensions> ReadStandardDimensionsFile(const QString& path, bool* extended)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    return ReadStandardDimensions(file.readAll(), extended);
}

} // namespace native
