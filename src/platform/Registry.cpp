#include "platform/Registry.h"

#include "platform/FileSnapshot.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <mutex>

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

// The profile file kept open: a standards list of thousands of entries reads
// two values each, and QSettings parses a large file anew whenever it is
// opened. The open file is dropped when another program changed it.
class OpenProfile {
public:
    QSettings& settings()
    {
        const QString path = Registry::filePath();
        if (!settings_ || path_ != path || !snapshot_.current(path)) {
            const bool changedHere = settings_ && path_ == path;
            settings_.reset();
            settings_ = std::make_unique<QSettings>(changedHere ? FreshName(path) : path, QSettings::IniFormat);
            path_ = path;
            (void)snapshot_.take(path); // an absent file: opened again next time, cheaply
        }
        return *settings_;
    }

    // After a write: what is on disk now is what the settings hold.
    bool written()
    {
        settings_->sync();
        const bool ok = settings_->status() == QSettings::NoError;
        (void)snapshot_.take(path_); // unreadable: an empty snapshot, read again next time
        return ok;
    }

private:
    // Qt keeps every file it parsed and parses it again only when its size
    // or modification time differ: a rewrite that keeps both (another
    // program setting the time back) would go unseen. A file changed under
    // an open profile is opened again under a name Qt has never parsed: the
    // same file through a new link to its folder.
    QString FreshName(const QString& path)
    {
        if (!links_)
            links_.emplace();
        if (!links_->isValid())
            return path;
        const QFileInfo info(path);
        const QString link = links_->path() + QStringLiteral("/") + QString::number(++linkCount_);
        if (!QFile::link(info.absolutePath(), link))
            return path; // as before: the content Qt last parsed
        return link + QLatin1Char('/') + info.fileName();
    }

    std::optional<QTemporaryDir> links_; // before settings_: a settings object goes first
    int linkCount_ = 0;
    QString path_;
    std::unique_ptr<QSettings> settings_;
    FileSnapshot snapshot_;
};

std::mutex g_lock;
int g_batchDepth = 0; // guarded by g_lock

OpenProfile& openProfile()
{
    static OpenProfile profile;
    return profile;
}

QVariant readValue(const QString& section, const QString& key)
{
    const std::lock_guard lock(g_lock);
    return openProfile().settings().value(settingsKey(section, key));
}

bool writeValue(const QString& section, const QString& key, const QVariant& value)
{
    const std::lock_guard lock(g_lock);
    openProfile().settings().setValue(settingsKey(section, key), value);
    return g_batchDepth > 0 || openProfile().written();
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
    const QVariant v = readValue(section, key);
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? value : defaultValue;
}

QString Registry::getString(const QString& section, const QString& key, const QString& defaultValue)
{
    const QVariant v = readValue(section, key);
    return v.isValid() ? v.toString() : defaultValue;
}

bool Registry::getBinary(const QString& section, const QString& key, QByteArray& out)
{
    const QVariant v = readValue(section, key);
    if (!v.isValid())
        return false;
    out = v.toByteArray();
    return true;
}

bool Registry::contains(const QString& section, const QString& key)
{
    return readValue(section, key).isValid();
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
    const std::lock_guard lock(g_lock);
    openProfile().settings().remove(settingsKey(section, key));
    return g_batchDepth > 0 || openProfile().written();
}

RegistryBatch::RegistryBatch()
{
    const std::lock_guard lock(g_lock);
    ++g_batchDepth;
}

RegistryBatch::~RegistryBatch()
{
    // A batch left without commit() still writes what it holds; its caller
    // chose not to hear about a failure.
    (void)commit();
}

bool RegistryBatch::commit()
{
    if (!open_)
        return true;
    open_ = false;
    const std::lock_guard lock(g_lock);
    if (--g_batchDepth > 0)
        return true;
    return openProfile().written();
}

} // namespace platform
