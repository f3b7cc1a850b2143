#include "document/DocumentPaths.h"

#include <algorithm>

namespace docpath {

namespace {

qsizetype ExtensionStart(const QString& path)
{
    const qsizetype folder = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > folder ? dot : path.size();
}

} // namespace

QString Extension(const QString& path)
{
    return path.mid(ExtensionStart(path));
}

QString WithoutExtension(const QString& path)
{
    return path.left(ExtensionStart(path));
}

QString MakePretty(const QString& path)
{
    for (const QChar c : path) {
        if (c.isLower())
            return path;
    }
    return path.toLower();
}

QString AutosaveName(const QString& path)
{
    const QString pretty = MakePretty(path);
    return WithoutExtension(pretty) + QStringLiteral("_tmp") + Extension(pretty);
}

bool IsForeignDrawing(const QString& path)
{
    const QString extension = Extension(path).toLower();
    return extension == u".dxf" || extension == u".cf2" || extension == u".dd3" || extension == u".plt";
}

} // namespace docpath
