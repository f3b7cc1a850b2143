#include "standards/PackageListing.h"
#include "standards/PackageManifest.h"

#include "common/PackageTestSupport.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

using namespace standards;

namespace {

const std::map<QString, int> kEnglishFirst{{QStringLiteral("ENG"), 0}, {QStringLiteral("GER"), 1}};

} // namespace

TEST(PackageListingTest, ManifestDecidesWhetherAPackageInThePackagesFolderIsListed)
{
    struct Case {
        const char* revision;
        int fileVersion;
        bool listed;
    };
    const Case cases[] = {{"3", 15, true}, {"3", 0, true}, {"4", 15, false}, {"3", 16, false}, {"03x", 1, false}, {"", 1, false}};
    for (const Case& c : cases) {
        test::TempDir packages;
        ASSERT_TRUE(test::MakeZip(packages.file(QStringLiteral("F-03-01-080222.zip")),
                                  {test::ManifestItem(QLatin1String(c.revision), c.fileVersion), QStringLiteral("FEFCO/a.n=x")}));
        const auto rows = ListPackages(PackageFamily::Fefco, {}, packages.path() + u'/', kEnglishFirst);
        ASSERT_EQ(rows.size(), c.listed ? 1U : 0U) << c.revision << " " << c.fileVersion;
        if (c.listed) {
            EXPECT_EQ(rows[0].number, QLatin1String(c.revision));
            EXPECT_EQ(rows[0].date, QStringLiteral("20080222"));
            EXPECT_EQ(rows[0].description, QStringLiteral("Boxes"));
            EXPECT_TRUE(rows[0].downloaded);
            EXPECT_EQ(rows[0].localPath, packages.file(QStringLiteral("F-03-01-080222.zip")));
        }
    }
}

TEST(PackageListingTest, APackageWithoutManifestOrArchiveIsNotListed)
{
    test::TempDir packages;
    ASSERT_TRUE(test::MakeZip(packages.file(QStringLiteral("F-03-01-080222.zip")), {QStringLiteral("FEFCO/a.n=x")}));
    packages.write(QStringLiteral("F-04-01-080222.zip"), "not a zip");
    EXPECT_TRUE(ListPackages(PackageFamily::Fefco, {}, packages.path() + u'/', kEnglishFirst).empty());
}

TEST(PackageListingTest, SourceAndPackagesFolderListEachPackageOnceAndOnlyPackagesOfTheFamily)
{
    test::TempDir packages;
    ASSERT_TRUE(test::MakeZip(packages.file(QStringLiteral("F-03-01-080222.zip")),
                              {test::ManifestItem(QStringLiteral("3"), 2), QStringLiteral("FEFCO/a.n=x")}));
    const QStringList source{QStringLiteral("F-03-01-080222.zip"), QStringLiteral("F-01-01-070101.zip"),
                             QStringLiteral("f-05-01-080222.zip"), QStringLiteral("readme.txt"),
                             QStringLiteral("../F-06-01-080222.zip"), QStringLiteral("E-02-01-080222.zip")};
    const auto rows = ListPackages(PackageFamily::Fefco, source, packages.path() + u'/', kEnglishFirst);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].fileName, QStringLiteral("F-01-01-070101.zip"));
    EXPECT_FALSE(rows[0].downloaded);
    EXPECT_EQ(rows[0].number, QStringLiteral("1"));
    EXPECT_EQ(rows[0].description, QStringLiteral("F-01-01-070101.zip"));
    EXPECT_TRUE(rows[0].localPath.isEmpty());
    EXPECT_EQ(rows[1].fileName, QStringLiteral("F-03-01-080222.zip"));
    EXPECT_TRUE(rows[1].downloaded);
}

TEST(PackageListingTest, DescriptionIsTheBestLanguageOfTheOrder)
{
    PackageManifest manifest;
    manifest.descriptions[QStringLiteral("ENG")] = QStringLiteral("Boxes");
    manifest.descriptions[QStringLiteral("GER")] = QStringLiteral("Schachteln");
    EXPECT_EQ(ManifestDescription(manifest, {{QStringLiteral("ENG"), 1}, {QStringLiteral("GER"), 0}}), QStringLiteral("Schachteln"));
    EXPECT_EQ(ManifestDescription(manifest, kEnglishFirst), QStringLiteral("Boxes"));
    EXPECT_EQ(ManifestDescription(manifest, {{QStringLiteral("POR"), 0}}), QStringLiteral("Boxes"));
    EXPECT_EQ(ManifestDescription(PackageManifest{}, kEnglishFirst), QString());
}
