#pragma once
// A folder on a disk the test can fill or make read-only. Run as root, where
// the kernel lets it, the folder is a real 1 MB tmpfs mounted for the test;
// otherwise it stays a plain folder, a full disk is the file layer's
// simulated one (platform::SimulateFullDiskAfter) and read-only is the
// folder's permissions. Each test says in its output which one it used.
#include "platform/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/mount.h>
#include <unistd.h>

namespace test {

class SmallDisk {
public:
    // `folder` is made when missing; it must be empty for the mount.
    explicit SmallDisk(const QString& folder) : folder_(folder)
    {
        (void)QDir().mkpath(folder_);
        if (::geteuid() == 0)
            mounted_ = ::mount("tmpfs", path().constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=1m,mode=0755") == 0;
        const QString how = mounted_ ? QStringLiteral("a real 1 MB tmpfs mounted by the test")
                                     : QStringLiteral("the file layer's simulated full disk (no tmpfs could be mounted)");
        std::printf("[ disk     ] %s: %s\n", qPrintable(folder_), qPrintable(how));
        ::testing::Test::RecordProperty("disk", how.toStdString());
    }
    ~SmallDisk()
    {
        simulated_.reset();
        if (mounted_) {
            (void)::umount2(path().constData(), MNT_DETACH);
        } else {
            (void)QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool real() const { return mounted_; }
    const QString& folder() const { return folder_; }

    // Takes every free byte: a filler file on the tmpfs, else the simulated
    // limit of no byte at all.
    void Fill()
    {
        if (!mounted_) {
            simulated_.emplace(platform::SimulateFullDiskAfter(0));
            return;
        }
        const QByteArray filler = QFile::encodeName(folder_ + QStringLiteral("/.filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        ASSERT_GE(fd, 0);
        const QByteArray block(4096, 'x');
        // Blocks while they fit, then single bytes for the partial page.
        for (qsizetype size : {block.size(), qsizetype(1)}) {
            while (::write(fd, block.constData(), static_cast<size_t>(size)) == size) {
            }
        }
        ::close(fd);
    }

    // The folder takes no new file: a read-only remount, else its
    // permissions (which root passes over: false then, and the test skips).
    [[nodiscard]] bool MakeReadOnly()
    {
        if (mounted_)
            return ::mount("tmpfs", path().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") == 0;
        return ::geteuid() != 0 && QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
    }

private:
    QByteArray path() const { return QFile::encodeName(folder_); }

    QString folder_;
    bool mounted_ = false;
    std::optional<platform::ScopedOverride<std::optional<qint64>>> simulated_;
};

} // namespace test
