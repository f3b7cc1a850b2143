// Start-up builds the tables the drawing code relies on, in order, and leaves
// the user's files alone when nothing changed.
#include "app/MorvekXPApp.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "options/LanguageTable.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "shell/ToolbarButtons.h"

#include "common/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

TEST(MorvekXPApp, StartsWithTheFactoryFilesAndWritesNothingUnchanged)
{
    test::ScopedTestEnvironment env;
    const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
    for (const QString& name : QDir(defaults).entryList(QDir::Files))
        QFile::copy(defaults + QLatin1Char('/') + name, env.appFolder() + QStringLiteral("/Defaults/") + name);

    {
        CMorvekXPApp app;
        EXPECT_EQ(CMorvekXPApp::Current(), &app);
        EXPECT_EQ(DisplayList::GetLinetypeTable(), &app.GetLinetypeTable());
        EXPECT_EQ(DisplayList::GetGlyphPathTable(), &app.GetGlyphPathTable());

        ASSERT_FALSE(app.InitInstance().has_value());
        ASSERT_NE(app.GetOptions(), nullptr);
        EXPECT_EQ(COptions::Current(), app.GetOptions());
        EXPECT_EQ(DrawContext::GetMirrorFlags(), DrawContext::MirrorY);
        EXPECT_NE(app.GetLinetypeTable().Find(1), nullptr) << "the factory cut rule";
        EXPECT_NE(app.GetLinetypeTable().Find(1006), nullptr) << "the moving-node display type";
        EXPECT_FALSE(QFileInfo::exists(env.appFolder() + QStringLiteral("/Config/linetypes.cfg")));
        EXPECT_EQ(app.GetOptions()->GetLanguageTable()->Translate(1000).startsWith(QLatin1Char('<')), false);
        app.ExitInstance();
    }
    EXPECT_FALSE(QFileInfo::exists(env.appFolder() + QStringLiteral("/Config/settings.cfg")));
    EXPECT_EQ(CMorvekXPApp::Current(), nullptr);
    EXPECT_EQ(COptions::Current(), nullptr);
    EXPECT_EQ(DisplayList::GetLinetypeTable(), nullptr);
    EXPECT_EQ(DisplayList::GetGlyphPathTable(), nullptr);
    EXPECT_EQ(DrawContext::GetMirrorFlags(), 0);
}

// Settings that cannot be saved on exit are not lost without a word.
TEST(MorvekXPApp, ExitTellsWhenTheSettingsCannotBeSaved)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/settings.ini"), "[general]\nunits=mm\n");
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);

    CMorvekXPApp app;
    ASSERT_FALSE(app.InitInstance().has_value());
    ProfileStore& settings = app.GetOptions()->GetSettings();
    settings.SelectSection(QStringLiteral("general"));
    settings.SetString(QStringLiteral("units"), QStringLiteral("inch"));
    // The configuration folder becomes a file: nothing can be written below it.
    ASSERT_TRUE(QDir(env.appFolder() + QStringLiteral("/Config")).removeRecursively());
    env.dir().write(QStringLiteral("app/Config"), "not a folder");

    app.ExitInstance();
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts().front().contains(QStringLiteral("settings.cfg")));
}

TEST(MorvekXPApp, KeepsTheProgramFolderUnlessTheProfileNamesAnExistingOne)
{
    test::ScopedTestEnvironment env;
    const QString programFolder = platform::appFolder();
    const QString other = env.dir().path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(other));
    const struct {
        QString value;
        QString folder;
    } cases[] = {
        {QString(), programFolder},                             // missing: never the root
        {QStringLiteral("C:\\Morvek\\"), programFolder},
        {env.dir().path() + QStringLiteral("/missing"), programFolder},
        {other, other + QLatin1Char('/')},
    };
    const QString current = QDir::currentPath();
    for (const auto& c : cases) {
        platform::setAppFolder(programFolder);
        CMorvekXPApp::UseApplicationFolder(c.value);
        EXPECT_EQ(platform::appFolder(), c.folder) << c.value.toStdString();
    }
    platform::setAppFolder(programFolder);
    EXPECT_EQ(QDir::currentPath(), current);
    EXPECT_EQ(CMorvekXPApp::GetTempFolder(), env.dir().path() + QStringLiteral("/Temp/"));
}

TEST(MorvekXPApp, HoldsTheCatalogueThePaperSizesAndTheExporters)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/output.ini"),
                    "[b]\nlib=cf2\n[A]\nlib=hpgl\n[off]\nlib=wild\nenabled=0\n");
    CMorvekXPApp app;
    ASSERT_FALSE(app.InitInstance().has_value());

    shell::ToolbarButtons all;
    app.AddCommandButtons(&all);
    app.AddCommandButtons(nullptr);
    ASSERT_EQ(all.Count(), 119);
    EXPECT_TRUE(std::is_sorted(all.Ids().begin(), all.Ids().end()));
    EXPECT_EQ(app.GetPaperSizes().Sizes().size(), 10u);

    const struct {
        int command;
        const char* name; // null: none
    } cases[] = {{10300, nullptr}, {10301, "A"}, {10302, "b"}, {10303, nullptr}, {10401, nullptr}};
    for (const auto& c : cases) {
        const auto* chosen = app.ExporterForCommand(c.command);
        ASSERT_EQ(chosen != nullptr, c.name != nullptr) << c.command;
        if (chosen) {
            EXPECT_EQ(chosen->GetName(), QString::fromLatin1(c.name));
        }
    }
    EXPECT_TRUE(app.ExitInstance());
}
