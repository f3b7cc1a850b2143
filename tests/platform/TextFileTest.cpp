#include "platform/TextFile.h"

#include "common/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(TextFile, ReadsWindows1252AndAnyLineEnd)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("a.ini"), QByteArray("[s]\r\nk=Gr\xFC\xDF\x80\r\n\nlast\rx"));
    QStringList lines;
    ASSERT_TRUE(platform::readTextLines(path, lines));
    const QStringList want = {QStringLiteral("[s]"), QString::fromUtf8("k=Grüß€"), QString(), QStringLiteral("last"),
                              QStringLiteral("x")};
    EXPECT_EQ(lines, want);
}

TEST(TextFile, Utf8SkipsTheByteOrderMark)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("l.txt"), QByteArray("\xEF\xBB\xBF" "1=\xC3\xA4\n"));
    QStringList lines;
    ASSERT_TRUE(platform::readTextLines(path, lines, platform::TextCodec::Utf8));
    EXPECT_EQ(lines, QStringList{QString::fromUtf8("1=ä")});
}

TEST(TextFile, ANarrowFileSkipsAUtf8ByteOrderMarkToo)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("a.cfg"), QByteArray("\xEF\xBB\xBF[s]\nk=\xC3\xA4\n"));
    QStringList lines;
    ASSERT_TRUE(platform::readTextLines(path, lines));
    // The bytes after the mark stay Windows-1252, so a save writes them back unchanged.
    EXPECT_EQ(lines, (QStringList{QStringLiteral("[s]"), QString::fromUtf8("k=\u00C3\u00A4")}));
}

TEST(TextFile, MissingFileIsReported)
{
    QStringList lines;
    EXPECT_FALSE(platform::readTextLines(QStringLiteral("/nonexistent/x.ini"), lines));
}

TEST(TextFile, WriteRoundTripsAndFailureKeepsTheOldFile)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("sub/out.cfg"));
    ASSERT_TRUE(platform::writeTextFile(path, QString::fromUtf8("[ä]\n k=€\n")));
    EXPECT_EQ(dir.read(QStringLiteral("sub/out.cfg")), QByteArray("[\xE4]\n k=\x80\n"));
    EXPECT_EQ(platform::encodeWindows1252(QString::fromUtf8("\u4E2D")), QByteArray("?"));

    // A folder where the file should be: writing fails and says so.
    QString error;
    EXPECT_FALSE(platform::writeTextFile(dir.path(), QStringLiteral("x"), platform::TextCodec::Windows1252, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFile, Utf16FilesSayWhatTheyAre)
{
    // An editor's "Unicode" save of a settings file reads as its text.
    test::TempDir dir;
    const QString text = QString::fromUtf8("[s]\r\nk=Grüß\r\n");
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
        be.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
    }
    const QStringList want = {QStringLiteral("[s]"), QString::fromUtf8("k=Grüß")};
    for (const QByteArray& bytes : {le, be}) {
        QStringList lines;
        ASSERT_TRUE(platform::readTextLines(dir.write(QStringLiteral("u.cfg"), bytes), lines));
        EXPECT_EQ(lines, want);
    }
}
