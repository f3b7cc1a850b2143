#pragma once
// Paths kept in standards data are relative to the file that holds them
// ("..\boxes\a.n" beside "C:\Lib\sub\cat.sif"). These two turn a path into
// that form and back. Both work on the texts alone, with '\' and '/' both
// separating, components compared without regard to letter case; neither
// touches the file system or the process's current folder.
#include <QString>

namespace support {

// The path relative to the base file's folder: ".\x" inside it, "..\x"
// above it, with '\' between components. The path unchanged when the two
// share no root (another drive, or one relative and one absolute).
QString MakeRelativePath(const QString& path, const QString& baseFile);

// A stored path made absolute against the base file's folder: a path with a
// drive, a network path or an absolute local path stays as it is; one that
// starts with '\' is taken below the base folder too. "." and ".." parts are
// folded; ".." never climbs above the root. The result separates with the
// base's separator.
QString MakeAbsolutePath(const QString& path, const QString& baseFile);

} // namespace support
