#include "support/FileDeleter.h"

#include "platform/Prompt.h"

#include "common/TempDir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using platform::PromptResult;

namespace {

// Every entry below root, relative, sorted; folders end in '/'. Links are
// listed, not followed.
QStringList tree(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString relative = QDir(root).relativeFilePath(info.filePath());
        if (info.isDir() && !info.isSymLink())
            relative += QLatin1Char('/');
        entries << relative;
    }
    entries.sort();
    return entries;
}

void makeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

class FileDeleterTest : public ::testing::Test {
protected:
    // root/a.txt, root/sub/b.txt (read-only), root/sub/c.txt, root/z.txt
    QString makeTree()
    {
        dir.write(QStringLiteral("root/a.txt"), "a");
        makeReadOnly(dir.write(QStringLiteral("root/sub/b.txt"), "b"));
        dir.write(QStringLiteral("root/sub/c.txt"), "c");
        dir.write(QStringLiteral("root/z.txt"), "z");
        return dir.file(QStringLiteral("root"));
    }

    test::TempDir dir;
};

TEST_F(FileDeleterTest, AReadOnlyFileIsDeletedOnlyWhenTheUserSaysYes)
{
    struct Case {
        PromptResult answer;
        QStringList left;
        bool cancelled;
    };
    const Case cases[] = {
        {PromptResult::No, {QStringLiteral("sub/"), QStringLiteral("sub/b.txt")}, false},
        // Cancel stops at once: nothing after the read-only file is touched.
        {PromptResult::Cancel,
         {QStringLiteral("sub/"), QStringLiteral("sub/b.txt"), QStringLiteral("sub/c.txt"), QStringLiteral("z.txt")},
         true},
        {PromptResult::Yes, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        const QString root = makeTree();
        platform::ScriptedPrompt script{c.answer};
        auto scope = platform::installPrompt(script);
        FileDeleter deleter;

        EXPECT_TRUE(deleter.Delete(root));
        EXPECT_EQ(deleter.errorCode(), 0);
        EXPECT_EQ(deleter.cancelled(), c.cancelled);
        EXPECT_EQ(deleter.somethingLeft(), c.answer != PromptResult::Yes);
        EXPECT_EQ(deleter.message(), c.cancelled ? QStringLiteral("Cancelled by the user") : QStringLiteral("No error"));
        EXPECT_EQ(script.texts(), QStringList{QStringLiteral("b.txt is read olny. Do you want delete it?")});
        EXPECT_EQ(script.captions(), QStringList{QStringLiteral("Warning")});
        EXPECT_EQ(script.unexpected(), 0);
        if (c.left.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(root));
        } else {
            EXPECT_EQ(tree(root), c.left);
            QFile::setPermissions(root + QLatin1String("/sub/b.txt"), QFile::ReadOwner | QFile::WriteOwner);
            QDir(root).removeRecursively();
        }
    }
}

TEST_F(FileDeleterTest, WithoutAskingReadOnlyFilesGoQuietly)
{
    const QString root = makeTree();
    platform::ScriptedPrompt script;
    auto scope = platform::installPrompt(script);
    FileDeleter deleter;
    deleter.setAskReadOnly(false);
    EXPECT_TRUE(deleter.Delete(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(script.texts().isEmpty());
}

TEST_F(FileDeleterTest, ATrailingSeparatorMakesNoDifference)
{
    for (const QString& suffix : {QString(), QStringLiteral("/"), QStringLiteral("\\")}) {
        SCOPED_TRACE(suffix.toStdString());
        dir.write(QStringLiteral("t/x/y.txt"), "y");
        dir.write(QStringLiteral("file.txt"), "f");
        FileDeleter deleter;
        EXPECT_TRUE(deleter.Delete(dir.file(QStringLiteral("t")) + suffix));
        EXPECT_TRUE(deleter.Delete(dir.file(QStringLiteral("file.txt")) + suffix));
        EXPECT_EQ(tree(dir.path()), QStringList());
    }
}

TEST_F(FileDeleterTest, AMissingPathFailsWithTheSystemCode)
{
    FileDeleter deleter;
    EXPECT_FALSE(deleter.Delete(dir.file(QStringLiteral("missing"))));
    EXPECT_EQ(deleter.errorCode(), ENOENT);
    EXPECT_EQ(deleter.message(), QStringLiteral("No such file or directory"));
}

TEST_F(FileDeleterTest, EachDeletionReportsItsOwnResult)
{
    const QString root = makeTree();
    platform::ScriptedPrompt script{PromptResult::No};
    auto scope = platform::installPrompt(script);
    FileDeleter deleter;
    EXPECT_TRUE(deleter.Delete(root));
    EXPECT_TRUE(deleter.somethingLeft());

    // A file was kept above, yet a missing path is still a failure.
    EXPECT_FALSE(deleter.Delete(dir.file(QStringLiteral("missing"))));
    EXPECT_EQ(deleter.errorCode(), ENOENT);
    EXPECT_FALSE(deleter.somethingLeft());

    // And a success after the failure reports success.
    dir.write(QStringLiteral("other/o.txt"), "o");
    EXPECT_TRUE(deleter.Delete(dir.file(QStringLiteral("other"))));
    EXPECT_EQ(deleter.errorCode(), 0);
    EXPECT_EQ(deleter.message(), QStringLiteral("No error"));
}

TEST_F(FileDeleterTest, SymbolicLinksAreRemovedWithoutTouchingTheirTargets)
{
    dir.write(QStringLiteral("outside/keep.txt"), "keep");
    dir.write(QStringLiteral("outside/inner/deep.txt"), "deep");
    const QStringList outside = tree(dir.file(QStringLiteral("outside")));
    dir.write(QStringLiteral("tree/real.txt"), "real");
    QDir().mkpath(dir.file(QStringLiteral("tree/sub")));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("outside")), dir.file(QStringLiteral("tree/sub/to-folder"))));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("outside/keep.txt")), dir.file(QStringLiteral("tree/to-file"))));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("nowhere")), dir.file(QStringLiteral("tree/dangling"))));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("outside")), dir.file(QStringLiteral("alone"))));

    FileDeleter deleter;
    EXPECT_TRUE(deleter.Delete(dir.file(QStringLiteral("tree"))));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("tree"))));
    // A link given itself, with a trailing separator: the link goes.
    EXPECT_TRUE(deleter.Delete(dir.file(QStringLiteral("alone/"))));
    EXPECT_FALSE(QFileInfo(dir.file(QStringLiteral("alone"))).isSymLink());

    EXPECT_EQ(tree(dir.file(QStringLiteral("outside"))), outside);
    EXPECT_EQ(dir.read(QStringLiteral("outside/inner/deep.txt")), QByteArray("deep"));
}

TEST_F(FileDeleterTest, APathThatNamesNoFolderOfItsOwnIsRefused)
{
    test::ScopedTestEnvironment env;
    for (const QString& path : {QString(), QStringLiteral("\\"), QStringLiteral("C:\\"), QStringLiteral("Config\\..")}) {
        SCOPED_TRACE(path.toStdString());
        FileDeleter deleter;
        EXPECT_FALSE(deleter.Delete(path));
        EXPECT_EQ(deleter.errorCode(), EINVAL);
    }
    EXPECT_TRUE(QFileInfo(env.appFolder() + QLatin1String("/Defaults")).isDir());
    EXPECT_TRUE(QFileInfo(env.userFolder()).isDir());
}

// A path below a file is refused by the system whoever asks, the
// super-user included; a folder that denies writing only stops other users.
TEST_F(FileDeleterTest, ADeletionTheSystemRefusesFailsWithItsCode)
{
    const QString file = dir.write(QStringLiteral("plain.txt"), "p");
    for (const QString& below : {QStringLiteral("/inner"), QStringLiteral("/inner/"), QStringLiteral("\\inner\\deeper")}) {
        SCOPED_TRACE(below.toStdString());
        FileDeleter deleter;
        EXPECT_FALSE(deleter.Delete(file + below));
        EXPECT_EQ(deleter.errorCode(), ENOTDIR);
        EXPECT_EQ(deleter.message(), QStringLiteral("Not a directory"));
        EXPECT_EQ(dir.read(QStringLiteral("plain.txt")), QByteArray("p"));
    }

    if (::geteuid() == 0)
        return; // the super-user may delete from a folder that denies writing
    dir.write(QStringLiteral("locked/f.txt"), "f");
    const QString locked = dir.file(QStringLiteral("locked"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    FileDeleter deleter;
    EXPECT_FALSE(deleter.Delete(locked));
    EXPECT_EQ(deleter.errorCode(), EACCES);
    EXPECT_EQ(deleter.message(), QStringLiteral("Permission denied"));
    EXPECT_TRUE(QFileInfo::exists(locked + QLatin1String("/f.txt")));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
