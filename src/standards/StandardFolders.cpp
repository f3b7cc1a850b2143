#include "standards/StandardFolders.h"

#include "platform/Paths.h"

namespace standards {
namespace {
QString Folder(const QString& modelPath)
{
    QString path = platform::localPath(modelPath);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}
} // namespace

QString StandardsFolder()
{
    return Folder(QStringLiteral("..\\standards"));
}

QString PackagesFolder()
{
    return Folder(QStringLiteral("..\\packages"));
}

} // namespace standards
