#pragma once
// How much room a file system has for new files. Extraction asks before it
// writes an item; tests install a probe that makes a disk look full.
#include "platform/ScopedOverride.h"

#include <QString>
#include <QtGlobal>

// The bytes available for new files in a local folder, which need not exist
// yet (the file system of its nearest existing ancestor counts); -1 when
// unknown.
qint64 freeSpace(const QString& folder);

// Answers freeSpace instead of the file system until the guard goes.
using FreeSpaceProbe = qint64 (*)(const QString& folder);
platform::ScopedOverride<FreeSpaceProbe> installFreeSpaceProbe(FreeSpaceProbe probe);
