#include "support/FileDeleter.h"

#include "platform/Paths.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nativeName(const QString& path)
{
    return QFile::encodeName(path);
}

// True for a path that names no file or folder of its own: empty, a root, a
// drive, or ending in "." or "..". Deleting it would take the whole
// application or configuration folder (or the file system) with it.
bool namesNothing(const QString& path)
{
    QString rest = path.trimmed();
    if (platform::isDrivePath(rest))
        rest = rest.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.isEmpty() || parts.last() == QLatin1String(".") || parts.last() == QLatin1String("..");
}

} // namespace

CFExeption::CFExeption(int errorCode) : code(errorCode)
{
    if (code == 0)
        message = QStringLiteral("Cancelled by the user");
    else if (const char* text = strerrordesc_np(code))
        message = QString::fromUtf8(text);
    else
        message = QStringLiteral("Error %1").arg(code);
}

FileDeleter::FileDeleter() : message_(QStringLiteral("No error")) {}

bool FileDeleter::Delete(const QString& path)
{
    message_ = QStringLiteral("No error");
    errorCode_ = 0;
    somethingLeft_ = false;
    cancelled_ = false;
    try {
        if (namesNothing(path))
            throw CFExeption(EINVAL);
        DeletePath(platform::localPath(path));
    } catch (const CFExeption& e) {
        message_ = e.message;
        errorCode_ = e.code;
        cancelled_ = e.code == 0;
        return e.code == 0;
    }
    return true;
}

int FileDeleter::PathKind(const QString& path)
{
    struct stat info;
    if (::lstat(nativeName(path).constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? 0 : -1;
    return S_ISDIR(info.st_mode) ? 2 : 1;
}

bool FileDeleter::ClearReadOnly(const QString& path)
{
    const QByteArray name = nativeName(path);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0)
        return false;
    // A link has no permissions of its own; removing it needs none.
    if (S_ISLNK(info.st_mode) || (info.st_mode & S_IWUSR))
        return true;
    auto makeWritable = [&] { return ::chmod(name.constData(), (info.st_mode & 07777) | S_IWUSR) == 0; };
    if (!askReadOnly_)
        return makeWritable();

    const QString fileName = path.section(QLatin1Char('/'), -1);
    switch (platform::ask(fileName + QLatin1String(" is read olny. Do you want delete it?"), QStringLiteral("Warning"),
                          platform::PromptButtons::YesNoCancel, platform::PromptIcon::Question)) {
    case platform::PromptResult::Yes:
        return makeWritable();
    case platform::PromptResult::No:
        return false;
    case platform::PromptResult::Cancel:
        somethingLeft_ = true;
        throw CFExeption(0);
    default:
        return true;
    }
}

void FileDeleter::EnsureTrailingBackslash(QString& path)
{
    if (!path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('\\');
}

void FileDeleter::DeletePath(const QString& path)
{
    const int kind = PathKind(path);
    if (kind == 1) {
        if (!ClearReadOnly(path)) {
            somethingLeft_ = true;
            return;
        }
        if (::unlink(nativeName(path).constData()) != 0)
            throw CFExeption(errno);
        return;
    }

    if (kind == 2) {
        const QStringList entries =
            QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const QString folder = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        for (const QString& entry : entries)
            DeletePath(folder + entry);
    }
    if (::rmdir(nativeName(path).constData()) != 0) {
        const int error = errno;
        // A folder that still holds a file the user kept is no error.
        if (!(somethingLeft_ && (error == ENOTEMPTY || error == EEXIST)))
            throw CFExeption(error);
    }
}
