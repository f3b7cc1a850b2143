#pragma once
// A grid over the boxes of a section's lines and arcs, so that common-line
// cleaning compares each element only with those whose boxes come near it
// instead of with every other element. Elements come and go as the cleaning
// unites them. An element whose box spans very many cells is kept in a list
// that every query reads.
#include "geometry/BoundingBox.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CommonElementIndex {
public:
    // Cells of the given size (mm, at least 1).
    explicit CommonElementIndex(double cellSize);

    // The slot's box; a slot already held is moved to the new box.
    void Insert(int slot, const BoundingBox& box);
    void Remove(int slot);
    bool Contains(int slot) const;
    // The held slots other than this one whose boxes overlap its box,
    // ascending, without repeats. Reuses `out`.
    void Neighbours(int slot, std::vector<int>& out) const;
    // The held slots whose boxes overlap the box, the same way.
    void Overlapping(const BoundingBox& box, std::vector<int>& out) const;

private:
    struct Cells {
        std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool big = false;
    };
    Cells CellsOf(const BoundingBox& box) const;
    static std::uint64_t Key(std::int64_t x, std::int64_t y)
    {
        return (static_cast<std::uint64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
    }

    double cellSize_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> big_;
    std::vector<BoundingBox> boxes_; // by slot; empty: not held
};
