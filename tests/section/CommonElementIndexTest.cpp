// The cleaning's grid holds the boxes known before the first query in one
// sorted array and those inserted later in a table beside it. On random
// boxes, inserts, moves and removals it must answer exactly as the grid of
// one list per cell it replaced, which is kept below as the reference.
#include "section/CommonElementIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <unordered_map>

namespace {

class CellListIndex {
public:
    explicit CellListIndex(double cellSize) : cellSize_(std::isfinite(cellSize) ? std::max(cellSize, 1.0) : 1.0) {}

    void Insert(int slot, const BoundingBox& box)
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

    void Remove(int slot)
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

    bool Contains(int slot) const
    {
        return slot >= 0 && static_cast<std::size_t>(slot) < boxes_.size()
               && !boxes_[static_cast<std::size_t>(slot)].IsEmpty();
    }

    void Neighbours(int slot, std::vector<int>& out) const
    {
        out.clear();
        if (!Contains(slot))
            return;
        Overlapping(boxes_[static_cast<std::size_t>(slot)], out);
        out.erase(std::remove(out.begin(), out.end(), slot), out.end());
    }

    void Overlapping(const BoundingBox& box, std::vector<int>& out) const
    {
        out.clear();
        if (box.IsEmpty())
            return;
        const auto take = [&](int other) {
            const BoundingBox& b = boxes_[static_cast<std::size_t>(other)];
            if (box.minX <= b.maxX && b.minX <= box.maxX && box.minY <= b.maxY && b.minY <= box.maxY)
                out.push_back(other);
        };
        for (int other : big_)
            take(other);
        const Cells c = CellsOf(box);
        if (c.big) {
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

private:
    struct Cells {
        std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool big = false;
    };
    static std::int64_t CellOf(double v, double size)
    {
        return static_cast<std::int64_t>(std::floor(std::clamp(v / size, -1e9, 1e9)));
    }
    Cells CellsOf(const BoundingBox& box) const
    {
        Cells c{CellOf(box.minX, cellSize_), CellOf(box.minY, cellSize_), CellOf(box.maxX, cellSize_),
                CellOf(box.maxY, cellSize_), false};
        c.big = (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1) > 1024;
        return c;
    }
    static std::uint64_t Key(std::int64_t x, std::int64_t y)
    {
        return (static_cast<std::uint64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
    }
    static void Erase(std::vector<int>& list, int slot)
    {
        const auto it = std::find(list.begin(), list.end(), slot);
        if (it != list.end()) {
            *it = list.back();
            list.pop_back();
        }
    }

    double cellSize_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> big_;
    std::vector<BoundingBox> boxes_;
};

// Mostly small boxes around the origin (cells of both signs), some of zero
// size, some over more cells than a cell list takes, some far out where
// cells are clamped, and now and then an empty one.
BoundingBox RandomBox(std::mt19937& engine)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double kind = unit(engine);
    BoundingBox box;
    if (kind < 0.03)
        return box;
    const double far = kind < 0.08 ? 1e12 * (unit(engine) < 0.5 ? -1.0 : 1.0) : 0.0;
    const double x = far + (unit(engine) - 0.5) * 120.0;
    const double y = (unit(engine) - 0.5) * 120.0;
    const double w = kind < 0.15 ? 0.0 : kind < 0.22 ? 40.0 + unit(engine) * 80.0 : unit(engine) * 12.0;
    const double h = kind < 0.15 ? 0.0 : kind < 0.22 ? 40.0 + unit(engine) * 80.0 : unit(engine) * 12.0;
    box.Extend(x, y);
    box.Extend(x + w, y + h);
    return box;
}

// Every two held slots whose boxes overlap, by the reference's answers.
std::vector<std::pair<int, int>> PairsOf(const CellListIndex& reference, int slotCount)
{
    std::vector<std::pair<int, int>> pairs;
    std::vector<int> near;
    for (int slot = 0; slot <= slotCount; ++slot) {
        reference.Neighbours(slot, near);
        for (int other : near) {
            if (other > slot)
                pairs.emplace_back(slot, other);
        }
    }
    return pairs;
}

std::vector<std::pair<int, int>> PairsOf(const CommonElementIndex& index)
{
    std::vector<std::pair<int, int>> pairs;
    index.ForEachOverlappingPair([&](int a, int b) { pairs.emplace_back(a, b); });
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

TEST(CommonElementIndex, AnswersAsOneListPerCellOnRandomBoxesAndChanges)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 engine(seed);
        const double cellSize = seed % 4 == 0 ? 0.5 : 1.0 + (seed % 7);
        CommonElementIndex index(cellSize);
        CellListIndex reference(cellSize);
        const int slotCount = 60 + static_cast<int>(seed % 5) * 40;
        std::uniform_int_distribution<int> anySlot(-1, slotCount + 20);
        std::uniform_int_distribution<int> op(0, 9);
        // Before the first query: inserts, moves and removals.
        for (int i = 0; i < slotCount * 2; ++i) {
            const int slot = anySlot(engine);
            if (op(engine) < 8) {
                const BoundingBox box = RandomBox(engine);
                index.Insert(slot, box);
                reference.Insert(slot, box);
            } else {
                index.Remove(slot);
                reference.Remove(slot);
            }
        }
        ASSERT_EQ(PairsOf(index), PairsOf(reference, slotCount + 20)) << "seed " << seed;
        std::vector<int> got;
        std::vector<int> want;
        // Then queries mixed with further changes, as the cleaning makes them.
        for (int i = 0; i < slotCount * 4; ++i) {
            const int slot = anySlot(engine);
            const int what = op(engine);
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << i << " slot " << slot << " op " << what);
            if (what < 3) {
                const BoundingBox box = RandomBox(engine);
                index.Insert(slot, box);
                reference.Insert(slot, box);
            } else if (what < 5) {
                index.Remove(slot);
                reference.Remove(slot);
            } else if (what < 8) {
                index.Neighbours(slot, got);
                reference.Neighbours(slot, want);
                ASSERT_EQ(got, want);
            } else {
                const BoundingBox box = RandomBox(engine);
                index.Overlapping(box, got);
                reference.Overlapping(box, want);
                ASSERT_EQ(got, want);
            }
            ASSERT_EQ(index.Contains(slot), reference.Contains(slot));
        }
        for (int slot = 0; slot <= slotCount + 20; ++slot) {
            index.Neighbours(slot, got);
            reference.Neighbours(slot, want);
            ASSERT_EQ(got, want) << "seed " << seed << " slot " << slot;
        }
        ASSERT_EQ(PairsOf(index), PairsOf(reference, slotCount + 20)) << "seed " << seed;
    }
}

} // namespace
