// Zip extraction: every item of the archive is described and extracted
// below a base folder. Nothing may be written outside it.
#include "common/FuzzSupport.h"

#include "support/ZipReader.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

// Every file and folder below the folder.
QStringList Entries(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(it.next());
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const QString archive = env.Write(QStringLiteral("user/archive.zip"),
                                      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString base = env.UserFolder() + QStringLiteral("/out/base");
    QDir().mkpath(base);

    ZipHandle* zip = ZipReader::OpenFile(archive);
    if (!zip)
        return 0;
    (void)ZipReader::SetBaseFolder(zip, base);
    ZipEntry all;
    if (ZipReader::GetItem(zip, -1, all) == ZipOk) {
        const int count = std::min(all.index, 64);
        for (int i = 0; i < count; ++i) {
            ZipEntry entry;
            if (ZipReader::GetItem(zip, i, entry) != ZipOk)
                continue;
            // A small input can declare a huge item; its size is not checked here.
            if (entry.uncompressedSize > (1 << 20))
                continue;
            (void)ZipReader::UnzipItem(zip, i, entry.name);
        }
        (void)ZipReader::GetItem(zip, count + 1, all);
    }
    (void)ZipReader::Close(zip);

    // Below the temporary folder only the folders of the environment, the
    // archive and what is below the base folder may exist.
    const QStringList allowed = {env.AppFolder(), env.AppFolder() + QStringLiteral("/Defaults"),
                                 env.AppFolder() + QStringLiteral("/Config"), env.UserFolder(),
                                 env.UserFolder() + QStringLiteral("/out"), base, archive};
    for (const QString& path : Entries(QFileInfo(env.AppFolder()).path())) {
        fuzz::Check(allowed.contains(path) || path.startsWith(base + QLatin1Char('/')),
                    "extraction wrote outside the base folder", path);
    }
    return 0;
}
