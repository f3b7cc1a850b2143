// Which catalogue a standard command opens, the TOP family's tree built
// from its folder, and the preview's place in the browser's frame.
#include "standards/CatalogueSource.h"
#include "standards/PreviewFit.h"
#include "standards/StandardFolders.h"

#include "common/TempDir.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace {

using standards::Family;

TEST(PreviewFitTest, KeepsTheProportionsAndCentres)
{
    const struct {
        int w, h;
        standards::PreviewPlace place;
    } cases[] = {
        {400, 100, {0, 50, 200, 50}},   // wide: the frame's width, 50 pixels below the top
        {100, 300, {75, 0, 50, 150}},   // tall: the frame's height, centred across
        {200, 150, {0, 0, 200, 150}},   // the frame's own proportions
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        EXPECT_EQ(standards::FitPreview(200, 150, c.w, c.h), c.place);
    }
    // Truncated to whole pixels: 200 / 3 * 1 = 66.67 drawn 66 high, (150 - 66) / 2 = 42 down.
    EXPECT_EQ(standards::FitPreview(200, 150, 3, 1), (standards::PreviewPlace{0, 42, 200, 66}));
    EXPECT_FALSE(standards::FitPreview(200, 150, 0, 100));
    EXPECT_FALSE(standards::FitPreview(200, 150, 100, 0));
}

class CatalogueSourceTest : public testing::Test {
protected:
    CatalogueSourceTest() { platform::setAppFolder(dir_.path()); }
    ~CatalogueSourceTest() override { platform::setAppFolder(QString()); }
    test::TempDir dir_;
};

TEST_F(CatalogueSourceTest, AnEmptySettingFallsBackToTheInstalledFamily)
{
    const QString standards = standards::StandardsFolder();
    const QString chosen = dir_.file(QStringLiteral("mine/own.sif"));
    const struct {
        Family family;
        QString setting;
        QString path;
    } cases[] = {
        {Family::Fefco, QString(), standards + QStringLiteral("FEFCO.sif")},
        {Family::Ecma, QString(), standards + QStringLiteral("ECMA.sif")},
        {Family::Fefco, chosen, chosen},
        {Family::Ecma, chosen, chosen},
        {Family::EuroHole, chosen, chosen},
        {Family::EuroHole, QString(), QString()}, // no catalogue: an empty browser
        {Family::Collection, QString(), QString()},
        {Family::Top, chosen, standards + QStringLiteral("TOP/TOP.sif")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.family));
        const standards::CatalogueSource source = standards::SourceFor(c.family, c.setting);
        EXPECT_EQ(source.path, c.path);
        EXPECT_EQ(source.folder.isEmpty(), c.family != Family::Top);
    }
}

TEST_F(CatalogueSourceTest, TheTopTreeIsBuiltFromTheFoldersDrawings)
{
    const QString top = dir_.path() + QStringLiteral("/top/");
    dir_.write(QStringLiteral("top/T-01.n"), "x");
    dir_.write(QStringLiteral("top/T-01.BMP"), "x");
    dir_.write(QStringLiteral("top/lids/T-20.nst"), "x");
    dir_.write(QStringLiteral("top/notes.txt"), "x");
    const StandardCatalogue catalogue = standards::CatalogueOfFolder(top);
    ASSERT_EQ(catalogue.GetCount(), 3);
    EXPECT_EQ(catalogue.Entry(0), (CatalogueEntry{-1, QStringLiteral("lids"), {}, {}, CatalogueEntry::Folder}));
    EXPECT_EQ(catalogue.Entry(1), (CatalogueEntry{-1, QStringLiteral("T-01"), QStringLiteral("T-01.n"),
                                                  QStringLiteral("T-01.BMP"), CatalogueEntry::Standard}));
    EXPECT_EQ(catalogue.Entry(2), (CatalogueEntry{0, QStringLiteral("T-20"), QStringLiteral("lids\\T-20.nst"), {},
                                                  CatalogueEntry::ExtendedStandard}));
    EXPECT_EQ(standards::CatalogueOfFolder(dir_.file(QStringLiteral("none"))).GetCount(), 0);
}

} // namespace
