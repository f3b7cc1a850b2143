#include "geometry/SegmentGrid.h"

#include <algorithm>
#include <cmath>

using die::coord;

namespace Geom {

SegmentGrid::SegmentGrid(std::span<const coord> polyline)
{
    const size_t segments = polyline.size() < 2 ? 0 : polyline.size() - 1;
    if (segments == 0) {
        cellStart_.assign(2, 0);
        return;
    }
    double maxX = polyline[0].x, maxY = polyline[0].y;
    minX_ = maxX;
    minY_ = maxY;
    double extentSum = 0;
    for (size_t i = 0; i < polyline.size(); ++i) {
        const coord& p = polyline[i];
        minX_ = std::min(minX_, p.x);
        minY_ = std::min(minY_, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
        if (i + 1 < polyline.size()) {
            const coord& q = polyline[i + 1];
            extentSum += std::max(std::fabs(q.x - p.x), std::fabs(q.y - p.y));
        }
    }
    // About one segment per cell, but cells no smaller than the mean segment,
    // so that each segment lands in a few cells only.
    const double width = maxX - minX_, height = maxY - minY_;
    const double bySize = std::sqrt(width * height / static_cast<double>(segments));
    cellSize_ = std::max({bySize, extentSum / static_cast<double>(segments), std::max(width, height) / 4096.0});
    if (!(cellSize_ > 0) || !std::isfinite(cellSize_))
        cellSize_ = 1;
    columns_ = std::max(1, static_cast<int>(width / cellSize_) + 1);
    rows_ = std::max(1, static_cast<int>(height / cellSize_) + 1);

    // Two passes: count the entries of each cell, then place them.
    const size_t cells = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    cellStart_.assign(cells + 1, 0);
    auto forCells = [&](size_t i, auto visit) {
        const coord& p = polyline[i];
        const coord& q = polyline[i + 1];
        const int c0 = column(std::min(p.x, q.x)), c1 = column(std::max(p.x, q.x));
        const int r0 = row(std::min(p.y, q.y)), r1 = row(std::max(p.y, q.y));
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                visit(static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c));
    };
    for (size_t i = 0; i < segments; ++i)
        forCells(i, [&](size_t cell) { ++cellStart_[cell + 1]; });
    for (size_t cell = 0; cell < cells; ++cell)
        cellStart_[cell + 1] += cellStart_[cell];
    entries_.resize(cellStart_[cells]);
    std::vector<std::uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (size_t i = 0; i < segments; ++i)
        forCells(i, [&](size_t cell) { entries_[fill[cell]++] = static_cast<std::uint32_t>(i); });
}

namespace {

// The cell index of a coordinate, held to [0, count - 1] (NaN gives 0).
int cellIndex(double offset, double cellSize, int count)
{
    const double i = std::floor(offset / cellSize);
    if (!(i > 0.0))
        return 0;
    return i >= count - 1 ? count - 1 : static_cast<int>(i);
}

} // namespace

int SegmentGrid::column(double x) const
{
    return cellIndex(x - minX_, cellSize_, columns_);
}

int SegmentGrid::row(double y) const
{
    return cellIndex(y - minY_, cellSize_, rows_);
}

void SegmentGrid::candidates(double minX, double minY, double maxX, double maxY,
                             std::vector<std::uint32_t>& out) const
{
    out.clear();
    if (entries_.empty())
        return;
    const int c0 = column(minX), c1 = column(maxX);
    const int r0 = row(minY), r1 = row(maxY);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const size_t cell = static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c);
            out.insert(out.end(), entries_.begin() + cellStart_[cell], entries_.begin() + cellStart_[cell + 1]);
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

} // namespace Geom
