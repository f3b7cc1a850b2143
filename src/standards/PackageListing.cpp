#include "standards/PackageListing.h"

#include "standards/PackageManifest.h"

#include <QDir>
#include <QFileInfo>

#include <set>

namespace standards {

QStringList FamilyPackages(const QStringList& names, PackageFamily family)
{
    QStringList out;
    for (const QString& name : names) {
        PackageName parsed;
        if (ParsePackageName(name, parsed) && parsed.family == family)
            out << name;
    }
    return out;
}

QStringList FamilyPackagesIn(const QString& folder, PackageFamily family)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    return FamilyPackages(dir.entryList(QDir::Files), family);
}

std::vector<PackageRow> ListPackages(PackageFamily family, const QStringList& sourceNames, const QString& packagesFolder,
                                     const std::map<QString, int>& order)
{
    std::set<QString> names; // exact UTF-16 order
    for (const QString& name : FamilyPackages(sourceNames, family))
        names.insert(name);
    for (const QString& name : FamilyPackagesIn(packagesFolder, family))
        names.insert(name);

    std::vector<PackageRow> rows;
    for (const QString& fileName : names) {
        PackageName name;
        if (!ParsePackageName(fileName, name))
            continue;
        PackageRow row;
        row.fileName = fileName;
        row.date = name.DateText();
        const QString local = packagesFolder + fileName;
        if (QFileInfo(local).isFile()) {
            PackageManifest manifest;
            if (ReadPackageManifest(local, manifest) || !ManifestFits(manifest, name))
                continue;
            row.number = manifest.revision;
            row.description = ManifestDescription(manifest, order);
            row.downloaded = true;
            row.localPath = local;
        } else {
            row.number = QString::number(name.number);
            row.description = fileName;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace standards
