#include "standards/PackageSource.h"

#include "standards/PackageName.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace standards {
namespace {
constexpr qint64 kCopyPiece = 64 * 1024;
} // namespace

PackageIssue LocalFolderSource::List(QStringList& names, TransferControl&)
{
    const QDir dir(folder_);
    if (folder_.isEmpty() || !dir.exists() || !dir.isReadable())
        return {TextFolderUnreadable, folder_, {}};
    names = dir.entryList(QDir::Files);
    return {};
}

PackageIssue LocalFolderSource::Fetch(const QString& fileName, QIODevice& out, TransferControl& control)
{
    QFile in(QDir(folder_).filePath(fileName));
    if (!in.open(QIODevice::ReadOnly))
        return {TextCopyFailed, fileName, in.errorString()};
    const qint64 total = in.size();
    qint64 done = 0;
    while (!in.atEnd()) {
        if (control.Cancelled())
            return {TextCancelled, fileName, {}};
        const QByteArray piece = in.read(kCopyPiece);
        if (piece.isEmpty() || out.write(piece) != piece.size())
            return {TextCopyFailed, fileName, in.errorString()};
        done += piece.size();
        control.Report(done, total);
    }
    return {};
}

PackageIssue DownloadPackage(PackageSource& source, const QString& fileName, const QString& packagesFolder,
                             TransferControl& control)
{
    PackageName name;
    if (!ParsePackageName(fileName, name))
        return {TextNotAPackage, fileName, {}};
    const QString target = packagesFolder + fileName;
    if (QFile::exists(target))
        return {};
    if (!QDir().mkpath(packagesFolder))
        return {TextCopyFailed, fileName, packagesFolder};
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return {TextCopyFailed, fileName, file.errorString()};
    if (PackageIssue issue = source.Fetch(fileName, file, control)) {
        file.cancelWriting();
        return issue;
    }
    if (control.Cancelled()) {
        file.cancelWriting();
        return {TextCancelled, fileName, {}};
    }
    if (!file.commit())
        return {TextCopyFailed, fileName, file.errorString()};
    return {};
}

} // namespace standards
