#include "section/SectionFixture.h"

#include <climits>
#include <limits>
#include <vector>

namespace {

using sectiontest::Drawing;

// A layer 40 mm wide and 20 mm high; a far-off element that is not
// instanced does not widen the step.
class AutoLayout : public Drawing {
protected:
    AutoLayout()
    {
        Line(0, 0, 40, 20);
        Line(500, 500, 600, 600)->SetNotInstanced(1);
    }

    struct Placed {
        double dx, dy, angle;
    };
    // Instances 1 and up.
    std::vector<Placed> Placements() const
    {
        std::vector<Placed> list;
        for (int i = 1; i < section.GetInstanceCount(); ++i) {
            const CInstance& instance = section.GetInstance(i);
            list.push_back({instance.dx, instance.dy, instance.angle});
        }
        return list;
    }
    static AutoInstance Record(int count, double gap1 = 0, double gap2 = 0, bool rotate = false, double angle = 180)
    {
        AutoInstance r;
        r.count = count;
        r.gap1 = gap1;
        r.gap2 = gap2;
        r.rotateAlternate = rotate;
        r.angle = angle;
        return r;
    }
};

TEST_F(AutoLayout, PlacesTheCopiesOfTheGrid)
{
    AutoInstance stagger = Record(6);
    AutoInstance staggered = Record(1);
    staggered.shift1 = 10; // a y shift per odd x index; the rows do not turn
    AutoInstance across = Record(2);
    across.shift1 = 3; // an x shift per odd y index; the columns do not turn

    struct Case {
        const char* what;
        AutoInstance rows, columns;
        std::vector<Placed> expected;
    };
    const Case cases[] = {
        {"one copy", Record(1), Record(1), {}},
        {"three along x with gaps", Record(3, 5), Record(1), {{45, 0, 0}, {90, 0, 0}}},
        {"every second turned, two gaps",
         Record(4, 2, 7, true),
         Record(1),
         {{42, 0, 180}, {89, 0, 0}, {131, 0, 180}}},
        {"a zig-zag across x", stagger, staggered, {{40, 10, 0}, {80, 0, 0}, {120, 10, 0}, {160, 0, 0}, {200, 10, 0}}},
        {"x shifts per y index, y index inside x index",
         across,
         Record(3, 1),
         {{3, 21, 0}, {0, 42, 0}, {40, 0, 0}, {43, 21, 0}, {40, 42, 0}}},
        {"both directions turn; 540 is 180 and a full turn 0",
         Record(2, 0, 0, true, 180),
         Record(2, 0, 0, true, 540),
         {{0, 20, 180}, {40, 0, 180}, {40, 20, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(section.AddAutoInstances(c.rows, c.columns));
        const std::vector<Placed> placed = Placements();
        ASSERT_EQ(placed.size(), c.expected.size());
        for (std::size_t k = 0; k < placed.size(); ++k) {
            EXPECT_DOUBLE_EQ(placed[k].dx, c.expected[k].dx) << "copy " << k + 1;
            EXPECT_DOUBLE_EQ(placed[k].dy, c.expected[k].dy) << "copy " << k + 1;
            EXPECT_DOUBLE_EQ(placed[k].angle, c.expected[k].angle) << "copy " << k + 1;
        }
        // The records are kept as given, before the directions are coupled.
        EXPECT_EQ(section.GetRows().gap2, c.rows.gap2);
        EXPECT_EQ(section.GetColumns().shift2, c.columns.shift2);
    }
}

TEST_F(AutoLayout, KeepsInstanceZeroAndReplacesTheOthers)
{
    section.GetInstance(0).centreX = 20;
    section.NewInstance(7, 7, 90);
    section.NewInstance(8, 8, 90);
    ASSERT_TRUE(section.AddAutoInstances(Record(2), Record(1)));
    ASSERT_EQ(section.GetInstanceCount(), 2);
    EXPECT_EQ(section.GetInstance(0).centreX, 20);
    EXPECT_EQ(section.GetInstance(1).dx, 40);
    EXPECT_EQ(section.GetInstance(1).dy, 0);

    section.ClearInstances();
    ASSERT_TRUE(section.AddAutoInstances(Record(1), Record(2)));
    ASSERT_EQ(section.GetInstanceCount(), 2);
    EXPECT_EQ(section.GetInstance(0).dx, 0);
    EXPECT_EQ(section.GetInstance(1).dy, 20);
}

// Counts and values come from the user: what cannot be laid out is refused
// whole, the instances and records as they were.
TEST_F(AutoLayout, RefusesCountsOutOfBoundsAndValuesThatAreNotNumbers)
{
    ASSERT_TRUE(section.AddAutoInstances(Record(2, 1), Record(1)));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    AutoInstance notANumber = Record(2);
    notANumber.shift2 = nan;
    AutoInstance endlessTurn = Record(2, 0, 0, true, inf);
    struct Case {
        const char* what;
        AutoInstance rows, columns;
    };
    const Case cases[] = {
        {"no copy", Record(0), Record(1)},
        {"a negative count", Record(3), Record(-1)},
        {"one more than the largest count", Record(kMaxAutoCount + 1), Record(1)},
        {"a count that would take all memory", Record(INT_MAX), Record(INT_MAX)},
        {"a gap that is not a number", Record(2, nan), Record(1)},
        {"a shift that is not a number", Record(1), notANumber},
        {"an endless turn", endlessTurn, Record(1)},
        {"offsets too large to be numbers", Record(3, 1e308, 1e308), Record(1)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(section.AddAutoInstances(c.rows, c.columns)) << c.what;
        ASSERT_EQ(section.GetInstanceCount(), 2) << c.what;
        EXPECT_EQ(section.GetInstance(1).dx, 41) << c.what;
        EXPECT_EQ(section.GetRows().count, 2) << c.what;
        EXPECT_EQ(section.GetRows().gap1, 1) << c.what;
    }
}

TEST_F(AutoLayout, TakesTheLargestCountAndFarTurns)
{
    ASSERT_TRUE(section.AddAutoInstances(Record(kMaxAutoCount, 0, 0, true, 1e300), Record(1)));
    ASSERT_EQ(section.GetInstanceCount(), kMaxAutoCount);
    EXPECT_EQ(section.GetInstance(kMaxAutoCount - 1).dx, 40.0 * (kMaxAutoCount - 1));
    const double turn = section.GetInstance(1).angle;
    EXPECT_GE(turn, 0.0);
    EXPECT_LT(turn, 360.0);
}

} // namespace
