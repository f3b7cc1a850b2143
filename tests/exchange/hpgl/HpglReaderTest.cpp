#include "exchange/hpgl/HpglReader.h"

#include <QFile>

#include <cmath>
#include <map>
#include <numbers>

#include <gtest/gtest.h>

namespace {

struct Expected {
    double x1, y1, x2, y2;
    std::optional<int32_t> pen;
};

std::vector<hpgl::Line> Read(QByteArrayView bytes)
{
    std::vector<hpgl::Line> lines;
    QString error;
    EXPECT_TRUE(hpgl::HpglReader::Read(bytes, lines, &error)) << error.toStdString();
    return lines;
}

void ExpectLines(const std::vector<hpgl::Line>& lines, const std::vector<Expected>& expected)
{
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(lines[i].start.x, expected[i].x1);
        EXPECT_DOUBLE_EQ(lines[i].start.y, expected[i].y1);
        EXPECT_DOUBLE_EQ(lines[i].end.x, expected[i].x2);
        EXPECT_DOUBLE_EQ(lines[i].end.y, expected[i].y2);
        EXPECT_EQ(lines[i].pen, expected[i].pen);
    }
}

TEST(HpglReader, ReadsTheFixture)
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/hpgl/square.plt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ExpectLines(Read(file.readAll()), {{0, 0, 100, 0, 1}, {100, 0, 100, 100, 1}, {100, 100, 1.025, -1.025, 2}});
}

TEST(HpglReader, CommandsUnitsAndPens)
{
    const std::optional<int32_t> none;
    const struct {
        const char* name;
        QByteArray file;
        std::vector<Expected> lines;
    } cases[] = {
        {"pen down draws each absolute move", "PU;PA0,0;PD;PA4000,0,4000,4000;PU;\n",
         {{0, 0, 100, 0, none}, {100, 0, 100, 100, none}}},
        // 40 units a millimetre, not rounded to whole millimetres.
        {"units", "PD;PA41,-41;PA-20,6;\n", {{0, 0, 1.025, -1.025, none}, {1.025, -1.025, -0.5, 0.15, none}}},
        {"pen up moves without drawing", "PA400,0;PD;PA400,400;\n", {{10, 0, 10, 10, none}}},
        {"pen selects the line type", "PD;PA40,0;SP3;PA80,0;SP;PA120,0;\n",
         {{0, 0, 1, 0, none}, {1, 0, 2, 0, 3}, {2, 0, 3, 0, 0}}},
        // Pen up and down move through the coordinates they are given.
        {"pen down moves through its own coordinates", "PD1000,1000;PA40,0;\n",
         {{0, 0, 25, 25, none}, {25, 25, 1, 0, none}}},
        // The last command counts without a line end after it.
        {"no final line end", "PD;PA40,0", {{0, 0, 1, 0, none}}},
        // A carriage return alone ends a line and takes nothing after it.
        {"carriage returns", "PD;PA40,0;\rPA80,0;\r\nPA120,0;\n",
         {{0, 0, 1, 0, none}, {1, 0, 2, 0, none}, {2, 0, 3, 0, none}}},
        {"a zero byte ends the text", QByteArray("PD;PA40,0;\n\0PA80,0;\n", 21), {{0, 0, 1, 0, none}}},
        {"unpaired last value, spaces, empty pieces", "PD;PA 40 , 0 ,,80;\n", {{0, 0, 1, 0, none}}},
        // PR moves relatively; a letter ends a command's numbers; mnemonics
        // may be lower case.
        {"relative moves, non-numbers, lower case", "IN;PR40,40;PD;PAx,40;pa80,0;\n", {{1, 1, 2, 0, none}}},
        // A label runs to its terminator, whatever it holds.
        {"label text is not read as commands", "LBPD;PA40,0;\x03PA0,0;PD;PA0,40;\n", {{0, 0, 0, 1, none}}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(Read(c.file), c.lines);
    }
}

TEST(HpglReader, RefusesAFileOfTooManyLines)
{
    QByteArray file = "PD;PA";
    for (int64_t i = 0; i <= hpgl::kMaxLines; ++i)
        file += i % 2 ? "0,0," : "40,0,";
    std::vector<hpgl::Line> lines;
    QString error;
    EXPECT_FALSE(hpgl::HpglReader::Read(file, lines, &error));
    EXPECT_TRUE(error.contains(QLatin1String("more than 1000000 lines"))) << error.toStdString();
    EXPECT_TRUE(lines.empty());
}

QByteArray Fixture(const char* name)
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/hpgl/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

hpgl::Drawing ReadDrawing(QByteArrayView bytes)
{
    hpgl::Drawing drawing;
    QString error;
    EXPECT_TRUE(hpgl::HpglReader::Read(bytes, drawing, &error)) << error.toStdString();
    return drawing;
}

double ArcLength(const hpgl::Arc& a)
{
    const double r = std::hypot(a.start.x - a.centre.x, a.start.y - a.centre.y);
    if (a.start.x == a.end.x && a.start.y == a.end.y)
        return 2.0 * std::numbers::pi * r;
    double sweep = std::atan2(a.end.y - a.centre.y, a.end.x - a.centre.x)
                   - std::atan2(a.start.y - a.centre.y, a.start.x - a.centre.x);
    if (!a.counterClockwise)
        sweep = -sweep;
    while (sweep <= 0.0)
        sweep += 2.0 * std::numbers::pi;
    return r * sweep;
}

struct PenFigures {
    double length = 0.0; // mm, lines and arcs
    int lines = 0;
    int arcs = 0;
};

std::map<int32_t, PenFigures> ByPen(const hpgl::Drawing& d)
{
    std::map<int32_t, PenFigures> out;
    for (const hpgl::Line& l : d.lines) {
        PenFigures& p = out[l.pen.value_or(-1)];
        p.length += std::hypot(l.end.x - l.start.x, l.end.y - l.start.y);
        ++p.lines;
    }
    for (const hpgl::Arc& a : d.arcs) {
        PenFigures& p = out[a.pen.value_or(-1)];
        p.length += ArcLength(a);
        ++p.arcs;
    }
    return out;
}

// The hand-made plots against the figures worked out by hand in
// tests/data/hpgl/README.md, to 1/40 mm per pen.
TEST(HpglReader, FixturesGiveTheirHandComputedLengths)
{
    const double quarter = 50.0 * std::numbers::pi; // a half circle of 50 mm, a quarter of 100 mm
    const struct {
        const char* file;
        std::map<int32_t, PenFigures> pens;
    } cases[] = {
        {"scaled.plt", {{1, {150.0, 2, 0}}, {2, {50.0 * std::sqrt(2.0), 1, 0}}, {3, {20.0, 1, 0}}, {4, {50.0, 1, 0}},
                        {5, {10.0, 1, 0}}}},
        {"relative.plt", {{1, {40.0, 4, 0}}, {2, {175.0, 2, 0}}, {3, {2.0, 2, 0}}}},
        {"arcs.plt", {{1, {quarter, 0, 1}}, {2, {2.0 * quarter, 0, 1}}, {3, {quarter, 0, 1}}, {4, {quarter, 0, 1}},
                      {5, {300.0, 4, 0}}}},
        {"pcl.plt", {{1, {100.0, 1, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const hpgl::Drawing d = ReadDrawing(Fixture(c.file));
        EXPECT_TRUE(d.skipped.empty()) << hpgl::HpglReader::SkippedText(d).toStdString();
        const std::map<int32_t, PenFigures> pens = ByPen(d);
        ASSERT_EQ(pens.size(), c.pens.size());
        for (const auto& [pen, expected] : c.pens) {
            SCOPED_TRACE(pen);
            ASSERT_TRUE(pens.count(pen));
            EXPECT_NEAR(pens.at(pen).length, expected.length, 1.0 / 40.0);
            EXPECT_EQ(pens.at(pen).lines, expected.lines);
            EXPECT_EQ(pens.at(pen).arcs, expected.arcs);
        }
    }
}

TEST(HpglReader, ArcsRunTheirWayAndCirclesClose)
{
    const hpgl::Drawing d = ReadDrawing(Fixture("arcs.plt"));
    ASSERT_EQ(d.arcs.size(), 4u);
    // AA: counter-clockwise from (100, 0) to (0, 100) about the origin.
    EXPECT_TRUE(d.arcs[0].counterClockwise);
    EXPECT_NEAR(d.arcs[0].end.x, 0.0, 1e-9);
    EXPECT_NEAR(d.arcs[0].end.y, 100.0, 1e-9);
    // CI: a whole circle, start and end the same point.
    EXPECT_EQ(d.arcs[1].start.x, d.arcs[1].end.x);
    EXPECT_EQ(d.arcs[1].start.y, d.arcs[1].end.y);
    // AR with a negative sweep and AT bending right: clockwise about (50, 0).
    for (const size_t i : {2u, 3u}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(d.arcs[i].counterClockwise);
        EXPECT_NEAR(d.arcs[i].centre.x, 50.0, 1e-9);
        EXPECT_NEAR(d.arcs[i].centre.y, 0.0, 1e-9);
        EXPECT_NEAR(d.arcs[i].end.x, 100.0, 1e-9);
    }
}

TEST(HpglReader, LabelsEndAtTheirTerminator)
{
    const hpgl::Drawing d = ReadDrawing(Fixture("label.plt"));
    ASSERT_EQ(d.labels.size(), 2u);
    EXPECT_EQ(d.labels[0].text, QStringLiteral("HELLO"));
    EXPECT_DOUBLE_EQ(d.labels[0].position.x, 10.0);
    EXPECT_DOUBLE_EQ(d.labels[0].position.y, 10.0);
    EXPECT_DOUBLE_EQ(d.labels[0].angle, 0.0);
    EXPECT_DOUBLE_EQ(d.labels[0].size.x, 3.0); // SI in centimetres: 2 mm wide, a cell of 3 mm
    EXPECT_DOUBLE_EQ(d.labels[0].size.y, 3.0);
    EXPECT_EQ(d.labels[0].pen, 1);
    // The commands after the terminator are read: one line of 10 mm.
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(d.lines[0].end.x, 10.0);
    // "DT*": the semicolon belongs to the text; DI 0,1 turns it upwards.
    EXPECT_EQ(d.labels[1].text, QStringLiteral("A;B"));
    EXPECT_DOUBLE_EQ(d.labels[1].position.x, 20.0);
    EXPECT_DOUBLE_EQ(d.labels[1].angle, std::numbers::pi / 2);
}

TEST(HpglReader, UnknownCommandsAreCountedAndEncodedPolylinesRefused)
{
    const hpgl::Drawing d = ReadDrawing("IN;RO90;BZ0,0,1,1,2,2;RO;PD;PA40,0;LT2;SP99999999999999;PA80,0;");
    EXPECT_EQ(hpgl::HpglReader::SkippedText(d), QStringLiteral("1 BZ, 2 RO")); // LT changes nothing kept
    EXPECT_EQ(d.outOfRange, 2); // the pen number clamped, then refused
    ASSERT_EQ(d.lines.size(), 2u);
    EXPECT_FALSE(d.lines[1].pen.has_value());

    hpgl::Drawing refused;
    QString error;
    EXPECT_FALSE(hpgl::HpglReader::Read("IN;SP1;PD;PA40,0;PE<=?A;", refused, &error));
    EXPECT_TRUE(error.contains(QLatin1String("encoded polylines"))) << error.toStdString();
    EXPECT_TRUE(refused.lines.empty());
}

} // namespace
