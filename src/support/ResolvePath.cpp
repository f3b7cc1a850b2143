#include "support/ResolvePath.h"

#include "platform/Paths.h"
#include "support/TextTrim.h"

QString ResolvePath(const QString& name)
{
    const QString path = support::TrimLeft(name).toString();
    return path.size() > 2 && platform::isDrivePath(path) ? path : platform::appFolder() + path;
}
