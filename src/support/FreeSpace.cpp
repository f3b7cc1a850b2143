#include "support/FreeSpace.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace {

constinit platform::Current<FreeSpaceProbe> g_probe{nullptr};

qint64 fileSystemFreeSpace(const QString& folder)
{
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot())
        existing = QFileInfo(existing.absolutePath());
    const QStorageInfo storage(existing.absoluteFilePath());
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

} // namespace

qint64 freeSpace(const QString& folder)
{
    const FreeSpaceProbe probe = g_probe.Get();
    return probe ? probe(folder) : fileSystemFreeSpace(folder);
}

platform::ScopedOverride<FreeSpaceProbe> installFreeSpaceProbe(FreeSpaceProbe probe)
{
    return g_probe.Override(probe);
}
