#include "options/LanguageTable.h"

#include "common/TempDir.h"
#include "platform/Paths.h"
#include "settings/ProfileStore.h"

#include <gtest/gtest.h>

namespace {

// A settings pair whose defaults name the language files and the order.
class LanguageTableTest : public ::testing::Test {
protected:
    void Settings(const QByteArray& languageSection)
    {
        env.dir().write(QStringLiteral("app/Defaults/settings.ini"), "[language]\n" + languageSection);
        store.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
        store.AddFile(QStringLiteral("\\Config\\settings.cfg"));
    }
    void File(const QString& name, const QByteArray& text) { env.dir().write(QStringLiteral("app/") + name, text); }

    test::ScopedTestEnvironment env;
    ProfileStore store;
};

TEST_F(LanguageTableTest, BestLanguageWinsAndTheLaterLineOfOneLanguage)
{
    Settings("set0=lang\\one.lng\nset1=lang\\two.lng\norder=GER,ENG\n");
    File(QStringLiteral("lang/one.lng"), "[5]\nENG=Open\nGER=\xC3\x96" "ffnen\n");
    File(QStringLiteral("lang/two.lng"), "[5]\nENG=Open file\n");
    LanguageTable table(store);
    EXPECT_EQ(table.Translate(5), QStringLiteral("\u00d6ffnen"));

    store.SelectSection(QStringLiteral("language"));
    store.SetString(QStringLiteral("order"), QStringLiteral("ENG,GER"));
    table.ReloadOrder(store);
    EXPECT_EQ(table.Translate(5), QStringLiteral("Open file"));
}

TEST_F(LanguageTableTest, HeadersAndTranslationLines)
{
    Settings("set0=a.lng\norder=ENG\n");
    File(QStringLiteral("a.lng"), "ENG=before any header\n"
                                  "  [12a]  \n ENG=key 12a \n"
                                  "[ 12]\nENG=key blank 12\n"
                                  "[12\nENG=id 1\n"
                                  "[007]\nENG=id 7\nENG = ignored\n"
                                  "[]\nENG=id 0\n"
                                  "[construct]\nENG=Construct text\n"
                                  "[8]\nENG=\n"
                                  "[9]\nGER=not in the order\nno equals sign\n=x\n");
    LanguageTable table(store);
    const struct {
        int id;
        const char* want;
    } ids[] = {{1, "id 1"}, {7, "id 7"}, {0, "id 0"}, {8, ""}, {9, "<9>"}, {9999, "<9999>"}, {-1, "<-1>"}};
    for (const auto& c : ids)
        EXPECT_EQ(table.Translate(c.id), QString::fromUtf8(c.want)) << c.id;
    const struct {
        const char* key;
        const char* want;
    } keys[] = {{"12a", "key 12a"}, {" 12", "key blank 12"}, {"Construct", "Construct text"},
                {"CONSTRUCT", "Construct text"}, {"Missing", "Missing"}};
    for (const auto& c : keys)
        EXPECT_EQ(table.TranslateKey(QString::fromUtf8(c.key)), QString::fromUtf8(c.want)) << c.key;
}

TEST_F(LanguageTableTest, EachFileStartsWithNoEntryInForce)
{
    Settings("set0=one.lng\nset1=two.lng\norder=ENG\n");
    File(QStringLiteral("one.lng"), "[3]\nENG=three\n");
    File(QStringLiteral("two.lng"), "ENG=would overwrite three\n[4]\nENG=four\n");
    LanguageTable table(store);
    EXPECT_EQ(table.Translate(3), QStringLiteral("three"));
    EXPECT_EQ(table.Translate(4), QStringLiteral("four"));
}

TEST_F(LanguageTableTest, AbsentSettingsNameNoFileAndNoLanguage)
{
    // "set1" and "order" are absent: no second file and an empty order, not
    // the text of the key read before.
    Settings("set0=one.lng\n");
    File(QStringLiteral("one.lng"), "[3]\nENG=three\n");
    LanguageTable table(store);
    EXPECT_EQ(table.Files(), QStringList{platform::appFolder() + QStringLiteral("one.lng")});
    EXPECT_TRUE(table.Priority().empty());
    EXPECT_EQ(table.Translate(3), QStringLiteral("<3>"));
}

TEST_F(LanguageTableTest, OrderPositionsAndMissingFiles)
{
    Settings("set0=missing.lng\nset1=C:\\lang\\two.lng\norder=,ENG,,GER,ENG\n");
    env.dir().write(QStringLiteral("user/lang/two.lng"), "[1]\nGER=eins\n");
    LanguageTable table(store);
    EXPECT_EQ(table.Priority(), (std::map<QString, int>{{QStringLiteral("ENG"), 2}, {QStringLiteral("GER"), 1}}));
    EXPECT_EQ(table.Files().last(), QStringLiteral("C:\\lang\\two.lng"));
    EXPECT_EQ(table.Translate(1), QStringLiteral("eins"));
}

TEST_F(LanguageTableTest, LongLinesStayWhole)
{
    Settings("set0=a.lng\norder=ENG\n");
    const QByteArray longText(3000, 'x');
    File(QStringLiteral("a.lng"), "[1]\nENG=" + longText + "=tail\n");
    LanguageTable table(store);
    EXPECT_EQ(table.Translate(1), QString::fromLatin1(longText + "=tail"));
}

TEST_F(LanguageTableTest, GlobalShortcutsUseThePublishedTable)
{
    Settings("set0=a.lng\norder=ENG\n");
    File(QStringLiteral("a.lng"), "[1]\nENG=one\n[Key]\nENG=key text\n");
    LanguageTable table(store);
    ASSERT_EQ(LanguageTable::Current(), nullptr) << "a table left installed by another test";
    EXPECT_EQ(Translate(1), QStringLiteral("<1>"));
    EXPECT_EQ(TranslateKey(QStringLiteral("key")), QStringLiteral("key"));
    EXPECT_EQ(LanguageOrderBegin(), LanguageOrderEnd());

    {
        auto installed = LanguageTable::Install(table);
        EXPECT_EQ(Translate(1), QStringLiteral("one"));
        EXPECT_EQ(TranslateKey(QStringLiteral("key")), QStringLiteral("key text"));
        ASSERT_NE(LanguageOrderBegin(), LanguageOrderEnd());
        EXPECT_EQ(LanguageOrderBegin()->first, QStringLiteral("ENG"));
    }
    EXPECT_EQ(Translate(1), QStringLiteral("<1>"));
}

} // namespace
