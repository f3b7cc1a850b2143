#pragma once
// The installer's list: the packages of one family known from the source
// (the standards server or a local folder) and from the packages folder,
// each name once, in ascending order.
#include "standards/PackageName.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace standards {

struct PackageRow {
    QString fileName;    // the bare package file name
    QString number;      // the manifest's revision, or the name's number
    QString date;        // "20" + YYMMDD
    QString description; // the manifest's, or the file name
    bool downloaded = false; // in the packages folder (shown "*")
    QString localPath;   // the file in the packages folder; empty when not there
};

// The names that are package names of the family.
QStringList FamilyPackages(const QStringList& names, PackageFamily family);
// The file names in folder that are package names of the family; empty
// when the folder cannot be read.
QStringList FamilyPackagesIn(const QString& folder, PackageFamily family);

// The rows for the source's names and the packages folder's (ending in
// '/'). A package in the packages folder is listed only when its manifest
// reads and fits its name; the description is taken in the best language
// of order (language code -> position, 0 the best).
std::vector<PackageRow> ListPackages(PackageFamily family, const QStringList& sourceNames, const QString& packagesFolder,
                                     const std::map<QString, int>& order);

} // namespace standards
