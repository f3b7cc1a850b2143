#include "linetype/LinetypeTable.h"
#include "platform/RecordingDevice.h"

#include "common/DisplayTestSupport.h"

#include <gtest/gtest.h>

namespace {

using platform::Pen;
using platform::PenStyle;
using platform::rgb;

class LinetypeTableTest : public testing::Test {
protected:
    LinetypeTableTest()
    {
        displaytest::RegisterSpecialNames(table);
    }

    void Add(int number, int kind, int width = 1, platform::ColorRef colour = 0, int style = 0)
    {
        table.AddLinetype(number, style, width, colour);
        table.SetCurrentTypeAndSubtypes(kind, -1, -1);
    }

    Pen Selected(void (*select)(LinetypeTable&))
    {
        select(table);
        platform::RecordingDevice dc;
        table.SelectCurrentPen(dc);
        return dc.pen();
    }

    LinetypeTable table;
};

TEST_F(LinetypeTableTest, AddLinetypeMakesTheRecordCurrentWithItsPen)
{
    table.AddLinetype(5, LinetypeStyle::Dash, 2, rgb(1, 2, 3));
    EXPECT_EQ(table.GetCurrentType(), LinetypeKind::None);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Tear, 7, 8);
    table.SetCurrentData(1.5, 2.5, 3.5);
    table.SetCurrentName(QStringLiteral("Tear"));
    const Linetype* t = table.Find(5);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, LinetypeKind::Tear);
    EXPECT_EQ(table.GetCurrentSubtype(), 7);
    EXPECT_EQ(table.GetCurrentData(2), 3.5);
    EXPECT_EQ(t->name, QStringLiteral("Tear"));
    platform::RecordingDevice dc;
    table.SelectCurrentPen(dc);
    EXPECT_EQ(dc.pen(), Pen::make(PenStyle::Dash, 2, rgb(1, 2, 3)));
}

TEST_F(LinetypeTableTest, WithoutACurrentLineTypeNothingIsDrawn)
{
    table.SetCurrent(99);
    EXPECT_EQ(table.GetCurrentType(), -1);
    EXPECT_EQ(table.GetCurrentSubtype(), 0);
    EXPECT_EQ(table.GetCurrentData(0), 0.0);
    platform::RecordingDevice dc;
    table.SelectCurrentPen(dc);
    EXPECT_EQ(dc.pen(), Pen::null());
    table.SetCurrentData(1, 2, 3); // changes nothing, and does not crash
    EXPECT_EQ(table.GetCurrentData(0), 0.0);
    EXPECT_EQ(table.Find(99), nullptr);
}

TEST_F(LinetypeTableTest, RemovingTheCurrentLineTypeLeavesNoneCurrent)
{
    Add(3, LinetypeKind::Standard);
    table.Remove(3);
    EXPECT_EQ(table.Find(3), nullptr);
    EXPECT_EQ(table.GetCurrentType(), -1);
    table.Remove(3);
}

TEST_F(LinetypeTableTest, ListNamesLeavesOutTheMaskedKinds)
{
    Add(1, LinetypeKind::Standard);
    Add(8, LinetypeKind::Wave);
    Add(122, LinetypeKind::Internal);
    Add(1000, LinetypeKind::Display);
    std::map<int, QString> names{{77, QStringLiteral("stale")}};
    table.ListNames(names, LinetypeKind::Internal | LinetypeKind::Display);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_TRUE(names.count(1) && names.count(8));
    table.ListNames(names, 0);
    EXPECT_EQ(names.size(), 4u);
}

TEST_F(LinetypeTableTest, StatePensAreWiderInTheSpecialColours)
{
    Add(SpecialLinetype::Highlight, LinetypeKind::Display, 1, rgb(255, 255, 0));
    Add(SpecialLinetype::Selected, LinetypeKind::Display, 1, rgb(255, 0, 0));
    Add(SpecialLinetype::HighSelect, LinetypeKind::Display, 1, rgb(0, 0, 255));
    Add(1, LinetypeKind::Standard, 2, rgb(9, 9, 9), LinetypeStyle::Dot);
    table.CreatePens();
    const Linetype* t = table.Find(1);
    ASSERT_TRUE(t->highlightPen && t->selectedPen && t->bothPen);
    EXPECT_EQ(*t->highlightPen, Pen::make(PenStyle::Solid, 6, rgb(255, 255, 0)));
    EXPECT_EQ(*t->selectedPen, Pen::make(PenStyle::Solid, 6, rgb(255, 0, 0)));
    EXPECT_EQ(*t->bothPen, Pen::make(PenStyle::Solid, 6, rgb(0, 0, 255)));
    EXPECT_EQ(*t->normalPen, Pen::make(PenStyle::Dot, 2, rgb(9, 9, 9)));
}

TEST_F(LinetypeTableTest, SpecialSelectionsPickTheirLineTypes)
{
    Add(SpecialLinetype::Crosshair, LinetypeKind::Display, 1, rgb(0, 255, 0));
    Add(SpecialLinetype::Highlight, LinetypeKind::Display, 3, rgb(255, 255, 0));
    EXPECT_EQ(Selected([](LinetypeTable& t) { t.SelectCrosshair(); }), Pen::make(PenStyle::Solid, 1, rgb(0, 255, 0)));
    EXPECT_EQ(Selected([](LinetypeTable& t) { t.SelectHighlight(); }), Pen::make(PenStyle::Solid, 3, rgb(255, 255, 0)));
    // The highlight also sets both pattern pens to its pen.
    platform::RecordingDevice dc;
    table.SelectPatternPen(dc, 1);
    EXPECT_EQ(dc.pen(), Pen::make(PenStyle::Solid, 3, rgb(255, 255, 0)));
    // Missing special line types select the null pen.
    EXPECT_EQ(Selected([](LinetypeTable& t) { t.SelectMeasure(); }), Pen::null());
    EXPECT_EQ(Selected([](LinetypeTable& t) { t.SelectContrast(); }), Pen::null());
    table.CreateContrastLinetype(rgb(10, 20, 30));
    EXPECT_EQ(Selected([](LinetypeTable& t) { t.SelectContrast(); }), Pen::make(PenStyle::Solid, 1, rgb(10, 20, 30)));
    EXPECT_EQ(table.GetCurrentType(), LinetypeKind::Internal);
}

TEST_F(LinetypeTableTest, PatternPensFollowTheSubtypes)
{
    Add(1, LinetypeKind::Standard, 1, rgb(255, 255, 255));
    Add(3, LinetypeKind::Standard, 1, rgb(255, 0, 0));
    table.AddLinetype(6, 0, 1, 0);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Mixed, 1, 3);
    table.AddLinetype(7, 0, 1, 0);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Tear, 3, -1);
    table.AddLinetype(8, 0, 1, 0);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Mixed, 1, 42);

    platform::RecordingDevice dc;
    table.SetCurrent(6);
    table.SetPatternPens();
    table.SelectPatternPen(dc, 0);
    EXPECT_EQ(dc.pen().colour, rgb(255, 255, 255));
    table.SelectPatternPen(dc, 1);
    EXPECT_EQ(dc.pen().colour, rgb(255, 0, 0));

    // A tear hands over to its subtype's line type.
    table.SetCurrent(7);
    table.SetPatternPens();
    table.SelectCurrentPen(dc);
    EXPECT_EQ(dc.pen().colour, rgb(255, 0, 0));

    // A mixed line type with a missing half has no pattern pens.
    table.SetCurrent(8);
    table.SetPatternPens();
    table.SelectPatternPen(dc, 0);
    EXPECT_EQ(dc.pen(), Pen::null());
}

TEST_F(LinetypeTableTest, PatternCacheGivesTheTwoHalves)
{
    table.AddLinetype(6, 0, 1, 0);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Mixed, 1, 3);
    table.SetCurrentData(4, 2, 0);
    table.CachePatternValues();
    EXPECT_EQ(table.GetPatternLength(3), 4.0);
    EXPECT_EQ(table.GetPatternSubtype(4), 3);
    EXPECT_EQ(table.GetPatternLength(5), 0.0);
    table.SetCurrent(99);
    table.CachePatternValues();
    EXPECT_EQ(table.GetPatternLength(3), 0.0);
}

TEST(LinetypeTextTest, KindsStylesAndColours)
{
    struct Case {
        int value;
        int kind;
        const char* text;
    } cases[] = {
        {1, 0, "standard"}, {2, 0, "internal"}, {4, 0, "display"}, {8, 0, "wave"}, {16, 0, "tear"},
        {32, 0, "mixed"}, {0, 1, "solid"}, {1, 1, "dash"}, {2, 1, "dot"}, {3, 1, "dashdot"},
        {static_cast<int>(rgb(0x12, 0xAB, 0xF0)), 2, "#12ABF0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinetypeTable::ToText(c.value, c.kind), QLatin1String(c.text));
        EXPECT_EQ(LinetypeTable::FromText(QLatin1String(c.text).toString().toUpper(), c.kind), c.value) << c.text;
    }
    EXPECT_EQ(LinetypeTable::ToText(3, 0), QString()); // not a single bit
    EXPECT_EQ(LinetypeTable::ToText(7, 1), QString());
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("zigzag"), 0), 0);
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("wavy"), 1), 0);
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("#12abf0"), 2), static_cast<int>(rgb(0x12, 0xAB, 0xF0)));
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("12ABF0"), 2), 0);
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("#12ABF"), 2), 0);
    EXPECT_EQ(LinetypeTable::FromText(QStringLiteral("#GG0000"), 2), 0); // unknown digits count 0
}

TEST(LineTypeMapKeyTest, OrdersByFlagsThenValues)
{
    const LineTypeMapKey a{5, 1.0, 0, 0};
    const LineTypeMapKey b{-3, 0.5, 1, 0};
    const LineTypeMapKey c{-3, 0.5, 1, 1};
    const LineTypeMapKey d{-3, 0.7, 1, 1};
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b < c);
    EXPECT_TRUE(c < d);
    EXPECT_FALSE(d < c);
    EXPECT_TRUE((LineTypeMapKey{1, 9.0, 0, 0} < LineTypeMapKey{2, 0.0, 0, 0}));
}

} // namespace
