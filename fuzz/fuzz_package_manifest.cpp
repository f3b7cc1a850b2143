// Package manifests: the reader on any bytes. A manifest that reads fits a
// name only when its revision is that name's number in digits and its file
// version is at most 15; its description is one of its texts or empty.
#include "common/FuzzSupport.h"

#include "standards/PackageManifest.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("manifest.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    standards::PackageManifest manifest;
    if (!standards::ReadManifest(path, manifest))
        return 0;
    standards::PackageName name;
    name.number = manifest.revision.toInt();
    if (standards::ManifestFits(manifest, name))
        fuzz::Check(manifest.fileVersion <= standards::kMaxPackageFileVersion, "a manifest of a later format fits");
    if (name.number < 1000000) {
        name.number += 1;
        fuzz::Check(!standards::ManifestFits(manifest, name), "a manifest fits two package numbers");
    }
    const QString description = standards::ManifestDescription(manifest, {{QStringLiteral("GER"), 0}, {QStringLiteral("ENG"), 1}});
    bool known = description.isEmpty();
    for (const auto& [language, text] : manifest.descriptions)
        known = known || text == description;
    fuzz::Check(known, "a description the manifest does not hold");
    return 0;
}
