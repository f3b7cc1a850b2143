#include "display/StrokeFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

namespace {

using Stroke = std::array<int, 4>;

std::vector<Stroke> strokesOf(const StrokeFont::Glyph& g)
{
    std::vector<Stroke> result;
    for (int j = 0; j <= g.last; ++j)
        result.push_back({g.x1[j], g.y1[j], g.x2[j], g.y2[j]});
    return result;
}

const StrokeFont::Glyph& glyphOf(QChar c)
{
    return *StrokeFont::GlyphAt(StrokeFont::IndexOf(c));
}

} // namespace

TEST(StrokeFont, GlyphsFollowTheCharsetOrder)
{
    const QStringView charset = StrokeFont::Charset();
    ASSERT_EQ(charset.size(), StrokeFont::GlyphCount);
    EXPECT_EQ(StrokeFont::DrawnCharacters(), charset);
    EXPECT_EQ(StrokeFont::IndexOf(QLatin1Char('a')), 0);
    EXPECT_EQ(StrokeFont::IndexOf(QLatin1Char('0')), 61);
    EXPECT_EQ(StrokeFont::IndexOf(QChar(0x00B0)), 99);
    EXPECT_EQ(StrokeFont::IndexOf(QLatin1Char(' ')), -1);
    EXPECT_EQ(StrokeFont::IndexOf(QLatin1Char('~')), -1);
    EXPECT_EQ(StrokeFont::GlyphAt(-1), nullptr);
    EXPECT_EQ(StrokeFont::GlyphAt(100), nullptr);
}

TEST(StrokeFont, CharsetHoldsEachCharacterOnceInTableOrder)
{
    const QStringView charset = StrokeFont::Charset();
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

TEST(StrokeFont, TheThreeGivenRecords)
{
    EXPECT_EQ(strokesOf(glyphOf(QLatin1Char('a'))),
              (std::vector<Stroke>{{1, 0, 0, 1}, {0, 1, 0, 3}, {0, 3, 1, 4}, {1, 4, 3, 4},
                                   {3, 4, 3, 1}, {3, 1, 2, 0}, {2, 0, 1, 0}, {3, 1, 4, 0}}));
    EXPECT_EQ(strokesOf(glyphOf(QLatin1Char('A'))),
              (std::vector<Stroke>{{0, 0, 0, 5}, {0, 5, 1, 6}, {1, 6, 3, 6}, {3, 6, 4, 5}, {4, 5, 4, 0}, {0, 3, 4, 3}}));
    EXPECT_EQ(strokesOf(glyphOf(QLatin1Char('1'))), (std::vector<Stroke>{{1, 5, 2, 6}, {2, 6, 2, 0}}));
}

TEST(StrokeFont, EveryRecordKeepsTheLayoutAndLimits)
{
    for (int i = 0; i < StrokeFont::GlyphCount; ++i) {
        const StrokeFont::Glyph& g = *StrokeFont::GlyphAt(i);
        SCOPED_TRACE(StrokeFont::Charset().mid(i, 1).toString().toStdString());
        ASSERT_GE(g.last, 0);
        ASSERT_LT(g.last, StrokeFont::MaxUsedStrokes);
        for (const Stroke& s : strokesOf(g)) {
            EXPECT_TRUE(s[0] >= 0 && s[0] <= 4 && s[2] >= 0 && s[2] <= 4);
            EXPECT_TRUE(s[1] >= StrokeFont::MinY && s[1] <= StrokeFont::MaxY && s[3] >= StrokeFont::MinY
                        && s[3] <= StrokeFont::MaxY);
        }
        for (int j = g.last + 1; j < StrokeFont::MaxStrokes; ++j)
            EXPECT_TRUE(g.x1[j] == 0 && g.y1[j] == 0 && g.x2[j] == 0 && g.y2[j] == 0);
    }
}

// g, j, p, q and y reach below the baseline (so that they do not read as 9, J,
// P, 9 and Y); every other letter stands on it.
TEST(StrokeFont, OnlyTheDescendingLettersReachBelowTheBaseline)
{
    const QString descending = QStringLiteral("gjpqy");
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        int lowest = 100;
        for (const Stroke& s : strokesOf(glyphOf(QChar(c))))
            lowest = std::min({lowest, s[1], s[3]});
        EXPECT_EQ(lowest, descending.contains(QChar(c)) ? StrokeFont::MinY : 0) << char(c);
    }
}

// The dots of Ä Ö Ü ä ö ü are two short upright marks, apart from each other
// and above the rest of the letter (two bars side by side read as a macron).
TEST(StrokeFont, UmlautsHaveTwoDotsAboveTheLetter)
{
    for (const char16_t c : {u'\u00C4', u'\u00D6', u'\u00DC', u'\u00E4', u'\u00F6', u'\u00FC'}) {
        std::vector<Stroke> strokes = strokesOf(glyphOf(QChar(c)));
        ASSERT_GE(strokes.size(), 3u);
        const std::vector<Stroke> dots(strokes.end() - 2, strokes.end());
        strokes.resize(strokes.size() - 2);
        int top = -100;
        for (const Stroke& s : strokes)
            top = std::max({top, s[1], s[3]});
        for (const Stroke& dot : dots) {
            EXPECT_EQ(dot[0], dot[2]) << "upright, " << int(c);
            EXPECT_EQ(std::abs(dot[3] - dot[1]), 1) << "short, " << int(c);
            EXPECT_GT(std::min(dot[1], dot[3]), top) << "above the letter, " << int(c);
        }
        EXPECT_GE(std::abs(dots[0][0] - dots[1][0]), 2) << "apart, " << int(c);
    }
}

// Only the dot of the j and the last stroke of the degree sign have zero length.
TEST(StrokeFont, ZeroLengthStrokesOfJAndTheDegreeSign)
{
    std::vector<std::tuple<QChar, int, Stroke>> zeroLength;
    for (int i = 0; i < StrokeFont::GlyphCount; ++i) {
        const auto strokes = strokesOf(*StrokeFont::GlyphAt(i));
        for (size_t j = 0; j < strokes.size(); ++j)
            if (strokes[j][0] == strokes[j][2] && strokes[j][1] == strokes[j][3])
                zeroLength.emplace_back(StrokeFont::Charset()[i], static_cast<int>(j), strokes[j]);
    }
    EXPECT_EQ(zeroLength, (std::vector<std::tuple<QChar, int, Stroke>>{
                              {QLatin1Char('j'), 5, {3, 6, 3, 6}}, {QChar(0x00B0), 6, {0, 0, 0, 0}}}));
    EXPECT_EQ(glyphOf(QChar(0x00B0)).last, 6);
}

// No two characters share a drawing, whatever the order of their strokes.
TEST(StrokeFont, EveryGlyphIsDistinct)
{
    std::set<std::set<Stroke>> seen;
    for (int i = 0; i < StrokeFont::GlyphCount; ++i) {
        std::set<Stroke> shape;
        for (Stroke s : strokesOf(*StrokeFont::GlyphAt(i))) {
            if (std::tie(s[2], s[3]) < std::tie(s[0], s[1]))
                s = {s[2], s[3], s[0], s[1]};
            shape.insert(s);
        }
        EXPECT_TRUE(seen.insert(shape).second) << "glyph " << i << " repeats an earlier one";
    }
}

// So that the glyph paths give every glyph a starting point of its own even
// when strokes are joined across glyphs.
TEST(StrokeFont, NoGlyphStartsWhereThePreviousOneEnds)
{
    for (int i = 1; i < StrokeFont::GlyphCount; ++i) {
        auto previous = strokesOf(*StrokeFont::GlyphAt(i - 1));
        while (previous.back()[0] == previous.back()[2] && previous.back()[1] == previous.back()[3])
            previous.pop_back(); // zero-length strokes add no point
        const Stroke first = strokesOf(*StrokeFont::GlyphAt(i)).front();
        EXPECT_FALSE(first[0] == previous.back()[2] && first[1] == previous.back()[3])
            << "glyph " << i << " starts where glyph " << i - 1 << " ends";
    }
}
