#include "app/PaperSizeTable.h"

#include <gtest/gtest.h>

namespace {

TEST(PaperSizeTable, EntersTheASeriesThenTheBSeries)
{
    PaperSizeTable table;
    table.InitPaperSizes();
    ASSERT_EQ(table.Sizes().size(), 10u);
    EXPECT_EQ(table.Sizes().front(), PaperSizeTable::Size(297, 210));
    EXPECT_EQ(table.Sizes()[4], PaperSizeTable::Size(1189, 841));
    EXPECT_EQ(table.Sizes().back(), PaperSizeTable::Size(1414, 1000));
    EXPECT_EQ(table.Name({841, 594}), QStringLiteral("A1"));
    EXPECT_EQ(table.Name({707, 500}), QStringLiteral("B2"));
    EXPECT_EQ(table.Name({1414, 1000}), QStringLiteral("B0"));
}

TEST(PaperSizeTable, StoresTheLongerSideFirst)
{
    PaperSizeTable table;
    table.AddPaperSize(210, 297, 1, 4);
    table.AddPaperSize(297, 210, 1, 4);
    table.AddPaperSize(500, 700, 3, 1);
    table.AddPaperSize(297, 210, 2, 9); // renames the pair
    ASSERT_EQ(table.Sizes().size(), 4u);
    EXPECT_EQ(table.Sizes()[0], table.Sizes()[1]);
    EXPECT_EQ(table.Sizes()[2], PaperSizeTable::Size(700, 500));
    EXPECT_FALSE(table.Name({700, 500}).has_value());
    EXPECT_EQ(table.Name({297, 210}), QStringLiteral("B9"));
}

} // namespace
