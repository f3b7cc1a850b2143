#include "exchange/native/NativeDrawing.h"

#include "element/NodeRecord.h"
#include "exchange/native/ElementLayout.h"
#include "formula/FormulaTable.h"
#include "platform/BinaryStream.h"

namespace native {

namespace {

// The first versions with a section's locked flag and its step-and-repeat
// records.
constexpr int kLockedVersion = 3;
constexpr int kAutoInstanceVersion = 7;
constexpr qsizetype kAutoInstanceBytes = 4 + 5 * 8 + 4;
constexpr qsizetype kInstanceBytes = 5 * 8;
// A type id alone (the skipped type carries nothing more).
constexpr qsizetype kMinElementBytes = 4;

qsizetype MinSectionBytes(int version)
{
    return 4 + 4 + 4 + (version >= kLockedVersion ? 4 : 0) + (version >= kAutoInstanceVersion ? 2 * kAutoInstanceBytes : 0)
        + 4 + 4;
}

AutoInstance ReadAutoInstance(platform::BinaryReader& in)
{
    AutoInstance a;
    a.rotateAlternate = in.readInt32() != 0;
    a.angle = in.readDouble();
    a.gap1 = in.readDouble();
    a.gap2 = in.readDouble();
    a.shift1 = in.readDouble();
    a.shift2 = in.readDouble();
    a.count = in.readInt32();
    return a;
}

void WriteAutoInstance(platform::BinaryWriter& out, const AutoInstance& a)
{
    out.writeInt32(a.rotateAlternate ? 1 : 0);
    for (double v : {a.angle, a.gap1, a.gap2, a.shift1, a.shift2})
        out.writeDouble(v);
    out.writeInt32(a.count);
}

// The bytes [from, to) without a copy: a record of a large drawing is read
// once more when it is built, and copying each would double the memory the
// open needs.
QByteArray Slice(QByteArrayView bytes, qsizetype from, qsizetype to)
{
    return QByteArray::fromRawData(bytes.data() + from, to - from);
}

// On failure, where says which record broke.
bool ReadElements(platform::BinaryReader& in, QByteArrayView bytes, int version, SectionRecord& section,
                  QString& where)
{
    const int32_t count = in.readCount(kMinElementBytes);
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        const qsizetype start = in.position();
        const int32_t typeId = in.readInt32();
        if (!in.ok())
            return false;
        if (typeId == kSkippedElementType)
            continue;
        if (!SkipElementBody(in, typeId, version)) {
            where = QStringLiteral("%1 record (element %2)").arg(ElementTypeName(typeId)).arg(i + 1);
            return false;
        }
        section.elements.push_back({typeId, Slice(bytes, start, in.position())});
    }
    return in.ok();
}

bool ReadSection(platform::BinaryReader& in, QByteArrayView bytes, int version, SectionRecord& section,
                 QString& where)
{
    section.name = in.readWString();
    section.visible = in.readInt32() == 1;
    section.current = in.readInt32() == 1;
    if (version >= kLockedVersion)
        section.locked = in.readInt32() == 1;
    if (version >= kAutoInstanceVersion) {
        section.hasAutoInstances = true;
        section.rows = ReadAutoInstance(in);
        section.columns = ReadAutoInstance(in);
    }
    const int32_t instances = in.readCount(kInstanceBytes);
    if (in.ok() && instances < 1) {
        // Every layer holds at least its original; without it no element
        // would be drawn or kept.
        in.fail(QStringLiteral("instance count %1: a layer holds at least its original").arg(instances));
        return false;
    }
    for (int32_t i = 0; i < instances && in.ok(); ++i) {
        InstanceRecord r;
        r.angle = in.readDouble();
        r.dx = in.readDouble();
        r.dy = in.readDouble();
        (void)in.skip(2 * 8); // two scale factors, always 1.0
        section.instances.push_back(r);
    }
    return in.ok() && ReadElements(in, bytes, version, section, where);
}

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

std::optional<int32_t> ReadTag(QByteArrayView bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    platform::BinaryReader in(bytes);
    return in.readInt32();
}

bool ReadHeader(platform::BinaryReader& in, QString& identification, int32_t& version, QString* error)
{
    identification = in.readWString();
    version = in.readInt32();
    if (!in.ok())
        return Fail(error, QStringLiteral("damaged file header: %1").arg(in.error()));
    if (version > kFormatVersion)
        return Fail(error, QStringLiteral("format version %1 is newer than this program reads (%2)")
                               .arg(version)
                               .arg(kFormatVersion));
    return true;
}

void WriteHeader(platform::BinaryWriter& out, int32_t tag, const QString& identification, int32_t version)
{
    out.writeInt32(tag);
    out.writeWString(identification);
    out.writeInt32(version);
}

bool ReadDrawing(QByteArrayView file, Drawing& out, QString* error)
{
    Drawing d;
    // One copy for all the records, which point into it.
    d.source = file.toByteArray();
    const QByteArrayView bytes(d.source);
    platform::BinaryReader in(bytes);
    const int32_t tag = in.readInt32();
    if (in.ok() && tag != kDrawingTag)
        return Fail(error, QStringLiteral("not a drawing file (tag %1)").arg(tag));
    if (!ReadHeader(in, d.identification, d.version, error))
        return false;
    d.left = in.readDouble();
    d.top = in.readDouble();
    d.right = in.readDouble();
    d.bottom = in.readDouble();

    qsizetype start = in.position();
    if (!FormulaTable::SkipBlock(in))
        return Fail(error, QStringLiteral("damaged variable block: %1").arg(in.error()));
    d.variableBlock = Slice(bytes, start, in.position());

    start = in.position();
    auto nodes = ReadNodeBlock(in, d.version);
    if (!nodes)
        return Fail(error, QStringLiteral("damaged node table: %1").arg(in.error()));
    d.nodes = std::move(*nodes);
    d.nodeBlock = Slice(bytes, start, in.position());

    const int32_t sections = in.readInt32();
    if (in.ok() && sections > kMaxSections)
        return Fail(error, QStringLiteral("the file holds %1 sections; a drawing holds at most %2")
                               .arg(sections)
                               .arg(kMaxSections));
    if (in.ok() && sections == 0)
        return Fail(error, QStringLiteral("the file holds no layer"));
    if (in.ok() && (sections < 0 || sections > in.remaining() / MinSectionBytes(d.version)))
        in.fail(QStringLiteral("section count %1 does not fit the file").arg(sections));
    QString where;
    for (int32_t i = 0; i < sections && in.ok(); ++i) {
        SectionRecord s;
        if (!ReadSection(in, bytes, d.version, s, where)) {
            where = QStringLiteral("section %1 \"%2\"%3").arg(i + 1).arg(s.name, where.isEmpty() ? QString() : QStringLiteral(", ") + where);
            break;
        }
        d.sections.push_back(std::move(s));
    }
    if (!in.ok())
        return Fail(error, QStringLiteral("damaged %1: %2").arg(where.isEmpty() ? QStringLiteral("section count") : where, in.error()));
    if (in.remaining() > 0)
        return Fail(error, QStringLiteral("damaged file: %1 bytes after the last section").arg(in.remaining()));
    out = std::move(d);
    return true;
}

QByteArray WriteDrawing(const Drawing& drawing)
{
    platform::BinaryWriter out;
    WriteHeader(out, kDrawingTag, drawing.identification, drawing.version);
    for (double v : {drawing.left, drawing.top, drawing.right, drawing.bottom})
        out.writeDouble(v);
    out.writeBytes(drawing.variableBlock);
    out.writeBytes(drawing.nodeBlock);
    out.writeInt32(static_cast<int32_t>(drawing.sections.size()));
    for (const SectionRecord& s : drawing.sections) {
        out.writeWString(s.name);
        out.writeInt32(s.visible ? 1 : 0);
        out.writeInt32(s.current ? 1 : 0);
        out.writeInt32(s.locked ? 1 : 0);
        WriteAutoInstance(out, s.rows);
        WriteAutoInstance(out, s.columns);
        out.writeInt32(static_cast<int32_t>(s.instances.size()));
        for (const InstanceRecord& r : s.instances) {
            for (double v : {r.angle, r.dx, r.dy, 1.0, 1.0})
                out.writeDouble(v);
        }
        out.writeInt32(static_cast<int32_t>(s.elements.size()));
        for (const ElementRecord& e : s.elements)
            out.writeBytes(e.bytes);
    }
    return out.take();
}

} // namespace native
