#include "exchange/dd3/Dd3Reader.h"

#include "exchange/RecordingImporter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <numbers>

using importtest::Call;
using importtest::RecordingImporter;

namespace {

constexpr double kEps = 1e-9;

std::vector<Call> Read(const QByteArray& bytes)
{
    RecordingImporter importer;
    QString error;
    EXPECT_TRUE(dd3::Dd3Reader::Read(bytes, importer, &error)) << error.toStdString();
    return importer.calls;
}

void ExpectPoint(const die::coord& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, kEps);
    EXPECT_NEAR(p.y, y, kEps);
}

// Every record kind, and an inclusion turned and mirrored in x.
TEST(Dd3Reader, ReadsEveryRecordKindAndPlacesInclusions)
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/dd3/nested.dd3"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<Call> calls = Read(file.readAll());
    ASSERT_EQ(calls.size(), 8u); // "unused" is included by nothing
    // Lines, circles, arcs, corners, texts, then the included block.
    EXPECT_EQ(calls[0].kind, Call::Line);
    ExpectPoint(calls[0].b, 10, 0);
    EXPECT_EQ(calls[0].attributes.ptg, 2.0);
    EXPECT_EQ(calls[0].attributes.bridgeCount, 2);
    EXPECT_EQ(calls[0].attributes.bridgeWidth, 3.0);

    EXPECT_EQ(calls[1].kind, Call::Arc); // the circle: start and end on it
    ExpectPoint(calls[1].a, 50, 50);
    ExpectPoint(calls[1].b, 55, 50);
    ExpectPoint(calls[1].c, 55, 50);
    EXPECT_TRUE(calls[1].attributes.explicitBridges);
    ASSERT_EQ(calls[1].attributes.bridges.size(), 1u); // kind X is not a bridge
    EXPECT_EQ(calls[1].attributes.bridges[0].kind, 0);
    EXPECT_EQ(calls[1].attributes.bridges[0].position, 2.5);
    EXPECT_EQ(calls[1].attributes.bridges[0].value, 1.0);

    EXPECT_EQ(calls[2].flag, 1); // the arc, counter-clockwise
    EXPECT_NEAR(calls[2].attributes.ptg, 2.0, kEps); // 0.7112 mm in points
    EXPECT_EQ(calls[3].flag, 0); // the corner, clockwise
    EXPECT_EQ(calls[3].attributes.ptg, 1.0);
    EXPECT_EQ(calls[3].attributes.lineType, 4);

    EXPECT_EQ(calls[4].kind, Call::Text);
    EXPECT_EQ(calls[4].text, QStringLiteral("Hello"));
    ExpectPoint(calls[4].b, 25.4, 25.4); // 72 points
    EXPECT_EQ(calls[4].flag, 0);

    // "part": mirrored in x, turned by 90°, moved to (100, 0).
    ExpectPoint(calls[5].a, 100, 0);
    ExpectPoint(calls[5].b, 100, -20);
    EXPECT_EQ(calls[6].kind, Call::Arc); // mirrored: now clockwise
    ExpectPoint(calls[6].a, 100, 0);
    ExpectPoint(calls[6].b, 100, -10);
    ExpectPoint(calls[6].c, 90, 0);
    EXPECT_EQ(calls[6].flag, 0);
    // The mirrored text runs the other way, justified at its right end.
    EXPECT_EQ(calls[7].text, QStringLiteral("AB"));
    EXPECT_EQ(calls[7].flag, 1);
    EXPECT_NEAR(calls[7].angle, 3 * std::numbers::pi / 2, kEps);
    ExpectPoint(calls[7].a, 100, 50.8);
}

TEST(Dd3Reader, UnitsAndBridges)
{
    const QByteArray head = "DDES3.0\nI\nSIZE\nDESIGN d 1 2 3\n";
    std::vector<Call> calls = Read(head + "LINE l 0 0 1 0 1 0 P2 0\nBRIDGE C 1 2\nTEXT t 0 0 72 0 1\nx\nEND\n");
    ASSERT_EQ(calls.size(), 2u);
    ExpectPoint(calls[0].b, 25.4, 0);
    EXPECT_EQ(calls[0].attributes.ptg, 2.0);
    EXPECT_TRUE(calls[0].attributes.bridges.empty()); // its bridges token is not negative
    ExpectPoint(calls[1].b, 25.4, 25.4);              // text sizes are points whatever the unit
    calls = Read(head + "LINE l 0 0 1 0 1 0 1 -1\nBRIDGE R 1 2\nEOF\nLINE m 0 0 1 0 1 0 1 0\n");
    ASSERT_EQ(calls.size(), 1u); // nothing after EOF
    EXPECT_NEAR(calls[0].attributes.ptg, 25.4 / 0.3556, 1e-9);
    ASSERT_EQ(calls[0].attributes.bridges.size(), 1u);
    EXPECT_EQ(calls[0].attributes.bridges[0].kind, 2);
    EXPECT_EQ(calls[0].attributes.bridges[0].position, 2 * 25.4);
}

TEST(Dd3Reader, RefusesWhatCannotBeUsed)
{
    const QByteArray head = "DDES3.0\nM\nSIZE\n";
    QByteArray deep = head;
    for (int i = 0; i <= dd3::kMaxDepth; ++i)
        deep += "BLOCK b" + QByteArray::number(i) + " 1 2 3\nINCLUDE b" + QByteArray::number(i + 1)
                + " x 0 0 0 0 0\nEND\n";
    QByteArray wide = head;
    for (int i = 0; i < 20; ++i) { // each block twice the one after it: 2^20 lines
        const QByteArray next = QByteArray::number(i + 1);
        wide += "BLOCK b" + QByteArray::number(i) + " 1 2 3\nINCLUDE b" + next + " x 0 0 0 0 0\nINCLUDE b" + next
                + " x 1 0 0 0 0\nEND\n";
    }
    wide += "BLOCK b20 1 2 3\nLINE l 0 0 1 0 1 0 1 0\nEND\n";
    const struct {
        const char* name;
        QByteArray file;
        const char* reason;
    } cases[] = {
        {"no block", head + "LINE l 0 0 1 0 1 0 1 0\n", "defines no block"},
        {"text without its text", head + "BLOCK b 1 2 3\nTEXT t 0 0 72 0 1", "line 5: a text record without"},
        {"too many bridges", head + "BLOCK b 1 2 3\nLINE l 0 0 1 0 1 0 1 101\n", "line 5: more than 100 bridges"},
        {"cycle", head + "BLOCK a 1 2 3\nINCLUDE b x 0 0 0 0 0\nEND\nBLOCK b 1 2 3\nINCLUDE a x 0 0 0 0 0\nEND\n",
         "includes itself"},
        {"nested too deep", deep, "nested more than 64"},
        {"too many figures", wide, "more than 1000000 figures"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingImporter importer;
        QString error;
        EXPECT_FALSE(dd3::Dd3Reader::Read(c.file, importer, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(importer.calls.empty());
    }
}

} // namespace
