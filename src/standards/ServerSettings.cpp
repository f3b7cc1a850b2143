#include "standards/ServerSettings.h"

#include "platform/Registry.h"

namespace standards {

ServerSettings ServerSettings::FromProfile()
{
    using platform::Registry;
    const QString section = QStringLiteral("StandardsServer");
    ServerSettings settings;
    settings.host = Registry::getString(section, QStringLiteral("Host")).trimmed();
    settings.port = Registry::getInt(section, QStringLiteral("Port"), settings.port);
    settings.user = Registry::getString(section, QStringLiteral("User"), settings.user);
    settings.password = Registry::getString(section, QStringLiteral("Password"));
    settings.plainFtp = Registry::getInt(section, QStringLiteral("PlainFtp"), 0) != 0;
    settings.caFile = Registry::getString(section, QStringLiteral("CaFile"));
    return settings;
}

} // namespace standards
