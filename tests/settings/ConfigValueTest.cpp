#include "settings/ConfigValue.h"
#include "settings/HexDigits.h"
#include "settings/SectionMap.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigValue, HexDigitsAreUpperCaseInValueOrder)
{
    EXPECT_EQ(HexDigits(), u"0123456789ABCDEF");
}

TEST(ConfigValue, FormatDoubleStripsZerosThenThePoint)
{
    const struct {
        double value;
        const char* want;
    } cases[] = {
        {2.5, "2.5"}, {3.0, "3"}, {0.0001, "0.0001"}, {-0.0, "-0"}, {10.0, "10"},
        {100.5, "100.5"}, {1e-7, "0"}, {-12.125, "-12.125"}, {1234567.0, "1234567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfigValue::FormatDouble(c.value), QString::fromLatin1(c.want)) << c.value;
}

TEST(ConfigValue, ParseColourIsRedFirst)
{
    const struct {
        const char* text;
        std::uint32_t want;
    } cases[] = {
        {"#0000FF", 16711680u}, {"#00ff00", 65280u}, {"#FF0000", 255u}, {"#123456", 0x563412u},
        {"#12345", 0u}, {"red", 0u}, {"#GG0000", 0u}, {"#G10000", 1u}, {"", 0u}, {"0FF00000", 0u},
        // Only the hexadecimal letters are upper-cased: "ß" stays one
        // character (counting 0), and "ﬀ" does not become the digits "FF".
        {"#12345\u00DF", 0x503412u}, {"#\uFB00\uFB00\uFB00", 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfigValue::ParseColour(QString::fromUtf8(c.text)), c.want) << c.text;
}

TEST(ConfigValue, IsColourTextWantsUpperCaseDigits)
{
    EXPECT_TRUE(ConfigValue::IsColourText(QStringLiteral("#00AAFF")));
    EXPECT_FALSE(ConfigValue::IsColourText(QStringLiteral("#00aaff")));
    EXPECT_FALSE(ConfigValue::IsColourText(QStringLiteral("#00AAF")));
    EXPECT_FALSE(ConfigValue::IsColourText(QStringLiteral("000AAFF")));
    EXPECT_FALSE(ConfigValue::IsColourText(QStringLiteral("#00AAFG")));
}

TEST(ConfigValue, EqualsApproxComparesByType)
{
    const struct {
        const char* a;
        const char* b;
        int type;
        bool want;
    } cases[] = {
        {"1.00001", "1.00002", ConfigDouble, true},
        {"1", "1.0002", ConfigDouble, false},
        {"0", "0.0001", ConfigDouble, false},   // strictly less than 0.0001
        {"1.5", "1.50004", ConfigDouble, true},
        {"5", "5.7", ConfigInt, true},
        {"5", "6", ConfigInt, false},
        {"abc", "", ConfigInt, true},           // both read as 0
        {"#ff0000", "#FF0000", ConfigColour, true},
        {"#ff0000", "#FF0001", ConfigColour, false},
        {"red", "red", ConfigColour, false},    // identical but not colours
        {"#1234\uFB00", "#1234FF", ConfigColour, false},   // "ﬀ" is no pair of digits
        {"1.5", "1.50", ConfigUntyped, false},
        {"a", "A", ConfigText, false},
        {"a", "a", ConfigText, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfigValue::EqualsApprox(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.type), c.want)
            << c.a << " / " << c.b << " type " << c.type;
}

TEST(ConfigValue, EqualsComparesByTheValuesType)
{
    const struct {
        const char* value;
        int type;
        const char* text;
        bool want;
    } cases[] = {
        {"0.1", ConfigDouble, "0.10", true},
        {"0.1", ConfigDouble, "0.1000001", false},
        {"0.5", ConfigDouble, "0.50", true},
        {"7", ConfigInt, "7.9", true},
        {"#ff0000", ConfigColour, "#FF0000", true},
        {"red", ConfigColour, "blue", true},    // both malformed: both 0
        {"#ff0000", ConfigColour, "#FF0001", false},
        {"1", ConfigUntyped, "1.0", false},
        {"x", ConfigText, "X", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfigValue::Equals(ConfigValue{QString::fromLatin1(c.value), c.type}, QString::fromLatin1(c.text)),
                  c.want)
            << c.value << " / " << c.text;
}

TEST(SectionMap, KeysIgnoreCaseAndKeepTheFirstSpelling)
{
    SectionMap map;
    map.SetString(QStringLiteral("port"), QStringLiteral("COM1"));
    map.SetInt(QStringLiteral("PORT"), 2);
    ASSERT_EQ(map.Size(), 1u);
    EXPECT_EQ(map.begin()->first, QStringLiteral("port"));
    EXPECT_EQ(map.GetText(QStringLiteral("Port")), QStringLiteral("2"));
    EXPECT_EQ(map.begin()->second.type, ConfigInt);

    map.SetText(QStringLiteral("B"), QStringLiteral("x"));
    map.SetText(QStringLiteral("a"), QStringLiteral("y"));
    QStringList order;
    for (const auto& [key, value] : map)
        order << key;
    EXPECT_EQ(order, (QStringList{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("port")}));
}

TEST(SectionMap, AbsentKeysChangeNothing)
{
    SectionMap map;
    EXPECT_EQ(map.GetText(QStringLiteral("none")), QString());
    EXPECT_TRUE(map.IsEmpty());
    int i = 42;
    double d = 4.2;
    QString s = QStringLiteral("keep");
    EXPECT_FALSE(map.GetInt(QStringLiteral("none"), i));
    EXPECT_FALSE(map.GetDouble(QStringLiteral("none"), d));
    EXPECT_FALSE(map.GetString(QStringLiteral("none"), s));
    EXPECT_FALSE(map.SetType(QStringLiteral("none"), ConfigInt));
    EXPECT_EQ(i, 42);
    EXPECT_EQ(d, 4.2);
    EXPECT_EQ(s, QStringLiteral("keep"));
    EXPECT_TRUE(map.IsEmpty());
}

TEST(SectionMap, ReadingSetsTheTypeAndConverts)
{
    SectionMap map;
    map.SetText(QStringLiteral("k"), QStringLiteral("abc"));
    EXPECT_EQ(map.Find(QStringLiteral("k"))->type, ConfigUntyped);

    int i = 7;
    EXPECT_TRUE(map.GetInt(QStringLiteral("K"), i));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(map.Find(QStringLiteral("k"))->type, ConfigInt);

    map.SetText(QStringLiteral("k"), QStringLiteral(" 2.5mm"));   // keeps the type
    EXPECT_EQ(map.Find(QStringLiteral("k"))->type, ConfigInt);
    double d = 0;
    EXPECT_TRUE(map.GetDouble(QStringLiteral("k"), d));
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(map.Find(QStringLiteral("k"))->type, ConfigDouble);

    EXPECT_TRUE(map.SetType(QStringLiteral("k"), ConfigUntyped));   // also lowers
    EXPECT_EQ(map.Find(QStringLiteral("k"))->type, ConfigUntyped);
}

TEST(SectionMap, SettersWriteTheirTextForm)
{
    SectionMap map;
    map.SetInt(QStringLiteral("i"), -12);
    map.SetDouble(QStringLiteral("d"), 3.0);
    map.SetString(QStringLiteral("s"), QStringLiteral(" a b "));
    EXPECT_EQ(map.GetText(QStringLiteral("i")), QStringLiteral("-12"));
    EXPECT_EQ(map.GetText(QStringLiteral("d")), QStringLiteral("3"));
    EXPECT_EQ(map.GetText(QStringLiteral("s")), QStringLiteral(" a b "));
    EXPECT_EQ(map.Find(QStringLiteral("d"))->type, ConfigDouble);
    EXPECT_EQ(map.Find(QStringLiteral("s"))->type, ConfigText);
}

} // namespace
