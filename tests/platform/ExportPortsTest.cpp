#include "platform/ExportPorts.h"

#include "common/TempDir.h"
#include "platform/Registry.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

namespace {

TEST(ExportPorts, SerialDeviceFromTheProfile)
{
    test::ScopedTestEnvironment environment;
    EXPECT_EQ(platform::serialDevicePath(), QStringLiteral("/dev/ttyS1"));
    ASSERT_TRUE(platform::Registry::writeString(QStringLiteral("Export"), QStringLiteral("SerialDevice"),
                                                QStringLiteral("/dev/ttyUSB0")));
    EXPECT_EQ(platform::serialDevicePath(), QStringLiteral("/dev/ttyUSB0"));
}

// True when the file shows up within two seconds (the command runs on its own).
bool Appears(const QString& path)
{
    for (int i = 0; i < 80; ++i) {
        if (QFileInfo::exists(path))
            return true;
        QThread::msleep(25);
    }
    return false;
}

TEST(ExportPorts, ABlankCommandNeverRunsTheFile)
{
    test::TempDir dir;
    // An exported file that would leave a mark if it were run.
    const QString file = dir.write(QStringLiteral("out file.cf2"), "touch ran\n");
    QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(platform::startCommand(QStringLiteral("  "), file, dir.path()).isEmpty());
    EXPECT_FALSE(Appears(dir.file(QStringLiteral("ran"))));
}

} // namespace
