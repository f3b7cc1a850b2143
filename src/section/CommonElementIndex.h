#pragma once
// A grid over the boxes of a section's lines and arcs, so that common-line
// cleaning compares each element only with those whose boxes come near it
// instead of with every other element. Elements come and go as the cleaning
// unites them. An element whose box spans very many cells is kept in a list
// that every query reads.
//
// The boxes inserted before the first query are held flat: one array of
// (box, slot) entries, one per cell the box covers, grouped by a hash of
// the cell in one counting pass, so a cell's candidates are one run through
// memory, tested on the boxes stored there, and inserting costs no
// allocation. A removed slot is only marked; its entries stay and are
// skipped. The few boxes inserted after the first query (the elements a
// union makes) go to a small table of cells beside it.
#include "geometry/BoundingBox.h"

#include <algorithm>
#include <cstdint>
#include <memory>
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
    // Calls visit(a, b), a < b, for every two held slots whose boxes
    // overlap, at least once (some more than once), walking the flat array
    // in memory order, so that a pass over all pairs stays in cache.
    template <typename Visit>
    void ForEachOverlappingPair(Visit visit) const;

private:
    // Where a slot's box is held.
    enum class Place : std::uint8_t { None, Flat, Late, Big };
    struct Cells {
        std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool big = false;
    };
    // Left uninitialised where the flat array is made, written once.
    struct Entry {
        double minX, minY, maxX, maxY;
        int slot;
    };
    // The cells of a flat slot's box (cells are within ±1e9).
    struct Span {
        std::int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };
    Cells CellsOf(const BoundingBox& box) const;
    static std::uint64_t Key(std::int64_t x, std::int64_t y)
    {
        return (static_cast<std::uint64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
    }
    // The flat array's group of the cell; cells may share one.
    std::size_t Bucket(std::int64_t x, std::int64_t y) const
    {
        const std::uint64_t h = (static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL) ^ static_cast<std::uint64_t>(y);
        return static_cast<std::size_t>((h * 0xC2B2AE3D27D4EB4FULL) >> shift_);
    }
    void BuildFlat() const;
    Place PlaceOf(int slot) const;

    double cellSize_;
    std::vector<BoundingBox> boxes_; // by slot
    std::vector<Place> places_;      // by slot
    std::vector<Span> spans_;        // by slot, of flat slots
    // Built on the first query from the slots then held flat.
    mutable std::unique_ptr<Entry[]> flat_;
    mutable std::vector<std::size_t> starts_; // by bucket, and the end
    mutable int shift_ = 63;
    mutable bool built_ = false;
    std::unordered_map<std::uint64_t, std::vector<int>> late_;
    std::vector<int> big_;
};

template <typename Visit>
void CommonElementIndex::ForEachOverlappingPair(Visit visit) const
{
    if (!built_)
        BuildFlat();
    // Two flat boxes that overlap share a cell, and so a bucket.
    for (std::size_t bucket = 0; bucket + 1 < starts_.size(); ++bucket) {
        for (std::size_t i = starts_[bucket]; i < starts_[bucket + 1]; ++i) {
            const Entry& a = flat_[i];
            if (places_[static_cast<std::size_t>(a.slot)] != Place::Flat)
                continue;
            for (std::size_t j = i + 1; j < starts_[bucket + 1]; ++j) {
                const Entry& b = flat_[j];
                if (a.slot != b.slot && a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY
                    && places_[static_cast<std::size_t>(b.slot)] == Place::Flat)
                    visit(std::min(a.slot, b.slot), std::max(a.slot, b.slot));
            }
        }
    }
    // The others: the few boxes held late or over very many cells.
    std::vector<int> near;
    for (std::size_t slot = 0; slot < places_.size(); ++slot) {
        if (places_[slot] != Place::Late && places_[slot] != Place::Big)
            continue;
        Overlapping(boxes_[slot], near);
        const int self = static_cast<int>(slot);
        for (int other : near) {
            if (other != self)
                visit(std::min(self, other), std::max(self, other));
        }
    }
}
