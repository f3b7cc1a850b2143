// The extended standard's table of components and its ".nst" file.
#include "exchange/native/StandardTable.h"

#include "platform/BinaryStream.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

TEST(SpecStandardTable, KeepsItsComponentsInOrder)
{
    SpecStandardTable t;
    for (int i = 0; i < SpecStandardTable::kMaxComponents; ++i)
        ASSERT_EQ(t.AddComponent(QString::number(i), QStringLiteral("c.n"), QString(), QString(), QString()), i);
    EXPECT_EQ(t.AddComponent(QStringLiteral("41st"), QString(), QString(), QString(), QString()), -1);
    EXPECT_EQ(t.GetCount(), SpecStandardTable::kMaxComponents);

    EXPECT_EQ(t.FindComponent(QStringLiteral("7")), 7);
    EXPECT_EQ(t.FindComponent(QStringLiteral("none")), -1);
    t.RemoveComponent(QStringLiteral("0"));
    t.RemoveAt(t.GetCount()); // no such component
    EXPECT_EQ(t.GetCount(), 39);
    EXPECT_EQ(t.Component(0).name, QStringLiteral("1"));

    EXPECT_EQ(t.SwapComponents(0, 2), 2);
    EXPECT_EQ(t.Component(0).name, QStringLiteral("3"));
    EXPECT_EQ(t.Component(2).name, QStringLiteral("1"));
    EXPECT_EQ(t.SwapComponents(1, t.GetCount()), 0);
    EXPECT_EQ(t.SwapComponents(-1, 1), 0);
    EXPECT_EQ(t.Component(1).name, QStringLiteral("2"));
}

// A file of one component with one pair, built field by field.
QByteArray OneComponent(int32_t count = 1, int32_t pairs = 1, double a = 300.0)
{
    platform::BinaryWriter out;
    out.writeInt32(0x0FFF);
    out.writeWString(QStringLiteral("id"));
    out.writeInt32(15);
    for (double v : {a, 120.0, 50.0, 2.0})
        out.writeDouble(v);
    out.writeInt32(count);
    for (const char* text : {"lid", "lid.n", "0", "B", "90"})
        out.writeWString(QString::fromLatin1(text));
    out.writeInt32(pairs);
    out.writeWString(QStringLiteral("Flap"));
    out.writeWString(QStringLiteral("A/10"));
    return out.take();
}

TEST(SpecStandardTable, ReadsTheFileFieldByFieldAndWritesItBackTheSame)
{
    const QByteArray file = OneComponent();
    SpecStandardTable t;
    QString error;
    ASSERT_TRUE(t.Read(file, &error)) << error.toStdString();
    EXPECT_EQ(t.A, 300.0);
    EXPECT_EQ(t.MatThick, 2.0);
    ASSERT_EQ(t.GetCount(), 1);
    EXPECT_EQ(t.Component(0).y, QStringLiteral("B"));
    EXPECT_EQ(t.Component(0).rotation, QStringLiteral("90"));
    EXPECT_EQ(*t.Component(0).FindOverride(QStringLiteral("Flap")), QStringLiteral("A/10"));
    t.identification = QStringLiteral("id");
    EXPECT_EQ(t.Write(), file);
}

TEST(SpecStandardTable, RefusesATruncatedOrMalformedFileWithTheReason)
{
    QByteArray newer = OneComponent();
    newer[12] = 16; // the version, after the tag and the two-character text
    QByteArray drawing = OneComponent();
    drawing[1] = '\xff'; // 0xFFFF: a drawing
    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", QByteArray(), "damaged"},
        {"truncated", OneComponent().chopped(3), "damaged"},
        {"cut in the header", OneComponent().left(9), "header"},
        {"a drawing", drawing, "not an extended standard"},
        {"a newer version", newer, "version 16"},
        {"41 components", OneComponent(41), "damaged"},
        {"a negative count", OneComponent(-1), "damaged"},
        {"51 pairs", OneComponent(1, 51), "damaged"},
        {"a dimension that is no number", OneComponent(1, 1, std::nan("")), "not a number"},
        {"bytes after the end", OneComponent() + "x", "after the last component"},
    };
    for (const auto& c : cases) {
        SpecStandardTable t;
        ASSERT_GE(t.AddComponent(QStringLiteral("kept"), QString(), QString(), QString(), QString()), 0);
        QString error;
        EXPECT_FALSE(t.Read(c.bytes, &error)) << c.what;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.what << ": " << error.toStdString();
        EXPECT_EQ(t.GetCount(), 1) << c.what; // the table as it was
    }
}

} // namespace
