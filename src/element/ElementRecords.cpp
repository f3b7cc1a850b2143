// The element records of the drawing file (see ElementRecords.h): one layout
// per type, run by a reader or a writer.
#include "element/ElementRecords.h"

#include "element/ElementTypes.h"
#include "element/FontRecord.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

namespace {

// The first versions that hold these fields (the die board's are CWood's).
constexpr int kMeasureInstancesVersion = 4;
constexpr int kMeasureCharSizeVersion = 8;
constexpr int kTextMirroredVersion = 11;
constexpr int kSplineSamplesVersion = 12;

constexpr qsizetype kWoodRecordBytes = 2 * 4 + 2 * 8;

class FieldReader {
public:
    static constexpr bool kReading = true;
    explicit FieldReader(platform::BinaryReader& in) : in_(in) {}
    void i32(int32_t& v) { v = in_.readInt32(); }
    void f64(double& v) { v = in_.readDouble(); }
    void flag(bool& v) { v = in_.readInt32() != 0; }
    void strictFlag(bool& v) { v = in_.readInt32() == 1; }
    void text(QString& v, int32_t maxChars = -1) { v = in_.readWString(maxChars); }
    void font(platform::LogFont& v) { v = FontRecord::Read(in_); }
    template <class T, class Each>
    void list(std::vector<T>& v, qsizetype minBytes, int32_t maxCount, Each each)
    {
        const int32_t n = in_.readCount(minBytes, maxCount);
        v.clear();
        v.reserve(size_t(n));
        for (int32_t i = 0; i < n && in_.ok(); ++i)
            each(v.emplace_back());
    }

private:
    platform::BinaryReader& in_;
};

class FieldWriter {
public:
    static constexpr bool kReading = false;
    explicit FieldWriter(platform::BinaryWriter& out) : out_(out) {}
    void i32(const int32_t& v) { out_.writeInt32(v); }
    void f64(const double& v) { out_.writeDouble(v); }
    void flag(const bool& v) { out_.writeInt32(v ? 1 : 0); }
    void strictFlag(const bool& v) { flag(v); }
    void text(const QString& v, int32_t = -1) { out_.writeWString(v); }
    void font(const platform::LogFont& v) { FontRecord::Write(out_, v); }
    template <class T, class Each>
    void list(const std::vector<T>& v, qsizetype, int32_t, Each each)
    {
        out_.writeInt32(static_cast<int32_t>(v.size()));
        for (const T& item : v)
            each(item);
    }

private:
    platform::BinaryWriter& out_;
};

// The layouts. R is the record, const when writing.

template <class Io, class R>
void Fields(Io& io, R& r, int, ArcRecord*)
{
    io.i32(r.start);
    io.i32(r.end);
    io.i32(r.centre);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, LineRecord*)
{
    io.i32(r.start);
    io.i32(r.end);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, EllipseRecord*)
{
    io.i32(r.centre);
    io.i32(r.major);
    io.i32(r.minor);
    io.i32(r.start);
    io.i32(r.end);
}

template <class Io, class R>
void Fields(Io& io, R& r, int version, TextRecord*)
{
    io.i32(r.heightNode);
    io.i32(r.baseNode);
    io.i32(r.endNode);
    io.text(r.text, CText::MaxLoadedLength);
    io.i32(r.fontKind);
    if (version >= kTextMirroredVersion)
        io.i32(r.mirrored);
    io.font(r.font);
}

template <class Io, class R>
void Fields(Io& io, R& r, int version, MeasureRecord*)
{
    io.i32(r.kind);
    io.i32(r.first);
    io.i32(r.second);
    io.i32(r.centre);
    io.i32(r.line);
    if (version >= kMeasureInstancesVersion) {
        for (auto& number : r.instances)
            io.i32(number);
    }
    if (version >= kMeasureCharSizeVersion) {
        io.i32(r.charWidth);
        io.i32(r.charHeight);
    }
}

template <class Io, class R>
void Fields(Io& io, R& r, int version, WoodFileRecord*)
{
    auto& v = r.values;
    io.f64(v.leftMargin);
    io.f64(v.topMargin);
    io.f64(v.rightMargin);
    io.f64(v.bottomMargin);
    io.f64(v.fillet);
    io.i32(v.centreLineEdge);
    io.f64(v.gapSpacing);
    io.f64(v.knifeStartOverhang);
    io.f64(v.knifeEndOverhang);
    io.f64(v.knifeOffset);
    io.f64(v.knifeSpacing);
    io.f64(v.knifeEndClearance);
    if (version >= CWood::kAbsoluteVersion) {
        io.strictFlag(v.absolute);
        io.f64(v.absoluteBox.minX);
        io.f64(v.absoluteBox.maxY);
        io.f64(v.absoluteBox.maxX);
        io.f64(v.absoluteBox.minY);
    }
    if (version >= CWood::kRecordsVersion) {
        io.strictFlag(v.knives);
        const auto each = [&io](auto& w) {
            io.i32(w.a);
            io.i32(w.b);
            io.f64(w.c);
            io.f64(w.d);
        };
        if constexpr (Io::kReading) {
            io.list(r.records.emplace(), kWoodRecordBytes, CWood::kMaxRecords, each);
        } else {
            static const std::vector<WoodRecord> kNone;
            io.list(r.records ? *r.records : kNone, kWoodRecordBytes, CWood::kMaxRecords, each);
        }
    }
    if (version >= CWood::kSidesVersion) {
        for (auto& side : v.sides) {
            io.f64(side.start);
            io.f64(side.step);
            io.f64(side.offset);
            io.i32(side.oneSidedTick);
            io.flag(side.on);
            io.flag(side.centred);
        }
    }
    if (version >= CWood::kStoredTextsVersion) {
        io.flag(v.symmetric);
        io.text(v.text);
        for (auto& position : v.textPositions)
            io.flag(position);
        io.i32(v.textHeight);
        io.f64(v.textBand);
        io.f64(v.textOffset);
    }
    if (version >= CWood::kNotchVersion) {
        io.f64(v.notchWidth);
        io.f64(v.notchDepth);
    }
}

template <class Io, class R>
void Fields(Io& io, R& r, int version, SplineRecord*)
{
    io.list(r.nodes, 4, CSpline::kMaxNodes, [&io](auto& node) { io.i32(node); });
    if (version >= kSplineSamplesVersion)
        io.i32(r.samplesPerSegment);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, CuirRecord*)
{
    io.i32(r.node);
    io.f64(r.angle);
    io.f64(r.wingLength);
    io.f64(r.radius);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, BobstAsmRecord*)
{
    io.i32(r.node);
    io.i32(r.kind);
    io.f64(r.openingAngle);
    io.f64(r.innerRadius);
    io.f64(r.outerRadius);
    io.f64(r.rotation);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, HolderRecord*)
{
    io.i32(r.node);
    io.i32(r.vertical);
    io.f64(r.length);
    io.f64(r.width);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, HolePatternRecord*)
{
    io.i32(r.node);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, MartinRecord*)
{
    io.i32(r.node);
    io.f64(r.horizontal);
    io.f64(r.vertical);
}

template <class Io, class R>
void Fields(Io& io, R& r, int, SideSymbolRecord*)
{
    io.i32(r.node);
    io.i32(r.side);
}

template <class Record>
std::optional<ElementBody> ReadBody(platform::BinaryReader& in, int version)
{
    auto r = ReadElementRecord<Record>(in, version);
    if (!r)
        return std::nullopt;
    return ElementBody(std::move(*r));
}

} // namespace

template <class Record>
std::optional<Record> ReadElementRecord(platform::BinaryReader& in, int version, Record start)
{
    FieldReader io(in);
    Fields(io, start, version, static_cast<Record*>(nullptr));
    if (!in.ok())
        return std::nullopt;
    return start;
}

template <class Record>
void WriteElementRecord(platform::BinaryWriter& out, const Record& record, int version)
{
    FieldWriter io(out);
    Fields(io, record, version, static_cast<Record*>(nullptr));
}

#define MORVEK_ELEMENT_RECORD(R)                                                                                      \
    template std::optional<R> ReadElementRecord<R>(platform::BinaryReader&, int, R);                                  \
    template void WriteElementRecord<R>(platform::BinaryWriter&, const R&, int);
MORVEK_ELEMENT_RECORD(ArcRecord)
MORVEK_ELEMENT_RECORD(LineRecord)
MORVEK_ELEMENT_RECORD(EllipseRecord)
MORVEK_ELEMENT_RECORD(TextRecord)
MORVEK_ELEMENT_RECORD(MeasureRecord)
MORVEK_ELEMENT_RECORD(WoodFileRecord)
MORVEK_ELEMENT_RECORD(SplineRecord)
MORVEK_ELEMENT_RECORD(CuirRecord)
MORVEK_ELEMENT_RECORD(BobstAsmRecord)
MORVEK_ELEMENT_RECORD(HolderRecord)
MORVEK_ELEMENT_RECORD(HolePatternRecord)
MORVEK_ELEMENT_RECORD(MartinRecord)
MORVEK_ELEMENT_RECORD(SideSymbolRecord)
#undef MORVEK_ELEMENT_RECORD

std::optional<ElementBody> ReadElementBody(platform::BinaryReader& in, int32_t typeId, int version)
{
    namespace T = ElementTypeId;
    switch (typeId) {
    case T::Arc: return ReadBody<ArcRecord>(in, version);
    case T::Line: return ReadBody<LineRecord>(in, version);
    case T::Ellipse: return ReadBody<EllipseRecord>(in, version);
    case T::Text: return ReadBody<TextRecord>(in, version);
    case T::Measure: return ReadBody<MeasureRecord>(in, version);
    case T::Wood: return ReadBody<WoodFileRecord>(in, version);
    case T::Spline: return ReadBody<SplineRecord>(in, version);
    case T::Cuir: return ReadBody<CuirRecord>(in, version);
    case T::BobstAsm: return ReadBody<BobstAsmRecord>(in, version);
    case T::Holder: return ReadBody<HolderRecord>(in, version);
    case T::Bobst:
    case T::BobstSP: return ReadBody<HolePatternRecord>(in, version);
    case T::Martin: return ReadBody<MartinRecord>(in, version);
    case T::SeperationRule:
    case T::StripperWood: return ReadBody<SideSymbolRecord>(in, version);
    default:
        in.fail(QStringLiteral("unknown element type %1").arg(typeId));
        return std::nullopt;
    }
}
