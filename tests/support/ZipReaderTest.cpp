#include "support/ZipReader.h"

#include "support/FreeSpace.h"

#include "common/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <minizip/zip.h>

#include <optional>
#include <vector>

namespace {

// One item of an archive the tests write with minizip.
struct ArchiveItem {
    QByteArray name;
    QByteArray data;
    int host = 0;          // "version made by" host: 0 DOS, 3 Unix
    uLong external = 0;    // external attributes
    QByteArray localExtra; // extra field of the local header
    const char* password = nullptr;
    int method = Z_DEFLATED;
    // When set, the data goes in deflated as it is, and the archive states
    // this size and the CRC of as much of the data: an archive that lies.
    std::optional<quint64> statedSize;
};

QByteArray rawDeflate(const QByteArray& data)
{
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(data.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    return done ? out : QByteArray();
}

// Every item is stamped 2021-06-15 10:20:30 in DOS time.
const QDateTime kDosTime(QDate(2021, 6, 15), QTime(10, 20, 30));

bool writeZip(const QString& path, const std::vector<ArchiveItem>& items)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const ArchiveItem& item : items) {
        zip_fileinfo info{};
        info.tmz_date = {30, 20, 10, 15, 5, 2021};
        info.external_fa = item.external;
        const bool lies = item.statedSize.has_value();
        const QByteArray stated = lies ? item.data.left(static_cast<qsizetype>(*item.statedSize)) : item.data;
        const QByteArray written = lies ? rawDeflate(item.data) : item.data;
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(stated.constData()), static_cast<uInt>(stated.size()));
        const bool zip64 = lies && *item.statedSize >= 0xFFFFFFFFULL;
        ok = ok
            && zipOpenNewFileInZip4_64(zip, item.name.constData(), &info, item.localExtra.constData(),
                                       static_cast<uInt>(item.localExtra.size()), nullptr, 0, nullptr, item.method,
                                       Z_DEFAULT_COMPRESSION, lies ? 1 : 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY,
                                       item.password, crc, static_cast<uLong>(item.host << 8 | 20), 0, zip64 ? 1 : 0)
                   == ZIP_OK
            && zipWriteInFileInZip(zip, written.constData(), static_cast<unsigned>(written.size())) == ZIP_OK
            && (lies ? zipCloseFileInZipRaw64(zip, *item.statedSize, crc) : zipCloseFileInZip(zip)) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

ArchiveItem file(const char* name, const QByteArray& data = QByteArray("data"))
{
    ArchiveItem item;
    item.name = name;
    item.data = data;
    item.external = 0x20;
    return item;
}

void appendLe(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An extended time stamp block ("UT") with the times whose flag bits are set.
QByteArray timeStamp(unsigned flags, const std::vector<qint32>& times)
{
    QByteArray block("UT");
    appendLe(block, static_cast<quint32>(1 + 4 * times.size()), 2);
    block.append(static_cast<char>(flags));
    for (qint32 t : times)
        appendLe(block, static_cast<quint32>(t), 4);
    return block;
}

quint64 fileTime(qint64 unixSeconds)
{
    return static_cast<quint64>(unixSeconds + 11644473600LL) * 10000000ULL;
}

// Text that compresses, in 64-byte lines.
QByteArray lines(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(i).rightJustified(63, '.') + '\n';
    return text;
}

class ZipReaderTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (handle)
            ZipReader::Close(handle);
    }

    // Writes the archive and opens it; output goes below out/.
    void open(const std::vector<ArchiveItem>& items)
    {
        ASSERT_TRUE(writeZip(archive(), items));
        handle = ZipReader::OpenFile(archive());
        ASSERT_NE(handle, nullptr);
        ASSERT_EQ(ZipReader::SetBaseFolder(handle, out()), ZipOk);
    }

    ZipEntry item(int index)
    {
        ZipEntry entry;
        EXPECT_EQ(ZipReader::GetItem(handle, index, entry), ZipOk);
        return entry;
    }

    QString archive() const { return dir.file(QStringLiteral("pkg.zip")); }
    QString out() const { return dir.file(QStringLiteral("out")); } // no trailing '/'

    test::TempDir dir;
    ZipHandle* handle = nullptr;
};

TEST_F(ZipReaderTest, NamesLoseDrivesRootsAndParentReferences)
{
    open({file("/abs/dir/f.txt"), file("C:\\x\\y.txt"), file("a/b/../c.txt"), file("p\\..\\..\\q.txt"),
          file("plain.txt")});
    const QString expected[] = {QStringLiteral("abs/dir/f.txt"), QStringLiteral("x\\y.txt"), QStringLiteral("c.txt"),
                                QStringLiteral("..\\q.txt"), QStringLiteral("plain.txt")};
    for (int i = 0; i < 5; ++i) {
        const ZipEntry entry = item(i);
        EXPECT_EQ(entry.index, i);
        EXPECT_EQ(entry.name, expected[i]);
    }

    ZipEntry count;
    count.name = QStringLiteral("stale");
    EXPECT_EQ(ZipReader::GetItem(handle, -1, count), ZipOk);
    EXPECT_EQ(count.index, 5);
    EXPECT_TRUE(count.name.isEmpty());
    ZipEntry none;
    EXPECT_EQ(ZipReader::GetItem(handle, 5, none), ZipBadArgument);
    EXPECT_EQ(ZipReader::GetItem(handle, -2, none), ZipBadArgument);
    EXPECT_EQ(ZipReader::LastResult(), ZipBadArgument);
}

TEST_F(ZipReaderTest, AttributesComeFromTheHostThatMadeTheItem)
{
    struct Case {
        int host;
        uLong external;
        int attributes;
    };
    const Case cases[] = {
        {0, 0x21, ZipEntry::ReadOnly | ZipEntry::Archive},
        {0, 0x06, ZipEntry::Hidden | ZipEntry::System},
        {3, 0100644UL << 16, ZipEntry::Archive},
        {3, 0100444UL << 16, ZipEntry::ReadOnly | ZipEntry::Archive},
        {3, 040755UL << 16, ZipEntry::Folder | ZipEntry::Archive},
    };
    std::vector<ArchiveItem> items;
    for (const Case& c : cases) {
        ArchiveItem entry = file("f");
        entry.name = "item" + QByteArray::number(items.size());
        entry.host = c.host;
        entry.external = c.external;
        items.push_back(entry);
    }
    // Some tools store folders by a trailing separator alone, without attributes.
    ArchiveItem bare = file("bare/");
    bare.external = 0;
    items.push_back(bare);
    open(items);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(item(static_cast<int>(i)).attributes, cases[i].attributes) << "item " << i;

    // A read-only item is written read-only; a folder item becomes a folder.
    ASSERT_EQ(ZipReader::UnzipItem(handle, 3, QStringLiteral("ro.txt")), ZipOk);
    EXPECT_FALSE(QFileInfo(out() + QLatin1String("/ro.txt")).permissions() & QFile::WriteOwner);
    ASSERT_EQ(ZipReader::UnzipItem(handle, 4, QStringLiteral("made\\here")), ZipOk);
    EXPECT_TRUE(QFileInfo(out() + QLatin1String("/made/here")).isDir());
    ASSERT_EQ(ZipReader::UnzipItem(handle, 5, item(5).name), ZipOk);
    EXPECT_TRUE(QFileInfo(out() + QLatin1String("/bare")).isDir());
}

TEST_F(ZipReaderTest, TimesComeFromTheExtendedTimeStampElseFromTheDosTime)
{
    const qint32 written = 1600000000, read = 1600000100, created = 1500000000;
    ArchiveItem writeOnly = file("w.txt");
    // An unrelated block first: the walk steps over it.
    writeOnly.localExtra = QByteArray("\x0a\x00\x04\x00" "abcd", 8) + timeStamp(1, {written});
    ArchiveItem all = file("all.txt");
    all.localExtra = timeStamp(7, {written, read, created});
    open({file("dos.txt"), writeOnly, all});

    const quint64 dos = fileTime(kDosTime.toSecsSinceEpoch());
    const ZipEntry plain = item(0);
    EXPECT_EQ(plain.writeTime, dos);
    EXPECT_EQ(plain.accessTime, dos);
    EXPECT_EQ(plain.creationTime, dos);
    const ZipEntry one = item(1);
    EXPECT_EQ(one.writeTime, fileTime(written));
    EXPECT_EQ(one.accessTime, dos);
    EXPECT_EQ(one.creationTime, dos);
    const ZipEntry three = item(2);
    EXPECT_EQ(three.writeTime, fileTime(written));
    EXPECT_EQ(three.accessTime, fileTime(read));
    EXPECT_EQ(three.creationTime, fileTime(created));

    ASSERT_EQ(ZipReader::UnzipItem(handle, 2, three.name), ZipOk);
    const QFileInfo info(out() + QLatin1String("/all.txt"));
    EXPECT_EQ(info.lastModified().toSecsSinceEpoch(), written);
    EXPECT_EQ(info.lastRead().toSecsSinceEpoch(), read);
}

TEST_F(ZipReaderTest, ItemsExtractInAnyOrder)
{
    std::vector<ArchiveItem> items;
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "f" + QByteArray::number(i) + ".txt";
        items.push_back(file("", i == 3 ? lines(1000) : "content " + QByteArray::number(i)));
        items.back().name = name;
    }
    open(items);
    ASSERT_EQ(ZipReader::UnzipItem(handle, 7, item(7).name), ZipOk);
    ASSERT_EQ(ZipReader::UnzipItem(handle, 3, item(3).name), ZipOk); // the cursor goes back
    EXPECT_EQ(dir.read(QStringLiteral("out/f7.txt")), QByteArray("content 7"));
    EXPECT_EQ(dir.read(QStringLiteral("out/f3.txt")), lines(1000)); // several pieces
    EXPECT_EQ(item(2).name, QStringLiteral("f2.txt"));
    EXPECT_EQ(item(3).uncompressedSize, lines(1000).size());
    EXPECT_EQ(ZipReader::UnzipItem(handle, 9, QStringLiteral("x")), ZipBadArgument);
    EXPECT_EQ(ZipReader::UnzipItem(handle, -1, QStringLiteral("x")), ZipBadArgument);
}

// Stepping back goes straight to the item asked for: the items before it
// are not read again. Shown by spoiling, once every item was seen, the
// directory entry of an item in the middle, far from the ones read after.
TEST_F(ZipReaderTest, SteppingBackReadsNoItemBeforeTheOneAskedFor)
{
    constexpr int kItems = 3000;
    std::vector<ArchiveItem> items;
    for (int i = 0; i < kItems; ++i) {
        items.push_back(file("", QByteArray::number(i)));
        items.back().name = QByteArray::number(i).rightJustified(300, 'n'); // a directory of some 1 MB
        items.back().method = 0;
    }
    open(items);
    for (int i = kItems - 1; i >= kItems - 3; --i) // the first step walks to the end
        EXPECT_EQ(item(i).name, QString::fromLatin1(items[size_t(i)].name.left(260))) << i;

    QFile zip(archive());
    ASSERT_TRUE(zip.open(QIODevice::ReadWrite));
    const QByteArray bytes = zip.readAll();
    // The last copy of its name is the one in the central directory, after
    // the entry's 46-byte header.
    const qsizetype middleEntry = bytes.lastIndexOf(items[kItems / 2].name) - 46;
    ASSERT_EQ(bytes.mid(middleEntry, 4), QByteArray("PK\x01\x02"));
    zip.seek(middleEntry);
    zip.write("XXXX");
    zip.close();

    for (int i : {kItems - 4, kItems - 2, kItems / 2 + 1, 7, kItems / 2 - 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(item(i).name, QString::fromLatin1(items[size_t(i)].name.left(260)));
        ASSERT_EQ(ZipReader::UnzipItem(handle, i, QStringLiteral("f.txt")), ZipOk);
        EXPECT_EQ(dir.read(QStringLiteral("out/f.txt")), QByteArray::number(i));
    }
}

TEST_F(ZipReaderTest, TargetsMakeTheFoldersTheyNeed)
{
    open({file("x.sif", "sif")});
    const QString absolute = dir.file(QStringLiteral("elsewhere/deep/abs.sif"));
    const struct {
        QString target;
        QString written;
    } cases[] = {
        {QStringLiteral("sub/dir/file.sif"), out() + QLatin1String("/sub/dir/file.sif")},
        {QStringLiteral("sub\\dir2\\file.sif"), out() + QLatin1String("/sub/dir2/file.sif")},
        {QStringLiteral("top.sif"), out() + QLatin1String("/top.sif")},
        {absolute, absolute},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        EXPECT_EQ(ZipReader::UnzipItem(handle, 0, c.target), ZipOk);
        QFile written(c.written);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), QByteArray("sif"));
    }
}

TEST_F(ZipReaderTest, NothingIsWrittenOutsideTheTargetFolder)
{
    open({file("../../x"), file("..\\y"), file("../z"), file("ok/../../w"), file("a/.."), file(".."),
          file("inside/../v")});
    std::vector<int> refused;
    for (int i = 0; i < 7; ++i) {
        const int result = ZipReader::UnzipItem(handle, i, item(i).name);
        EXPECT_TRUE(result == ZipOk || result == ZipBadArgument) << i;
        if (result != ZipOk)
            refused.push_back(i);
    }
    EXPECT_EQ(refused, (std::vector<int>{1, 2, 3, 4, 5}));
    // Parent references in a target given by the caller are refused alike.
    EXPECT_EQ(ZipReader::UnzipItem(handle, 0, QStringLiteral("..\\escaped.txt")), ZipBadArgument);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 0, out() + QLatin1String("/../escaped.txt")), ZipBadArgument);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 0, QStringLiteral("sub/../../escaped.txt")), ZipBadArgument);

    QStringList outside;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(dir.path()).relativeFilePath(it.next());
        if (relative != QLatin1String("pkg.zip") && relative != QLatin1String("out")
            && !relative.startsWith(QLatin1String("out/")))
            outside << relative;
    }
    EXPECT_EQ(outside, QStringList());
    EXPECT_EQ(QDir(out()).entryList(QDir::Files), (QStringList{QStringLiteral("v"), QStringLiteral("x")}));
}

TEST_F(ZipReaderTest, AFailedExtractionLeavesNoPartialFile)
{
    ArchiveItem secret = file("secret.txt", "hidden");
    secret.password = "pw";
    ASSERT_TRUE(writeZip(archive(), {file("big.txt", lines(4000)), secret}));

    // Spoil the compressed data of the first item late in its stream, so that
    // several pieces are written before the error shows.
    QFile zip(archive());
    ASSERT_TRUE(zip.open(QIODevice::ReadWrite));
    QByteArray bytes = zip.readAll();
    auto word = [&](int at) { return static_cast<uchar>(bytes[at]) | static_cast<uchar>(bytes[at + 1]) << 8; };
    const int dataStart = 30 + word(26) + word(28);
    const int compressed = word(18) | word(20) << 16;
    for (int i = compressed * 3 / 4; i < compressed * 3 / 4 + 64; ++i)
        bytes[dataStart + i] = static_cast<char>(0xA5 ^ i);
    zip.seek(0);
    zip.write(bytes);
    zip.close();

    dir.write(QStringLiteral("out/old.txt"), "old");
    handle = ZipReader::OpenFile(archive());
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(ZipReader::SetBaseFolder(handle, out()), ZipOk);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 0, QStringLiteral("big.txt")), ZipDataError);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 0, QStringLiteral("old.txt")), ZipDataError);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 1, QStringLiteral("secret.txt")), ZipPasswordError);
    EXPECT_EQ(ZipReader::LastResult(), ZipPasswordError);

    // A file in the way of a folder: the output cannot be created.
    dir.write(QStringLiteral("out/blocker"), "b");
    EXPECT_EQ(ZipReader::UnzipItem(handle, 1, QStringLiteral("blocker/secret.txt")), ZipCannotOpen);

    EXPECT_EQ(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("blocker"), QStringLiteral("old.txt")}));
    EXPECT_EQ(dir.read(QStringLiteral("out/old.txt")), QByteArray("old"));
}

// An item is refused before anything is written when it states more than a
// package item may hold or than the target has room for, and stopped when
// its data inflates beyond what it states. Nothing of it stays behind.
TEST_F(ZipReaderTest, ItemsTooLargeForAPackageOrTheTargetAreRefused)
{
    const QByteArray text = lines(20000); // 1.25 MB
    const quint64 size = quint64(text.size());
    const struct {
        const char* name;
        quint64 stated;
        qint64 free; // what the disk has room for; -1: unknown
        int result;
    } cases[] = {
        {"sub/limit.txt", 64ULL * 1024 * 1024 + 1, -1, ZipTooLarge}, // refused before its folder is made
        {"sub/full.txt", size, qint64(size) - 1, ZipNoSpace},
        {"understated.txt", 1000, -1, ZipDataError}, // inflates to far more than it states
        {"overstated.txt", size + 1, -1, ZipDataError},
        {"exact.txt", size, qint64(size), ZipOk},
    };
    std::vector<ArchiveItem> items;
    for (const auto& c : cases) {
        items.push_back(file(c.name, text));
        items.back().statedSize = c.stated;
    }
    open(items);
    static qint64 free = 0;
    auto probe = installFreeSpaceProbe([](const QString&) { return free; });
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        free = cases[i].free;
        const ZipEntry entry = item(int(i));
        EXPECT_EQ(entry.uncompressedSize, qint64(cases[i].stated));
        EXPECT_EQ(ZipReader::UnzipItem(handle, int(i), entry.name), cases[i].result);
    }
    EXPECT_EQ(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("exact.txt")});
    EXPECT_EQ(dir.read(QStringLiteral("out/exact.txt")), text);

    // Without a probe the file system's own free space counts: ample here.
    free = -1;
    auto none = installFreeSpaceProbe(nullptr);
    EXPECT_EQ(ZipReader::UnzipItem(handle, 4, QStringLiteral("again/exact.txt")), ZipOk);
}

TEST_F(ZipReaderTest, HandlesAreChecked)
{
    EXPECT_EQ(ZipReader::Close(nullptr), ZipBadArgument);
    EXPECT_EQ(ZipReader::LastResult(), ZipBadArgument);
    ZipEntry entry;
    EXPECT_EQ(ZipReader::GetItem(nullptr, 0, entry), ZipBadArgument);

    ZipHandle other{2, nullptr};
    EXPECT_EQ(ZipReader::SetBaseFolder(&other, out()), ZipNotArchive);
    EXPECT_EQ(ZipReader::GetItem(&other, 0, entry), ZipNotArchive);
    EXPECT_EQ(ZipReader::UnzipItem(&other, 0, QStringLiteral("x")), ZipNotArchive);
    EXPECT_EQ(ZipReader::Close(&other), ZipNotArchive);

    EXPECT_EQ(ZipReader::OpenFile(dir.file(QStringLiteral("missing.zip"))), nullptr);
    EXPECT_EQ(ZipReader::LastResult(), ZipCannotOpen);
    EXPECT_EQ(ZipReader::OpenFile(dir.write(QStringLiteral("not.zip"), "not a zip archive")), nullptr);

    ASSERT_TRUE(writeZip(archive(), {file("a")}));
    ZipHandle* opened = ZipReader::OpenFile(archive());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(ZipReader::LastResult(), ZipOk);
    EXPECT_EQ(ZipReader::Close(opened), ZipOk);
}

} // namespace
