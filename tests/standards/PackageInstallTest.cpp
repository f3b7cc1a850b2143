#include "standards/PackageInstall.h"

#include "common/PackageTestSupport.h"
#include "common/TempDir.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

using namespace standards;

namespace {

// Every file below the folder with its content, and every folder.
QStringList Snapshot(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QString content = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<dir>");
        out << path.mid(folder.size()) + u'=' + content;
    }
    out.sort();
    return out;
}

class PackageInstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.write(QStringLiteral("standards/FEFCO/old.n"), "old fefco");
        root.write(QStringLiteral("standards/FEFCO.sif"), "old catalogue");
        root.write(QStringLiteral("standards/ECMA/keep.n"), "ecma");
        root.write(QStringLiteral("standards/ECMA.sif"), "ecma catalogue");
        root.write(QStringLiteral("standards/TOP/old.n"), "old top");
    }
    QString Standards() const { return root.file(QStringLiteral("standards/")); }
    QString Package(const QString& name) const { return root.file(QStringLiteral("packages/") + name); }
    QString Read(const QString& relative) const { return QString::fromUtf8(root.read(QStringLiteral("standards/") + relative)); }

    test::TempDir root;
};

} // namespace

TEST_F(PackageInstallTest, FefcoPackageReplacesFolderAndCatalogueOnly)
{
    const QString package = Package(QStringLiteral("F-03-01-080222.zip"));
    ASSERT_TRUE(test::MakeGoodPackage(package, QStringLiteral("FEFCO"), QStringLiteral("3"), QStringLiteral("new")));
    const PackageIssue issue = InstallPackage(package, Standards());
    EXPECT_EQ(issue.textId, 0) << issue.first.toStdString() << issue.second.toStdString();
    EXPECT_EQ(Snapshot(Standards()),
              QStringList({"ECMA.sif=ecma catalogue", "ECMA/keep.n=ecma", "ECMA=<dir>", "FEFCO.sif=new", "FEFCO/box.n=new",
                           "FEFCO=<dir>", "TOP/old.n=old top", "TOP=<dir>"}));
    // The staging folder went with the old family.
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"packages", "standards"}));
}

TEST_F(PackageInstallTest, TopPackageReplacesOnlyTheTopFolder)
{
    const QString package = Package(QStringLiteral("T-01-01-080222.zip"));
    ASSERT_TRUE(test::MakeGoodPackage(package, QStringLiteral("TOP"), QStringLiteral("1"), QStringLiteral("new top")));
    EXPECT_EQ(InstallPackage(package, Standards()).textId, 0);
    EXPECT_EQ(Snapshot(Standards()),
              QStringList({"ECMA.sif=ecma catalogue", "ECMA/keep.n=ecma", "ECMA=<dir>", "FEFCO.sif=old catalogue",
                           "FEFCO/old.n=old fefco", "FEFCO=<dir>", "TOP/box.n=new top", "TOP=<dir>"}));
}

TEST_F(PackageInstallTest, IntoAnEmptyStandardsFolder)
{
    const QString package = Package(QStringLiteral("E-02-01-080222.zip"));
    ASSERT_TRUE(test::MakeGoodPackage(package, QStringLiteral("ECMA"), QStringLiteral("2"), QStringLiteral("e")));
    test::TempDir other;
    const QString standards = other.file(QStringLiteral("standards/"));
    EXPECT_EQ(InstallPackage(package, standards).textId, 0);
    EXPECT_EQ(Snapshot(standards), QStringList({"ECMA.sif=e", "ECMA/box.n=e", "ECMA=<dir>"}));
}

TEST_F(PackageInstallTest, BadPackagesAreRefusedAndTheInstalledStandardsStay)
{
    const QString good = QStringLiteral("FEFCO/box.n=new");
    const QString catalogue = QStringLiteral("FEFCO.sif=new");
    const QString manifest = test::ManifestItem(QStringLiteral("3"), 15);
    struct Case {
        const char* why;
        QStringList items; // empty: no file at all
        int textId;
        bool truncate = false;
    };
    const Case cases[] = {
        {"parent reference", {manifest, good, catalogue, QStringLiteral("../evil=gotcha")}, TextItemOutside},
        {"hidden parent reference", {manifest, good, catalogue, QStringLiteral("FEFCO/../../evil=gotcha")}, TextItemOutside},
        {"another family", {manifest, good, catalogue, QStringLiteral("ECMA/keep.n=overwritten")}, TextItemOutside},
        {"manifest of another revision", {test::ManifestItem(QStringLiteral("4"), 15), good, catalogue}, TextManifestMismatch},
        {"manifest of a later format", {test::ManifestItem(QStringLiteral("3"), 16), good, catalogue}, TextManifestMismatch},
        {"no manifest", {good, catalogue}, TextNoManifest},
        {"no catalogue", {manifest, good}, TextIncomplete},
        {"truncated", {manifest, good, catalogue}, TextNotArchive, true},
        {"not downloaded", {}, TextNotDownloaded},
    };
    const QStringList before = Snapshot(Standards());
    for (const Case& c : cases) {
        const QString package = Package(QStringLiteral("F-03-01-080222.zip"));
        QFile::remove(package);
        if (!c.items.isEmpty()) {
            ASSERT_TRUE(test::MakeZip(package, c.items)) << c.why;
        }
        if (c.truncate) {
            QFile file(package);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.resize(file.size() / 2));
        }
        const PackageIssue issue = InstallPackage(package, Standards());
        EXPECT_TRUE(issue.textId == c.textId || (c.truncate && issue.textId == TextNoManifest)) << c.why << ": " << issue.textId;
        EXPECT_EQ(Snapshot(Standards()), before) << c.why;
        EXPECT_FALSE(QFile::exists(root.file(QStringLiteral("evil"))));
        EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList({"packages", "standards"})) << c.why;
    }
}
