#include "platform/Prompt.h"
#include "platform/Registry.h"

#include "common/TempDir.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

using platform::PromptButtons;
using platform::PromptResult;

TEST(Prompt, ScriptedAnswersInOrderThenTheSafeAnswer)
{
    platform::ScriptedPrompt script{PromptResult::No, PromptResult::Yes};
    auto scope = platform::installPrompt(script);
    EXPECT_EQ(platform::ask(QStringLiteral("first"), QString(), PromptButtons::YesNoCancel), PromptResult::No);
    EXPECT_EQ(platform::ask(QStringLiteral("second"), QString(), PromptButtons::YesNo), PromptResult::Yes);
    EXPECT_EQ(platform::ask(QStringLiteral("third"), QString(), PromptButtons::YesNoCancel), PromptResult::Cancel);
    EXPECT_EQ(script.texts(), (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
    EXPECT_EQ(script.unexpected(), 1);
}

TEST(Registry, ValuesLiveInTheTestFolder)
{
    test::ScopedTestEnvironment env;
    using platform::Registry;
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("AUTOSAVE_INTERVAL"), 600), 600);
    ASSERT_TRUE(Registry::writeInt(QStringLiteral("Settings"), QStringLiteral("AUTOSAVE_INTERVAL"), 300));
    ASSERT_TRUE(Registry::writeString(QStringLiteral("Paths"), QStringLiteral("NPath"), QStringLiteral("C:\\dies\\")));
    const QByteArray blob("\x01\x00\xFF", 3);
    ASSERT_TRUE(Registry::writeBinary(QStringLiteral("Settings"), QStringLiteral("Origin"), blob));

    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("AUTOSAVE_INTERVAL"), 600), 300);
    EXPECT_EQ(Registry::getString(QStringLiteral("Paths"), QStringLiteral("NPath")), QStringLiteral("C:\\dies\\"));
    QByteArray out;
    ASSERT_TRUE(Registry::getBinary(QStringLiteral("Settings"), QStringLiteral("Origin"), out));
    EXPECT_EQ(out, blob);
    EXPECT_FALSE(Registry::getBinary(QStringLiteral("Settings"), QStringLiteral("Zoom"), out));
    EXPECT_TRUE(Registry::filePath().startsWith(env.userFolder()));
    EXPECT_TRUE(QFileInfo::exists(Registry::filePath()));
}

TEST(Registry, SeesTheFileChangedByAnotherProgram)
{
    test::ScopedTestEnvironment env;
    using platform::Registry;
    ASSERT_TRUE(Registry::writeInt(QStringLiteral("Settings"), QStringLiteral("A"), 1));
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("A"), 0), 1);
    // Another instance of the program rewrites the file: same size, same moment.
    env.dir().write(QStringLiteral("user/registry.ini"), "[Settings]\nA=2\n");
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("A"), 0), 2);
    env.dir().write(QStringLiteral("user/registry.ini"), "[Settings]\nA=3\nB=4\n");
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("A"), 0), 3);
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("B"), 0), 4);
}

// Another program rewrites the file in place with the same size and sets
// its modification time back to the old stamp: the time stamp cannot prove
// the file unchanged, so the content decides.
TEST(Registry, SeesARewriteThatKeepsTheSizeAndTheTimeStamp)
{
    test::ScopedTestEnvironment env;
    using platform::Registry;
    ASSERT_TRUE(Registry::writeInt(QStringLiteral("Settings"), QStringLiteral("A"), 1));
    const QString path = Registry::filePath();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray before = file.readAll();
    ASSERT_TRUE(before.contains("A=1"));
    // An old file, as one written an hour ago.
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-3600);
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("A"), 0), 1);
    const QDateTime stamp = QFileInfo(path).fileTime(QFileDevice::FileModificationTime);

    QByteArray after = before;
    after.replace("A=1", "A=2");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)); // in place: the same file, the same size
    ASSERT_EQ(file.write(after), after.size());
    ASSERT_TRUE(file.flush()); // the time is set after the last write
    ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    ASSERT_EQ(QFileInfo(path).fileTime(QFileDevice::FileModificationTime), stamp);
    EXPECT_EQ(Registry::getInt(QStringLiteral("Settings"), QStringLiteral("A"), 0), 2);
}

TEST(Registry, ABatchWritesTheFileOnceWhenItEnds)
{
    test::ScopedTestEnvironment env;
    using platform::Registry;
    const QString section = QStringLiteral("Standards");
    {
        platform::RegistryBatch outer;
        {
            platform::RegistryBatch inner;
            ASSERT_TRUE(Registry::writeInt(section, QStringLiteral("AMOUNT"), 2));
            EXPECT_TRUE(inner.commit()); // an inner batch writes nothing yet
        }
        ASSERT_TRUE(Registry::writeString(section, QStringLiteral("std1"), QStringLiteral("Box")));
        EXPECT_EQ(Registry::getInt(section, QStringLiteral("AMOUNT"), 0), 2); // pending values read back
        QFile file(Registry::filePath());
        EXPECT_FALSE(file.open(QIODevice::ReadOnly) && file.readAll().contains("std1")); // not written yet
        EXPECT_TRUE(outer.commit());
    }
    QSettings onDisk(Registry::filePath(), QSettings::IniFormat);
    EXPECT_EQ(onDisk.value(QStringLiteral("Standards/AMOUNT")).toInt(), 2);
    EXPECT_EQ(onDisk.value(QStringLiteral("Standards/std1")).toString(), QStringLiteral("Box"));
}
