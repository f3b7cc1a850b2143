#include "view/BoxGrid.h"

#include "geometry/PlacementList.h"

#include <algorithm>
#include <cmath>

namespace {

// A box covering more cells than this goes to the list every query returns.
constexpr long kMostCells = 64;
constexpr int kMostColumns = 4096;

} // namespace

int BoxGrid::Column(double x) const
{
    const double c = std::floor((x - minX_) / cellWidth_);
    return c < 0.0 ? 0 : (c >= columns_ ? columns_ - 1 : static_cast<int>(c));
}

int BoxGrid::Row(double y) const
{
    const double r = std::floor((y - minY_) / cellHeight_);
    return r < 0.0 ? 0 : (r >= rows_ ? rows_ - 1 : static_cast<int>(r));
}

void BoxGrid::Build(std::span<const BoundingBox> boxes)
{
    entries_.clear();
    large_.clear();
    cellStart_.clear();
    columns_ = rows_ = 0;
    BoundingBox all;
    std::size_t count = 0;
    for (const BoundingBox& b : boxes) {
        if (b.IsEmpty())
            continue;
        all.Extend(b.minX, b.minY);
        all.Extend(b.maxX, b.maxY);
        ++count;
    }
    if (count == 0)
        return;
    // About one box per cell, the cells as square as the extents allow.
    const double width = std::max(all.maxX - all.minX, 1e-9);
    const double height = std::max(all.maxY - all.minY, 1e-9);
    const double aspect = width / height;
    const double n = static_cast<double>(count);
    columns_ = static_cast<int>(std::clamp(std::ceil(std::sqrt(n * aspect)), 1.0, double(kMostColumns)));
    rows_ = static_cast<int>(std::clamp(std::ceil(n / columns_), 1.0, double(kMostColumns)));
    minX_ = all.minX;
    minY_ = all.minY;
    cellWidth_ = width / columns_;
    cellHeight_ = height / rows_;

    // Counted first, then filled: one array for all cells.
    std::vector<int> cellCount(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_) + 1, 0);
    const auto cells = [&](const BoundingBox& b, auto&& visit) {
        const int c0 = Column(b.minX), c1 = Column(b.maxX);
        const int r0 = Row(b.minY), r1 = Row(b.maxY);
        if (static_cast<long>(c1 - c0 + 1) * (r1 - r0 + 1) > kMostCells)
            return false;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                visit(static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(c));
        return true;
    };
    for (const BoundingBox& b : boxes)
        if (!b.IsEmpty())
            (void)cells(b, [&](std::size_t cell) { ++cellCount[cell]; });
    cellStart_.assign(cellCount.size(), 0);
    int total = 0;
    for (std::size_t i = 0; i + 1 < cellCount.size(); ++i) {
        cellStart_[i] = total;
        total += cellCount[i];
    }
    cellStart_.back() = total;
    entries_.resize(static_cast<std::size_t>(total));
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const BoundingBox& b = boxes[i];
        if (b.IsEmpty())
            continue;
        const int entry = static_cast<int>(i);
        if (!cells(b, [&](std::size_t cell) { entries_[static_cast<std::size_t>(fill[cell]++)] = entry; }))
            large_.push_back(entry);
    }
}

void BoxGrid::Query(const BoundingBox& window, std::vector<int>& out) const
{
    if (columns_ == 0)
        return;
    const std::size_t first = out.size();
    out.insert(out.end(), large_.begin(), large_.end());
    const bool outside = window.maxX < minX_ || window.maxY < minY_ || window.minX > minX_ + cellWidth_ * columns_
        || window.minY > minY_ + cellHeight_ * rows_;
    if (!outside) {
        const int c0 = Column(window.minX), c1 = Column(window.maxX);
        const int r0 = Row(window.minY), r1 = Row(window.maxY);
        for (int r = r0; r <= r1; ++r) {
            const std::size_t row = static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_);
            out.insert(out.end(), entries_.begin() + cellStart_[row + static_cast<std::size_t>(c0)],
                       entries_.begin() + cellStart_[row + static_cast<std::size_t>(c1) + 1]);
        }
    }
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
    out.erase(std::unique(out.begin() + static_cast<std::ptrdiff_t>(first), out.end()), out.end());
}

void BoxGrid::QueryFrames(const die::coord& p, double reach, const PlacementList* placements,
                          std::vector<std::pair<int, int>>& out) const
{
    out.clear();
    const double r = reach * (1.0 + 1e-9) + 1e-9;
    const auto near = [&](const die::coord& at, int frame) {
        BoundingBox window;
        window.Extend(at.x - r, at.y - r);
        window.Extend(at.x + r, at.y + r);
        found_.clear();
        Query(window, found_);
        for (int entry : found_)
            out.emplace_back(entry, frame);
    };
    near(p, 0);
    int frame = 1;
    if (placements)
        for (const Placement& placement : *placements)
            near(placement.Unplace(p), frame++);
    std::sort(out.begin(), out.end());
}
