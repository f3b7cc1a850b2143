#pragma once
// Whether a file is still what a reader read, without reading it again: the
// readers that keep a parsed file (the profile files, the registry stand-in)
// ask before each lookup. The file's identity, size, modification time and
// status-change time decide (a program may set the modification time back,
// never the status-change time); a file changed so recently that its time
// stamps cannot yet tell a second change apart (file systems keep coarse
// time stamps) is compared byte for byte until that time has passed.
#include <QByteArray>
#include <QString>

#include <cstdint>

namespace platform {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0; // since the epoch
    // When the file's data or stamp last changed (since the epoch): unlike
    // the modification time, no program can set it back.
    std::int64_t statusChangedNs = 0;

    static FileStamp of(const QString& localPath);
    bool operator==(const FileStamp&) const = default;
};

class FileSnapshot {
public:
    // Reads the file and keeps its stamp and bytes. False when it cannot be
    // read; the snapshot is then empty.
    [[nodiscard]] bool take(const QString& localPath);
    // True when the file is unchanged since take().
    bool current(const QString& localPath);

    bool empty() const { return !stamp_.exists; }
    const QByteArray& bytes() const { return bytes_; }

    // How long after a change a time stamp is not trusted alone.
    static constexpr std::int64_t kCoarseNs = 2'000'000'000;

private:
    FileStamp stamp_;
    QByteArray bytes_;
    std::int64_t checkedNs_ = 0; // wall time when the stamp last matched the bytes
};

} // namespace platform
