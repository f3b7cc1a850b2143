#include "platform/ProfileFile.h"

#include "common/TempDir.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace platform;

const QString kFile = QStringLiteral("C:\\Test.ini");

// A profile file in the user configuration folder, where "C:\Test.ini" lands.
void WriteProfile(const test::ScopedTestEnvironment& env, const QByteArray& bytes)
{
    env.dir().write(QStringLiteral("user/Test.ini"), bytes);
}

TEST(ProfileFile, ReadsWithTheWindowsMeanings)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "orphan=1\r\n"
                      "[Colors]\r\n"
                      "  Red =  #FF0000  \r\n"
                      "red=second\r\n"
                      "Quoted=\" padded \"\r\n"
                      "Single='x'\r\n"
                      "Half=\"x\r\n"
                      "NoValue\r\n"
                      "novalue=late\r\n"
                      "Empty=\r\n"
                      "[ colors ]\r\n"
                      "green=never read\r\n"
                      "[Other]\r\n"
                      "red=other\r\n");
    const struct {
        const char* section;
        const char* key;
        const char* want;
    } cases[] = {
        {"colors", "RED", "#FF0000"},  // trimmed, case-insensitive, first key wins
        {"COLORS", "quoted", " padded "}, // a quoted value loses its quotes only
        {"Colors", "single", "x"},
        {"Colors", "half", "\"x"},
        {"Colors", "novalue", "dflt"},   // the first line of the key has no '='
        {"Colors", "empty", ""},
        {"Colors", "green", "dflt"},     // only the first section of a name counts
        {"Other", "red", "other"},
        {"Missing", "red", "dflt"},
        {"", "orphan", "dflt"},          // lines before the first header hold nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getPrivateProfileString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                          QStringLiteral("dflt"), kFile),
                  QString::fromUtf8(c.want))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(getPrivateProfileSectionNames(kFile),
              (QStringList{QStringLiteral("Colors"), QStringLiteral("Other")}));
}

TEST(ProfileFile, MissingFileGivesDefaultsAndNoSections)
{
    test::ScopedTestEnvironment env;
    EXPECT_EQ(getPrivateProfileString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d"), kFile),
              QStringLiteral("d"));
    EXPECT_EQ(getPrivateProfileInt(QStringLiteral("a"), QStringLiteral("b"), 42, kFile), 42);
    EXPECT_TRUE(getPrivateProfileSectionNames(kFile).isEmpty());
}

TEST(ProfileFile, IntegersReadTheLeadingNumber)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "[n]\nplain=17\nsuffix=55zz\nhex=0x1F\nneg=-7\nnegHex=-0x10\nword=abc\nempty=\n"
                      "huge=99999999999\nblank=   \n");
    const struct {
        const char* key;
        int want;
    } cases[] = {
        {"plain", 17}, {"suffix", 55},  {"hex", 31},    {"neg", -7},  {"negHex", -16},
        {"word", 0},   {"empty", -1},   {"huge", 2147483647}, {"blank", -1}, {"absent", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getPrivateProfileInt(QStringLiteral("N"), QString::fromLatin1(c.key), -1, kFile), c.want) << c.key;
}

TEST(ProfileFile, WritingReplacesInsertsAndAppendsInPlace)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "; kept\n[STANDARD]\nBox=(1)\nOther=2\n\n[Next]\nk=v\n");
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("standard"), QStringLiteral("BOX"), QStringLiteral("(9)"), kFile));
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("Standard"), QStringLiteral("New"), QStringLiteral("n"), kFile));
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("Added"), QStringLiteral("a"), QStringLiteral("1"), kFile));
    EXPECT_EQ(env.dir().read(QStringLiteral("user/Test.ini")),
              QByteArray("; kept\n[STANDARD]\nBOX=(9)\nOther=2\nNew=n\n\n[Next]\nk=v\n\n[Added]\na=1\n"));
}

TEST(ProfileFile, WritingCreatesTheFileInTheUserFolder)
{
    test::ScopedTestEnvironment env;
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("STANDARD"), QStringLiteral("Box \u00e4"),
                                          QStringLiteral("(1.5)"), QStringLiteral("C:\\sub\\New.ini")));
    EXPECT_EQ(env.dir().read(QStringLiteral("user/sub/New.ini")), QByteArray("[STANDARD]\nBox \xE4=(1.5)\n"));
    EXPECT_EQ(getPrivateProfileString(QStringLiteral("standard"), QStringLiteral("BOX \u00c4"), QString(),
                                      QStringLiteral("c:/SUB/new.ini")),
              QStringLiteral("(1.5)"));
}

TEST(ProfileFile, Utf8FilesStayUtf8)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "\xEF\xBB\xBF[s]\nname=\xC3\xA4\n");
    EXPECT_EQ(getPrivateProfileString(QStringLiteral("s"), QStringLiteral("name"), QString(), kFile),
              QStringLiteral("\u00e4"));
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("s"), QStringLiteral("more"), QStringLiteral("\u20ac"), kFile));
    EXPECT_EQ(env.dir().read(QStringLiteral("user/Test.ini")),
              QByteArray("\xEF\xBB\xBF[s]\nname=\xC3\xA4\nmore=\xE2\x82\xAC\n"));
}

QByteArray Utf16(const QString& text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : text) {
        const char lo = static_cast<char>(c.unicode() & 0xFF), hi = static_cast<char>(c.unicode() >> 8);
        bytes.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return bytes;
}

TEST(ProfileFile, Utf16FilesAreReadAndWrittenAsUtf16)
{
    // Windows' own profile functions keep a file saved as "Unicode" in UTF-16.
    for (bool littleEndian : {true, false}) {
        test::ScopedTestEnvironment env;
        WriteProfile(env, Utf16(QString::fromUtf8("[STANDARD]\r\nBox \u4E2D=(1)\r\n"), littleEndian));
        EXPECT_EQ(getPrivateProfileSectionNames(kFile), QStringList{QStringLiteral("STANDARD")});
        EXPECT_EQ(getPrivateProfileString(QStringLiteral("standard"), QString::fromUtf8("box \u4E2D"), QString(), kFile),
                  QStringLiteral("(1)"));
        EXPECT_TRUE(writePrivateProfileString(QStringLiteral("STANDARD"), QStringLiteral("Lid"), QString::fromUtf8("\u20AC"),
                                              kFile));
        EXPECT_EQ(env.dir().read(QStringLiteral("user/Test.ini")),
                  Utf16(QString::fromUtf8("[STANDARD]\nBox \u4E2D=(1)\nLid=\u20AC\n"), littleEndian));
    }
}

TEST(ProfileFile, ANarrowFileThatCannotHoldAValueBecomesUtf8)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "[s]\nold=\xE4\n");
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("s"), QStringLiteral("new"), QString::fromUtf8("\u4E2D"), kFile));
    EXPECT_EQ(env.dir().read(QStringLiteral("user/Test.ini")), QByteArray("\xEF\xBB\xBF[s]\nold=\xC3\xA4\nnew=\xE4\xB8\xAD\n"));
    EXPECT_EQ(getPrivateProfileString(QStringLiteral("s"), QStringLiteral("new"), QString(), kFile),
              QString::fromUtf8("\u4E2D"));
}

} // namespace

TEST(ProfileFile, AValueWrittenReadsBackAtOnce)
{
    test::ScopedTestEnvironment env;
    WriteProfile(env, "[s]\nk=1\n");
    EXPECT_EQ(getPrivateProfileInt(QStringLiteral("s"), QStringLiteral("k"), 0, kFile), 1);
    EXPECT_TRUE(writePrivateProfileString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2"), kFile));
    EXPECT_EQ(getPrivateProfileInt(QStringLiteral("s"), QStringLiteral("k"), 0, kFile), 2);
}

TEST(ProfileFile, SeesAnOldFileChangedWithTheSameSize)
{
    // A file last changed long ago is trusted by its time stamp; a change
    // gives it a new one.
    test::TempDir dir;
    const auto writeAged = [&](const QByteArray& bytes, int secondsAgo) {
        const QString path = dir.write(QStringLiteral("lt.ini"), bytes);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
        return path;
    };
    const QString path = writeAged("[1]\nwidth=2\n", 3600);
    EXPECT_EQ(platform::getPrivateProfileInt(QStringLiteral("1"), QStringLiteral("width"), 0, path), 2);
    writeAged("[1]\nwidth=7\n", 3000);
    EXPECT_EQ(platform::getPrivateProfileInt(QStringLiteral("1"), QStringLiteral("width"), 0, path), 7);
}

TEST(ProfileFile, SeesAFileChangedBehindItsBack)
{
    // Lookups reuse the file's index while its bytes stay the same; a file
    // rewritten by someone else at the same size must still read anew.
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("lt.ini"), "[1]\nwidth=2\n");
    EXPECT_EQ(platform::getPrivateProfileInt(QStringLiteral("1"), QStringLiteral("width"), 0, path), 2);
    dir.write(QStringLiteral("lt.ini"), "[1]\nwidth=7\n");
    EXPECT_EQ(platform::getPrivateProfileInt(QStringLiteral("1"), QStringLiteral("width"), 0, path), 7);
    QFile::remove(path);
    EXPECT_EQ(platform::getPrivateProfileInt(QStringLiteral("1"), QStringLiteral("width"), 0, path), 0);
    EXPECT_TRUE(platform::getPrivateProfileSectionNames(path).isEmpty());
}
