#include "shell/ToolbarLayout.h"

#include "common/TempDir.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using shell::ToolbarLayout;

TEST(ToolbarLayout, ReadsTheUserFileAsAWholeElseTheDefaults)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/toolbar.ini"),
                    "[Toolbars]\nMain=57600,57601,-1,57603\nConstruct=176\nToolbar_3=32797\n");

    ToolbarLayout fromDefaults = ToolbarLayout::Read();
    EXPECT_EQ(fromDefaults.Get(QStringLiteral("Main")), QStringLiteral("57600,57601,-1,57603"));
    EXPECT_EQ(fromDefaults.Get(QStringLiteral("Toolbar_3")), QStringLiteral("32797"));
    EXPECT_EQ(fromDefaults.Get(QStringLiteral("Toolbar_1")), QStringLiteral("0"));

    env.dir().write(QStringLiteral("app/Config/toolbar.cfg"), "[Toolbars]\nMain=57602\n");
    ToolbarLayout fromUser = ToolbarLayout::Read();
    EXPECT_EQ(fromUser.Get(QStringLiteral("Main")), QStringLiteral("57602"));
    // Keys missing from the user's file are not taken from the defaults.
    EXPECT_EQ(fromUser.Get(QStringLiteral("Construct")), QStringLiteral("0"));
    EXPECT_EQ(fromUser.Get(QStringLiteral("Toolbar_3")), QStringLiteral("0"));
}

TEST(ToolbarLayout, CutsLongValues)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Config/toolbar.cfg"), "[Toolbars]\nMain=" + QByteArray(2000, '1') + "\n");
    EXPECT_EQ(ToolbarLayout::Read().Get(QStringLiteral("Main")).size(), 1023);
}

TEST(ToolbarLayout, WritesOnlyTheUsersFile)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/toolbar.ini"), "[Toolbars]\nMain=1\n");
    ToolbarLayout layout = ToolbarLayout::Read();
    layout.Set(QStringLiteral("Main"), QStringLiteral("57600,-1,57603"));
    layout.Set(QStringLiteral("Toolbar_10"), QStringLiteral("176"));
    ASSERT_TRUE(layout.Write());

    ToolbarLayout back = ToolbarLayout::Read();
    for (const QString& key : ToolbarLayout::Keys())
        EXPECT_EQ(back.Get(key), layout.Get(key)) << key.toStdString();
    EXPECT_EQ(env.dir().read(QStringLiteral("app/Defaults/toolbar.ini")), QByteArray("[Toolbars]\nMain=1\n"));
    // Nothing else is written: no copy at a drive path in the user's folder.
    EXPECT_TRUE(QDir(env.userFolder()).entryList({QStringLiteral("toolbar*")}, QDir::Files).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(env.appFolder() + QStringLiteral("/Config/toolbar.cfg")));
}

} // namespace
