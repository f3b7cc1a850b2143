#include "common/TempDir.h"
#include "element/Measure.h"
#include "element/MeasureFormat.h"
#include "element/NodeTable.h"
#include "options/Options.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

TEST(MeasureFormat, OnlyOneFloatingConversionIsAccepted)
{
    const struct {
        const char16_t* format;
        bool valid;
    } cases[] = {
        {u"%7.3f mm", true},
        {u"%7.3f \u00B0", true},
        {u"L = %-+ #010.2e %%", true},
        {u"%g", true},
        {u"%s", false},
        {u"%n", false},
        {u"%d mm", false},
        {u"%f %f", false},
        {u"%7.3lf", false},
        {u"%100f", false},
        {u"%.100f", false},
        {u"mm", false},
        {u"%", false},
        {u"%7.3", false},
        {u"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MeasureFormat::IsValid(QStringView(c.format)), c.valid) << QString::fromUtf16(c.format).toStdString();
}

TEST(MeasureFormat, ValuesAreFormattedOrFallBackToTheDefault)
{
    const QString fallback = MeasureFormat::DefaultDistance();
    EXPECT_EQ(MeasureFormat::Apply(u"%7.3f mm", 5.0, fallback), QStringLiteral("  5.000 mm"));
    EXPECT_EQ(MeasureFormat::Apply(u"%.1f%% \u00B0", 12.25, fallback), QStringLiteral("12.2% \u00B0"));
    EXPECT_EQ(MeasureFormat::Apply(u"%s and %n", 5.0, fallback), QStringLiteral("  5.000 mm"));
    EXPECT_EQ(MeasureFormat::Apply(u"%f%f", 5.0, fallback), QStringLiteral("  5.000 mm"));
}

TEST(MeasureFormat, ShownValuesIgnoreFloatingNoise)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {5.000000000000001, "  5.000 mm"},
        {99.9996, "100.000 mm"},
        {12.3401, " 12.341 mm"},
        {0.0, "  0.000 mm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeasureFormat::Apply(u"%7.3f mm", MeasureFormat::Shown(c.value), MeasureFormat::DefaultDistance()),
                  QString::fromLatin1(c.text))
            << c.value;
    }
}

void WriteFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(MeasureFormat, FormatsAreReadOnceFromTheSettingsAndInstalled)
{
    test::ScopedTestEnvironment env;
    COptions options;
    WriteFile(env.userFolder() + QStringLiteral("/Morvek.ini"),
              "[Measure]\ntextformatdistance=%.2f cm\ntextformatangle=%.1f deg\n");
    WriteFile(env.appFolder() + QStringLiteral("/Config/settings.cfg"),
              "[measure]\ntextformatangle=%s %n\n");
    const MeasureFormats formats = MeasureFormats::Read(&options);
    EXPECT_EQ(formats.distance, QStringLiteral("%.2f cm"));
    EXPECT_EQ(formats.angle, MeasureFormat::DefaultAngle()); // the user's format is unsafe

    NodeTable nodes;
    CMeasure plain(&nodes, &options, 0);
    EXPECT_EQ(plain.GetDistanceFormat(), MeasureFormat::DefaultDistance());
    auto installed = MeasureFormats::Install(formats);
    CMeasure dimension(&nodes, &options, 0);
    EXPECT_EQ(dimension.GetDistanceFormat(), QStringLiteral("%.2f cm"));
    EXPECT_EQ(CMeasure(dimension).GetDistanceFormat(), QStringLiteral("%.2f cm"));
}

TEST(MeasureFormat, MissingFilesLeaveTheDefaults)
{
    test::ScopedTestEnvironment env;
    COptions options;
    const MeasureFormats formats = MeasureFormats::Read(&options);
    EXPECT_EQ(formats.distance, MeasureFormat::DefaultDistance());
    EXPECT_EQ(formats.angle, MeasureFormat::DefaultAngle());
}

} // namespace
