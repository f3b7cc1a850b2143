#include "support/ZipReader.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/FreeSpace.h"
#include "support/ItemInflater.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <minizip/unzip.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::atomic<int> g_lastResult{ZipOk};

int finish(int result)
{
    g_lastResult = result;
    return result;
}

constexpr int kNameLimit = 260;         // bytes of a stored name that are read
constexpr int kReadPiece = 16384;       // bytes read from an item at a time
constexpr quint64 kUnixToFileTimeSeconds = 11644473600ULL;
constexpr quint64 kFileTimeUnitsPerSecond = 10000000ULL;

unzFile archiveOf(void* archive)
{
    return static_cast<unzFile>(archive);
}

// Drops a leading drive, a leading separator and everything up to a parent
// reference inside the name, until none is left. A leading ".." stays.
QString cleanName(QString name)
{
    static const QString parents[] = {QStringLiteral("\\..\\"), QStringLiteral("\\../"), QStringLiteral("/../"),
                                      QStringLiteral("/..\\")};
    for (;;) {
        if (name.size() >= 2 && name[1] == QLatin1Char(':')) {
            name.remove(0, 2);
            continue;
        }
        if (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/'))) {
            name.remove(0, 1);
            continue;
        }
        bool dropped = false;
        for (const QString& parent : parents) {
            const qsizetype at = name.indexOf(parent);
            if (at >= 0) {
                name.remove(0, at + parent.size());
                dropped = true;
                break;
            }
        }
        if (!dropped)
            return name;
    }
}

// Windows attribute bits from the "version made by" host and the external
// attributes: DOS-like hosts store them in the low byte, the others (Unix)
// store a file mode in the high word.
int attributesOf(uLong versionMadeBy, uLong external)
{
    const uLong host = (versionMadeBy >> 8) & 0xFF;
    if (host == 0 || host == 7 || host == 11 || host == 14)
        return static_cast<int>(external & 0xFF);
    int attributes = ZipEntry::Archive;
    if (external & (1UL << 30))
        attributes |= ZipEntry::Folder;
    if (!(external & (1UL << 23)))
        attributes |= ZipEntry::ReadOnly;
    return attributes;
}

quint64 fileTimeFromUnix(qint64 seconds)
{
    return static_cast<quint64>(seconds + static_cast<qint64>(kUnixToFileTimeSeconds)) * kFileTimeUnitsPerSecond;
}

// The DOS date and time of an item, taken as local time. 0 when invalid.
quint64 fileTimeFromDos(const tm_unz& dos)
{
    const QDateTime local(QDate(static_cast<int>(dos.tm_year), static_cast<int>(dos.tm_mon) + 1,
                                static_cast<int>(dos.tm_mday)),
                          QTime(static_cast<int>(dos.tm_hour), static_cast<int>(dos.tm_min),
                                static_cast<int>(dos.tm_sec)));
    if (!local.isValid())
        return 0;
    return fileTimeFromUnix(local.toSecsSinceEpoch());
}

// Reads the times of the first extended time stamp block ("UT") of an extra
// field: flag bit 0 the write time, bit 1 the access time, bit 2 the
// creation time, each a signed 32-bit Unix time when its bit is set.
void readExtendedTimes(const std::vector<unsigned char>& extra, ZipEntry& entry)
{
    auto word = [&](size_t at) { return static_cast<size_t>(extra[at] | (extra[at + 1] << 8)); };
    size_t pos = 0;
    while (extra.size() >= pos + 4) {
        const size_t tag = word(pos);
        const size_t size = word(pos + 2);
        const size_t data = pos + 4;
        if (tag == 0x5455) { // 'U', 'T'
            const size_t end = std::min(data + size, extra.size());
            if (data >= end)
                return;
            const unsigned flags = extra[data];
            size_t at = data + 1;
            quint64* times[] = {&entry.writeTime, &entry.accessTime, &entry.creationTime};
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & (1U << bit)))
                    continue;
                if (at + 4 > end)
                    return;
                const qint32 seconds = static_cast<qint32>(static_cast<quint32>(extra[at]) | (extra[at + 1] << 8)
                                                           | (extra[at + 2] << 16)
                                                           | (static_cast<quint32>(extra[at + 3]) << 24));
                *times[bit] = fileTimeFromUnix(seconds);
                at += 4;
            }
            return;
        }
        pos = data + size;
    }
}

timespec timespecFromFileTime(quint64 fileTime)
{
    timespec result{};
    if (fileTime == 0) {
        result.tv_nsec = UTIME_OMIT;
        return result;
    }
    result.tv_sec = static_cast<time_t>(static_cast<qint64>(fileTime / kFileTimeUnitsPerSecond)
                                        - static_cast<qint64>(kUnixToFileTimeSeconds));
    result.tv_nsec = static_cast<long>(fileTime % kFileTimeUnitsPerSecond) * 100;
    return result;
}

// The largest item a standards package may hold. Its files (part drawings,
// catalogues, settings, preview pictures) are a few megabytes at most; 64 MiB
// leaves them ample room and keeps an item that claims more (a "zip bomb",
// where a megabyte of archive inflates to a gigabyte) from being written.
constexpr qint64 kItemSizeLimit = 64LL * 1024 * 1024;

// Whether an item of the stated size may be written into the local folder
// (which may not exist yet): ZipOk, ZipNoSpace or ZipTooLarge.
int roomFor(qint64 statedSize, const QString& folder)
{
    const qint64 available = freeSpace(folder);
    if (available >= 0 && statedSize > available)
        return ZipNoSpace;
    return statedSize > kItemSizeLimit ? ZipTooLarge : ZipOk;
}

int resultOf(ItemInflater::Result result)
{
    switch (result) {
    case ItemInflater::Result::Ok: return ZipOk;
    case ItemInflater::Result::SinkFailed: return ZipWriteFailed;
    case ItemInflater::Result::TooLong: // the data does not agree with its header
    case ItemInflater::Result::Corrupt: break;
    }
    return ZipDataError;
}

bool isAbsoluteTarget(const QString& path)
{
    return path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/')) || platform::isDrivePath(path);
}

// True when a path holds a ".." component, with either separator.
bool climbsOut(QString path)
{
    if (platform::isDrivePath(path))
        path.remove(0, 2);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.split(QLatin1Char('/')).contains(QLatin1String(".."));
}

bool endsWithSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

} // namespace

ZipReader::~ZipReader()
{
    if (archive_) {
        unzCloseCurrentFile(archiveOf(archive_));
        unzClose(archiveOf(archive_));
    }
}

int ZipReader::LastResult()
{
    return g_lastResult;
}

ZipHandle* ZipReader::OpenFile(const QString& path)
{
    auto* reader = new ZipReader;
    reader->baseFolder_ = QDir::currentPath() + QLatin1Char('/');
    reader->archive_ = unzOpen64(QFile::encodeName(platform::localPath(path)).constData());
    if (!reader->archive_) {
        delete reader;
        finish(ZipCannotOpen);
        return nullptr;
    }
    finish(ZipOk);
    return new ZipHandle{ZipHandle::Archive, reader};
}

namespace {

// ZipOk when the handle designates an open archive.
int checkHandle(const ZipHandle* handle)
{
    if (!handle)
        return ZipBadArgument;
    if (handle->kind != ZipHandle::Archive || !handle->reader)
        return ZipNotArchive;
    return ZipOk;
}

} // namespace

int ZipReader::SetBaseFolder(ZipHandle* handle, const QString& folder)
{
    if (const int result = checkHandle(handle))
        return finish(result);
    QString base = folder;
    if (!endsWithSeparator(base))
        base += QLatin1Char('/');
    handle->reader->baseFolder_ = base;
    return finish(ZipOk);
}

int ZipReader::GetItem(ZipHandle* handle, int index, ZipEntry& entry)
{
    if (const int result = checkHandle(handle))
        return finish(result);
    entry.index = 0;
    entry.name.clear();
    entry.uncompressedSize = 0;
    const int count = handle->reader->itemCount();
    if (index < -1 || index >= count)
        return finish(ZipBadArgument);
    if (index == -1) {
        entry.index = count;
        return finish(ZipOk);
    }
    return finish(handle->reader->readEntry(index, entry));
}

int ZipReader::UnzipItem(ZipHandle* handle, int index, const QString& target)
{
    if (const int result = checkHandle(handle))
        return finish(result);
    return finish(handle->reader->extract(index, target));
}

int ZipReader::Close(ZipHandle* handle)
{
    if (const int result = checkHandle(handle))
        return finish(result);
    delete handle->reader;
    delete handle;
    return finish(ZipOk);
}

bool ZipReader::EnsureFolder(const QString& base, const QString& relative)
{
    return QDir().mkpath(platform::localPath(base + relative));
}

int ZipReader::itemCount() const
{
    unz_global_info64 info;
    if (unzGetGlobalInfo64(archiveOf(archive_), &info) != UNZ_OK)
        return 0;
    return info.number_entry > static_cast<ZPOS64_T>(INT_MAX) ? INT_MAX : static_cast<int>(info.number_entry);
}

bool ZipReader::goTo(void* archive, const ItemPosition& position)
{
    unz64_file_pos at{position.directoryOffset, position.number};
    return unzGoToFilePos64(archiveOf(archive), &at) == UNZ_OK;
}

int ZipReader::moveTo(int index)
{
    unzFile archive = archiveOf(archive_);
    if (index == cursor_)
        return ZipOk;
    // An item seen before is reached directly by its remembered position.
    if (static_cast<size_t>(index) < positions_.size()) {
        if (!goTo(archive, positions_[static_cast<size_t>(index)])) {
            cursor_ = -1;
            return ZipBadHeader;
        }
        cursor_ = index;
        return ZipOk;
    }
    // Beyond the items seen so far: from the last one seen, one at a time,
    // noting where each item is.
    const auto note = [&] {
        unz64_file_pos position;
        if (unzGetFilePos64(archive, &position) != UNZ_OK)
            return false;
        positions_.push_back({position.pos_in_zip_directory, position.num_of_file});
        return true;
    };
    bool ok;
    if (positions_.empty()) {
        ok = unzGoToFirstFile(archive) == UNZ_OK && note();
    } else {
        ok = cursor_ == static_cast<int>(positions_.size()) - 1 || goTo(archive, positions_.back());
    }
    cursor_ = ok ? static_cast<int>(positions_.size()) - 1 : -1;
    while (ok && cursor_ < index) {
        ok = unzGoToNextFile(archive) == UNZ_OK && note();
        cursor_ = ok ? cursor_ + 1 : -1;
    }
    return ok ? ZipOk : ZipBadHeader;
}

int ZipReader::readEntry(int index, ZipEntry& entry)
{
    if (index == cachedIndex_) {
        entry = cachedEntry_;
        return ZipOk;
    }
    if (const int result = moveTo(index))
        return result;

    unzFile archive = archiveOf(archive_);
    unz_file_info64 info;
    char name[kNameLimit + 1] = {};
    if (unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
        return ZipBadHeader;

    // The local header, opened raw so that any compression method is read.
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK)
        return ZipBadHeader;
    const int extraSize = unzGetLocalExtrafield(archive, nullptr, 0);
    std::vector<unsigned char> extra(extraSize > 0 ? static_cast<size_t>(extraSize) : 0);
    const bool extraRead =
        extraSize >= 0 && (extra.empty() || unzGetLocalExtrafield(archive, extra.data(), extraSize) == extraSize);
    unzCloseCurrentFile(archive);
    if (!extraRead)
        return ZipBadExtraField;

    ZipEntry read;
    read.index = index;
    const int nameBytes = static_cast<int>(std::min<uLong>(info.size_filename, kNameLimit));
    read.name = cleanName(QString::fromUtf8(name, nameBytes));
    read.attributes = attributesOf(info.version, info.external_fa);
    read.writeTime = read.accessTime = read.creationTime = fileTimeFromDos(info.tmu_date);
    readExtendedTimes(extra, read);
    read.compressedSize = static_cast<qint64>(info.compressed_size);
    read.uncompressedSize = static_cast<qint64>(info.uncompressed_size);

    cachedEntry_ = read;
    cachedIndex_ = index;
    entry = read;
    return ZipOk;
}

int ZipReader::extract(int index, const QString& target)
{
    if (index < 0 || index >= itemCount())
        return ZipBadArgument;
    ZipEntry entry;
    if (const int result = readEntry(index, entry))
        return result;
    if (climbsOut(target))
        return ZipBadArgument;

    if ((entry.attributes & ZipEntry::Folder) || endsWithSeparator(entry.name)) {
        const bool made = isAbsoluteTarget(target) ? EnsureFolder(QString(), target) : EnsureFolder(baseFolder_, target);
        return made ? ZipOk : ZipCannotOpen;
    }

    // The file goes into base + relative: below the base folder unless the
    // target's folder is absolute.
    const qsizetype split = std::max(target.lastIndexOf(QLatin1Char('\\')), target.lastIndexOf(QLatin1Char('/'))) + 1;
    const QString relative = target.left(split);
    const QString fileName = target.mid(split);
    const QString base = isAbsoluteTarget(relative) ? QString() : baseFolder_;
    const QString path = base + relative + fileName;
    if (fileName.isEmpty())
        return ZipCannotOpen;
    if (const int result = roomFor(entry.uncompressedSize, platform::localPath(base + relative)))
        return result;
    if (!EnsureFolder(base, relative))
        return ZipCannotOpen;
    if (const int result = moveTo(index))
        return result;
    return writeFile(entry, platform::localPath(path));
}

int ZipReader::writeFile(const ZipEntry& entry, const QString& path)
{
    unzFile archive = archiveOf(archive_);
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return ZipBadHeader;

    // Written under a temporary name; renamed over path only when complete.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return ZipCannotOpen;
    if (info.flag & 1)
        return ZipPasswordError; // encrypted, and no password is ever given
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK)
        return ZipBadHeader;

    // Read raw and inflated here, so that data inflating beyond the size
    // the archive states is caught however the unzip library treats it.
    ItemInflater inflater(method, info.uncompressed_size, static_cast<quint32>(info.crc));
    const ItemInflater::Sink sink = [&out](const char* data, qint64 size) { return out.write(data, size) == size; };
    buffer_.resize(kReadPiece);
    int result = ZipOk;
    for (;;) {
        const int read = unzReadCurrentFile(archive, buffer_.data(), kReadPiece);
        if (read < 0) {
            result = ZipDataError;
            break;
        }
        const ItemInflater::Result inflated =
            read == 0 ? inflater.Finish() : inflater.Feed(buffer_.data(), read, sink);
        result = resultOf(inflated);
        if (read == 0 || result != ZipOk)
            break;
    }
    unzCloseCurrentFile(archive); // raw data: the inflater checked size and CRC
    if (result != ZipOk)
        return result; // the temporary file goes with out
    if (!platform::commitSaveFile(out))
        return ZipWriteFailed;

    // Linux keeps no creation time that could be set.
    const timespec times[2] = {timespecFromFileTime(entry.accessTime), timespecFromFileTime(entry.writeTime)};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    if (entry.attributes & ZipEntry::ReadOnly) {
        QFile::setPermissions(path, QFile::permissions(path)
                                        & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
    }
    return ZipOk;
}
