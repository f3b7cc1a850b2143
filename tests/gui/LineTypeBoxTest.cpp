// The line-type box selects the line type asked for, else the one selected
// before, else the user's stored one, else the first, and reports it.
#include "gui/LineTypeBox.h"

#include <gtest/gtest.h>

namespace {

const std::map<int, QString> kEntries{{1, QStringLiteral("cut")}, {2, QStringLiteral("crease")},
                                      {7, QStringLiteral("perforation")}};

TEST(LineTypeBox, SelectsTheChosenLineTypeAndReportsIt)
{
    const struct {
        int wanted;
        int stored;
        int selected;
    } cases[] = {
        {-1, 7, 7},  // the stored one
        {-1, 99, 1}, // stored one not listed: the first
        {2, 7, 2},   // asked for
        {5, 7, 7},   // asked for, not listed
    };
    for (const auto& c : cases) {
        gui::LineTypeBox box;
        int reported = 0;
        QObject::connect(&box, &gui::LineTypeBox::lineTypeChosen, [&reported](int n) { reported = n; });
        box.Fill(kEntries, c.wanted, c.stored);
        EXPECT_EQ(box.SelectedLineType(), c.selected) << c.wanted << " " << c.stored;
        EXPECT_EQ(reported, c.selected);
        EXPECT_EQ(box.count(), 3);
    }
}

TEST(LineTypeBox, RefillingKeepsTheSelectedLineType)
{
    gui::LineTypeBox box;
    box.Fill(kEntries, -1, 1);
    box.setCurrentIndex(2);
    box.Fill(kEntries, -1, 1);
    EXPECT_EQ(box.SelectedLineType(), 7);

    box.Fill({}, -1, 1);
    EXPECT_EQ(box.SelectedLineType(), -1);
}

} // namespace
