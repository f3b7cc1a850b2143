#include "support/ProcessGlobals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ProcessGlobals, ConstantTables)
{
    ProcessGlobals globals;
    EXPECT_EQ(globals.hexDigits, QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(globals.languageIdDigits, QStringLiteral("0123456789"));
    EXPECT_EQ(globals.splinePole, std::sqrt(3.0) - 2.0);
    EXPECT_EQ(globals.bridgeKindLabels[3], QStringLiteral("Ellipse"));
    EXPECT_FALSE(globals.traceLog.IsOpen());
    EXPECT_EQ(globals.traceLog.Mask(), 0);

    const QString& charset = globals.strokeFontCharset;
    ASSERT_EQ(charset.size(), 100);
    const struct {
        int index;
        char16_t c;
    } positions[] = {
        {0, u'a'}, {25, u'z'}, {26, u'A'}, {51, u'Z'}, {52, u'1'}, {61, u'0'}, {62, u'!'}, {63, u'@'},
        {80, u'\\'}, {83, u':'}, {85, u'"'}, {91, u'?'}, {92, u'\u00c4'}, {98, u'\u00df'}, {99, u'\u00b0'},
    };
    for (const auto& p : positions)
        EXPECT_EQ(charset[p.index], QChar(p.c)) << p.index;
    EXPECT_FALSE(charset.contains(QLatin1Char(' ')));
    EXPECT_FALSE(charset.contains(QLatin1Char('`')));
    EXPECT_FALSE(charset.contains(QLatin1Char('~')));
    for (QChar c : charset)
        EXPECT_EQ(charset.count(c), 1) << int(c.unicode());
}

TEST(ProcessGlobals, TheLastBuiltIsCurrentUntilItGoes)
{
    ProcessGlobals& before = ProcessGlobals::Current();
    {
        ProcessGlobals mine;
        EXPECT_EQ(&ProcessGlobals::Current(), &mine);
        FillHotKeyCommands(mine.hotKeyCommands);
        EXPECT_EQ(mine.hotKeyCommands[2].valueName, QStringLiteral("SHOW_PAN"));
    }
    EXPECT_EQ(&ProcessGlobals::Current(), &before);
    for (const HotKeyCommand& row : before.hotKeyCommands)
        EXPECT_TRUE(row.valueName.isEmpty());
}

TEST(ProcessGlobals, HotKeyRows)
{
    HotKeyCommandTable rows{};
    FillHotKeyCommands(rows);
    const struct {
        int index, level, caption, description, parent;
        const char* valueName;
    } want[] = {
        {0, 0, 1003, 1005, -1, ""},          {1, 0, 1006, 1005, -1, ""},
        {3, 1, 1004, 1001, 0, "SHOW_POINT"}, {8, 1, 1011, 1001, 1, "DEF_VERTPROJ"},
        {9, 1, 1057, 1057, 1, "DEF_INDLAST"}, {11, 1, 1058, 1058, 1, "DEF_LINECONT"},
        {13, 1, 1061, 1061, 1, ""},          {14, 1, 1062, 1062, 1, "DEF_PERPEND"},
    };
    for (const auto& w : want) {
        const HotKeyCommand& row = rows[std::size_t(w.index)];
        EXPECT_EQ(row.level, w.level) << w.index;
        EXPECT_EQ(row.captionId, w.caption) << w.index;
        EXPECT_EQ(row.descriptionId, w.description) << w.index;
        EXPECT_EQ(row.parentIndex, w.parent) << w.index;
        EXPECT_EQ(row.valueName, QString::fromLatin1(w.valueName)) << w.index;
        EXPECT_EQ(row.treeItem, 0u) << w.index;
    }
}

} // namespace
