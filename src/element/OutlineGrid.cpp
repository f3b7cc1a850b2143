#include "element/OutlineGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// A box over more cells than this goes to the list every query returns.
constexpr std::int64_t kMostCells = 256;
// Cell numbers stay far inside the 64-bit range.
constexpr double kFarthestCell = 1e15;

} // namespace

bool OutlineGrid::Cells(const die::coord& low, const die::coord& high, std::int64_t& x0, std::int64_t& y0,
                        std::int64_t& x1, std::int64_t& y1) const
{
    const double fx0 = std::floor(low.x / cell_);
    const double fy0 = std::floor(low.y / cell_);
    const double fx1 = std::floor(high.x / cell_);
    const double fy1 = std::floor(high.y / cell_);
    for (double f : {fx0, fy0, fx1, fy1}) {
        if (!(std::abs(f) < kFarthestCell)) // also false for NaN
            return false;
    }
    x0 = static_cast<std::int64_t>(fx0);
    y0 = static_cast<std::int64_t>(fy0);
    x1 = static_cast<std::int64_t>(fx1);
    y1 = static_cast<std::int64_t>(fy1);
    return x0 <= x1 && y0 <= y1 && (x1 - x0 + 1) * (y1 - y0 + 1) <= kMostCells;
}

std::uint64_t OutlineGrid::Key(std::int64_t x, std::int64_t y)
{
    return static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(y);
}

void OutlineGrid::Add(int item, const die::coord& low, const die::coord& high)
{
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!Cells(low, high, x0, y0, x1, y1)) {
        everywhere_.push_back(item);
        return;
    }
    for (std::int64_t x = x0; x <= x1; ++x) {
        for (std::int64_t y = y0; y <= y1; ++y)
            cells_[Key(x, y)].push_back(item);
    }
}

void OutlineGrid::Query(const die::coord& low, const die::coord& high, std::vector<int>& out) const
{
    out = everywhere_;
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!Cells(low, high, x0, y0, x1, y1)) {
        // A query box beyond the grid meets everything.
        for (const auto& [key, items] : cells_)
            out.insert(out.end(), items.begin(), items.end());
    } else {
        for (std::int64_t x = x0; x <= x1; ++x) {
            for (std::int64_t y = y0; y <= y1; ++y) {
                const auto found = cells_.find(Key(x, y));
                if (found != cells_.end())
                    out.insert(out.end(), found->second.begin(), found->second.end());
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}
