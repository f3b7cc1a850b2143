#pragma once
// The manifest of a standard package: the item "manifest.ini" (exact name)
// in the settings store's difference format, with
//   [standard]    fileversion (at most 15), revision (the package number as
//                 decimal digits), type (kept, not used)
//   [description] one text per language code ("ENG=...", "GER=...")
#include "standards/PackageIssue.h"
#include "standards/PackageName.h"

#include "support/NoCaseLess.h"

#include <QString>

#include <map>

namespace standards {

inline constexpr int kMaxPackageFileVersion = 15;

struct PackageManifest {
    int fileVersion = 0;
    QString revision;
    QString type;
    std::map<QString, QString, support::NoCaseLess> descriptions; // language code -> text
};

// Reads a manifest file; false when it does not open.
bool ReadManifest(const QString& path, PackageManifest& manifest);

// True when the manifest belongs to a package of that name: its revision is
// the name's package number written in decimal digits and its file version
// is at most kMaxPackageFileVersion.
bool ManifestFits(const PackageManifest& manifest, const PackageName& name);

// The description in the best language of the order (language code -> its
// position, 0 the best) that the manifest has; else English; else empty.
QString ManifestDescription(const PackageManifest& manifest, const std::map<QString, int>& order);

// Opens the package as a zip archive, extracts its "manifest.ini" into a
// temporary folder of its own (removed afterwards) and reads it. The issue
// says why there is none (TextNotArchive, TextNoManifest).
PackageIssue ReadPackageManifest(const QString& packagePath, PackageManifest& manifest);

} // namespace standards
