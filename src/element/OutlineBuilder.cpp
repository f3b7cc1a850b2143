#include "element/OutlineBuilder.h"

#include "geometry/GeomBasics.h"

#include <QtGlobal>

#include <algorithm>
#include <array>

void OutlineBuilder::SetClipWindow(const BoundingBox& window)
{
    window_ = window;
    clipping_ = true;
}

int OutlineBuilder::AddSegment(double x1, double y1, double x2, double y2, const CElement* owner, int flags,
                               bool cutRule, const CInstance* placement)
{
    if (clipping_) {
        const auto inside = [&](double x, double y) {
            return Geom::IsPointInRect(x, y, window_.minX, window_.minY, window_.maxX, window_.maxY);
        };
        if (!inside(x1, y1) && !inside(x2, y2))
            return -1;
    }
    Segment s;
    s.from = {x1, y1};
    s.to = {x2, y2};
    s.owner = owner;
    s.flags = flags;
    s.cutRule = cutRule;
    if (placement)
        s.placement = *placement;
    segments_.push_back(s);
    return static_cast<int>(segments_.size()) - 1;
}

void OutlineBuilder::RemoveSegment(int index)
{
    Q_ASSERT(index >= 0 && index < Count());
    segments_.erase(segments_.begin() + index);
}

void OutlineBuilder::RemoveSegments(const std::vector<char>& gone)
{
    Q_ASSERT(gone.size() == segments_.size());
    std::size_t kept = 0;
    for (std::size_t s = 0; s < segments_.size(); ++s) {
        if (gone[s])
            continue;
        if (kept != s)
            segments_[kept] = std::move(segments_[s]);
        ++kept;
    }
    segments_.resize(kept);
}

void OutlineBuilder::RemoveSegmentsAndLinks(const std::vector<char>& gone)
{
    Q_ASSERT(gone.size() == segments_.size());
    const std::size_t n = segments_.size();
    // Removing one index after another, from the lowest up or from the
    // highest down, lowers every entry above it by one: an entry ends lowered
    // by the removed indices below it. Excluded segments keep entries of
    // removed ones, lowered alike.
    std::vector<int> removedBelow(n + 1, 0);
    for (std::size_t s = 0; s < n; ++s)
        removedBelow[s + 1] = removedBelow[s] + (gone[s] ? 1 : 0);
    const auto lowered = [&](int k) {
        return k <= 0 ? k : k - removedBelow[std::min(static_cast<std::size_t>(k), n)];
    };
    const auto removed = [&](int k) { return k >= 0 && static_cast<std::size_t>(k) < n && gone[static_cast<std::size_t>(k)]; };
    for (std::size_t s = 0; s < n; ++s) {
        if (gone[s])
            continue;
        Segment& seg = segments_[s];
        for (std::vector<int>* list : {&seg.startNeighbours, &seg.endNeighbours}) {
            if (!seg.excluded)
                std::erase_if(*list, removed);
            for (int& k : *list)
                k = lowered(k);
        }
    }
    RemoveSegments(gone);
}

void OutlineBuilder::RemoveSegmentAndLinks(int index, bool markOnly)
{
    Q_ASSERT(index >= 0 && index < Count());
    for (int k = 0; k < Count(); ++k) {
        Segment& s = GetSegment(k);
        if (k == index || s.excluded)
            continue;
        std::erase(s.startNeighbours, index);
        std::erase(s.endNeighbours, index);
    }
    if (markOnly) {
        GetSegment(index).excluded = true;
        return;
    }
    RemoveSegment(index);
    for (Segment& s : segments_) {
        for (std::vector<int>* list : {&s.startNeighbours, &s.endNeighbours}) {
            for (int& n : *list) {
                if (n > index)
                    --n;
            }
        }
    }
}

void OutlineBuilder::SwapSegments(int i, int j)
{
    if (i == j)
        return;
    std::swap(GetSegment(i), GetSegment(j));
    for (Segment& s : segments_) {
        for (std::vector<int>* list : {&s.startNeighbours, &s.endNeighbours}) {
            for (int& n : *list) {
                if (n == i)
                    n = j;
                else if (n == j)
                    n = i;
            }
        }
    }
}

std::array<OutlineBuilder::Segment, 2> OutlineBuilder::Halves(const Segment& whole, const die::coord& point)
{
    std::array<Segment, 2> halves;
    halves[0].from = whole.from;
    halves[0].to = point;
    halves[1].from = point;
    halves[1].to = whole.to;
    for (Segment& half : halves) {
        half.owner = whole.owner;
        half.flags = whole.flags;
        half.cutRule = whole.cutRule;
        half.placement = whole.placement;
        half.mark = whole.mark;
        half.sourceSlot = whole.sourceSlot;
    }
    return halves;
}

void OutlineBuilder::SplitSegment(int index, const die::coord& point)
{
    const Segment whole = GetSegment(index);
    RemoveSegment(index);
    for (Segment& half : Halves(whole, point))
        segments_.push_back(std::move(half));
}
