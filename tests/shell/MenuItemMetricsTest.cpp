#include "shell/MenuItemMetrics.h"

#include <gtest/gtest.h>

namespace {

using shell::MenuItemMetrics;

TEST(MenuItemMetrics, HeightsFollowTheFont)
{
    const struct {
        int font, item, separator;
    } cases[] = {{13, 20, 8}, {14, 20, 9}, {15, 21, 9}, {20, 26, 12}};
    for (const auto& c : cases) {
        const auto m = MenuItemMetrics::ForFontHeight(c.font);
        EXPECT_EQ(m.itemHeight, c.item) << c.font;
        EXPECT_EQ(m.separatorHeight, c.separator) << c.font;
    }
}

TEST(MenuItemMetrics, WidthsStayWhole)
{
    MenuItemMetrics m;
    m.Measure(100, 60);
    m.Measure(80, 10);
    EXPECT_EQ(m.ItemWidth(), 202);
    m.Measure(50, 300); // an accelerator wider than 255 pixels counts in full
    EXPECT_EQ(m.ItemWidth(), 100 + 300 + 42);
}

} // namespace
