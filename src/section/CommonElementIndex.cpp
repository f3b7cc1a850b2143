#include "section/CommonElementIndex.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

CommonElementIndex::Place CommonElementIndex::PlaceOf(int slot) const
{
    return slot >= 0 && static_cast<std::size_t>(slot) < places_.size() ? places_[static_cast<std::size_t>(slot)]
                                                                        : Place::None;
}

void CommonElementIndex::Insert(int slot, const BoundingBox& box)
{
    if (slot < 0 || box.IsEmpty())
        return;
    Remove(slot);
    const auto at = static_cast<std::size_t>(slot);
    if (at >= boxes_.size()) {
        boxes_.resize(at + 1);
        places_.resize(at + 1, Place::None);
        spans_.resize(at + 1);
    }
    boxes_[at] = box;
    const Cells c = CellsOf(box);
    if (c.big) {
        places_[at] = Place::Big;
        big_.push_back(slot);
    } else if (!built_) {
        // Its cells are listed when the flat array is built.
        places_[at] = Place::Flat;
        spans_[at] = {static_cast<std::int32_t>(c.x0), static_cast<std::int32_t>(c.y0), static_cast<std::int32_t>(c.x1),
                      static_cast<std::int32_t>(c.y1)};
    } else {
        places_[at] = Place::Late;
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y)
                late_[Key(x, y)].push_back(slot);
        }
    }
}

void CommonElementIndex::Remove(int slot)
{
    const Place place = PlaceOf(slot);
    if (place == Place::None)
        return;
    const auto at = static_cast<std::size_t>(slot);
    if (place == Place::Big) {
        Erase(big_, slot);
    } else if (place == Place::Late) {
        const Cells c = CellsOf(boxes_[at]);
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                const auto it = late_.find(Key(x, y));
                if (it == late_.end())
                    continue;
                Erase(it->second, slot);
                if (it->second.empty())
                    late_.erase(it);
            }
        }
    }
    // A flat slot's pairs stay and are skipped from now on: a slot inserted
    // again after the first query is held late.
    places_[at] = Place::None;
    boxes_[at] = BoundingBox();
}

bool CommonElementIndex::Contains(int slot) const
{
    return PlaceOf(slot) != Place::None;
}

void CommonElementIndex::BuildFlat() const
{
    built_ = true;
    std::size_t count = 0;
    for (std::size_t slot = 0; slot < places_.size(); ++slot) {
        if (places_[slot] == Place::Flat) {
            const Span& c = spans_[slot];
            count += static_cast<std::size_t>(c.x1 - c.x0 + 1) * static_cast<std::size_t>(c.y1 - c.y0 + 1);
        }
    }
    int bits = 1;
    while ((std::size_t{1} << bits) < count)
        ++bits;
    shift_ = 64 - bits;
    // Two counting passes, on the high bits of the bucket and then on the
    // low bits within each group, so that every pass writes to few places
    // at a time and stays in cache however many boxes there are.
    const int low = bits - bits / 2;
    const std::size_t groups = std::size_t{1} << (bits / 2);
    const std::size_t lowMask = (std::size_t{1} << low) - 1;
    struct Item {
        std::uint32_t bucket;
        std::int32_t slot;
    };
    auto items = std::make_unique_for_overwrite<Item[]>(count);
    std::vector<std::size_t> groupStarts(groups + 1, 0);
    std::size_t made = 0;
    for (std::size_t slot = 0; slot < places_.size(); ++slot) {
        if (places_[slot] != Place::Flat)
            continue;
        const Span& c = spans_[slot];
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                const auto bucket = static_cast<std::uint32_t>(Bucket(x, y));
                items[made++] = {bucket, static_cast<std::int32_t>(slot)};
                ++groupStarts[(bucket >> low) + 1];
            }
        }
    }
    for (std::size_t g = 1; g <= groups; ++g)
        groupStarts[g] += groupStarts[g - 1];
    auto byGroup = std::make_unique_for_overwrite<Item[]>(count);
    {
        std::vector<std::size_t> next(groupStarts.begin(), groupStarts.end() - 1);
        for (std::size_t i = 0; i < count; ++i)
            byGroup[next[items[i].bucket >> low]++] = items[i];
    }
    items.reset();
    starts_.assign((std::size_t{1} << bits) + 1, count);
    flat_ = std::make_unique_for_overwrite<Entry[]>(count);
    std::vector<std::size_t> next(lowMask + 1);
    for (std::size_t g = 0; g < groups; ++g) {
        std::fill(next.begin(), next.end(), 0);
        for (std::size_t i = groupStarts[g]; i < groupStarts[g + 1]; ++i)
            ++next[byGroup[i].bucket & lowMask];
        std::size_t at = groupStarts[g];
        for (std::size_t k = 0; k <= lowMask; ++k) {
            starts_[(g << low) + k] = at;
            at += std::exchange(next[k], at);
        }
        for (std::size_t i = groupStarts[g]; i < groupStarts[g + 1]; ++i) {
            const Item& item = byGroup[i];
            const BoundingBox& box = boxes_[static_cast<std::size_t>(item.slot)];
            flat_[next[item.bucket & lowMask]++] = {box.minX, box.minY, box.maxX, box.maxY, item.slot};
        }
    }
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
    if (!built_)
        BuildFlat();
    const auto take = [&](int other) {
        if (Overlap(box, boxes_[static_cast<std::size_t>(other)]))
            out.push_back(other);
    };
    for (int other : big_)
        take(other);
    const Cells c = CellsOf(box);
    if (c.big) {
        // A box over many cells: every held slot is a candidate.
        for (std::size_t other = 0; other < places_.size(); ++other) {
            if (places_[other] == Place::Flat || places_[other] == Place::Late)
                take(static_cast<int>(other));
        }
    } else {
        // A held box that overlaps shares a cell with the query; entries of
        // other cells in the same bucket fail the box test or are repeats.
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                const std::size_t bucket = Bucket(x, y);
                for (std::size_t e = starts_[bucket]; e < starts_[bucket + 1]; ++e) {
                    const Entry& it = flat_[e];
                    if (box.minX <= it.maxX && it.minX <= box.maxX && box.minY <= it.maxY && it.minY <= box.maxY
                        && places_[static_cast<std::size_t>(it.slot)] == Place::Flat)
                        out.push_back(it.slot);
                }
            }
        }
        if (!late_.empty()) {
            for (std::int64_t x = c.x0; x <= c.x1; ++x) {
                for (std::int64_t y = c.y0; y <= c.y1; ++y) {
                    const auto it = late_.find(Key(x, y));
                    if (it != late_.end()) {
                        for (int other : it->second)
                            take(other);
                    }
                }
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}
