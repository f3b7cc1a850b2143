#include "shell/ToolbarLayout.h"

#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "support/ResolvePath.h"

#include <QFile>

namespace shell {
namespace {
constexpr qsizetype kMaxValueLength = 1023;

QString Section()
{
    return QStringLiteral("Toolbars");
}
} // namespace

QStringList ToolbarLayout::Keys()
{
    QStringList keys{QStringLiteral("Main"), QStringLiteral("Construct")};
    for (int i = 1; i <= kUserToolbarCount; ++i)
        keys.append(QStringLiteral("Toolbar_%1").arg(i));
    return keys;
}

QString ToolbarLayout::UserFile()
{
    return ResolvePath(QStringLiteral("Config\\toolbar.cfg"));
}

QString ToolbarLayout::DefaultsFile()
{
    return ResolvePath(QStringLiteral("Defaults\\toolbar.ini"));
}

ToolbarLayout ToolbarLayout::Read()
{
    QString path = UserFile();
    QFile user(platform::localPath(path));
    if (!user.open(QIODevice::ReadOnly))
        path = DefaultsFile();
    ToolbarLayout layout;
    for (const QString& key : Keys())
        layout.values_[key] =
            platform::getPrivateProfileString(Section(), key, QStringLiteral("0"), path).left(kMaxValueLength);
    return layout;
}

bool ToolbarLayout::Write() const
{
    bool written = true;
    for (const QString& key : Keys())
        written = platform::writePrivateProfileString(Section(), key, Get(key), UserFile()) && written;
    return written;
}

QString ToolbarLayout::Get(const QString& key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? QStringLiteral("0") : it->second;
}

} // namespace shell
