#include "standards/StandardFolders.h"

#include "platform/Paths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StandardFoldersTest, BothFoldersLieInsideTheApplicationFolder)
{
    QTemporaryDir app;
    ASSERT_TRUE(app.isValid());
    platform::setAppFolder(app.path());
    EXPECT_EQ(standards::StandardsFolder(), app.path() + QStringLiteral("/standards/"));
    EXPECT_EQ(standards::PackagesFolder(), app.path() + QStringLiteral("/packages/"));
    platform::setAppFolder(QString());
}
