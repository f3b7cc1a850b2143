#include "platform/Paths.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

TEST(Paths, WindowsNamesResolveBelowTheApplicationFolder)
{
    test::ScopedTestEnvironment env;
    const QString app = env.appFolder();
    env.dir().write(QStringLiteral("app/Defaults/Settings.INI"), "x");
    env.dir().write(QStringLiteral("app/shapes/shapes.cfg"), "y");

    struct Case {
        QString model;
        QString local;
    };
    const Case cases[] = {
        {QStringLiteral("\\Defaults\\settings.ini"), app + QStringLiteral("/Defaults/Settings.INI")},
        {QStringLiteral("\\defaults\\SETTINGS.ini"), app + QStringLiteral("/Defaults/Settings.INI")},
        {QStringLiteral("\\SHAPES\\Shapes.cfg"), app + QStringLiteral("/shapes/shapes.cfg")},
        {QStringLiteral("config/new.cfg"), app + QStringLiteral("/Config/new.cfg")},
        {QStringLiteral("\\Missing\\x.ini"), app + QStringLiteral("/Missing/x.ini")},
        {platform::appFolder() + QStringLiteral("\\Defaults\\settings.ini"), app + QStringLiteral("/Defaults/Settings.INI")},
        {QStringLiteral("C:\\Standards.ini"), env.userFolder() + QStringLiteral("/Standards.ini")},
        {QStringLiteral("c:/dir\\toolbar.ini"), env.userFolder() + QStringLiteral("/dir/toolbar.ini")},
        {QStringLiteral("/tmp/abs.n"), QStringLiteral("/tmp/abs.n")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::localPath(c.model), c.local) << c.model.toStdString();
}

TEST(Paths, DotDotNeverLeavesTheFolderAPathIsMappedInto)
{
    test::ScopedTestEnvironment env;
    const QString app = env.appFolder();
    const QString user = env.userFolder();
    env.dir().write(QStringLiteral("app/Defaults/Settings.INI"), "x");
    struct Case {
        QString model;
        QString local;
    };
    const Case cases[] = {
        {QStringLiteral("C:\\..\\..\\x"), user + QStringLiteral("/x")},
        {QStringLiteral("c:/a/../../b/./c.ini"), user + QStringLiteral("/b/c.ini")},
        {QStringLiteral("C:\\dir\\..\\..\\"), user + QStringLiteral("/")},
        {QStringLiteral("\\..\\..\\defaults\\settings.ini"), app + QStringLiteral("/Defaults/Settings.INI")},
        {QStringLiteral("config\\..\\..\\..\\etc\\passwd"), app + QStringLiteral("/etc/passwd")},
        {QStringLiteral("/tmp/a/../b"), QStringLiteral("/tmp/b")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::localPath(c.model), c.local) << c.model.toStdString();
}

TEST(Paths, FoldersEndInOneSlash)
{
    test::ScopedTestEnvironment env;
    EXPECT_TRUE(platform::appFolder().endsWith(QLatin1Char('/')));
    EXPECT_FALSE(platform::appFolder().endsWith(QLatin1String("//")));
    EXPECT_EQ(platform::userConfigFolder(), env.userFolder() + QLatin1Char('/'));
    EXPECT_TRUE(platform::isDrivePath(QStringLiteral("C:\\x")));
    EXPECT_FALSE(platform::isDrivePath(QStringLiteral("\\x")));
}
