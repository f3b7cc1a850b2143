#include "geometry/BoxUnion.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace {

BoundingBox Box(double x1, double y1, double x2, double y2)
{
    BoundingBox box;
    box.Extend(x1, y1);
    box.Extend(x2, y2);
    return box;
}

TEST(BoxUnion, EachPointCountsOnce)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::vector<BoundingBox> boxes;
        double area;
    };
    const Case cases[] = {
        {"none", {}, 0.0},
        {"one", {Box(0, 0, 40, 20)}, 800.0},
        {"apart", {Box(0, 0, 40, 20), Box(50, 0, 90, 20)}, 1600.0},
        {"touching", {Box(0, 0, 40, 20), Box(40, 0, 80, 20)}, 1600.0},
        {"one inside the other", {Box(0, 0, 40, 20), Box(10, 5, 20, 10)}, 800.0},
        // Three copies of 40 × 20 advancing by 10 share [20, 40]: the sum of
        // areas less the pairs' overlaps would give 800.
        {"three overlapping", {Box(0, 0, 40, 20), Box(10, 0, 50, 20), Box(20, 0, 60, 20)}, 1200.0},
        {"the same box three times", {Box(0, 0, 10, 10), Box(0, 0, 10, 10), Box(0, 0, 10, 10)}, 100.0},
        {"a cross", {Box(0, 10, 30, 20), Box(10, 0, 20, 30)}, 500.0},
        {"empty, flat and broken boxes cover nothing",
         {BoundingBox(), Box(0, 0, 0, 50), Box(0, 0, nan, 5), Box(0, 0, inf, 5), Box(1, 1, 3, 3)},
         4.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Geom::UnionArea(c.boxes), c.area) << c.what;
}

// Boxes on whole millimetres: the union counted cell by cell.
TEST(BoxUnion, MatchesACountOfCellsForRandomBoxes)
{
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> coordinate(0, 24);
    for (int round = 0; round < 50; ++round) {
        std::vector<BoundingBox> boxes;
        bool cells[24][24] = {};
        for (int k = 0; k < 12; ++k) {
            const int x1 = coordinate(engine), x2 = coordinate(engine);
            const int y1 = coordinate(engine), y2 = coordinate(engine);
            boxes.push_back(Box(x1, y1, x2, y2));
            for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x)
                for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y)
                    cells[x][y] = true;
        }
        int covered = 0;
        for (const auto& column : cells)
            for (bool cell : column)
                covered += cell ? 1 : 0;
        EXPECT_DOUBLE_EQ(Geom::UnionArea(boxes), covered) << "round " << round;
    }
}

} // namespace
