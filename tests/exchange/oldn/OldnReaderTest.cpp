#include "exchange/oldn/OldnReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using oldn::Figure;
using oldn::FigureKind;

constexpr double kTol = 1e-9;

std::vector<Figure> Read(const QByteArray& bytes)
{
    oldn::Drawing drawing;
    QString error;
    EXPECT_TRUE(oldn::OldnReader::Read(bytes, drawing, &error)) << error.toStdString();
    return drawing.figures;
}

QString Refusal(const QByteArray& bytes)
{
    oldn::Drawing drawing;
    QString error;
    EXPECT_FALSE(oldn::OldnReader::Read(bytes, drawing, &error));
    EXPECT_TRUE(drawing.figures.empty());
    return error;
}

void ExpectPoint(const die::coord& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
}

const QByteArray kHead = "D]41111]box.n]\nU]M]\n";

TEST(OldnReader, RecordsOfEachKind)
{
    const auto figures = Read(kHead + "S]1]]box]2]1]0]10]10]0]\nI]1]]]]1]1]\n"
                                      "L]1]1.5]2]3]4]8]2.9]3]4.25]\n"
                                      "A]2]10]0]0]10]1]2]2]3]]]0]0]10]\n"
                                      "A]3]10]0]0]10]1]2]0]0]]]0]0]-10]\n"
                                      "T]4]2.5]4]1]2]17]5]7]8]30]\nHello]\n"
                                      "E]5]\nF]\nX]junk]\n*]\n*]\n");
    ASSERT_EQ(figures.size(), 4u);
    const Figure& line = figures[0];
    EXPECT_EQ(line.kind, FigureKind::Line);
    ExpectPoint(line.start, 1.5, 2);
    ExpectPoint(line.end, 3, 4);
    EXPECT_EQ(line.lineType, 8);
    EXPECT_DOUBLE_EQ(line.ptg, 2.9);
    EXPECT_EQ(line.bridgeCount, 3);
    EXPECT_DOUBLE_EQ(line.bridgeWidth, 4.25);

    // A positive radius runs counter-clockwise from the first point to the
    // second: clockwise from the second to the first.
    const Figure& ccw = figures[1];
    EXPECT_EQ(ccw.kind, FigureKind::Arc);
    ExpectPoint(ccw.centre, 0, 0);
    ExpectPoint(ccw.start, 0, 10);
    ExpectPoint(ccw.end, 10, 0);
    EXPECT_EQ(ccw.bridgeCount, 2);
    const Figure& cw = figures[2];
    ExpectPoint(cw.start, 10, 0);
    ExpectPoint(cw.end, 0, 10);

    // Field 2 is the advance, field 3 the height; the angle is not used.
    const Figure& text = figures[3];
    EXPECT_EQ(text.kind, FigureKind::Text);
    EXPECT_EQ(text.text, QStringLiteral("Hello"));
    EXPECT_DOUBLE_EQ(text.advance, 2.5);
    EXPECT_DOUBLE_EQ(text.height, 4);
    EXPECT_EQ(text.lineType, 5);
    ExpectPoint(text.start, 7, 8);
}

TEST(OldnReader, PlacementsRepeatTheirBlock)
{
    // Identity, then (100, 0, 90°): every line twice.
    const auto figures =
        Read(kHead + "S]1]]b]2]1]0]0]0]0]\nI]1]]]]1]1]\nI]2]100]0]90]1]1]\nL]1]10]0]20]0]1]0]0]0]\n*]\n*]\n");
    ASSERT_EQ(figures.size(), 2u);
    ExpectPoint(figures[0].start, 10, 0);
    ExpectPoint(figures[1].start, 100, 10);
    ExpectPoint(figures[1].end, 100, 20);

    // A second block gets only its own placements.
    const auto two = Read(kHead + "S]\nI]1]]]]1]1]\nI]2]100]0]90]1]1]\nL]1]10]0]20]0]\n*]\nS]\nI]1]]]]1]1]\nL]1]1]1]2]2]\n*]\n*]\n");
    ASSERT_EQ(two.size(), 3u);
    ExpectPoint(two[2].start, 1, 1);

    // Nested: every combination, offsets and angles summed, inner offsets
    // not turned by the outer angle.
    const auto nested = Read(kHead + "S]\nI]1]]]]1]1]\nI]2]100]0]90]1]1]\nS]\nI]1]]]]1]1]\nI]2]0]50]0]1]1]\nL]1]10]0]20]0]\n*]\n*]\n*]\n");
    ASSERT_EQ(nested.size(), 4u);
    ExpectPoint(nested[0].start, 10, 0);
    ExpectPoint(nested[1].start, 10, 50);
    ExpectPoint(nested[2].start, 100, 10);
    ExpectPoint(nested[3].start, 100, 60);
}

TEST(OldnReader, MirroringPlacementKeepsTheArcsSweep)
{
    const auto figures = Read(kHead + "S]\nI]1]0]0]0]-1]1]\nA]1]10]0]0]10]1]0]0]0]]]0]0]10]\n*]\n");
    ASSERT_EQ(figures.size(), 1u);
    // Mirrored in x the points are (-10, 0) and (0, 10); a clockwise arc
    // from the first to the second is the mirror of the quarter.
    ExpectPoint(figures[0].start, -10, 0);
    ExpectPoint(figures[0].end, 0, 10);
}

TEST(OldnReader, TextLines)
{
    // A character outside the layout's set leaves the text out; the degree
    // sign and umlauts are kept.
    EXPECT_TRUE(Read(kHead + "T]1]2]3]1]0]17]1]0]0]0]\n\x80 euro]\n").empty());
    const auto umlaut = Read(kHead + "T]1]2]3]1]0]17]1]0]0]0]\n45\xB0 \xE4\xF6\xFC\xDF]\r\n");
    ASSERT_EQ(umlaut.size(), 1u);
    EXPECT_EQ(umlaut[0].text, QString::fromUtf8("45° äöüß"));

    // A long text is one line, its tail no record; a text without the
    // closing ']' keeps its last character.
    const QByteArray tail = "L]1]0]0]5]5]1]0]0]0]";
    const auto longText = Read(kHead + "T]1]2]3]\n" + QByteArray(260, 'x') + tail + "]\nT]2]2]3]\nabc\n");
    ASSERT_EQ(longText.size(), 2u);
    EXPECT_EQ(longText[0].text, QString(260, u'x') + QString::fromLatin1(tail));
    EXPECT_EQ(longText[1].text, QStringLiteral("abc"));
}

TEST(OldnReader, DamagedFilesAreRefusedWithTheirLine)
{
    QByteArray deep = kHead;
    for (int i = 0; i < 11; ++i)
        deep += "S]\n";
    QByteArray placements = kHead + "S]\n";
    for (int i = 0; i < 301; ++i)
        placements += "I]1]1]1]0]1]1]\n";
    QByteArray many = kHead + "S]\n";
    for (int i = 0; i < 300; ++i)
        many += "I]1]1]1]0]1]1]\n";
    many += "S]\n";
    for (int i = 0; i < 300; ++i)
        many += "I]1]1]1]0]1]1]\n";
    many += "S]\n";
    for (int i = 0; i < 12; ++i)
        many += "I]1]1]1]0]1]1]\n";
    many += "L]1]0]0]1]1]\n";

    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", QByteArray(), "no record"},
        {"binary", QByteArray("\xFF\xFE\x00\x01zz", 6), "no record"},
        {"deep", deep, "line 13: blocks are nested deeper than 10"},
        {"placements", placements, "more than 300 placements"},
        {"figures", many, "more than 1000000 figures"},
        {"line type", kHead + "L]1]0]0]1]1]1e12]\n", "line 3: the line type is out of range"},
        {"bridges", kHead + "A]1]0]0]1]1]1]0]101]\n", "bridge count must lie between 0 and 100"},
        {"negative bridges", kHead + "L]1]0]0]1]1]1]0]-1]\n", "bridge count"},
        {"text at the end", kHead + "T]1]2]3]\n", "text record without its text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString error = Refusal(c.bytes);
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
    }
}

// A small file that places many figures many times (12 KB here: 100
// figures under 300 x 300 x 12 placements) is counted before a figure is
// made and refused with the number it would place.
TEST(OldnReader, AFileOverTheLimitIsRefusedWithWhatItWouldPlace)
{
    QByteArray file = kHead;
    for (const int count : {300, 300, 12}) {
        file += "S]\n";
        for (int i = 0; i < count; ++i)
            file += "I]1]1]1]0]1]1]\n";
    }
    for (int i = 0; i < 100; ++i)
        file += "L]1]0]0]1]1]\n";
    const QString error = Refusal(file);
    EXPECT_TRUE(error.contains(QLatin1String("the file would place 108000000"))) << error.toStdString();
}

TEST(OldnReader, EveryCutOfAFileReadsOrIsRefused)
{
    const QByteArray whole = kHead + "S]1]]b]\nI]1]]]]1]1]\nI]2]5]5]45]1]1]\nL]1]0]0]10]0]1]2]1]3]\n"
                                     "A]2]10]0]0]10]1]2]0]0]]]0]0]10]\nT]3]2]3]1]0]17]1]0]0]0]\nHi]\n*]\n*]\n";
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        SCOPED_TRACE(n);
        oldn::Drawing drawing;
        QString error;
        if (!oldn::OldnReader::Read(whole.left(n), drawing, &error)) {
            EXPECT_FALSE(error.isEmpty());
        }
        for (const Figure& f : drawing.figures) {
            EXPECT_TRUE(std::isfinite(f.start.x) && std::isfinite(f.end.y));
        }
    }
}

} // namespace
