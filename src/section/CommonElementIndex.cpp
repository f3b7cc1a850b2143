#include "section/CommonElementIndex.h"

#include <algorithm>
#include <cmath>

namespace {
// A box over more cells than this goes into the list every query reads.
constexpr std::int64_t kMaxCells = 1024;
// Cell coordinates are held within this range, so far boxes share cells.
constexpr double kCellLimit = 1e9;

std::int64_t CellOf(double v, double size)
{
    return static_cast<std::int64_t>(std::floor(std::clamp(v / size, -kCellLimit, kCellLimit)));
}

bool Overlap(const BoundingBox& a, const BoundingBox& b)
{
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

void Erase(std::vector<int>& list, int slot)
{
    const auto it = std::find(list.begin(), list.end(), slot);
    if (it != list.end()) {
        *it = list.back();
        list.pop_back();
    }
}
} // namespace

CommonElementIndex::CommonElementIndex(double cellSize) : cellSize_(std::isfinite(cellSize) ? std::max(cellSize, 1.0) : 1.0)
{
}

CommonElementIndex::Cells CommonElementIndex::CellsOf(const BoundingBox& box) const
{
    Cells c;
    c.x0 = CellOf(box.minX, cellSize_);
    c.y0 = CellOf(box.minY, cellSize_);
    c.x1 = CellOf(box.maxX, cellSize_);
    c.y1 = CellOf(box.maxY, cellSize_);
    c.big = (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1) > kMaxCells;
    return c;
}

void CommonElementIndex::Insert(int slot, const BoundingBox& box)
{
    if (slot < 0 || box.IsEmpty())
        return;
    Remove(slot);
    if (static_cast<std::size_t>(slot) >= boxes_.size())
        boxes_.resize(static_cast<std::size_t>(slot) + 1);
    boxes_[static_cast<std::size_t>(slot)] = box;
    const Cells c = CellsOf(box);
    if (c.big) {
        big_.push_back(slot);
        return;
    }
    for (std::int64_t x = c.x0; x <= c.x1; ++x) {
        for (std::int64_t y = c.y0; y <= c.y1; ++y)
            cells_[Key(x, y)].push_back(slot);
    }
}

void CommonElementIndex::Remove(int slot)
{
    if (!Contains(slot))
        return;
    BoundingBox& box = boxes_[static_cast<std::size_t>(slot)];
    const Cells c = CellsOf(box);
    if (c.big) {
        Erase(big_, slot);
    } else {
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                const auto it = cells_.find(Key(x, y));
                if (it == cells_.end())
                    continue;
                Erase(it->second, slot);
                if (it->second.empty())
                    cells_.erase(it);
            }
        }
    }
    box = BoundingBox();
}

bool CommonElementIndex::Contains(int slot) const
{
    return slot >= 0 && static_cast<std::size_t>(slot) < boxes_.size()
           && !boxes_[static_cast<std::size_t>(slot)].IsEmpty();
}

void CommonElementIndex::Neighbours(int slot, std::vector<int>& out) const
{
    out.clear();
    if (!Contains(slot))
        return;
    Overlapping(boxes_[static_cast<std::size_t>(slot)], out);
    out.erase(std::remove(out.begin(), out.end(), slot), out.end());
}

void CommonElementIndex::Overlapping(const BoundingBox& box, std::vector<int>& out) const
{
    out.clear();
    if (box.IsEmpty())
        return;
    const auto take = [&](int other) {
        if (Overlap(box, boxes_[static_cast<std::size_t>(other)]))
            out.push_back(other);
    };
    for (int other : big_)
        take(other);
    const Cells c = CellsOf(box);
    if (c.big) {
        // A box over many cells: every held slot is a candidate.
        for (std::size_t other = 0; other < boxes_.size(); ++other) {
            if (!boxes_[other].IsEmpty() && !CellsOf(boxes_[other]).big)
                take(static_cast<int>(other));
        }
    } else {
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                const auto it = cells_.find(Key(x, y));
                if (it != cells_.end()) {
                    for (int other : it->second)
                        take(other);
                }
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}
