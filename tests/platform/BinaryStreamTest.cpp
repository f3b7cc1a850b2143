#include "platform/BinaryStream.h"

#include <gtest/gtest.h>

using platform::BinaryReader;
using platform::BinaryWriter;

TEST(BinaryStream, RoundTripsLittleEndianFields)
{
    BinaryWriter w;
    w.writeInt32(-2);
    w.writeUInt16(0xABCD);
    w.writeDouble(1.25);
    w.writeWString(QString::fromUtf8("Maß"));
    const QByteArray bytes = w.data();
    EXPECT_EQ(bytes.left(6), QByteArray("\xFE\xFF\xFF\xFF\xCD\xAB", 6));

    BinaryReader r(bytes);
    EXPECT_EQ(r.readInt32(), -2);
    EXPECT_EQ(r.readUInt16(), 0xABCD);
    EXPECT_EQ(r.readDouble(), 1.25);
    EXPECT_EQ(r.readWString(), QString::fromUtf8("Maß"));
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.atEnd());
}

TEST(BinaryStream, MalformedInputFailsWithoutOverrun)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"short int", QByteArray("\x01\x02", 2)},
        {"negative string length", QByteArray("\xFE\xFF\xFF\xFF", 4)},
        {"odd string length", QByteArray("\x03\x00\x00\x00" "abc", 7)},
        {"string beyond the end", QByteArray("\x10\x00\x00\x00" "ab", 6)},
        {"huge string length", QByteArray("\xFE\xFF\xFF\x7F", 4)},
    };
    for (const Case& c : cases) {
        BinaryReader r(c.bytes);
        (void)r.readWString();
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.readInt32(), 0) << c.name << ": reads after a failure give zero";
    }
}

TEST(BinaryStream, CountsAreCheckedAgainstWhatIsLeft)
{
    BinaryWriter w;
    w.writeInt32(3);
    w.writeInt32(1);
    w.writeInt32(2);
    {
        BinaryReader r(w.data());
        EXPECT_EQ(r.readCount(4), 0) << "three 4-byte records do not fit in 8 bytes";
        EXPECT_FALSE(r.ok());
    }
    {
        BinaryReader r(w.data());
        EXPECT_EQ(r.readCount(4, 2), 0) << "above the caller's maximum";
        EXPECT_FALSE(r.ok());
    }
    BinaryWriter neg;
    neg.writeInt32(-1);
    BinaryReader r(neg.data());
    EXPECT_EQ(r.readCount(1), 0);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error().isEmpty());
}
