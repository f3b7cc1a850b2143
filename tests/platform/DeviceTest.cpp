#include "platform/RecordingDevice.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform;
using Kind = RecordedCall::Kind;

TEST(Device, LinesRunFromTheCurrentPositionWithTheSelectedPen)
{
    RecordingDevice dc;
    EXPECT_EQ(dc.currentPosition(), (DevicePoint{0, 0}));
    dc.lineTo(5, 0);
    EXPECT_EQ(dc.selectPen(Pen::white()), Pen::black()); // a new device holds the black stock pen
    EXPECT_EQ(dc.moveTo(10, 10), (DevicePoint{5, 0}));
    dc.lineTo(20, 10);
    dc.lineTo(20, 30);
    EXPECT_EQ(dc.currentPosition(), (DevicePoint{20, 30}));
    EXPECT_EQ(dc.lines(), (std::vector<RecordedLine>{{{0, 0}, {5, 0}, Pen::black()},
                                                     {{10, 10}, {20, 10}, Pen::white()},
                                                     {{20, 10}, {20, 30}, Pen::white()}}));
}

TEST(Device, AngleArcDrawsItsLeadInAndEndsAtTheArcEnd)
{
    RecordingDevice dc;
    dc.moveTo(0, 0);
    dc.angleArc(100, 100, 10, 90, -90); // starts at the top (Y down), sweeps clockwise to the right
    ASSERT_EQ(dc.calls().size(), 2u);
    EXPECT_EQ(dc.calls()[0].kind, Kind::Line);
    EXPECT_EQ(dc.calls()[0].points, (std::vector<DevicePoint>{{0, 0}, {100, 90}}));
    EXPECT_EQ(dc.calls()[1].kind, Kind::AngleArc);
    EXPECT_EQ(dc.calls()[1].radius, 10);
    EXPECT_EQ(dc.currentPosition(), (DevicePoint{110, 100}));

    // Starting where the previous arc ended: no lead-in.
    dc.angleArc(100, 100, 10, 0, 360);
    EXPECT_EQ(dc.calls().size(), 3u);
    EXPECT_EQ(dc.currentPosition(), (DevicePoint{110, 100}));

    dc.angleArc(0, 0, -1, 0, 90); // a negative radius draws nothing
    EXPECT_EQ(dc.calls().size(), 3u);
}

TEST(Device, ArcAndShapesLeaveTheCurrentPositionAndRecordTheirState)
{
    RecordingDevice dc;
    dc.moveTo(7, 8);
    EXPECT_EQ(dc.setArcDirection(ArcDirection::Clockwise), ArcDirection::CounterClockwise);
    dc.selectBrush(Brush::hatched(HatchStyle::BackwardDiagonal, rgb(1, 2, 3)));
    dc.arc(0, 0, 20, 20, 20, 10, 10, 0);
    const DevicePoint square[] = {{0, 0}, {4, 0}, {4, 4}};
    dc.polygon(square);
    dc.polygon(std::span(square, 1)); // one point draws nothing
    dc.rectangle(1, 2, 3, 4);
    dc.ellipse(1, 2, 3, 4);
    EXPECT_EQ(dc.currentPosition(), (DevicePoint{7, 8}));
    ASSERT_EQ(dc.calls().size(), 4u);
    EXPECT_EQ(dc.calls()[0].arcDirection, ArcDirection::Clockwise);
    EXPECT_EQ(dc.calls()[0].points, (std::vector<DevicePoint>{{0, 0}, {20, 20}, {20, 10}, {10, 0}}));
    EXPECT_EQ(dc.calls()[1].points.size(), 3u);
    EXPECT_EQ(dc.calls()[2].brush, Brush::hatched(HatchStyle::BackwardDiagonal, rgb(1, 2, 3)));
    EXPECT_EQ(dc.calls()[3].kind, Kind::Ellipse);
}

TEST(Device, TextAndCopiesAreRecordedWithFontAndSource)
{
    RecordingDevice dc(100, 50);
    LogFont font;
    font.height = -12;
    font.setFace(QStringLiteral("Arial"));
    dc.selectFont(font);
    EXPECT_EQ(dc.setTextColor(rgb(255, 0, 0)), rgb(0, 0, 0));
    EXPECT_EQ(dc.setTextAlign(TextAlign::Baseline), TextAlign::Left | TextAlign::Top);
    dc.textOut(10, 20, QStringLiteral("Die 1"));

    const auto memory = dc.createCompatible(30, 40);
    EXPECT_EQ(memory->width(), 30);
    dc.bitBlt(1, 2, 30, 40, *memory, 0, 0);

    const auto texts = dc.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Die 1"));
    EXPECT_EQ(texts[0].font.face(), QStringLiteral("Arial"));
    EXPECT_EQ(texts[0].textColour, rgb(255, 0, 0));
    EXPECT_EQ(texts[0].textAlign, TextAlign::Baseline);
    const auto blits = dc.callsOf(Kind::Blit);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].source, memory.get());
    EXPECT_EQ(blits[0].points, (std::vector<DevicePoint>{{1, 2}, {0, 0}}));
}

TEST(LogFont, FaceNameKeepsRoomForTheTerminator)
{
    LogFont font;
    font.setFace(QString(40, QLatin1Char('x')));
    EXPECT_EQ(font.face().size(), 31);
    EXPECT_EQ(font.faceName[31], u'\0');
    font.setFace(QStringLiteral("Courier New"));
    EXPECT_EQ(font.face(), QStringLiteral("Courier New"));
}

TEST(ColorRef, KeepsTheWindowsByteOrder)
{
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(redOf(0x563412u), 0x12);
    EXPECT_EQ(blueOf(0x563412u), 0x56);
}

TEST(DeviceUnits, TruncateTowardsZeroAndStayInRange)
{
    struct Case {
        double scaled;
        int want;
    };
    const Case cases[] = {
        {2.7, 2}, {-2.7, -2}, {0.0, 0}, {1e20, 1000000000}, {-1e20, -1000000000},
        {std::numeric_limits<double>::quiet_NaN(), 0}, {std::numeric_limits<double>::infinity(), 1000000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::toDeviceUnits(c.scaled), c.want) << c.scaled;
}
