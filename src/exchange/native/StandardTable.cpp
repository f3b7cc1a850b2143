#include "exchange/native/StandardTable.h"

#include "exchange/native/NativeDrawing.h"
#include "platform/BinaryStream.h"
#include "platform/TextFile.h"
#include "support/StoredPath.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Five empty texts and a pair count; a pair is two empty texts.
constexpr qsizetype kMinComponentBytes = 5 * 4 + 4;
constexpr qsizetype kPairBytes = 2 * 4;

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool ReadComponent(platform::BinaryReader& in, SpecStandardComponent& c)
{
    c.name = in.readWString();
    c.file = in.readWString();
    c.x = in.readWString();
    c.y = in.readWString();
    c.rotation = in.readWString();
    c.pairCount = in.readCount(kPairBytes, SpecStandardComponent::kMaxPairs);
    for (int i = 0; i < c.pairCount && in.ok(); ++i) {
        c.pairs[static_cast<size_t>(i)].variable = in.readWString();
        c.pairs[static_cast<size_t>(i)].expression = in.readWString();
    }
    return in.ok();
}

} // namespace

int SpecStandardTable::FindComponent(const QString& name) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (Component(i).name == name)
            return i;
    }
    return -1;
}

int SpecStandardTable::AddComponent(const QString& name, const QString& file, const QString& x, const QString& y,
                                    const QString& rotation)
{
    if (GetCount() >= kMaxComponents)
        return -1;
    SpecStandardComponent c;
    c.name = name;
    c.file = file;
    c.x = x;
    c.y = y;
    c.rotation = rotation;
    components_.push_back(std::move(c));
    return GetCount() - 1;
}

void SpecStandardTable::RemoveAt(int n)
{
    if (n >= 0 && n < GetCount())
        components_.erase(components_.begin() + n);
}

void SpecStandardTable::RemoveComponent(const QString& name)
{
    RemoveAt(FindComponent(name));
}

int SpecStandardTable::SwapComponents(int a, int b)
{
    if (a < 0 || b < 0 || a >= GetCount() || b >= GetCount())
        return 0;
    std::swap(Component(a), Component(b));
    return b - a;
}

bool SpecStandardTable::Read(QByteArrayView bytes, QString* error)
{
    platform::BinaryReader in(bytes);
    const int32_t tag = in.readInt32();
    if (!in.ok())
        return Fail(error, QStringLiteral("damaged extended standard: %1").arg(in.error()));
    if (tag != native::kStandardTag)
        return Fail(error, QStringLiteral("not an extended standard (tag %1)").arg(tag));
    SpecStandardTable t;
    int32_t version = 0;
    QString reason;
    if (!native::ReadHeader(in, t.identification, version, &reason))
        return Fail(error, QStringLiteral("extended standard: %1").arg(reason));
    for (double* v : {&t.A, &t.B, &t.H, &t.MatThick}) {
        *v = in.readDouble();
        if (in.ok() && !std::isfinite(*v))
            return Fail(error, QStringLiteral("damaged extended standard: a main dimension is not a number"));
    }
    const int32_t count = in.readCount(kMinComponentBytes, kMaxComponents);
    for (int i = 0; i < count && in.ok(); ++i) {
        SpecStandardComponent c;
        if (ReadComponent(in, c))
            t.components_.push_back(std::move(c));
    }
    if (!in.ok())
        return Fail(error, QStringLiteral("damaged extended standard: %1").arg(in.error()));
    if (!in.atEnd())
        return Fail(error, QStringLiteral("damaged extended standard: %1 bytes after the last component")
                               .arg(in.remaining()));
    *this = std::move(t);
    return true;
}

QByteArray SpecStandardTable::Write() const
{
    platform::BinaryWriter out;
    native::WriteHeader(out, native::kStandardTag, identification, native::kFormatVersion);
    for (double v : {A, B, H, MatThick})
        out.writeDouble(v);
    out.writeInt32(GetCount());
    for (const SpecStandardComponent& c : components_) {
        for (const QString* text : {&c.name, &c.file, &c.x, &c.y, &c.rotation})
            out.writeWString(*text);
        // A count set out of range by hand is written as the pairs it can hold.
        const int pairs = std::clamp(c.pairCount, 0, SpecStandardComponent::kMaxPairs);
        out.writeInt32(pairs);
        for (int i = 0; i < pairs; ++i) {
            out.writeWString(c.pairs[static_cast<size_t>(i)].variable);
            out.writeWString(c.pairs[static_cast<size_t>(i)].expression);
        }
    }
    return out.take();
}

bool SpecStandardTable::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    // Forty components of fifty pairs of long texts stay far below this.
    constexpr qint64 kMaxBytes = qint64(64) << 20;
    if (file.size() > kMaxBytes)
        return Fail(error, QStringLiteral("the file is too large for an extended standard"));
    const QByteArray bytes = file.readAll();
    return Read(bytes, error);
}

bool SpecStandardTable::Save(const QString& path, QString* error) const
{
    return platform::writeFileAtomically(path, Write(), error);
}

QString SpecStandardTable::ComponentPath(int n, const QString& standardFile) const
{
    return support::MakeAbsolutePath(Component(n).file, standardFile);
}
