#include "standards/PackageName.h"

#include <gtest/gtest.h>

using standards::PackageFamily;
using standards::PackageName;
using standards::ParsePackageName;

TEST(PackageNameTest, PackageNamesGiveFamilyNumberAndDate)
{
    struct Case {
        const char16_t* name;
        PackageFamily family;
        int number;
        const char* date;
    };
    const Case cases[] = {
        {u"F-03-01-080222.zip", PackageFamily::Fefco, 3, "20080222"},
        {u"E_12_00_991231.zip", PackageFamily::Ecma, 12, "20991231"},
        {u"T.01.02.000101", PackageFamily::Top, 1, "20000101"},
    };
    for (const Case& c : cases) {
        PackageName name;
        ASSERT_TRUE(ParsePackageName(QStringView(c.name), name)) << QString::fromUtf16(c.name).toStdString();
        EXPECT_EQ(name.family, c.family);
        EXPECT_EQ(name.number, c.number);
        EXPECT_EQ(name.DateText(), QLatin1String(c.date));
    }
}

TEST(PackageNameTest, AnythingElseIsNoPackage)
{
    const char16_t* const names[] = {
        u"f-03-01-080222.zip",      // lower-case family letter
        u"X-03-01-080222.zip",      // no family
        u"F-0a-01-080222.zip",      // number not digits
        u"F-03-01-08022x.zip",      // date not digits
        u"F-03-01-0802",            // too short
        u"../F-03-01-080222.zip",   // not a bare name
        u"F-03-01-080222/../x.zip", // a path
        u"F-03-01-080222 .zip",     // a blank
        u"F-03-01-080222\\x",       // a backslash
        u"",
    };
    for (const char16_t* text : names) {
        PackageName name;
        name.number = 77;
        EXPECT_FALSE(ParsePackageName(QStringView(text), name)) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(name.number, 77);
    }
}
