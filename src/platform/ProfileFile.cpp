#include "platform/ProfileFile.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QFile>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace platform {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

struct ProfileText {
    QStringList lines;
    bool utf8 = false;
};

ProfileText decodeProfile(const QByteArray& bytes)
{
    ProfileText text;
    text.utf8 = bytes.startsWith(kUtf8Bom);
    text.lines = splitLines(text.utf8 ? QString::fromUtf8(bytes.mid(kUtf8Bom.size())) : decodeWindows1252(bytes));
    return text;
}

bool readProfile(const QString& path, ProfileText& text)
{
    QFile file(localPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = decodeProfile(file.readAll());
    return true;
}

// The section name of a header line "[name]" (trimmed inside the brackets),
// or nothing when the line is not a header.
std::optional<QString> headerName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
    if (close < 1)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

// The key of an entry line: the text before '=' (or the whole line when it
// has none), trimmed.
QString entryKey(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return (eq < 0 ? line : line.left(eq)).trimmed();
}

bool sameName(const QString& a, const QString& b)
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
        const std::optional<QString> name = headerName(lines[i]);
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

QString unquoted(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// The value of an entry line, or nothing when the line has no '='.
std::optional<QString> entryValue(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return unquoted(line.mid(eq + 1).trimmed());
}

// A file indexed once for the many lookups of a start-up (the line-type
// table asks ten keys of every section). Each lookup still reads the file,
// which is cheap; only a file whose bytes changed is indexed again.
struct IndexedProfile {
    QByteArray bytes;
    QStringList sectionNames;  // file order, first spelling
    // Lower-cased section -> lower-cased key -> the first line's value, or
    // nothing when that line has no '='.
    std::map<QString, std::map<QString, std::optional<QString>>> values;
};

std::map<QString, IndexedProfile>& profileCache()
{
    static std::map<QString, IndexedProfile> cache;
    return cache;
}

const IndexedProfile* indexedProfile(const QString& path)
{
    const QString local = localPath(path);
    auto& cache = profileCache();
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly)) {
        cache.erase(local);
        return nullptr;
    }
    QByteArray bytes = file.readAll();
    const auto found = cache.find(local);
    if (found != cache.end() && found->second.bytes == bytes)
        return &found->second;

    IndexedProfile indexed;
    const ProfileText text = decodeProfile(bytes);
    indexed.bytes = std::move(bytes);
    std::map<QString, std::optional<QString>>* section = nullptr;
    for (const QString& line : text.lines) {
        if (const std::optional<QString> name = headerName(line)) {
            const QString lower = name->toLower();
            // The first section of a name wins; a repeated one is skipped.
            if (indexed.values.count(lower)) {
                section = nullptr;
                continue;
            }
            indexed.sectionNames.append(*name);
            section = &indexed.values[lower];
            continue;
        }
        if (!section || line.trimmed().isEmpty())
            continue;
        section->try_emplace(entryKey(line).toLower(), entryValue(line));
    }
    return &(cache[local] = std::move(indexed));
}

std::optional<QString> lookup(const QString& section, const QString& key, const QString& path)
{
    const IndexedProfile* profile = indexedProfile(path);
    if (!profile)
        return std::nullopt;
    const auto s = profile->values.find(section.trimmed().toLower());
    if (s == profile->values.end())
        return std::nullopt;
    const auto k = s->second.find(key.trimmed().toLower());
    if (k == s->second.end())
        return std::nullopt;
    return k->second;
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
    const IndexedProfile* profile = indexedProfile(path);
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
    ProfileText text;
    readProfile(path, text);
    const QString entry = key + QLatin1Char('=') + value;
    const Location at = locate(text.lines, section, key);
    if (at.keyLine >= 0) {
        text.lines[at.keyLine] = entry;
    } else if (at.header >= 0) {
        text.lines.insert(at.lastEntry + 1, entry);
    } else {
        if (!text.lines.isEmpty() && !text.lines.back().trimmed().isEmpty())
            text.lines.append(QString());
        text.lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        text.lines.append(entry);
    }
    const QString joined = text.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    const QByteArray bytes = text.utf8 ? kUtf8Bom + joined.toUtf8() : encodeWindows1252(joined);
    return writeFileAtomically(localPath(path), bytes);
}

} // namespace platform
