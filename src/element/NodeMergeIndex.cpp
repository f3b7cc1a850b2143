#include "element/NodeMergeIndex.h"

#include <algorithm>
#include <cmath>

namespace {

// Far wider than the box a query covers (twice kReach), so that the box
// mostly meets one cell; no divisor of a round millimetre, so that points on
// round numbers do not all lie at a cell's border.
constexpr double kCellSize = 0.0507;
// Beyond this a cell number would lose the precision the grid relies on.
constexpr double kGridLimit = 1e9;

} // namespace

bool NodeMergeIndex::CellOf(double x, double y, Cell& c)
{
    if (!(std::fabs(x) < kGridLimit) || !(std::fabs(y) < kGridLimit))
        return false;
    c.x = static_cast<int64_t>(std::floor(x / kCellSize));
    c.y = static_cast<int64_t>(std::floor(y / kCellSize));
    return true;
}

uint64_t NodeMergeIndex::Hash(const Cell& c)
{
    // Drawings put their points on round numbers: every bit of both cell
    // numbers has to reach the bits the table takes (the high ones).
    uint64_t h = static_cast<uint64_t>(c.x) * 0x9E3779B97F4A7C15ULL + static_cast<uint64_t>(c.y);
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

int NodeMergeIndex::Find(const Cell& c) const
{
    if (entries_.empty())
        return -1;
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = Hash(c) & mask;; i = (i + 1) & mask) {
        const Entry& e = entries_[i];
        if (!e.used)
            return -1;
        if (e.cell == c)
            return static_cast<int>(i);
    }
}

int NodeMergeIndex::Enter(const Cell& c)
{
    if ((usedEntries_ + 1) * 2 > entries_.size())
        Rehash(std::max<std::size_t>(64, entries_.size() * 2));
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = Hash(c) & mask;; i = (i + 1) & mask) {
        Entry& e = entries_[i];
        if (!e.used) {
            e.used = true;
            e.cell = c;
            e.head = -1;
            ++usedEntries_;
            return static_cast<int>(i);
        }
        if (e.cell == c)
            return static_cast<int>(i);
    }
}

void NodeMergeIndex::Rehash(std::size_t size)
{
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(size, Entry{});
    const std::size_t mask = size - 1;
    for (std::size_t from = 0; from < old.size(); ++from) {
        const Entry& e = old[from];
        if (!e.used)
            continue;
        std::size_t i = Hash(e.cell) & mask;
        while (entries_[i].used)
            i = (i + 1) & mask;
        entries_[i] = e;
        // The slots of the cell learn where it went.
        for (int slot = e.head; slot >= 0; slot = slots_[static_cast<std::size_t>(slot)].next)
            slots_[static_cast<std::size_t>(slot)].entry = static_cast<int>(i);
    }
}

void NodeMergeIndex::Clear()
{
    entries_.clear();
    usedEntries_ = 0;
    far_.clear();
    slots_.clear();
}

void NodeMergeIndex::Insert(int slot, double x, double y)
{
    if (std::isnan(x) || std::isnan(y))
        return;
    if (slot >= static_cast<int>(slots_.size()))
        slots_.resize(static_cast<std::size_t>(slot) + 1);
    if (slots_[static_cast<std::size_t>(slot)].where != Where::None)
        Erase(slot);
    Cell c;
    if (CellOf(x, y, c)) {
        const int entry = Enter(c); // may move the entries: take the slot's record after
        SlotEntry& s = slots_[static_cast<std::size_t>(slot)];
        s.where = Where::Grid;
        s.entry = entry;
        s.next = entries_[static_cast<std::size_t>(entry)].head;
        entries_[static_cast<std::size_t>(entry)].head = slot;
    } else {
        slots_[static_cast<std::size_t>(slot)].where = Where::Far;
        far_.push_back(slot);
    }
}

void NodeMergeIndex::Erase(int slot)
{
    if (slot < 0 || slot >= static_cast<int>(slots_.size()))
        return;
    SlotEntry& s = slots_[static_cast<std::size_t>(slot)];
    if (s.where == Where::Grid) {
        int* link = &entries_[static_cast<std::size_t>(s.entry)].head;
        while (*link >= 0 && *link != slot)
            link = &slots_[static_cast<std::size_t>(*link)].next;
        if (*link == slot)
            *link = s.next;
    } else if (s.where == Where::Far) {
        const auto it = std::find(far_.begin(), far_.end(), slot);
        if (it != far_.end()) {
            *it = far_.back();
            far_.pop_back();
        }
    }
    s = SlotEntry{};
}
