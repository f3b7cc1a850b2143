#include "support/StoredPath.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using support::MakeAbsolutePath;
using support::MakeRelativePath;

TEST(StoredPath, MakesPathsAbsoluteAgainstTheBaseFile)
{
    const struct {
        const char* path;
        const char* base;
        const char* want;
    } cases[] = {
        {"\\std\\a.n", "C:\\Lib\\cat.sif", "C:\\Lib\\std\\a.n"},
        {"..\\b.n", "C:\\Lib\\sub\\cat.sif", "C:\\Lib\\b.n"},
        {".\\a.n", "C:\\Lib\\cat.sif", "C:\\Lib\\a.n"},
        {"..\\..\\..\\a.n", "C:\\Lib\\cat.sif", "C:\\a.n"},        // never above the root
        {"D:\\x\\.\\y.n", "C:\\Lib\\cat.sif", "D:\\x\\y.n"},       // a drive path stays
        {"\\\\server\\share\\a.n", "C:\\Lib\\cat.sif", "\\\\server\\share\\a.n"},
        {"std/a.n", "/home/u/lib/cat.sif", "/home/u/lib/std/a.n"},
        {"\\std\\a.n", "/home/u/lib/cat.sif", "/home/u/lib/std/a.n"},
        {"/opt/a.n", "C:\\Lib\\cat.sif", "/opt/a.n"},
        {"a.n", "cat.sif", "a.n"},
    };
    const QString current = QDir::currentPath();
    for (const auto& c : cases)
        EXPECT_EQ(MakeAbsolutePath(QString::fromLatin1(c.path), QString::fromLatin1(c.base)), QString::fromLatin1(c.want))
            << c.path << " against " << c.base;
    EXPECT_EQ(QDir::currentPath(), current);
}

TEST(StoredPath, MakesPathsRelativeToTheBaseFile)
{
    const struct {
        const char* path;
        const char* base;
        const char* want;
    } cases[] = {
        {"C:\\Lib\\std\\a.n", "C:\\Lib\\cat.sif", ".\\std\\a.n"},
        {"c:\\lib\\b.n", "C:\\Lib\\sub\\cat.sif", "..\\b.n"},
        {"C:\\Other\\x\\b.n", "C:\\Lib\\sub\\cat.sif", "..\\..\\Other\\x\\b.n"},
        {"C:\\Lib\\cat.sif", "C:\\Lib\\cat.sif", ".\\cat.sif"},
        {"/home/u/lib/std/a.n", "/home/u/lib/cat.sif", ".\\std\\a.n"},
        {"D:\\Lib\\a.n", "C:\\Lib\\cat.sif", "D:\\Lib\\a.n"},      // another drive: unchanged
        {"std\\a.n", "C:\\Lib\\cat.sif", "std\\a.n"},
    };
    for (const auto& c : cases) {
        const QString relative = MakeRelativePath(QString::fromLatin1(c.path), QString::fromLatin1(c.base));
        EXPECT_EQ(relative, QString::fromLatin1(c.want)) << c.path << " against " << c.base;
    }
    // Relative and back again.
    const QString base = QStringLiteral("C:\\Lib\\sub\\cat.sif");
    const QString file = QStringLiteral("C:\\Other\\b.n");
    EXPECT_EQ(MakeAbsolutePath(MakeRelativePath(file, base), base), file);
}

} // namespace
