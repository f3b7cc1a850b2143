#include "platform/CFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <string>
#include <cstdio>

using platform::cformat;

TEST(CFormat, FormatsLikeTheCRuntime)
{
    struct Case {
        QString got;
        const char* want;
    };
    const Case cases[] = {
        {cformat("%d", 42), "42"},
        {cformat("%d", -7), "-7"},
        {cformat("%5d|%-5d|%05d", 3, 4, -5), "    3|4    |-0005"},
        {cformat("%f", 2.5), "2.500000"},
        {cformat("%.4f", 2.0), "2.0000"},
        {cformat("%.4f", -0.00004), "-0.0000"},
        {cformat("%#f", 3.0), "3.000000"},
        {cformat("%#.0f", 3.0), "3."},
        {cformat("%.0f", 2.5), "2"},
        {cformat("%7.3f", 3.14159), "  3.142"},
        {cformat("%7.3f", -3.14159), " -3.142"},
        {cformat("%+.1f", 1.25), "+1.2"},
        {cformat("%e", 12345.678), "1.234568e+04"},
        {cformat("%g", 0.0001), "0.0001"},
        {cformat("%g", 1e-5), "1e-05"},
        {cformat("%g", 1234567.0), "1.23457e+06"},
        {cformat("%X", 255), "FF"},
        {cformat("%02X%02X", 10, 0), "0A00"},
        {cformat("%x", -1), "ffffffff"},
        {cformat("%s=%ls", "key", QStringLiteral("wert")), "key=wert"},
        {cformat("%c", 65), "A"},
        {cformat("100%%"), "100%"},
        {cformat("%ld %I64d", 5L, 6LL), "5 6"},
        {cformat("L]%d]%f]", 2, 1.5), "L]2]1.500000]"},
        {cformat("%d %d", 1), "1 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, QString::fromUtf8(c.want));
}

TEST(CFormat, TheLargestValuesKeepEveryDigitAtAnyPrecision)
{
    // 309 integer digits, the point and as many decimals as asked for.
    const QString max = cformat("%.340f", -DBL_MAX);
    EXPECT_EQ(max.size(), 1 + 309 + 1 + 340);
    EXPECT_TRUE(max.startsWith(QLatin1String("-179769313486231570814527423731704356798070")));
    EXPECT_TRUE(max.endsWith(QLatin1Char('.') + QString(340, QLatin1Char('0'))));
    EXPECT_EQ(cformat("%.100f", 1e300).size(), 301 + 1 + 100);
}

TEST(CFormat, IgnoresTheProcessLocale)
{
    // Qt sets the process locale from the environment; this test sets a
    // decimal-comma one itself, so it proves something wherever it runs.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.utf8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine (scripts/setup.sh generates it)";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    const QString written = QString::fromLatin1(buffer);
    const QString formatted = cformat("%.1f", 1.5);
    const double parsed = platform::wtof(u"1.5");
    std::setlocale(LC_NUMERIC, previous.c_str());

    EXPECT_EQ(written, QLatin1String("1,5")) << "the locale in force writes a decimal comma";
    EXPECT_EQ(formatted, QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(parsed, 1.5);
}

TEST(CFormat, LeadingNumberConversions)
{
    struct IntCase {
        const char16_t* text;
        int want;
    };
    const IntCase ints[] = {
        {u"42", 42}, {u"  -17abc", -17}, {u"+8", 8}, {u"abc", 0}, {u"", 0},
        {u"5.7", 5}, {u"\t 12 34", 12}, {u"99999999999", INT_MAX}, {u"-99999999999", INT_MIN}, {u"- 3", 0},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(platform::wtoi(c.text), c.want) << QString::fromUtf16(c.text).toStdString();

    struct DoubleCase {
        const char16_t* text;
        double want;
    };
    const DoubleCase doubles[] = {
        {u"1.5", 1.5}, {u"  -2.25mm", -2.25}, {u".5", 0.5}, {u"5.", 5.0}, {u"1e3", 1000.0},
        {u"1e", 1.0}, {u"1e+", 1.0}, {u"2E-2x", 0.02}, {u"abc", 0.0}, {u".", 0.0}, {u"-", 0.0},
        {u"1,5", 1.0}, {u"inf", 0.0}, {u"nan", 0.0}, {u"0x10", 0.0}, {u"1e999", DBL_MAX},
        {u"-1e999", -DBL_MAX}, {u"1e-999", 0.0},
    };
    for (const DoubleCase& c : doubles)
        EXPECT_EQ(platform::wtof(c.text), c.want) << QString::fromUtf16(c.text).toStdString();

    // Digits that overflow on their own, brought back (or not) by the exponent.
    const QString ones = QStringLiteral("1") + QString(319, QLatin1Char('0'));
    const QString tiny = QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QLatin1Char('1');
    const struct {
        QString text;
        double want;
    } long_[] = {
        {ones + QStringLiteral("e-10"), DBL_MAX},            // 1e309
        {QLatin1Char('-') + ones + QStringLiteral("e-5"), -DBL_MAX},
        {ones + QStringLiteral("e-300"), 1e19},
        {tiny + QStringLiteral("e50"), 0.0},                  // 1e-351
        {tiny + QStringLiteral("e400"), 1e-1},
        {QStringLiteral("1e-99999999999999999999"), 0.0},
        {QStringLiteral("0.001e99999999999999999999"), DBL_MAX},
    };
    for (const auto& c : long_)
        EXPECT_EQ(platform::wtof(c.text), c.want) << c.text.left(20).toStdString() << "..." << c.text.right(8).toStdString();
}

TEST(CFormat, LeadingDoublesAreReadInPlace)
{
    // A line of coordinates walked number by number.
    const QStringView line = u"  12.5 -3e2\t.25x";
    double value = -1.0;
    qsizetype at = 0;
    QList<double> got;
    while (const qsizetype n = platform::readLeadingDouble(line.sliced(at), value)) {
        got.append(value);
        at += n;
    }
    EXPECT_EQ(got, (QList<double>{12.5, -300.0, 0.25}));
    EXPECT_EQ(line.sliced(at), QStringView(u"x"));
    EXPECT_EQ(value, 0.0);
}
