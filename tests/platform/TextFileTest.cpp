#include "platform/TextFile.h"

#include "common/SmallDisk.h"
#include "common/TempDir.h"

#include <QDir>

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

TEST(TextFile, ReportsTheEncodingItFound)
{
    using platform::TextEncoding;
    struct Case {
        QByteArray bytes;
        TextEncoding assumed;
        TextEncoding found;
        const char* text; // UTF-8
    };
    const Case cases[] = {
        {"k=1\n", TextEncoding::Windows1252, TextEncoding::Windows1252, "k=1"},
        {"k=1\n", TextEncoding::Utf8, TextEncoding::Utf8, "k=1"},
        {"k=Gr\xC3\xBC\xC3\x9F\n", TextEncoding::Windows1252, TextEncoding::Utf8, "k=Grüß"},
        {"\xEF\xBB\xBFk=\xE4\xB8\xAD\n", TextEncoding::Windows1252, TextEncoding::Utf8Bom, "k=中"},
        {"k=Gr\xFC\xDF\n", TextEncoding::Utf8, TextEncoding::Windows1252, "k=Grüß"},
        // A stray mark before narrow text is dropped; the rest stays Windows-1252.
        {"\xEF\xBB\xBFk=\xC3\n", TextEncoding::Windows1252, TextEncoding::Windows1252, "k=Ã"},
        {"k=\xC3", TextEncoding::Utf8, TextEncoding::Windows1252, "k=Ã"},  // cut short: not UTF-8
        {QByteArray("\xFF\xFEk\0=\0-N", 8), TextEncoding::Windows1252, TextEncoding::Utf16LE, "k=中"},
        {QByteArray("\xFE\xFF\0k\0=N-", 8), TextEncoding::Windows1252, TextEncoding::Utf16BE, "k=中"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        QStringList lines;
        auto found = TextEncoding::Windows1252;
        ASSERT_TRUE(platform::readTextLines(dir.write(QStringLiteral("f.cfg"), c.bytes), lines, c.assumed, &found));
        EXPECT_EQ(found, c.found) << c.bytes.toHex().toStdString();
        EXPECT_EQ(lines, QStringList{QString::fromUtf8(c.text)}) << c.bytes.toHex().toStdString();
    }
}

TEST(TextFile, AFileIsWrittenBackInTheEncodingItWasReadIn)
{
    using platform::TextEncoding;
    const QString wide = QString::fromUtf8("[s]\nname=Grüß € 中 \U0001F600\n");
    const QString narrow = QString::fromUtf8("[s]\nname=Grüß €\n");
    test::TempDir dir;
    for (TextEncoding encoding : {TextEncoding::Windows1252, TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                  TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const QString& text = encoding == TextEncoding::Windows1252 ? narrow : wide;
        const QString path = dir.file(QStringLiteral("round.cfg"));
        ASSERT_TRUE(platform::writeTextFile(path, text, encoding));
        const QByteArray written = dir.read(QStringLiteral("round.cfg"));
        QStringList lines;
        auto found = TextEncoding::Windows1252;
        ASSERT_TRUE(platform::readTextLines(path, lines, TextEncoding::Windows1252, &found));
        EXPECT_EQ(found, encoding) << int(encoding);
        EXPECT_EQ(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'), text) << int(encoding);
        // The same again: not a byte changes.
        ASSERT_TRUE(platform::writeTextFile(path, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'), found));
        EXPECT_EQ(dir.read(QStringLiteral("round.cfg")), written) << int(encoding);
    }
    // Only the narrow code page needs another encoding for some texts.
    EXPECT_EQ(platform::encodingThatHolds(wide, TextEncoding::Windows1252), TextEncoding::Utf8Bom);
    EXPECT_EQ(platform::encodingThatHolds(narrow, TextEncoding::Windows1252), TextEncoding::Windows1252);
    EXPECT_EQ(platform::encodingThatHolds(wide, TextEncoding::Utf16BE), TextEncoding::Utf16BE);
}

TEST(TextFile, LinesAreViewsOfOneText)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"\n", {QString()}},
        {"a", {QStringLiteral("a")}},
        {"a\r\n\r\nb\r", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"a\rb\n\rc", {QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}},
    };
    for (const auto& c : cases) {
        const platform::TextLines text(QString::fromUtf8(c.text), platform::TextEncoding::Utf8);
        QStringList got;
        for (QStringView line : text) {
            EXPECT_TRUE(line.isEmpty() || (line.data() >= text.text().constData()
                                           && line.data() + line.size() <= text.text().constData() + text.text().size()));
            got.append(line.toString());
        }
        EXPECT_EQ(got, c.lines) << c.text;
        EXPECT_EQ(platform::splitLines(QString::fromUtf8(c.text)), c.lines) << c.text;
    }
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

TEST(TextFile, LargeFilesDecodeTheSameAcrossTheReadersChunks)
{
    // The reader takes a file in pieces of 1 MiB; a character split between
    // two pieces, or a byte that is not UTF-8 far into the file, must read
    // as in a small file.
    using platform::TextEncoding;
    test::TempDir dir;
    const qsizetype mib = qsizetype(1) << 20;
    for (qsizetype before : {mib - 2, mib - 1, mib}) {
        const QByteArray head(before, 'a');
        struct Case {
            QByteArray tail;
            TextEncoding found;
            QString text;
        };
        const Case cases[] = {
            {"\xE2\x82\xAC\n", TextEncoding::Utf8, QString::fromUtf8("\u20AC")},
            {"\xF0\x9F\x98\x80", TextEncoding::Utf8, QString::fromUtf8("\U0001F600")},
            {"\xE4\n", TextEncoding::Windows1252, QString::fromUtf8("\u00E4")},
            {"\xE2\x82", TextEncoding::Windows1252, QString::fromUtf8("\u00E2\u201A")}, // cut short at the end
        };
        for (const Case& c : cases) {
            platform::TextLines text;
            ASSERT_TRUE(text.read(dir.write(QStringLiteral("big.txt"), head + c.tail)));
            EXPECT_EQ(text.encoding(), c.found) << before << " " << c.tail.toHex().toStdString();
            EXPECT_EQ(text.text(), QString::fromLatin1(head) + c.text + (c.tail.endsWith('\n') ? QStringLiteral("\n") : QString()))
                << before << " " << c.tail.toHex().toStdString();
        }
    }
}

// A save onto a full disk or into a read-only folder fails, says why in
// words, and leaves the old file byte for byte and no temporary file. A
// drawing under the write buffer's size used to be committed empty.
TEST(TextFile, ASaveThatCannotReachTheDiskKeepsTheOldFileAndSaysWhy)
{
    enum class Fault { Full, ReadOnly };
    for (const Fault fault : {Fault::Full, Fault::ReadOnly}) {
        SCOPED_TRACE(fault == Fault::Full ? "full" : "read-only");
        test::TempDir dir;
        test::SmallDisk disk(dir.file(QStringLiteral("disk")));
        const QString path = disk.folder() + QStringLiteral("/box.n");
        const QByteArray old(700, 'o');
        ASSERT_TRUE(platform::writeFileAtomically(path, old));
        if (fault == Fault::Full) {
            disk.Fill();
        } else if (!disk.MakeReadOnly()) {
            continue; // root in a plain folder: permissions do not hold it back
        }
        QString error;
        EXPECT_FALSE(platform::writeFileAtomically(path, QByteArray(1300, 'n'), &error));
        EXPECT_EQ(error, fault == Fault::Full ? QStringLiteral("no space left on the disk")
                                              : QStringLiteral("the folder is read-only"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
        const QStringList left = QDir(disk.folder()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left.filter(QStringLiteral("box.n")), QStringList{QStringLiteral("box.n")}) << left.join(u' ').toStdString();
    }
}
