// The standard catalogue: a tree of entries read from and written to its
// ".sif" file, and the edits the standards browser makes to it.
#include "standards/StandardCatalogue.h"

#include "common/TempDir.h"
#include "platform/BinaryStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Dir = StandardCatalogue::Direction;
constexpr int S = CatalogueEntry::Standard;
constexpr int F = CatalogueEntry::Folder;
constexpr int X = CatalogueEntry::ExtendedStandard;

// The bytes of a catalogue, written field by field here and not by the
// class under test.
QByteArray File(const std::vector<CatalogueEntry>& entries)
{
    platform::BinaryWriter out;
    out.writeInt32(static_cast<int32_t>(entries.size()));
    for (const CatalogueEntry& e : entries) {
        out.writeInt32(e.parent);
        for (const QString* text : {&e.name, &e.file, &e.bitmap}) {
            out.writeInt32(static_cast<int32_t>(text->size() * 2));
            for (const QChar c : *text)
                out.writeUInt16(c.unicode());
        }
        out.writeInt32(e.type);
    }
    return out.take();
}

CatalogueEntry E(int parent, const char* name, int type, const char* file = "")
{
    return {parent, QString::fromLatin1(name), QString::fromLatin1(file), QString(), type};
}

// A catalogue in the order the browser keeps: breadth-first.
const std::vector<CatalogueEntry> kTree = {
    E(-1, "FEFCO", F),                         // 0
    E(-1, "ECMA", F),                          // 1
    E(-1, "Tray", X, "tray.nst"),              // 2
    E(0, "02", F),                             // 3
    E(0, "03", F),                             // 4
    E(3, "0201", S, "fefco\\0201.n"),          // 5
    E(3, "0202", S, "fefco\\0202.n"),          // 6
    E(4, "0301", S, "fefco\\0301.n"),          // 7
};

TEST(StandardCatalogue, HoldsTheSmallestFilesAsTheyAre)
{
    EXPECT_EQ(File({E(-1, "abc", S)}).mid(8, 10), QByteArray::fromHex("06000000610062006300"));
    const struct {
        const char* what;
        QByteArray bytes;
        int entries;
    } cases[] = {
        {"empty", QByteArray::fromHex("00000000"), 0},
        {"an entry with empty texts", File({E(-1, "", F)}), 1},
        {"a name", File({E(-1, "abc", S, "a.n")}), 1},
    };
    for (const auto& c : cases) {
        StandardCatalogue cat;
        QString error;
        ASSERT_TRUE(cat.Read(c.bytes, &error)) << c.what << ": " << error.toStdString();
        EXPECT_EQ(cat.GetCount(), c.entries) << c.what;
        EXPECT_EQ(cat.Write(), c.bytes) << c.what;
    }
    EXPECT_EQ(File({E(-1, "", F)}).size(), 4 + 20);
}

TEST(StandardCatalogue, IsEditedAndWrittenBackByteForByte)
{
    StandardCatalogue cat;
    QString error;
    ASSERT_TRUE(cat.Read(File(kTree), &error)) << error.toStdString();
    EXPECT_EQ(cat.Write(), File(kTree));

    EXPECT_EQ(cat.AddEntry(QStringLiteral("E1"), QStringLiteral("ecma\\e1.n"), QString(), 1, S), 8);
    EXPECT_TRUE(cat.ModifyEntry(6, QStringLiteral("0202 Mailer"), QStringLiteral("fefco\\0202m.n"), QStringLiteral("m.bmp")));
    // "03" before "02": their children go with them, and the list is
    // breadth-first again.
    EXPECT_EQ(cat.MoveEntry(4, Dir::Up), 3);
    EXPECT_EQ(cat.Write(), File({E(-1, "FEFCO", F), E(-1, "ECMA", F), E(-1, "Tray", X, "tray.nst"), E(0, "03", F),
                                 E(0, "02", F), E(1, "E1", S, "ecma\\e1.n"), E(3, "0301", S, "fefco\\0301.n"),
                                 E(4, "0201", S, "fefco\\0201.n"),
                                 {4, QStringLiteral("0202 Mailer"), QStringLiteral("fefco\\0202m.n"),
                                  QStringLiteral("m.bmp"), S}}));
    cat.RemoveEntry(1); // ECMA and E1
    EXPECT_EQ(cat.Write(), File({E(-1, "FEFCO", F), E(-1, "Tray", X, "tray.nst"), E(0, "03", F), E(0, "02", F),
                                 E(2, "0301", S, "fefco\\0301.n"), E(3, "0201", S, "fefco\\0201.n"),
                                 {3, QStringLiteral("0202 Mailer"), QStringLiteral("fefco\\0202m.n"),
                                  QStringLiteral("m.bmp"), S}}));
    cat.RemoveEntry(0); // a folder with everything below it, at any depth
    EXPECT_EQ(cat.Write(), File({E(-1, "Tray", X, "tray.nst")}));
}

TEST(StandardCatalogue, MovesOnlyAmongSiblings)
{
    const struct {
        int entry;
        Dir direction;
        int result;
    } cases[] = {
        {3, Dir::Up, 3},   // the first child of its folder
        {4, Dir::Down, 4}, // the last child
        {7, Dir::Up, 7},   // the only child
        {2, Dir::Down, 2}, // the last top-level entry
        {99, Dir::Up, 99}, // no entry
    };
    for (const auto& c : cases) {
        StandardCatalogue cat;
        ASSERT_TRUE(cat.Read(File(kTree), nullptr));
        EXPECT_EQ(cat.MoveEntry(c.entry, c.direction), c.result) << c.entry;
        EXPECT_EQ(cat.Write(), File(kTree)) << c.entry;
    }
    // A folder moved down past a sibling keeps its subtree.
    StandardCatalogue cat;
    ASSERT_TRUE(cat.Read(File(kTree), nullptr));
    EXPECT_EQ(cat.MoveEntry(0, Dir::Down), 1);
    EXPECT_EQ(cat.Entry(1).name, QStringLiteral("FEFCO"));
    EXPECT_EQ(cat.Entry(cat.Entry(cat.GetCount() - 1).parent).name, QStringLiteral("03"));
    for (int i = 0; i < cat.GetCount(); ++i)
        EXPECT_LT(cat.Entry(i).parent, i);
}

TEST(StandardCatalogue, AddsOnlyUnderAFolder)
{
    StandardCatalogue cat;
    ASSERT_TRUE(cat.Read(File(kTree), nullptr));
    EXPECT_EQ(cat.AddEntry(QStringLiteral("x"), QString(), QString(), 5, S), -1);  // under a standard
    EXPECT_EQ(cat.AddEntry(QStringLiteral("x"), QString(), QString(), 8, S), -1);  // no such entry
    EXPECT_EQ(cat.AddEntry(QStringLiteral("x"), QString(), QString(), -1, 3), -1); // no such type
    EXPECT_FALSE(cat.ModifyEntry(8, QStringLiteral("x"), QString(), QString()));
    EXPECT_EQ(cat.GetCount(), 8);
    while (cat.GetCount() < StandardCatalogue::kMaxEntries)
        ASSERT_GE(cat.AddEntry(QStringLiteral("f"), QString(), QString(), -1, F), 0);
    EXPECT_EQ(cat.AddEntry(QStringLiteral("one more"), QString(), QString(), -1, F), -1);
}

TEST(StandardCatalogue, RefusesATruncatedOrMalformedFileWithTheReason)
{
    QByteArray oddText = File({E(-1, "ab", S)});
    oddText[8] = 3; // the name's byte count
    QByteArray hugeText = File({E(-1, "ab", S)});
    hugeText[11] = 0x7f;
    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"no count", QByteArray::fromHex("0000"), "damaged"},
        {"truncated", File(kTree).chopped(1), "damaged"},
        {"a negative count", QByteArray::fromHex("ffffffff"), "damaged"},
        {"more entries than bytes", QByteArray::fromHex("02000000") + File({E(-1, "", F)}).mid(4), "damaged"},
        {"more than the browser holds", File(std::vector<CatalogueEntry>(1001, E(-1, "", F))), "damaged"},
        {"an odd text length", oddText, "damaged"},
        {"a text longer than the file", hugeText, "damaged"},
        {"a parent after the entry", File({E(1, "a", S), E(-1, "b", F)}), "not an earlier entry"},
        {"the entry its own parent", File({E(0, "a", F)}), "not an earlier entry"},
        {"a parent below -1", File({E(-2, "a", F)}), "not an earlier entry"},
        {"a standard as parent", File({E(-1, "a", S), E(0, "b", S)}), "no folder"},
        {"an unknown type", File({E(-1, "a", 3)}), "unknown type 3"},
        {"bytes after the end", File(kTree) + "x", "after the last entry"},
    };
    for (const auto& c : cases) {
        StandardCatalogue cat;
        ASSERT_TRUE(cat.Read(File({E(-1, "kept", F)}), nullptr));
        QString error;
        EXPECT_FALSE(cat.Read(c.bytes, &error)) << c.what;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.what << ": " << error.toStdString();
        ASSERT_EQ(cat.GetCount(), 1) << c.what; // the entries as they were
        EXPECT_EQ(cat.Entry(0).name, QStringLiteral("kept"));
    }
}

TEST(StandardCatalogue, ReadingAFileReplacesEveryEntry)
{
    test::TempDir dir;
    StandardCatalogue small;
    ASSERT_GE(small.AddEntry(QStringLiteral("only"), QStringLiteral("o.n"), QString(), -1, S), 0);
    const QString path = dir.file(QStringLiteral("small.sif"));
    ASSERT_TRUE(small.SaveSif(path, nullptr));

    StandardCatalogue cat;
    ASSERT_TRUE(cat.Read(File(kTree), nullptr));
    QString error;
    EXPECT_FALSE(cat.LoadSif(dir.file(QStringLiteral("missing.sif")), &error));
    EXPECT_EQ(cat.GetCount(), 8);
    ASSERT_TRUE(cat.LoadSif(path, &error)) << error.toStdString();
    EXPECT_EQ(cat.Entries(), small.Entries());
    EXPECT_EQ(dir.read(QStringLiteral("small.sif")), File({E(-1, "only", S, "o.n")}));
}

} // namespace
