#include "standards/CatalogueSource.h"

#include "platform/Paths.h"
#include "standards/StandardFolders.h"

#include <QDir>
#include <QFileInfo>

namespace standards {
namespace {

const QStringList kPictureSuffixes = {QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("jpg")};

QString SettingPath(const QString& setting)
{
    return setting.isEmpty() ? QString() : platform::localPath(setting);
}

QString PictureBeside(const QDir& dir, const QString& baseName)
{
    const QFileInfoList pictures = dir.entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& picture : pictures) {
        if (picture.completeBaseName().compare(baseName, Qt::CaseInsensitive) == 0
            && kPictureSuffixes.contains(picture.suffix(), Qt::CaseInsensitive))
            return picture.fileName();
    }
    return {};
}

// Adds the folder's contents under parent; false once the catalogue is full.
bool AddFolder(StandardCatalogue& catalogue, const QDir& dir, const QString& relative, int parent, int depth)
{
    // A folder tree deeper than this is not a standards family.
    constexpr int kMaxDepth = 16;
    if (depth > kMaxDepth)
        return true;
    const QString prefix = relative.isEmpty() ? QString() : relative + u'\\';
    const QFileInfoList folders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : folders) {
        const int n = catalogue.AddEntry(folder.fileName(), QString(), QString(), parent, CatalogueEntry::Folder);
        if (n < 0)
            return false;
        if (!AddFolder(catalogue, QDir(folder.filePath()), prefix + folder.fileName(), n, depth + 1))
            return false;
    }
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        const QString suffix = file.suffix().toLower();
        if (suffix != u"n" && suffix != u"nst")
            continue;
        const QString picture = PictureBeside(dir, file.completeBaseName());
        const int type = suffix == u"nst" ? CatalogueEntry::ExtendedStandard : CatalogueEntry::Standard;
        if (catalogue.AddEntry(file.completeBaseName(), prefix + file.fileName(),
                               picture.isEmpty() ? QString() : prefix + picture, parent, type) < 0)
            return false;
    }
    return true;
}

} // namespace

CatalogueSource SourceFor(Family family, const QString& setting)
{
    switch (family) {
    case Family::Fefco:
        return {setting.isEmpty() ? StandardsFolder() + QStringLiteral("FEFCO.sif") : SettingPath(setting), {}};
    case Family::Ecma:
        return {setting.isEmpty() ? StandardsFolder() + QStringLiteral("ECMA.sif") : SettingPath(setting), {}};
    case Family::Top: {
        const QString folder = StandardsFolder() + QStringLiteral("TOP/");
        return {folder + QStringLiteral("TOP.sif"), folder};
    }
    case Family::EuroHole:
    case Family::Collection:
        break;
    }
    return {SettingPath(setting), {}};
}

StandardCatalogue CatalogueOfFolder(const QString& folder)
{
    StandardCatalogue catalogue;
    const QDir dir(folder);
    if (!folder.isEmpty() && dir.exists())
        (void)AddFolder(catalogue, dir, QString(), -1, 0); // a full catalogue keeps what fitted
    catalogue.SortEntries();
    return catalogue;
}

} // namespace standards
