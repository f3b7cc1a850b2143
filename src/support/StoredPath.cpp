#include "support/StoredPath.h"

#include "platform/Paths.h"

#include <QRegularExpression>
#include <QStringList>

namespace support {
namespace {

QStringList Components(const QString& path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return path.split(separators, Qt::SkipEmptyParts);
}

// The root a path starts with: "C:", "\\" for a network path, "/" for an
// absolute local path, empty for a relative one.
QString Root(const QString& path)
{
    if (platform::isDrivePath(path))
        return path.left(2).toUpper();
    if (path.startsWith(QLatin1String("\\\\")))
        return QStringLiteral("\\\\");
    if (path.startsWith(QLatin1Char('/')))
        return QStringLiteral("/");
    return QString();
}

QStringList WithoutRoot(const QString& path)
{
    QString rest = path;
    if (platform::isDrivePath(rest))
        rest.remove(0, 2);
    return Components(rest);
}

bool SameComponent(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString MakeRelativePath(const QString& path, const QString& baseFile)
{
    if (Root(path) != Root(baseFile) || Root(path).isEmpty())
        return path;
    QStringList folder = WithoutRoot(baseFile);
    if (!folder.isEmpty())
        folder.removeLast();
    const QStringList target = WithoutRoot(path);
    qsizetype common = 0;
    while (common < folder.size() && common + 1 < target.size() && SameComponent(folder[common], target[common]))
        ++common;
    QStringList parts;
    if (common == folder.size())
        parts.append(QStringLiteral("."));
    for (qsizetype i = common; i < folder.size(); ++i)
        parts.append(QStringLiteral(".."));
    parts.append(target.mid(common));
    return parts.join(QLatin1Char('\\'));
}

QString MakeAbsolutePath(const QString& path, const QString& baseFile)
{
    const bool absolute = platform::isDrivePath(path) || path.startsWith(QLatin1String("\\\\")) ||
                          path.startsWith(QLatin1Char('/'));
    const QString& rooted = absolute ? path : baseFile;
    const QString root = Root(rooted);
    QStringList parts = WithoutRoot(rooted);
    if (!absolute) {
        if (!parts.isEmpty())
            parts.removeLast(); // the base file's own name
        parts.append(Components(path));
    }
    QStringList folded;
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!folded.isEmpty())
                folded.removeLast();
            continue;
        }
        folded.append(part);
    }
    const QChar separator = rooted.contains(QLatin1Char('\\')) || !rooted.contains(QLatin1Char('/'))
                                ? QLatin1Char('\\')
                                : QLatin1Char('/');
    QString joined = folded.join(separator);
    if (root == QLatin1String("/"))
        return QLatin1Char('/') + joined;
    if (root == QLatin1String("\\\\"))
        return QStringLiteral("\\\\") + joined;
    if (!root.isEmpty())
        return rooted.left(2) + separator + joined;
    return joined;
}

} // namespace support
