#pragma once
// The node table's lookup structure: a hash of grid cells over the rotated
// positions of the nodes in use, so that a new point finds its coincident
// nodes without scanning every slot.
//
// The cells are wider than the merge box (twice the tolerance and more), so
// the box about a point meets at most two cells in each direction, usually
// one. Each cell holds the head of a list threaded through the slots: adding
// a node allocates nothing but the table's occasional growth. Positions too
// large for a cell number sit in one list that every query reads. The table
// keeps the structures in step with its slots and drops them when positions
// may have changed; they are rebuilt on next use.
#include <cstddef>
#include <cstdint>
#include <vector>

class NodeMergeIndex {
public:
    // Candidates within the merge tolerance of (x, y) and a little beyond,
    // in no particular order; the caller applies the exact merge test.
    template <class F>
    void ForEachNear(double x, double y, F&& f) const
    {
        for (int slot : far_)
            f(slot);
        Cell low, high;
        if (!CellOf(x - kReach, y - kReach, low) || !CellOf(x + kReach, y + kReach, high))
            return;
        for (int64_t cx = low.x; cx <= high.x; ++cx) {
            for (int64_t cy = low.y; cy <= high.y; ++cy) {
                const int entry = Find({cx, cy});
                if (entry < 0)
                    continue;
                for (int slot = entries_[static_cast<std::size_t>(entry)].head; slot >= 0;
                     slot = slots_[static_cast<std::size_t>(slot)].next)
                    f(slot);
            }
        }
    }

    void Clear();
    // Enters a node in use at its rotated position; a position that is not a
    // number is left out (it coincides with nothing).
    void Insert(int slot, double x, double y);
    void Erase(int slot);

private:
    // Beyond the merge tolerance (0.003 mm) by a margin for rounding.
    static constexpr double kReach = 0.0035;

    struct Cell {
        int64_t x = 0;
        int64_t y = 0;
        bool operator==(const Cell&) const = default;
    };
    struct Entry {
        Cell cell;
        int head = -1; // the first slot in the cell; -1 for none
        bool used = false;
    };
    enum class Where : uint8_t { None, Grid, Far };
    struct SlotEntry {
        Where where = Where::None;
        int entry = -1; // the cell's entry while in the grid
        int next = -1;  // the next slot in the same cell
    };

    static bool CellOf(double x, double y, Cell& c);
    static uint64_t Hash(const Cell& c);
    // The entry of the cell, or -1 when it has none.
    int Find(const Cell& c) const;
    // The entry of the cell, made when missing.
    int Enter(const Cell& c);
    void Rehash(std::size_t size);

    std::vector<Entry> entries_; // open addressing; a power of two long
    std::size_t usedEntries_ = 0;
    std::vector<int> far_;
    std::vector<SlotEntry> slots_;
};
