#include "standards/PackageInstall.h"

#include "standards/PackageManifest.h"
#include "standards/PackageName.h"
#include "support/ZipReader.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <vector>

namespace standards {
namespace {

// Closes the archive on every path out.
class OpenZip {
public:
    explicit OpenZip(const QString& path) : handle_(ZipReader::OpenFile(path)) {}
    ~OpenZip()
    {
        if (handle_)
            ZipReader::Close(handle_);
    }
    OpenZip(const OpenZip&) = delete;
    OpenZip& operator=(const OpenZip&) = delete;
    ZipHandle* get() const { return handle_; }

private:
    ZipHandle* handle_;
};

struct Item {
    int index = 0;
    QString name;  // as stored
    bool folder = false;
};

QString Normalised(QString name)
{
    name.replace(u'\\', u'/');
    return name;
}

// True when the item's name may be written for the family: the manifest,
// the catalogue or a path below the family's folder, with no empty, "." or
// ".." component.
bool BelongsToFamily(const QString& storedName, PackageFamily family)
{
    const QString name = Normalised(storedName);
    if (name == QLatin1String("manifest.ini"))
        return true;
    const QString catalogue = FamilyCatalogueName(family);
    if (!catalogue.isEmpty() && name == catalogue)
        return true;
    if (!name.startsWith(FamilyFolderName(family) + u'/'))
        return false;
    QStringList parts = name.split(u'/');
    if (parts.last().isEmpty())
        parts.removeLast(); // a folder item
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") || part.contains(u':'))
            return false;
    }
    return true;
}

// Reads and checks every item; the items to extract (all but the manifest).
PackageIssue CheckItems(ZipHandle* zip, PackageFamily family, const QString& fileName, std::vector<Item>& items)
{
    ZipEntry count;
    if (ZipReader::GetItem(zip, -1, count) != ZipOk)
        return {TextNotArchive, fileName, {}};
    qint64 total = 0;
    for (int i = 0; i < count.index; ++i) {
        ZipEntry entry;
        if (ZipReader::GetItem(zip, i, entry) != ZipOk)
            return {TextNotArchive, fileName, {}};
        if (!BelongsToFamily(entry.name, family))
            return {TextItemOutside, fileName, entry.name};
        total += entry.uncompressedSize;
        if (entry.uncompressedSize < 0 || entry.uncompressedSize > kMaxPackageItemSize || total > kMaxPackageSize)
            return {TextItemTooLarge, fileName, entry.name};
        if (entry.name == QLatin1String("manifest.ini"))
            continue;
        const bool folder = (entry.attributes & ZipEntry::Folder) != 0 || Normalised(entry.name).endsWith(u'/');
        items.push_back({i, entry.name, folder});
    }
    return {};
}

PackageIssue Extract(ZipHandle* zip, const std::vector<Item>& items, const QString& staging, const QString& fileName)
{
    if (ZipReader::SetBaseFolder(zip, staging) != ZipOk)
        return {TextUnpackFailed, fileName, staging};
    for (const Item& item : items) {
        if (item.folder) {
            if (!ZipReader::EnsureFolder(staging, Normalised(item.name)))
                return {TextUnpackFailed, fileName, item.name};
            continue;
        }
        const int result = ZipReader::UnzipItem(zip, item.index, item.name);
        if (result == ZipTooLarge)
            return {TextItemTooLarge, fileName, item.name};
        if (result != ZipOk)
            return {TextUnpackFailed, fileName, item.name};
    }
    return {};
}

// Moves the staged family folder and catalogue in place of the installed
// ones, keeping those in the staging folder's "previous" until every move
// succeeded; on a failure everything goes back.
PackageIssue Swap(const QStringList& names, const QString& staging, const QString& standardsFolder)
{
    const QString previous = staging + QStringLiteral("/previous/");
    if (!QDir().mkpath(previous))
        return {TextSwapFailed, previous, {}};
    QDir dir;
    QStringList movedAside, movedIn;
    auto rollBack = [&] {
        for (const QString& name : movedIn)
            (void)dir.rename(standardsFolder + name, staging + u'/' + name);
        for (const QString& name : movedAside)
            (void)dir.rename(previous + name, standardsFolder + name);
    };
    for (const QString& name : names) {
        const QString installed = standardsFolder + name;
        if (QFileInfo::exists(installed) || QFileInfo(installed).isSymLink()) {
            if (!dir.rename(installed, previous + name)) {
                rollBack();
                return {TextSwapFailed, installed, {}};
            }
            movedAside << name;
        }
        if (!dir.rename(staging + u'/' + name, installed)) {
            rollBack();
            return {TextSwapFailed, installed, {}};
        }
        movedIn << name;
    }
    return {};
}

} // namespace

PackageIssue InstallPackage(const QString& packagePath, const QString& standardsFolderIn)
{
    const QString fileName = QFileInfo(packagePath).fileName();
    PackageName name;
    if (!ParsePackageName(fileName, name))
        return {TextNotAPackage, fileName, {}};
    if (!QFileInfo(packagePath).isFile())
        return {TextNotDownloaded, fileName, {}};
    PackageManifest manifest;
    if (PackageIssue issue = ReadPackageManifest(packagePath, manifest))
        return issue;
    if (!ManifestFits(manifest, name))
        return {TextManifestMismatch, fileName, {}};

    const OpenZip zip(packagePath);
    if (!zip.get())
        return {TextNotArchive, fileName, {}};
    std::vector<Item> items;
    if (PackageIssue issue = CheckItems(zip.get(), name.family, fileName, items))
        return issue;

    QString standardsFolder = QDir::cleanPath(standardsFolderIn);
    if (!QDir().mkpath(standardsFolder))
        return {TextUnpackFailed, fileName, standardsFolder};
    QTemporaryDir staging(standardsFolder + QStringLiteral("-install-XXXXXX"));
    if (!staging.isValid())
        return {TextUnpackFailed, fileName, staging.errorString()};
    if (PackageIssue issue = Extract(zip.get(), items, staging.path(), fileName))
        return issue;

    QStringList names{FamilyFolderName(name.family)};
    if (!FamilyCatalogueName(name.family).isEmpty())
        names << FamilyCatalogueName(name.family);
    if (!QFileInfo(staging.filePath(names.first())).isDir()
        || (names.size() > 1 && !QFileInfo(staging.filePath(names.last())).isFile()))
        return {TextIncomplete, fileName, {}};
    return Swap(names, staging.path(), standardsFolder + u'/');
}

} // namespace standards
