#include "platform/Registry.h"

#include "platform/Paths.h"

#include <QSettings>

namespace platform {
namespace {

QString g_path;

QString settingsKey(const QString& section, const QString& key)
{
    // QSettings treats '/' and '\' as group separators; keep the registry's
    // two levels whatever the names hold.
    QString s = section;
    QString k = key;
    s.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    k.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return s + QLatin1Char('/') + k;
}

bool writeValue(const QString& section, const QString& key, const QVariant& value)
{
    QSettings settings(Registry::filePath(), QSettings::IniFormat);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

QString Registry::filePath()
{
    return g_path.isEmpty() ? userConfigFolder() + QLatin1String("registry.ini") : g_path;
}

void Registry::setFilePath(const QString& path)
{
    g_path = path;
}

int Registry::getInt(const QString& section, const QString& key, int defaultValue)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    const QVariant v = settings.value(settingsKey(section, key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? value : defaultValue;
}

QString Registry::getString(const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    const QVariant v = settings.value(settingsKey(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

bool Registry::getBinary(const QString& section, const QString& key, QByteArray& out)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    const QVariant v = settings.value(settingsKey(section, key));
    if (!v.isValid())
        return false;
    out = v.toByteArray();
    return true;
}

bool Registry::contains(const QString& section, const QString& key)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    return settings.contains(settingsKey(section, key));
}

bool Registry::writeInt(const QString& section, const QString& key, int value)
{
    return writeValue(section, key, value);
}

bool Registry::writeString(const QString& section, const QString& key, const QString& value)
{
    return writeValue(section, key, value);
}

bool Registry::writeBinary(const QString& section, const QString& key, const QByteArray& value)
{
    return writeValue(section, key, value);
}

bool Registry::remove(const QString& section, const QString& key)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.remove(settingsKey(section, key));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace platform
