#include "exchange/native/NativeDrawing.h"

#include "element/ElementTypes.h"
#include "exchange/native/ElementLayout.h"
#include "exchange/native/NativeFixture.h"

#include <gtest/gtest.h>

using nativetest::FixtureOptions;
using nativetest::OldFile;

namespace {

// Every version gate: the locked flag from 3, the not-instanced flag of the
// element records from 4, the indexed node block from 5, the step-and-repeat
// records from 7, the node's second-distance flag from 14.
TEST(NativeDrawing, ReadsEveryVersionWithItsGates)
{
    for (int v : {1, 2, 3, 4, 5, 6, 7, 13, 14, 15}) {
        SCOPED_TRACE(v);
        native::Drawing d;
        QString error;
        ASSERT_TRUE(native::ReadDrawing(OldFile({v}), d, &error)) << error.toStdString();
        EXPECT_EQ(d.version, v);
        ASSERT_EQ(d.sections.size(), 1u);
        const native::SectionRecord& s = d.sections[0];
        EXPECT_EQ(s.name, QStringLiteral("Layer"));
        EXPECT_TRUE(s.current);
        EXPECT_EQ(s.locked, v >= 3);
        EXPECT_EQ(s.hasAutoInstances, v >= 7);
        if (v >= 7) {
            EXPECT_TRUE(s.rows.rotateAlternate);
            EXPECT_EQ(s.columns.count, 3);
            EXPECT_EQ(s.columns.shift2, 4.0);
        }
        ASSERT_EQ(s.instances.size(), 2u);
        EXPECT_EQ(s.instances[1].angle, 45.0);
        EXPECT_EQ(s.instances[1].dx, 100.0);
        EXPECT_EQ(s.instances[1].dy, 50.0);
        ASSERT_EQ(s.elements.size(), 2u);
        EXPECT_EQ(s.elements[0].typeId, ElementTypeId::Line);
        EXPECT_EQ(s.elements[1].typeId, ElementTypeId::Arc);
        const int base = 4 + 4 + 8 + 4 + 4 + 8 + (v >= 4 ? 4 : 0);
        EXPECT_EQ(s.elements[0].bytes.size(), 4 + 8 + base + 24);
        EXPECT_EQ(s.elements[1].bytes.size(), 4 + 12 + base);
    }
}

TEST(NativeDrawing, WritesWhatItReads)
{
    native::Drawing d;
    ASSERT_TRUE(native::ReadDrawing(OldFile({15}), d, nullptr));
    EXPECT_EQ(native::WriteDrawing(d), OldFile({15}));
}

TEST(NativeDrawing, TagsAndShortFiles)
{
    EXPECT_FALSE(native::ReadTag(QByteArray("\xFF\xFF\x00", 3)).has_value());
    EXPECT_EQ(native::ReadTag(QByteArray("\xFF\x0F\x00\x00", 4)), native::kStandardTag);
    QString error;
    native::Drawing d;
    EXPECT_FALSE(native::ReadDrawing(QByteArray("\xFF\x0F\x00\x00", 4), d, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a drawing"))) << error.toStdString();
}

// A file cut short anywhere fails with a reason, never reads past its end.
TEST(NativeDrawing, EveryTruncationFails)
{
    const QByteArray whole = OldFile({15});
    for (qsizetype n = 0; n < whole.size(); ++n) {
        native::Drawing d;
        QString error;
        EXPECT_FALSE(native::ReadDrawing(whole.left(n), d, &error)) << n;
        EXPECT_FALSE(error.isEmpty()) << n;
    }
}

TEST(NativeDrawing, DamagedFilesFailWithTheirReason)
{
    auto patchedInt = [](QByteArray bytes, qsizetype at, int32_t value) {
        platform::BinaryWriter w;
        w.writeInt32(value);
        bytes.replace(at, 4, w.data());
        return bytes;
    };
    const QByteArray good = OldFile({15});
    native::Drawing bare;
    EXPECT_TRUE(native::ReadDrawing(good, bare, nullptr));
    bare.sections[0].instances.clear();
    // The identification's length field follows the tag.
    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"newer version", OldFile({16}), "newer"},
        {"103 sections", OldFile({15, 103}), "at most 102"},
        {"negative section count", OldFile({15, -1}), "section count"},
        {"section count beyond the file", OldFile({15, 90}), "section count"},
        {"unknown element type", OldFile({15, 1, 9}), "unknown element type 9"},
        {"101 bridges", OldFile({15, 1, ElementTypeId::Line, 101}), "line record"},
        {"negative bridge count", OldFile({15, 1, ElementTypeId::Line, -5}), "line record"},
        {"identification longer than the file", patchedInt(good, 4, 0x7FFFFFF0), "header"},
        {"odd identification length", patchedInt(good, 4, 3), "header"},
        // Counts that would lose every element without a word.
        {"no section", OldFile({15, 0}), "no layer"},
        {"a layer without its original instance", native::WriteDrawing(bare), "instance count 0"},
        {"bytes after the last section", good + QByteArray("\0", 1), "1 bytes after the last section"},
    };
    for (const auto& c : cases) {
        native::Drawing d;
        QString error;
        EXPECT_FALSE(native::ReadDrawing(c.bytes, d, &error)) << c.what;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.what << ": " << error.toStdString();
    }
}

// An element type that is not built yet is still stepped over whole, so the
// reader stays in step; the document refuses it by name.
TEST(NativeDrawing, StepsOverEveryElementType)
{
    platform::BinaryWriter text;
    text.writeInt32(0);
    text.writeInt32(1);
    text.writeInt32(2);
    text.writeWString(QStringLiteral("Hallo"));
    text.writeInt32(0);
    text.writeInt32(0); // mirrored, version 11 on
    text.writeBytes(QByteArray(92, '\0'));
    nativetest::WriteBase(text, 15, 0);
    platform::BinaryWriter in;
    in.writeInt32(ElementTypeId::Text);
    in.writeBytes(text.data());
    QByteArray file = OldFile({15});
    // Replace the arc (the last record) by the text record.
    const int arcBytes = 4 + 12 + 36;
    file.chop(arcBytes);
    file.append(in.data());
    native::Drawing d;
    QString error;
    ASSERT_TRUE(native::ReadDrawing(file, d, &error)) << error.toStdString();
    EXPECT_EQ(d.sections[0].elements[1].typeId, ElementTypeId::Text);
    EXPECT_EQ(d.sections[0].elements[1].bytes, in.data());
}

} // namespace

TEST(NativeDrawing, TypeNamesTakeTheirArticle)
{
    const struct {
        int32_t typeId;
        const char* phrase;
    } cases[] = {
        {ElementTypeId::Ellipse, "an ellipse"},
        {ElementTypeId::Arc, "an arc"},
        {ElementTypeId::Wood, "a die board"},
        {ElementTypeId::Bobst, "a Bobst hole pattern"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(native::ElementTypePhrase(c.typeId), QLatin1String(c.phrase)) << c.typeId;
}
