// Every text the construction dialogs show has English wording in the
// factory language file, so none of them shows "<id>".
#include "options/LanguageTable.h"
#include "settings/ProfileStore.h"

#include "common/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(ConstructTexts, EveryDialogTextHasEnglishWording)
{
    test::ScopedTestEnvironment env;
    for (const char* name : {"settings.ini", "english.lng"}) {
        QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        env.dir().write(QStringLiteral("app/Defaults/") + QLatin1String(name), file.readAll());
    }
    ProfileStore settings;
    settings.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
    LanguageTable language(settings);

    const struct {
        const char* dialog;
        std::vector<int> ids;
    } dialogs[] = {
        {"arc", {43, 132, 133, 155, 156, 157, 171, 2100, 2101, 2104, 2105, 2106, 2107, 2108, 2109, 2110, 2115, 2116}},
        {"ellipse", {45, 132, 133, 134, 173, 2107, 2111, 2112, 2113, 2114, 2115, 2116}},
        {"dimension", {48, 49, 50, 53, 117, 118, 132, 133, 175, 192, 242, 303, 304, 305, 307, 308, 857}},
        {"relative line", {132, 170, 338, 519, 520, 521, 522, 523, 524, 525, 526, 527, 528, 633, 2102, 2103}},
        {"polygon and rectangle", {50, 59, 132, 133, 217, 236, 237, 594, 595, 596, 597, 598, 599, 600, 640}},
    };
    for (const auto& d : dialogs) {
        for (int id : d.ids) {
            const QString text = language.Translate(id);
            EXPECT_FALSE(text.isEmpty() || text.contains(QLatin1Char('<'))) << d.dialog << " " << id;
        }
    }
}

} // namespace
