#include "shell/MenuItemMetrics.h"

#include <algorithm>

namespace shell {

MenuItemMetrics MenuItemMetrics::ForFontHeight(int fontHeight)
{
    MenuItemMetrics metrics;
    metrics.itemHeight = fontHeight + 2 > 16 ? fontHeight + 6 : 20;
    metrics.separatorHeight = fontHeight / 2 + 2;
    return metrics;
}

void MenuItemMetrics::Measure(int labelWidth, int acceleratorWidth)
{
    widestLabel = std::max(widestLabel, labelWidth);
    widestAccelerator = std::max(widestAccelerator, acceleratorWidth);
}

} // namespace shell
