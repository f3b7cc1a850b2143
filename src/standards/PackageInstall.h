#pragma once
// Installing a standard package: the package replaces its family's folder
// (and, for ECMA and FEFCO, the family's catalogue beside it) in the
// standards folder.
//
// Everything is checked before anything changes: the name is a package
// name, the file is in the packages folder and opens as a zip archive, its
// manifest fits the name, and every item is the manifest, the family's
// catalogue or a file below the family's folder, with no parent reference
// and a sane size. The items are then extracted into a staging folder beside
// the standards folder; only when that is complete are the old folder and
// catalogue moved aside and the new ones moved in. If a move fails the old
// ones go back. The old ones are removed with the staging folder once the
// swap has succeeded, so a refused or failed install leaves the installed
// standards as they were. A TOP install replaces only the TOP folder.
#include "standards/PackageIssue.h"

#include <QString>

namespace standards {

// Per item and for the whole package, in bytes once extracted.
inline constexpr qint64 kMaxPackageItemSize = 64LL * 1024 * 1024;
inline constexpr qint64 kMaxPackageSize = 1024LL * 1024 * 1024;

// Installs the package file (a local path) into standardsFolder; no issue
// when the family was replaced.
PackageIssue InstallPackage(const QString& packagePath, const QString& standardsFolder);

} // namespace standards
