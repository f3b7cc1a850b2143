#include "geometry/EditLines.h"

#include <gtest/gtest.h>

namespace {

TEST(EditLines, ParallelBySlopeAgainstEitherAxis)
{
    const struct {
        const char* name;
        die::coord s1, e1, s2, e2;
        bool parallel;
    } cases[] = {
        {"flat, slopes 0.0029 apart", {0, 0}, {10, 0}, {0, 5}, {10, 5.029}, true},
        {"flat, slopes 0.004 apart", {0, 0}, {10, 0}, {0, 5}, {10, 5.04}, false},
        {"upright lines of different lengths", {0, 0}, {0, 10}, {8, 0}, {8, 20}, true},
        {"steep lines 0.0001 rad apart", {0, 0}, {1, 100}, {5, 0}, {6, 101}, true},
        {"upright and flat", {0, 0}, {0, 10}, {0, 0}, {10, 0}, false},
        {"at 45 degrees, 0.0035 apart", {0, 0}, {10, 10}, {5, 0}, {15, 10.035}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Geom::EditLinesParallel(c.s1, c.e1, c.s2, c.e2), c.parallel);
        EXPECT_EQ(Geom::EditLinesParallel(c.s2, c.e2, c.s1, c.e1), c.parallel);
    }
}

// Seen from the corner (0, 0): the line from (startX, 0) to (endX, 0).
TEST(EditLines, TheFilletAndTheChamferKeepTheirOwnEnds)
{
    const struct {
        const char* name;
        double startX;
        double endX;
        die::coord pick;
        bool filletKeepsStart;
        bool chamferKeepsStart;
    } cases[] = {
        {"picked towards the end", -10, 20, {15, 0}, false, false},
        {"picked towards the start", -10, 20, {-5, 0}, true, true},
        // 45° rounded up is past π/4: the fillet falls back to the start.
        {"picked at 45 degrees towards the end", -10, 20, {5, 5}, true, false},
        {"picked across, the start farther", -20, 10, {0, 5}, true, true},
        {"picked across, the end farther", -10, 20, {0, 5}, true, false},
        {"both ends on one side: the farther stays", 5, 20, {12, 0}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Geom::FilletKeepsStart({0, 0}, {c.startX, 0}, {c.endX, 0}, c.pick), c.filletKeepsStart);
        EXPECT_EQ(Geom::ChamferKeepsStart({0, 0}, {c.startX, 0}, {c.endX, 0}, c.pick), c.chamferKeepsStart);
    }
}

} // namespace
