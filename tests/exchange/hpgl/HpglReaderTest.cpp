#include "exchange/hpgl/HpglReader.h"

#include <QFile>

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
        {"pen down's own coordinates are not used", "PD1000,1000;PA40,0;\n", {{0, 0, 1, 0, none}}},
        // The last command counts without a line end after it.
        {"no final line end", "PD;PA40,0", {{0, 0, 1, 0, none}}},
        // A carriage return alone ends a line and takes nothing after it.
        {"carriage returns", "PD;PA40,0;\rPA80,0;\r\nPA120,0;\n",
         {{0, 0, 1, 0, none}, {1, 0, 2, 0, none}, {2, 0, 3, 0, none}}},
        {"a zero byte ends the text", QByteArray("PD;PA40,0;\n\0PA80,0;\n", 21), {{0, 0, 1, 0, none}}},
        {"unpaired last value, spaces, empty pieces", "PD;PA 40 , 0 ,,80;\n", {{0, 0, 1, 0, none}}},
        {"other commands and non-numbers", "IN;LBPD;PR40,40;PD;PAx,40;pa80,0;\n", {{0, 0, 0, 1, none}}},
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

} // namespace
