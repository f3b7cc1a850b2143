// The element records of the drawing file: each type's fields come and go
// with the file version as the layout says, and what is written at a version
// reads back at that version to the same bytes.
#include "element/ElementRecords.h"

#include "element/ElementTypes.h"
#include "platform/BinaryStream.h"

#include <gtest/gtest.h>

namespace {

TextRecord SomeText()
{
    TextRecord r;
    r.heightNode = 1;
    r.baseNode = 2;
    r.endNode = 3;
    r.text = QStringLiteral("ab");
    r.fontKind = 2;
    r.mirrored = 1;
    r.font.height = -40;
    return r;
}

MeasureRecord SomeMeasure()
{
    MeasureRecord r;
    r.kind = 1204;
    r.first = 4;
    r.second = 5;
    r.line = 6;
    r.instances = {1, 2, 0};
    r.charWidth = 9;
    r.charHeight = 7;
    return r;
}

WoodFileRecord SomeWood()
{
    WoodFileRecord r;
    r.values.text = QStringLiteral("ab");
    r.values.absolute = true;
    r.values.sides[2].on = true;
    r.values.notchWidth = 6.5;
    r.records = std::vector<WoodRecord>{{2, 3, 4.5, 6.5}};
    return r;
}

SplineRecord SomeSpline()
{
    return SplineRecord{{0, 1, 2}, 7};
}

template <class Record>
QByteArray Written(const Record& r, int version)
{
    platform::BinaryWriter out;
    WriteElementRecord(out, r, version);
    return out.take();
}

// Writes at the version, reads back at it through the type id, and checks
// every byte was taken and the record writes again to the same bytes.
template <class Record>
qsizetype CheckedSize(const Record& r, int32_t typeId, int version)
{
    const QByteArray bytes = Written(r, version);
    platform::BinaryReader in(bytes);
    const auto body = ReadElementBody(in, typeId, version);
    EXPECT_TRUE(body.has_value()) << "type " << typeId << " version " << version;
    EXPECT_TRUE(in.atEnd()) << "type " << typeId << " version " << version;
    if (body) {
        const Record* read = std::get_if<Record>(&*body);
        EXPECT_NE(read, nullptr);
        if (read) {
            EXPECT_EQ(Written(*read, version), bytes) << "type " << typeId << " version " << version;
        }
    }
    return bytes.size();
}

// Sizes from the documented layout, counted by hand: text "ab" is 4 + 4 bytes,
// the font record 92, a wood record 24, a wood side 36.
TEST(ElementRecords, FieldsFollowTheirVersionGates)
{
    for (int v = 1; v <= kNodeFileVersion; ++v) {
        EXPECT_EQ(CheckedSize(SomeText(), ElementTypeId::Text, v), 12 + 8 + 4 + (v >= 11 ? 4 : 0) + 92) << v;
        EXPECT_EQ(CheckedSize(SomeMeasure(), ElementTypeId::Measure, v), 20 + (v >= 4 ? 12 : 0) + (v >= 8 ? 8 : 0))
            << v;
        EXPECT_EQ(CheckedSize(SomeSpline(), ElementTypeId::Spline, v), 16 + (v >= 12 ? 4 : 0)) << v;
        const qsizetype wood = 92 + (v >= 3 ? 36 : 0) + (v >= 6 ? 8 + 24 : 0) + (v >= 9 ? 4 * 36 : 0)
                               + (v >= 10 ? 4 + 8 + 32 + 4 + 16 : 0) + (v >= 13 ? 16 : 0);
        EXPECT_EQ(CheckedSize(SomeWood(), ElementTypeId::Wood, v), wood) << v;
    }
}

// Fields a version does not hold keep the values the read starts from; the
// die board's records are absent (the board then makes its defaults).
TEST(ElementRecords, AbsentFieldsKeepTheStartValues)
{
    const QByteArray spline = Written(SomeSpline(), 11);
    platform::BinaryReader splineIn(spline);
    SplineRecord start;
    start.samplesPerSegment = 12;
    const auto s = ReadElementRecord(splineIn, 11, start);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->samplesPerSegment, 12);

    const QByteArray measure = Written(SomeMeasure(), 3);
    platform::BinaryReader measureIn(measure);
    const auto m = ReadElementRecord<MeasureRecord>(measureIn, 3);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->instances, (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(m->charWidth, 15);
    EXPECT_EQ(m->charHeight, 12);

    const QByteArray wood = Written(SomeWood(), 5);
    platform::BinaryReader woodIn(wood);
    WoodFileRecord woodStart;
    woodStart.values.notchWidth = 3.0;
    const auto w = ReadElementRecord(woodIn, 5, woodStart);
    ASSERT_TRUE(w.has_value());
    EXPECT_FALSE(w->records.has_value());
    EXPECT_TRUE(w->values.absolute);
    EXPECT_EQ(w->values.notchWidth, 3.0);
    EXPECT_TRUE(w->values.text.isEmpty());
}

// A short record, a count beyond what is left and an unknown type fail the
// read with a reason.
TEST(ElementRecords, DamagedRecordsFail)
{
    QByteArray shortText = Written(SomeText(), kNodeFileVersion);
    shortText.chop(1);
    QByteArray hugeSpline = Written(SomeSpline(), kNodeFileVersion);
    hugeSpline[0] = char(0x7f);
    const struct {
        const char* name;
        QByteArray bytes;
        int32_t typeId;
    } cases[] = {
        {"short text", shortText, ElementTypeId::Text},
        {"spline count beyond the bytes", hugeSpline, ElementTypeId::Spline},
        {"unknown type", QByteArray(64, '\0'), 9},
    };
    for (const auto& c : cases) {
        platform::BinaryReader in(c.bytes);
        EXPECT_FALSE(ReadElementBody(in, c.typeId, kNodeFileVersion).has_value()) << c.name;
        EXPECT_FALSE(in.ok()) << c.name;
    }
}

} // namespace
