#include "shell/LineTypeChoice.h"

#include <gtest/gtest.h>

namespace {

TEST(LineTypeChoice, KeepsTheStoredLineType)
{
    const std::map<int, QString> entries{{1, QStringLiteral("cut")}, {2, QStringLiteral("crease")},
                                         {5, QStringLiteral("perf")}};
    const struct {
        int wanted, stored, index;
    } cases[] = {
        {-1, 5, 2},   // start: the user's line type, not the second entry
        {-1, 1, 0},
        {-1, 77, 0},  // the stored one is gone: the first entry
        {2, 5, 1},    // refill keeps the box's selection
        {9, 5, 2},    // the selection is gone: the stored one
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::ChooseLineTypeEntry(entries, c.wanted, c.stored), c.index) << c.wanted << ' ' << c.stored;
    EXPECT_EQ(shell::ChooseLineTypeEntry({}, -1, 1), -1);
}

} // namespace
