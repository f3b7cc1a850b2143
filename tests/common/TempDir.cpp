#include "common/TempDir.h"

#include "platform/Paths.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace test {

TempDir::TempDir() : dir_(QDir::tempPath() + QLatin1String("/morvek-test-XXXXXX")) {}

QString TempDir::path() const
{
    return dir_.path();
}

QString TempDir::file(const QString& relative) const
{
    return dir_.path() + QLatin1Char('/') + relative;
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return full;
}

QByteArray TempDir::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ScopedTestEnvironment::ScopedTestEnvironment()
    : savedApp_(platform::appFolder()), savedUser_(platform::userConfigFolder()),
      savedRegistry_(platform::Registry::filePath())
{
    QDir().mkpath(appFolder() + QLatin1String("/Defaults"));
    QDir().mkpath(appFolder() + QLatin1String("/Config"));
    QDir().mkpath(userFolder());
    platform::setAppFolder(appFolder());
    platform::setUserConfigFolder(userFolder());
    platform::Registry::setFilePath(userFolder() + QLatin1String("/registry.ini"));
}

ScopedTestEnvironment::~ScopedTestEnvironment()
{
    platform::setAppFolder(savedApp_);
    platform::setUserConfigFolder(savedUser_);
    platform::Registry::setFilePath(savedRegistry_);
}

QString ScopedTestEnvironment::appFolder() const
{
    return dir_.file(QStringLiteral("app"));
}

QString ScopedTestEnvironment::userFolder() const
{
    return dir_.file(QStringLiteral("user"));
}

} // namespace test
