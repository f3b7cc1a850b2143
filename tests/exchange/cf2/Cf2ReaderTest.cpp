#include "exchange/cf2/Cf2Reader.h"

#include "exchange/RecordingImporter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <numbers>

using importtest::Call;
using importtest::RecordingImporter;

namespace {

constexpr double kEps = 1e-9;

QByteArray Fixture(const char* name)
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/cf2/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The calls a file makes; the test fails when it is refused.
std::vector<Call> Read(const QByteArray& bytes)
{
    RecordingImporter importer;
    QString error;
    EXPECT_TRUE(cf2::Cf2Reader::Read(bytes, importer, &error)) << error.toStdString();
    return importer.calls;
}

void ExpectPoint(const die::coord& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, kEps);
    EXPECT_NEAR(p.y, y, kEps);
}

// Every figure kind, placed twice: the second copy turned by 90° about the
// origin and shifted by 100 in x; the attributes as the records give them.
TEST(Cf2Reader, PlacesEachFigureOfASubBlockAtEveryPlacement)
{
    const std::vector<Call> calls = Read(Fixture("placed_box.cf2"));
    ASSERT_EQ(calls.size(), 6u);
    // File order: the line at both placements, then the arc, then the text.
    EXPECT_EQ(calls[0].kind, Call::Line);
    ExpectPoint(calls[0].a, 0, 0);
    ExpectPoint(calls[0].b, 50, 0);
    ExpectPoint(calls[1].a, 100, 0);
    ExpectPoint(calls[1].b, 100, 50);
    EXPECT_EQ(calls[1].attributes.lineType, 1);
    EXPECT_EQ(calls[1].attributes.ptg, 2.0);
    EXPECT_EQ(calls[1].attributes.bridgeCount, 2);
    EXPECT_EQ(calls[1].attributes.bridgeWidth, 3.0);
    EXPECT_FALSE(calls[1].attributes.explicitBridges);

    EXPECT_EQ(calls[3].kind, Call::Arc);
    ExpectPoint(calls[3].a, 100, 0);  // centre
    ExpectPoint(calls[3].b, 100, 50); // start
    ExpectPoint(calls[3].c, 50, 0);   // end
    EXPECT_EQ(calls[3].flag, 1);
    EXPECT_EQ(calls[3].attributes.lineType, 3);
    EXPECT_EQ(calls[3].attributes.ptg, 2.5);

    EXPECT_EQ(calls[4].kind, Call::Text);
    EXPECT_EQ(calls[4].text, QStringLiteral("Box 12")); // no line end kept
    ExpectPoint(calls[4].a, 10, 10);
    EXPECT_NEAR(calls[4].angle, 0.0, kEps);
    ExpectPoint(calls[4].b, 3, 4); // advance, height
    EXPECT_EQ(calls[4].attributes.lineType, 5);
    ExpectPoint(calls[5].a, 90, 10);
    EXPECT_NEAR(calls[5].angle, std::numbers::pi / 2, kEps);
    ExpectPoint(calls[5].b, 3, 4); // the lengths do not turn with the text
    EXPECT_EQ(calls[5].flag, 0);
}

// Units, the main block, mirroring and the order of the records.
TEST(Cf2Reader, PlacementRules)
{
    const struct {
        const char* name;
        const char* file;
        std::vector<die::coord> points; // start and end of each figure's call, in order
        std::vector<int> flags;
    } cases[] = {
        {"main-block figures once, in millimetres", "L,2,1,0,0,0,1,0,0,0\n", {{0, 0}, {1, 0}}, {0}},
        {"inches", "UI\nL,2,1,0,0,0,1,0,0,0\nUM\nL,2,1,0,0,0,1,0,0,0\n", {{0, 0}, {25.4, 0}, {0, 0}, {1, 0}}, {0, 0}},
        {"unplaced sub-block into the main block", "C,A,5,5,0,1,1\nSUB,B\nL,2,1,0,0,0,1,0,0,0\n",
         {{0, 0}, {1, 0}}, {0}},
        {"mirrored arc reversed", "C,A,0,0,0,-1,1\nSUB,A\nA,2,1,0,10,0,0,10,0,0,1,0,0\n", {{0, 10}, {-10, 0}}, {1}},
        {"mirrored twice keeps the arc", "C,A,0,0,0,-1,-1\nSUB,A\nA,2,1,0,10,0,0,10,0,0,1,0,0\n",
         {{-10, 0}, {0, -10}}, {1}},
        {"clockwise arc", "A,2,1,0,10,0,0,10,0,0,-1,0,0\n", {{0, 10}, {10, 0}}, {1}},
        // Placements written after the figures still place them.
        {"main block last", "SUB,A\nL,2,1,0,0,0,1,0,0,0\nEND,\nC,A,10,0,0,2,1\n", {{10, 0}, {12, 0}}, {0}},
        {"non-numeric fields read as 0", "L,x,1,0,a,b,1,0,c,d\n", {{0, 0}, {1, 0}}, {0}},
        {"other records ignored", "$BOF\nV2\nMAIN,m\nLL,1,1\nSCALE,2,2\nEND\n; note\n", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Call> calls = Read(QByteArray(c.file));
        ASSERT_EQ(calls.size() * 2, c.points.size());
        for (size_t i = 0; i < calls.size(); ++i) {
            const bool arc = calls[i].kind == Call::Arc;
            ExpectPoint(arc ? calls[i].b : calls[i].a, c.points[2 * i].x, c.points[2 * i].y);
            ExpectPoint(arc ? calls[i].c : calls[i].b, c.points[2 * i + 1].x, c.points[2 * i + 1].y);
            EXPECT_EQ(calls[i].flag, c.flags[i]);
        }
    }
}

TEST(Cf2Reader, AMirroringPlacementMirrorsItsTexts)
{
    const std::vector<Call> calls = Read("C,A,0,0,0,-1,1\nC,A,0,0,0,1,1\nSUB,A\nT,2,1,0,1,2,0,5,4\nabc\n");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].flag, 1);
    ExpectPoint(calls[0].a, -1, 2);
    EXPECT_NEAR(calls[0].angle, std::numbers::pi, kEps);
    ExpectPoint(calls[0].b, 4, 5);
    EXPECT_EQ(calls[1].flag, 0);
}

// A text line longer than any fixed buffer stays one text and adds no record.
TEST(Cf2Reader, LongLinesStayWhole)
{
    const QByteArray text = "L,2,1,0,0,0,1,0,0,0" + QByteArray(300, 'x');
    const std::vector<Call> calls = Read("T,2,1,0,0,0,0,5,4\n" + text + "\n");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, QString::fromLatin1(text));
}

TEST(Cf2Reader, RefusesWhatCannotBeUsedWithItsLine)
{
    QByteArray manyBlocks;
    for (int i = 0; i < cf2::kMaxBlocks; ++i)
        manyBlocks += "C,B" + QByteArray::number(i) + ",0,0,0,1,1\n";
    QByteArray manyPlacements;
    for (int i = 0; i <= cf2::kMaxPlacements; ++i)
        manyPlacements += "C,B,0,0,0,1,1\n";
    QByteArray manyFigures = manyPlacements.left(manyPlacements.size() - 14) + "SUB,B\n";
    for (int i = 0; i <= cf2::kMaxFigures / cf2::kMaxPlacements; ++i)
        manyFigures += "L,2,1,0,0,0,1,0,0,0\n";
    const struct {
        const char* name;
        QByteArray file;
        const char* reason;
    } cases[] = {
        {"text without its text", "L,2,1,0,0,0,1,0,0,0\nT,2,1,0,0,0,0,5,4", "line 2: a text record without"},
        {"placement without a name", "C,,0,0,0,1,1\n", "line 1: a placement names no"},
        {"bridge count above the limit", "L,2,1,0,0,0,1,0,101,3\n", "bridge count"},
        {"negative bridge count", "A,2,1,0,0,0,1,0,0,0,1,-1,3\n", "bridge count"},
        {"line type out of range", "\n\nL,2,1e12,0,0,0,1,0,0,0\n", "line 3: the line type"},
        {"too many sub-blocks", manyBlocks, "more than 99 sub-blocks"},
        {"too many placements", manyPlacements, "placed more than 300 times"},
        {"too many figures", manyFigures, "more than 1000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingImporter importer;
        QString error;
        EXPECT_FALSE(cf2::Cf2Reader::Read(c.file, importer, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(importer.calls.empty()); // nothing handed over from a refused file
    }
}

} // namespace
