#pragma once
// The node table's lookup structure: a grid over the rotated positions of
// the nodes in use, so that a new point finds its coincident nodes without
// scanning every slot.
//
// The grid's cells are wider than the merge box, so every node within the
// box of a point lies in the point's cell or one of its eight neighbours.
// Positions too large for a cell number sit in one list that every query
// reads. The table keeps the structures in step with its slots and drops
// them when positions may have changed; they are rebuilt on next use.
#include <cstdint>
#include <unordered_map>
#include <vector>

class NodeMergeIndex {
public:
    // Candidates near (x, y), in no particular order; the caller applies the
    // exact merge test.
    template <class F>
    void ForEachNear(double x, double y, F&& f) const
    {
        for (int slot : far_)
            f(slot);
        Cell c;
        if (!CellOf(x, y, c))
            return;
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = cells_.find(Key({c.x + dx, c.y + dy}));
                if (it == cells_.end())
                    continue;
                for (int slot : it->second)
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
    struct Cell {
        int64_t x = 0;
        int64_t y = 0;
    };
    static bool CellOf(double x, double y, Cell& c);
    static uint64_t Key(const Cell& c);

    enum class Where : uint8_t { None, Grid, Far };
    struct SlotEntry {
        Where where = Where::None;
        uint64_t key = 0;
    };

    std::unordered_map<uint64_t, std::vector<int>> cells_;
    std::vector<int> far_;
    std::vector<SlotEntry> slots_;
};
