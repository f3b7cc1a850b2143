#include "options/Options.h"

#include "common/TempDir.h"
#include "platform/BinaryStream.h"
#include "platform/Registry.h"
#include "options/PathChooser.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Registry;

const QString kSettings = QStringLiteral("Settings");

TEST(OptionsRegistry, ValuesAndTheirDefaults)
{
    test::ScopedTestEnvironment env;
    COptions options;
    double w = 0, h = 0;
    options.GetClSize(w, h);
    EXPECT_EQ(w, 8.0);
    EXPECT_EQ(h, 5.0);
    EXPECT_EQ(options.GetLineType(), 1);
    EXPECT_EQ(options.GetTextLineType(), 1);
    EXPECT_EQ(options.GetPropSelColour(), 0xFFFFFF);
    EXPECT_EQ(options.GetAutosaveInterval(), 600);

    options.SetLineType(5);
    EXPECT_EQ(options.GetTextLineType(), 5);
    EXPECT_TRUE(Registry::writeInt(kSettings, QStringLiteral("TEXT_LYNE_TYP"), 3));
    EXPECT_EQ(options.GetTextLineType(), 3);
    EXPECT_TRUE(Registry::writeInt(kSettings, QStringLiteral("CLWIDTH"), 12500));
    options.GetClSize(w, h);
    EXPECT_EQ(w, 12.5);
}

TEST(OptionsRegistry, MeasureParametersAreUnsignedMicrometres)
{
    test::ScopedTestEnvironment env;
    EXPECT_TRUE(Registry::writeInt(kSettings, QStringLiteral("MEASUREPARAM2"), -1));
    COptions options;
    // The factory values until the registry is read, so a dimension drawn
    // before start-up has arrowheads and extension lines.
    EXPECT_EQ(options.GetMeasureParams(), (std::array<double, 5>{0.25, 5.0, 10.0, 10.0, 25.0}));
    options.Load();
    const std::array<double, 5> want = {0.25, 5.0, 4294967.295, 10.0, 25.0};
    EXPECT_EQ(options.GetMeasureParams(), want);
}

TEST(OptionsRegistry, BinaryValuesAreTakenOnlyAtTheirLength)
{
    test::ScopedTestEnvironment env;
    COptions options;
    options.SaveView(-12, 345, 2.5);
    int x = 0, y = 0;
    double zoom = 0;
    EXPECT_TRUE(options.LoadView(x, y, zoom));
    EXPECT_EQ(x, -12);
    EXPECT_EQ(y, 345);
    EXPECT_EQ(zoom, 2.5);

    EXPECT_TRUE(Registry::writeBinary(kSettings, QStringLiteral("Origin"), QByteArray("\x01\x00\x00\x00", 4)));
    Registry::remove(kSettings, QStringLiteral("Zoom"));
    x = y = 7;
    zoom = 7;
    EXPECT_FALSE(options.LoadView(x, y, zoom));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(zoom, 7);

    const struct {
        QByteArray stored;
        int want;
    } backgrounds[] = {
        {QByteArray("\x10\x20\x30", 3), 0x302010},
        {QByteArray("\x10\x20", 2), 0},
        {QByteArray("\x10\x20\x30\x40", 4), 0},
    };
    for (const auto& c : backgrounds) {
        EXPECT_TRUE(Registry::writeBinary(QStringLiteral("Colours"), QStringLiteral("BACKGROUND"), c.stored));
        COptions fresh;
        fresh.Load();
        EXPECT_EQ(fresh.GetBackgroundColour(), c.want) << c.stored.size();
    }
}

TEST(OptionsRegistry, MakeAppPathPutsTheRegistryFolderInFront)
{
    test::ScopedTestEnvironment env;
    COptions options;
    EXPECT_EQ(options.MakeAppPath(QString()), QString());
    EXPECT_TRUE(Registry::writeString(QStringLiteral("Paths"), QStringLiteral("Application"), QStringLiteral("D:\\App")));
    EXPECT_EQ(options.MakeAppPath(QString()), QStringLiteral("D:\\App"));
    EXPECT_EQ(options.MakeAppPath(QStringLiteral("\\Config\\x.cfg")), QStringLiteral("D:\\App\\Config\\x.cfg"));
}

TEST(OptionsRegistry, BrowsePathStoresTheChoice)
{
    test::ScopedTestEnvironment env;
    COptions options;
    ScriptedPathChooser chooser;
    auto installed = installPathChooser(chooser);
    const QString section = QStringLiteral("Paths");
    const QString key = QStringLiteral("NPath");
    options.WriteRegistryString(section, key, QStringLiteral("D:\\old\\"));

    const struct {
        const char* chosen;
        const char* stored;
    } folders[] = {
        {"D:\\dies", "D:\\dies\\"}, {"D:\\dies\\\\", "D:\\dies\\"}, {"/home/u/dies", "/home/u/dies/"}, {"/", "/"},
    };
    for (const auto& c : folders) {
        chooser.push(QString::fromLatin1(c.chosen));
        EXPECT_TRUE(options.BrowsePath(section, key, true, QString()));
        EXPECT_EQ(options.ReadRegistryString(section, key), QString::fromLatin1(c.stored));
    }
    EXPECT_EQ(chooser.starts().first(), QStringLiteral("D:\\old\\"));

    chooser.push(std::nullopt);
    EXPECT_FALSE(options.BrowsePath(section, key, true, QString()));
    EXPECT_EQ(options.ReadRegistryString(section, key), QStringLiteral("/"));

    chooser.push(QStringLiteral("/data/fefco.sif"));
    EXPECT_TRUE(options.BrowsePath(QStringLiteral("Standards"), QStringLiteral("FEFCO"), false, QString()));
    EXPECT_EQ(chooser.filters().last(), QStringLiteral("All Files (*.*)|*.*||"));
    EXPECT_EQ(options.ReadRegistryString(QStringLiteral("Standards"), QStringLiteral("FEFCO")),
              QStringLiteral("/data/fefco.sif"));
}

TEST(OptionsRegistry, NothingInstalledCancelsTheChooser)
{
    test::ScopedTestEnvironment env;
    COptions options;
    EXPECT_FALSE(options.BrowsePath(QStringLiteral("Paths"), QStringLiteral("NPath"), true, QString()));
    EXPECT_FALSE(Registry::contains(QStringLiteral("Paths"), QStringLiteral("NPath")));
}

} // namespace
