#pragma once
// A language table of a test's own texts, installed as the process-wide one
// for the object's life: the given file text (headers "[id]", lines
// "ENG=...") is the only language file. Needs a ScopedTestEnvironment that
// outlives it.
#include "common/TempDir.h"
#include "options/LanguageTable.h"
#include "settings/ProfileStore.h"

#include <QByteArray>
#include <QFile>

#include <optional>

namespace test {

// The program's English texts (Defaults/english.lng of the source tree),
// for a ScopedLanguage of the wording the user sees.
inline QByteArray EnglishTexts()
{
    QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/english.lng"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ScopedLanguage {
public:
    ScopedLanguage(const ScopedTestEnvironment& env, const QByteArray& texts)
    {
        env.dir().write(QStringLiteral("app/Defaults/settings.ini"), "[language]\nset0=test.lng\norder=ENG\n");
        env.dir().write(QStringLiteral("app/test.lng"), texts);
        store_.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
        store_.AddFile(QStringLiteral("\\Config\\settings.cfg"));
        table_.emplace(store_);
        installed_.emplace(LanguageTable::Install(*table_));
    }

private:
    ProfileStore store_;
    std::optional<LanguageTable> table_;
    std::optional<platform::ScopedOverride<LanguageTable*>> installed_;
};

} // namespace test
