#include "support/ResolvePath.h"

#include "common/TempDir.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace {

TEST(ResolvePath, DrivePathsStayOthersGoBelowTheApplicationFolder)
{
    test::ScopedTestEnvironment env;
    const QString app = platform::appFolder();
    ASSERT_TRUE(app.endsWith(QLatin1Char('/')));
    const struct {
        const char* name;
        QString want;
    } cases[] = {
        {"d:\\x.ini", QStringLiteral("d:\\x.ini")},
        {"D:x", QStringLiteral("D:x")},
        {"  C:\\lang\\eng.lng", QStringLiteral("C:\\lang\\eng.lng")},
        {"C:", app + QStringLiteral("C:")},
        {"\\x.ini", app + QStringLiteral("\\x.ini")},
        {"Defaults\\output.ini", app + QStringLiteral("Defaults\\output.ini")},
        {" \t..\\standards", app + QStringLiteral("..\\standards")},
        {"", app},
        {"1:\\x", app + QStringLiteral("1:\\x")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePath(QString::fromLatin1(c.name)), c.want) << c.name;
    EXPECT_EQ(platform::localPath(ResolvePath(QStringLiteral("C:\\Standards.ini"))),
              env.userFolder() + QStringLiteral("/Standards.ini"));
}

} // namespace
