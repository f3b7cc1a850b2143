#include "platform/FileSnapshot.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <sys/stat.h>

namespace platform {
namespace {

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

FileStamp FileStamp::of(const QString& localPath)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(localPath).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.statusChangedNs = std::int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    return stamp;
}

bool FileSnapshot::take(const QString& localPath)
{
    // The stamp before the bytes: a change while reading shows as a later stamp.
    const std::int64_t now = nowNs();
    stamp_ = FileStamp::of(localPath);
    bytes_.clear();
    QFile file(localPath);
    if (!stamp_.exists || !file.open(QIODevice::ReadOnly)) {
        stamp_ = FileStamp();
        return false;
    }
    bytes_ = file.readAll();
    checkedNs_ = now;
    return true;
}

bool FileSnapshot::current(const QString& localPath)
{
    const std::int64_t now = nowNs();
    if (!stamp_.exists || FileStamp::of(localPath) != stamp_)
        return false;
    // The status-change time is the later one, and cannot be set back.
    if (std::max(stamp_.modifiedNs, stamp_.statusChangedNs) + kCoarseNs <= checkedNs_)
        return true;
    // Changed shortly before it was read: another change within the same
    // time-stamp tick would look the same, so compare the bytes.
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes_)
        return false;
    checkedNs_ = now;
    return true;
}

} // namespace platform
