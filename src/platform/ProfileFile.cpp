#include "platform/ProfileFile.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include "platform/FileSnapshot.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

namespace platform {
namespace {

// The section name of a header line "[name]" (trimmed inside the brackets),
// or nothing when the line is not a header.
std::optional<QStringView> headerName(QStringView line)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
    if (close < 1)
        return std::nullopt;
    return t.sliced(1, close - 1).trimmed();
}

// The key of an entry line: the text before '=' (or the whole line when it
// has none), trimmed.
QStringView entryKey(QStringView line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return (eq < 0 ? line : line.first(eq)).trimmed();
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section and a key stand in the lines of a file.
struct Location {
    qsizetype header = -1;     // the section's header line, -1 when absent
    qsizetype lastEntry = -1;  // the section's last non-blank line (the header when it has none)
    qsizetype keyLine = -1;    // the key's first line in the section, -1 when absent
};

Location locate(const QStringList& lines, const QString& section, const QString& key)
{
    Location at;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QStringView> name = headerName(lines[i]);
        if (!name)
            continue;
        if (!sameName(*name, section))
            continue;
        at.header = at.lastEntry = i;
        for (qsizetype j = i + 1; j < lines.size() && !headerName(lines[j]); ++j) {
            if (lines[j].trimmed().isEmpty())
                continue;
            at.lastEntry = j;
            if (at.keyLine < 0 && sameName(entryKey(lines[j]), key))
                at.keyLine = j;
        }
        break;
    }
    return at;
}

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

// The value of an entry line, or nothing when the line has no '='.
std::optional<QString> entryValue(QStringView line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return unquoted(line.sliced(eq + 1).trimmed()).toString();
}

// A file parsed once for the many lookups of a start-up (the line-type table
// asks eleven keys of every section); parsed again only when the file changed.
struct IndexedProfile {
    FileSnapshot snapshot;
    std::uint64_t lastUse = 0;
    QStringList sectionNames;  // file order, first spelling
    // Lower-cased section '\n' lower-cased key -> the first line's value,
    // or nothing when that line has no '='. One table, not one per section:
    // a file of thousands of sections is parsed in one go at start-up.
    QHash<QString, std::optional<QString>> values;
};

// The table key of a key in a section; '\n' is in no name, since it ends lines.
QString valueKey(QStringView section, QStringView key)
{
    QString joined;
    joined.reserve(section.size() + 1 + key.size());
    joined.append(section).append(QLatin1Char('\n')).append(key);
    return std::move(joined).toLower();
}

void parseProfile(IndexedProfile& profile)
{
    profile.sectionNames.clear();
    profile.values.clear();
    const TextLines text(decodeText(profile.snapshot.bytes(), TextEncoding::Windows1252), TextEncoding::Windows1252);
    QSet<QString> sections;
    QString section; // lower-cased with its '\n'; empty outside a section that counts
    for (QStringView line : text) {
        if (const std::optional<QStringView> name = headerName(line)) {
            const QString lower = name->toString().toLower();
            // The first section of a name wins; a repeated one is skipped.
            section.clear();
            if (sections.contains(lower))
                continue;
            sections.insert(lower);
            profile.sectionNames.append(name->toString());
            section = lower + QLatin1Char('\n');
            continue;
        }
        if (section.isEmpty() || line.trimmed().isEmpty())
            continue;
        const QString key = section + entryKey(line).toString().toLower();
        if (!profile.values.contains(key))
            profile.values.insert(key, entryValue(line));
    }
}

// The files read lately, by the path as the caller gave it. Few files are
// profile files (the line-type pair, "C:\Standards.ini"); the least recently
// used goes first. The local path is kept with the file: finding it again
// means looking at every folder on the way, which costs more than a lookup.
class ProfileCache {
public:
    static constexpr std::size_t kFiles = 8;

    // The file's parsed form, or null when it cannot be read. The pointer
    // holds until the next call.
    const IndexedProfile* find(const QString& path)
    {
        // A relative or drive path maps into a folder that can be changed.
        const QString bases = path.startsWith(QLatin1Char('/'))
                                  ? QString()
                                  : appFolder() + QLatin1Char('\n') + userConfigFolder();
        auto it = files_.find(path);
        if (it != files_.end() && it->second.bases == bases && it->second.profile.snapshot.current(it->second.local)) {
            it->second.profile.lastUse = ++uses_;
            return &it->second.profile;
        }
        if (it == files_.end()) {
            if (files_.size() >= kFiles)
                files_.erase(std::min_element(files_.begin(), files_.end(), [](const auto& a, const auto& b) {
                    return a.second.profile.lastUse < b.second.profile.lastUse;
                }));
            it = files_.try_emplace(path).first;
        }
        Entry& entry = it->second;
        entry.bases = bases;
        entry.local = localPath(path);
        if (!entry.profile.snapshot.take(entry.local)) {
            files_.erase(it);
            return nullptr;
        }
        parseProfile(entry.profile);
        entry.profile.lastUse = ++uses_;
        return &entry.profile;
    }

    // Drops every entry of a local file, however its path was spelt.
    void forget(const QString& local)
    {
        std::erase_if(files_, [&](const auto& file) { return file.second.local == local; });
    }

private:
    struct Entry {
        QString bases; // the folders the path was mapped with
        QString local;
        IndexedProfile profile;
    };
    std::map<QString, Entry> files_;
    std::uint64_t uses_ = 0;
};

// Profile files are read and written from the main thread; the lock keeps a
// stray caller from another one safe all the same.
std::mutex g_cacheLock;
ProfileCache g_cache;

std::optional<QString> lookup(const QString& section, const QString& key, const QString& path)
{
    const std::lock_guard lock(g_cacheLock);
    const IndexedProfile* profile = g_cache.find(path);
    if (!profile)
        return std::nullopt;
    const auto found = profile->values.constFind(valueKey(section.trimmed(), key.trimmed()));
    if (found == profile->values.constEnd())
        return std::nullopt;
    return *found;
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

int parseProfileInt(const QString& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == QLatin1Char('-') || value[i] == QLatin1Char('+')))
        negative = value[i++] == QLatin1Char('-');
    int base = 10;
    if (i + 1 < value.size() && value[i] == QLatin1Char('0')
        && (value[i + 1] == QLatin1Char('x') || value[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long n = 0;
    for (; i < value.size(); ++i) {
        const int digit = digitValue(value[i]);
        if (digit < 0 || digit >= base)
            break;
        n = std::min(n * base + digit, limit);
    }
    if (negative)
        n = -n;
    return static_cast<int>(
        std::clamp<long long>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

QStringList getPrivateProfileSectionNames(const QString& path)
{
    const std::lock_guard lock(g_cacheLock);
    const IndexedProfile* profile = g_cache.find(path);
    return profile ? profile->sectionNames : QStringList();
}

QString getPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                const QString& path)
{
    return lookup(section, key, path).value_or(defaultValue);
}

int getPrivateProfileInt(const QString& section, const QString& key, int defaultValue, const QString& path)
{
    const std::optional<QString> value = lookup(section, key, path);
    if (!value || value->isEmpty())
        return defaultValue;
    return parseProfileInt(*value);
}

bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path)
{
    const std::lock_guard lock(g_cacheLock);
    const QString local = localPath(path);
    // The file is written back in the encoding it was read in, unless that
    // cannot hold the text.
    TextEncoding encoding = TextEncoding::Windows1252;
    QStringList lines;
    FileSnapshot file;
    if (file.take(local))
        lines = splitLines(decodeText(file.bytes(), TextEncoding::Windows1252, &encoding));
    const QString entry = key + QLatin1Char('=') + value;
    const Location at = locate(lines, section, key);
    if (at.keyLine >= 0) {
        lines[at.keyLine] = entry;
    } else if (at.header >= 0) {
        lines.insert(at.lastEntry + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }
    const QString joined = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    g_cache.forget(local);
    return writeFileAtomically(local, encodeText(joined, encodingThatHolds(joined, encoding)));
}

} // namespace platform
