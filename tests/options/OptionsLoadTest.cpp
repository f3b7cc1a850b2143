#include "options/Options.h"

#include "common/TempDir.h"
#include "platform/Registry.h"
#include "options/HotKeyCommand.h"
#include "options/LanguageTable.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(OptionsLoad, LoadsEverythingAndSavesTheChangedSettings)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/settings.ini"),
                    "[language]\nset0=lang\\de.lng\nset1=lang\\en.lng\norder=GER,ENG\n");
    env.dir().write(QStringLiteral("app/lang/de.lng"), "[1]\nGER=Eins\n");
    env.dir().write(QStringLiteral("app/lang/en.lng"), "[1]\nENG=One\n[2]\nENG=Two\n");
    env.dir().write(QStringLiteral("app/Defaults/bridges.ini"), "[defaults]\nper_len=10\nlen=2\n");
    EXPECT_TRUE(platform::Registry::writeString(QStringLiteral("Paths"), QStringLiteral("NPath"), QStringLiteral("D:\\dies")));
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), QStringLiteral("DEF_MID"),
                                    KeyBinding{0, 0, 0, 0, 'M'}.ToBytes()));
    {
        COptions options;
        options.Load();
        EXPECT_EQ(LanguageTable::Current(), options.GetLanguageTable());
        EXPECT_EQ(Translate(1), QStringLiteral("Eins"));
        EXPECT_EQ(Translate(2), QStringLiteral("Two"));
        EXPECT_EQ(options.GetAutoLengthNumBridges(35, 2).count, 3);
        EXPECT_EQ(options.GetNPath(), QStringLiteral("D:\\dies"));
        EXPECT_EQ(options.GetKeyBinding(DEF_MID).virtualKey, 'M');

        options.SetLanguageOrder(QStringLiteral("ENG"));
        options.ReloadLanguageOrder();
        EXPECT_EQ(Translate(1), QStringLiteral("One"));
    }
    EXPECT_EQ(LanguageTable::Current(), nullptr);
    EXPECT_EQ(env.dir().read(QStringLiteral("app/Config/settings.cfg")), QByteArray("[language]\n order=ENG\n\n"));

    COptions again;
    again.Load();
    EXPECT_EQ(Translate(1), QStringLiteral("One"));
}

// The factory files shipped in Defaults/ give English texts and bridges.
TEST(OptionsLoad, FactoryFilesSpeakEnglish)
{
    test::ScopedTestEnvironment env;
    const QDir factory(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults"));
    for (const QString& name : factory.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(factory.filePath(name), env.appFolder() + QStringLiteral("/Defaults/") + name)) << name.toStdString();
    COptions options;
    options.Load();
    HotKeyCommandTable rows{};
    FillHotKeyCommands(rows);
    for (const HotKeyCommand& row : rows) {
        EXPECT_FALSE(Translate(row.captionId).startsWith(QLatin1Char('<'))) << row.captionId;
        EXPECT_FALSE(Translate(row.descriptionId).startsWith(QLatin1Char('<'))) << row.descriptionId;
    }
    EXPECT_EQ(Translate(1003), QStringLiteral("Show"));
    EXPECT_EQ(Translate(1001), QStringLiteral("The Key pressed to show the defined points on the screen. "
                                              "(Lines start, end points; Arcs center point, ...)"));
    EXPECT_GT(options.GetAutoLengthNumBridges(50, 2).count, 0);
}

} // namespace
