#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace platform {
namespace {

QString g_appFolder;
QString g_userFolder;

QString withSlash(QString folder)
{
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The components with "." dropped and each ".." taking away the one before
// it; a ".." at the top stays at the top, so the path cannot leave its base.
QStringList folded(const QStringList& parts)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
        } else if (part != QLatin1String(".")) {
            kept.append(part);
        }
    }
    return kept;
}

// Appends the components to base, matching each existing one without regard
// to letter case; components that do not exist are appended as written.
QString appendMatched(QString base, const QStringList& parts)
{
    bool exists = QFileInfo(base).isDir();
    for (const QString& part : parts) {
        QString next = part;
        if (exists) {
            QDir dir(base);
            if (!dir.exists(part)) {
                const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                          | QDir::NoDotAndDotDot);
                for (const QString& entry : entries) {
                    if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                        next = entry;
                        break;
                    }
                }
            }
        }
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        base += next;
        exists = exists && QFileInfo::exists(base);
    }
    return base;
}

} // namespace

QString appFolder()
{
    if (!g_appFolder.isEmpty())
        return g_appFolder;
    if (QCoreApplication::instance())
        return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QDir::currentPath());
}

void setAppFolder(const QString& folder)
{
    g_appFolder = folder.isEmpty() ? QString() : withSlash(folder);
}

QString userConfigFolder()
{
    if (!g_userFolder.isEmpty())
        return g_userFolder;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.config");
    return withSlash(base) + QLatin1String("Pelkam/MorvekXP/");
}

void setUserConfigFolder(const QString& folder)
{
    g_userFolder = folder.isEmpty() ? QString() : withSlash(folder);
}

bool isDrivePath(const QString& path)
{
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() && path[0].unicode() < 128;
}

QString localPath(const QString& modelPath)
{
    QString path = modelPath.trimmed();
    QString base;
    if (isDrivePath(path)) {
        base = userConfigFolder();
        path = path.mid(2);
    } else if (path.startsWith(QLatin1Char('/'))) {
        base = QStringLiteral("/");
    } else {
        base = appFolder();
    }
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = folded(path.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    QString result = appendMatched(base, parts);
    if (result.size() > 1 && result.endsWith(QLatin1Char('/')) && !parts.isEmpty())
        result.chop(1);
    return result;
}

} // namespace platform
