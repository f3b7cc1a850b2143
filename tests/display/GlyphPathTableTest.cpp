#include "display/GlyphPathTable.h"
#include "display/StrokeFont.h"

#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct PathPoint {
    double x, y;
    int draw;
    friend bool operator==(const PathPoint&, const PathPoint&) = default;
    friend std::ostream& operator<<(std::ostream& os, const PathPoint& p)
    {
        return os << '(' << p.x << ", " << p.y << (p.draw ? " draw)" : " move)");
    }
};

// The points of a character's path in grid units (times 6), rounded.
std::vector<PathPoint> pointsOf(const GlyphPathTable& table, char16_t code)
{
    std::vector<PathPoint> result;
    const GlyphPath path = table.Lookup(code);
    const GlyphPoint* p = path.first;
    for (int i = 0; i < path.count; ++i, p = p->next)
        result.push_back({std::round(p->x * 6 * 1e6) / 1e6, std::round(p->y * 6 * 1e6) / 1e6, p->draw});
    return result;
}

class BuiltFont : public testing::Test {
protected:
    static void SetUpTestSuite() { BuildGlyphPaths(table); }
    static inline GlyphPathTable table;
};

} // namespace

TEST_F(BuiltFont, PointCountsOfAAnd1)
{
    EXPECT_EQ(pointsOf(table, u'a'),
              (std::vector<PathPoint>{{1, 0, 0}, {0, 1, 1}, {0, 3, 1}, {1, 4, 1}, {3, 4, 1}, {3, 1, 1},
                                      {2, 0, 1}, {1, 0, 1}, {3, 1, 0}, {4, 0, 1}}));
    EXPECT_EQ(pointsOf(table, u'A'), (std::vector<PathPoint>{{0, 0, 0}, {0, 5, 1}, {1, 6, 1}, {3, 6, 1},
                                                             {4, 5, 1}, {4, 0, 1}, {0, 3, 0}, {4, 3, 1}}));
    EXPECT_EQ(table.Lookup(u'1').count, 3);
}

TEST_F(BuiltFont, TheBlankHasNoPathAndTheJNoDot)
{
    const GlyphPath blank = table.Lookup(u' ');
    EXPECT_EQ(blank.first, nullptr);
    EXPECT_EQ(blank.count, 0);
    EXPECT_EQ(pointsOf(table, u'j'), (std::vector<PathPoint>{{2, 4, 0}, {3, 4, 1}, {3, -1, 1}, {2, -2, 1},
                                                             {1, -2, 1}, {0, -1, 1}}));
    EXPECT_EQ(pointsOf(table, u'\u00B0').size(), 7u); // the ring; its zero-length stroke adds nothing
}

// Every character has its own path starting with a move, and the paths lie in
// one chain, glyph after glyph.
TEST_F(BuiltFont, EveryGlyphStartsWithAMoveInOneChain)
{
    const QStringView charset = StrokeFont::Charset();
    const GlyphPoint* expectedFirst = table.Lookup(charset[0].unicode()).first;
    for (const QChar c : charset) {
        const GlyphPath path = table.Lookup(c.unicode());
        ASSERT_GT(path.count, 1) << QString(c).toStdString();
        EXPECT_EQ(path.first, expectedFirst) << QString(c).toStdString();
        EXPECT_EQ(path.first->draw, 0) << QString(c).toStdString();
        const GlyphPoint* p = path.first;
        for (int i = 1; i < path.count; ++i)
            p = p->next;
        expectedFirst = p->next;
    }
    EXPECT_EQ(expectedFirst, nullptr);
}

TEST(GlyphPathTable, StrokesThatMeetInOrderBecomeOnePolyline)
{
    GlyphPathTable table;
    table.BeginGlyph(u'x');
    table.AddStroke({0, 0}, {1, 0});
    table.AddStroke({1, 0.0000005}, {1, 1}); // meets within 1e-6
    table.AddStroke({0, 1}, {1, 1});         // ends where the last stroke ends: a new stroke
    table.AddStroke({2, 2}, {2, 2.0000005}); // too short: nothing
    EXPECT_EQ(pointsOf(table, u'x'),
              (std::vector<PathPoint>{{0, 0, 0}, {6, 0, 1}, {6, 6, 1}, {0, 6, 0}, {6, 6, 1}}));
}

TEST(GlyphPathTable, AGlyphNeverContinuesThePreviousOne)
{
    GlyphPathTable table;
    table.AddStroke({0, 0}, {1, 1}); // no glyph begun: nothing
    table.BeginGlyph(u'p');
    table.AddStroke({0, 0}, {1, 1});
    table.BeginGlyph(u'q');
    table.AddStroke({1, 1}, {2, 2}); // starts where p ended
    EXPECT_EQ(pointsOf(table, u'p').size(), 2u);
    EXPECT_EQ(pointsOf(table, u'q'), (std::vector<PathPoint>{{6, 6, 0}, {12, 12, 1}}));

    table.BeginGlyph(u'p'); // begun again: empty, its old points stay in the chain
    EXPECT_EQ(table.Lookup(u'p').count, 0);
    table.AddStroke({3, 3}, {4, 4});
    EXPECT_EQ(pointsOf(table, u'p'), (std::vector<PathPoint>{{18, 18, 0}, {24, 24, 1}}));
}
