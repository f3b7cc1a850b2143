#include "standards/PackageManifest.h"

#include "settings/SectionDocument.h"
#include "support/ZipReader.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace standards {
namespace {

const QString kManifestItem = QStringLiteral("manifest.ini");

bool AllDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

bool ReadManifest(const QString& path, PackageManifest& manifest)
{
    SectionDocument document;
    if (!document.ReadDiff(path))
        return false;
    PackageManifest read;
    SectionMap& standard = document.GetSection(QStringLiteral("standard"));
    standard.GetInt(QStringLiteral("fileversion"), read.fileVersion);
    read.revision = standard.GetText(QStringLiteral("revision")).trimmed();
    read.type = standard.GetText(QStringLiteral("type"));
    for (const auto& [language, value] : document.GetSection(QStringLiteral("description")))
        read.descriptions[language] = value.text;
    manifest = std::move(read);
    return true;
}

bool ManifestFits(const PackageManifest& manifest, const PackageName& name)
{
    // At most nine digits: the value then cannot overflow an int.
    if (!AllDigits(manifest.revision) || manifest.revision.size() > 9)
        return false;
    return manifest.revision.toInt() == name.number && manifest.fileVersion <= kMaxPackageFileVersion;
}

QString ManifestDescription(const PackageManifest& manifest, const std::map<QString, int>& order)
{
    const QString* best = nullptr;
    int bestPosition = 0;
    for (const auto& [language, position] : order) {
        const auto found = manifest.descriptions.find(language);
        if (found != manifest.descriptions.end() && (!best || position < bestPosition)) {
            best = &found->second;
            bestPosition = position;
        }
    }
    if (best)
        return *best;
    const auto english = manifest.descriptions.find(QStringLiteral("ENG"));
    return english == manifest.descriptions.end() ? QString() : english->second;
}

PackageIssue ReadPackageManifest(const QString& packagePath, PackageManifest& manifest)
{
    const QString fileName = QFileInfo(packagePath).fileName();
    ZipHandle* zip = ZipReader::OpenFile(packagePath);
    if (!zip)
        return {TextNotArchive, fileName, {}};
    QTemporaryDir folder;
    ZipEntry count;
    int manifestIndex = -1;
    if (folder.isValid() && ZipReader::GetItem(zip, -1, count) == ZipOk) {
        for (int i = 0; i < count.index && manifestIndex < 0; ++i) {
            ZipEntry entry;
            if (ZipReader::GetItem(zip, i, entry) == ZipOk && entry.name == kManifestItem)
                manifestIndex = i;
        }
    }
    bool extracted = false;
    if (manifestIndex >= 0) {
        extracted = ZipReader::SetBaseFolder(zip, folder.path()) == ZipOk
                    && ZipReader::UnzipItem(zip, manifestIndex, kManifestItem) == ZipOk;
    }
    ZipReader::Close(zip);
    if (!extracted || !ReadManifest(folder.filePath(kManifestItem), manifest))
        return {TextNoManifest, fileName, {}};
    return {};
}

} // namespace standards
