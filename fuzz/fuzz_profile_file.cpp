// The Windows profile-file functions. The input is a profile file and, after
// NUL bytes, a section, a key and a value to write. Writing must change that
// one value and nothing else: every section name stays, every other value of
// every section reads as before, and the written value reads back (when it
// is one the format can hold unchanged: no surrounding blanks or quotes).
#include "common/FuzzSupport.h"

#include "platform/ProfileFile.h"
#include "platform/TextFile.h"

#include <QStringList>

#include <set>

namespace {

bool Holdable(const QString& text)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text != text.trimmed())
        return false;
    return !(text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 4);
    const QString path = env.Write(QStringLiteral("user/Standards.ini"), parts[0]);
    const QString section = QString::fromUtf8(parts[1]);
    const QString key = QString::fromUtf8(parts[2]);
    const QString value = QString::fromUtf8(parts[3]);

    const QStringList names = platform::getPrivateProfileSectionNames(QStringLiteral("C:\\Standards.ini"));
    fuzz::Check(names == platform::getPrivateProfileSectionNames(path), "a drive path reads another file");
    std::set<QString> keys;
    const bool utf8 = parts[0].startsWith("\xEF\xBB\xBF");
    const QString text = utf8 ? QString::fromUtf8(parts[0].mid(3)) : platform::decodeWindows1252(parts[0]);
    for (const QString& line : fuzz::Lines(text)) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (keys.size() < 12)
            keys.insert((eq < 0 ? line : line.left(eq)).trimmed());
    }
    const qsizetype sectionCount = std::min<qsizetype>(names.size(), 8);
    std::vector<QString> before;
    for (qsizetype s = 0; s < sectionCount; ++s) {
        for (const QString& k : keys) {
            before.push_back(platform::getPrivateProfileString(names[s], k, QStringLiteral("\x01"), path));
            (void)platform::getPrivateProfileInt(names[s], k, -7, path);
        }
    }

    // What the program writes: names and values without line breaks, a
    // section name without brackets, a key without '='.
    if (section.isEmpty() || key.trimmed().isEmpty() || section.contains(QLatin1Char(']'))
        || section.contains(QLatin1Char('[')) || key.contains(QLatin1Char('=')) || !Holdable(section)
        || !Holdable(key) || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return 0;
    // Text the file's encoding cannot hold is not this check's business.
    if (!utf8 && platform::decodeWindows1252(platform::encodeWindows1252(section + key + value)) != section + key + value)
        return 0;
    fuzz::Check(platform::writePrivateProfileString(section, key, value, path), "cannot write the profile");

    const QStringList namesAfter = platform::getPrivateProfileSectionNames(path);
    for (const QString& name : names)
        fuzz::Check(namesAfter.contains(name), "writing a value lost a section", name);
    if (Holdable(value))
        fuzz::Check(platform::getPrivateProfileString(section, key, QString(), path) == value,
                    "the written value does not read back",
                    QStringLiteral("[%1] %2=%3 -> %4")
                        .arg(section, key, value, platform::getPrivateProfileString(section, key, QString(), path)));
    std::size_t i = 0;
    for (qsizetype s = 0; s < sectionCount; ++s) {
        for (const QString& k : keys) {
            const QString after = platform::getPrivateProfileString(names[s], k, QStringLiteral("\x01"), path);
            const bool written = names[s].trimmed().compare(section.trimmed(), Qt::CaseInsensitive) == 0
                                 && k.compare(key.trimmed(), Qt::CaseInsensitive) == 0;
            fuzz::Check(written || after == before[i], "writing a value changed another one",
                        QStringLiteral("[%1] %2: '%3' -> '%4'").arg(names[s], k, before[i], after));
            ++i;
        }
    }
    return 0;
}
