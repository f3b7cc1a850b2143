#include "element/NodeMergeIndex.h"

#include <algorithm>
#include <cmath>

namespace {

// Wider than the merge box (0.003 mm) with room for rounding.
constexpr double kCellSize = 0.004;
// Beyond this a cell number would lose the precision the grid relies on.
constexpr double kGridLimit = 1e9;

void RemoveValue(std::vector<int>& v, int value)
{
    const auto it = std::find(v.begin(), v.end(), value);
    if (it != v.end()) {
        *it = v.back();
        v.pop_back();
    }
}

} // namespace

bool NodeMergeIndex::CellOf(double x, double y, Cell& c)
{
    if (!(std::fabs(x) < kGridLimit) || !(std::fabs(y) < kGridLimit))
        return false;
    c.x = static_cast<int64_t>(std::floor(x / kCellSize));
    c.y = static_cast<int64_t>(std::floor(y / kCellSize));
    return true;
}

uint64_t NodeMergeIndex::Key(const Cell& c)
{
    // Cell numbers stay below 2^39 in magnitude: 32 bits each would collide
    // only for cells 2^32 apart, and those hold different keys anyway below.
    return (static_cast<uint64_t>(c.x) * 0x9E3779B97F4A7C15ULL) ^ static_cast<uint64_t>(c.y);
}

void NodeMergeIndex::Clear()
{
    cells_.clear();
    far_.clear();
    slots_.clear();
}

void NodeMergeIndex::Insert(int slot, double x, double y)
{
    if (std::isnan(x) || std::isnan(y))
        return;
    if (slot >= static_cast<int>(slots_.size()))
        slots_.resize(static_cast<size_t>(slot) + 1);
    SlotEntry& e = slots_[static_cast<size_t>(slot)];
    if (e.where != Where::None)
        Erase(slot);
    Cell c;
    if (CellOf(x, y, c)) {
        e.where = Where::Grid;
        e.key = Key(c);
        cells_[e.key].push_back(slot);
    } else {
        e.where = Where::Far;
        far_.push_back(slot);
    }
}

void NodeMergeIndex::Erase(int slot)
{
    if (slot < 0 || slot >= static_cast<int>(slots_.size()))
        return;
    SlotEntry& e = slots_[static_cast<size_t>(slot)];
    if (e.where == Where::Grid) {
        const auto it = cells_.find(e.key);
        if (it != cells_.end()) {
            RemoveValue(it->second, slot);
            if (it->second.empty())
                cells_.erase(it);
        }
    } else if (e.where == Where::Far) {
        RemoveValue(far_, slot);
    }
    e = SlotEntry{};
}
