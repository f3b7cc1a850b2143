// The outline builder's hash grid: a query returns every item whose box
// meets the query's, each once and in ascending order; boxes it cannot
// place in cells (not finite, or over very many cells) meet every query.
#include "element/OutlineGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(OutlineGrid, AQueryFindsWhatItsBoxMeetsAndWhatTheGridCannotPlace)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    OutlineGrid grid(1.0);
    grid.Add(4, {0.2, 0.2}, {2.5, 0.4});        // three cells along x
    grid.AddPoint(2, {10.5, 10.5});
    grid.Add(7, {-1e6, -1e6}, {1e6, 1e6});      // too many cells
    grid.AddPoint(9, {nan, 1.0});                // not finite
    grid.Add(1, {-0.5, -0.5}, {0.1, 0.1});      // across cell borders at 0
    std::vector<int> found;

    grid.Query({2.1, 0.1}, {2.2, 0.2}, found);
    EXPECT_EQ(found, (std::vector<int>{4, 7, 9}));
    grid.Query({0.05, 0.05}, {0.05, 0.05}, found);
    EXPECT_EQ(found, (std::vector<int>{1, 4, 7, 9}));
    grid.Query({10.0, 10.0}, {11.0, 11.0}, found);
    EXPECT_EQ(found, (std::vector<int>{2, 7, 9}));
    grid.Query({50.0, 50.0}, {50.5, 50.5}, found);
    EXPECT_EQ(found, (std::vector<int>{7, 9}));
    // A query box the grid cannot place meets everything.
    grid.Query({nan, nan}, {nan, nan}, found);
    EXPECT_EQ(found, (std::vector<int>{1, 2, 4, 7, 9}));
}

} // namespace
