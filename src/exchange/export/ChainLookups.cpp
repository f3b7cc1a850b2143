#include "exchange/export/ChainLookups.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace Export {
namespace {

// Ends within 1e-6 always fall into neighbouring cells of this size.
constexpr double kEndCell = 1e-3;
constexpr double kFar = 1e15; // cell numbers are clamped to this
constexpr double kReach = 1e-6; // ends this near may meet

std::int64_t ClampedFloor(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<std::int64_t>(std::floor(std::clamp(v, -kFar, kFar)));
}

bool Finite(const die::coord& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double SquaredDistance(const die::coord& a, const die::coord& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double d2 = dx * dx + dy * dy;
    return std::isnan(d2) ? std::numeric_limits<double>::infinity() : d2;
}

} // namespace

EndCells::EndCells(const std::vector<die::coord>& points)
{
    // A cell is named by a 32-bit mix of its two numbers; cells whose names
    // collide are one cell: the callers test the ends they are given.
    const auto name = [](std::int64_t cellX, std::int64_t cellY) {
        const auto x = static_cast<std::uint64_t>(cellX);
        const auto y = static_cast<std::uint64_t>(cellY);
        const std::uint64_t mixed = x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2));
        return static_cast<std::uint32_t>((mixed ^ (mixed >> 32)) * 0xD6E8FEB86659FD93ull >> 32);
    };
    const std::size_t count = points.size();
    // Name and point in one word, sorted by the name: four passes of a
    // radix sort over its high half.
    // The square of ±1e-6 about a point seldom crosses a cell border; its
    // cells along an axis are then the point's own (every cell lies between
    // the lowest and the highest).
    const auto span = [](double v) {
        return std::pair{ClampedFloor((v - kReach) / kEndCell), ClampedFloor((v + kReach) / kEndCell)};
    };
    std::vector<std::uint64_t> named(count);
    std::vector<std::size_t> crossing;
    for (std::size_t i = 0; i < count; ++i) {
        const auto [lowX, highX] = span(points[i].x);
        const auto [lowY, highY] = span(points[i].y);
        const std::int64_t x = lowX == highX ? lowX : ClampedFloor(points[i].x / kEndCell);
        const std::int64_t y = lowY == highY ? lowY : ClampedFloor(points[i].y / kEndCell);
        if (lowX != highX || lowY != highY)
            crossing.push_back(i);
        named[i] = static_cast<std::uint64_t>(name(x, y)) << 32 | i;
    }
    std::vector<std::uint64_t> scratch(count);
    for (int shift = 32; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const std::uint64_t word : named)
            ++starts[((word >> shift) & 0xFF) + 1];
        for (std::size_t d = 1; d < starts.size(); ++d)
            starts[d] += starts[d - 1];
        for (const std::uint64_t word : named)
            scratch[starts[(word >> shift) & 0xFF]++] = word;
        named.swap(scratch);
    }
    std::vector<std::uint32_t> names;
    cellOf_.resize(count);
    for (const std::uint64_t word : named) {
        const auto key = static_cast<std::uint32_t>(word >> 32);
        if (names.empty() || names.back() != key)
            names.push_back(key);
        cellOf_[static_cast<std::size_t>(word & 0xFFFFFFFFu)] = static_cast<int>(names.size()) - 1;
    }
    head_.assign(names.size(), -1);
    nearBegin_.assign(count, -1);
    for (const std::size_t i : crossing) {
        const auto [lowX, highX] = span(points[i].x);
        const auto [lowY, highY] = span(points[i].y);
        nearBegin_[i] = static_cast<int>(near_.size());
        for (std::int64_t x = lowX; x <= highX; ++x) {
            for (std::int64_t y = lowY; y <= highY; ++y) {
                const std::uint32_t key = name(x, y);
                const auto found = std::lower_bound(names.begin(), names.end(), key);
                if (found != names.end() && *found == key)
                    near_.push_back(static_cast<int>(found - names.begin()));
            }
        }
        near_.push_back(kNone);
    }
}

void EndCells::Reserve(int chains)
{
    const auto slots = static_cast<std::size_t>(chains) * 2;
    slots_.resize(slots);
}

void EndCells::Add(const Ref& ref, int point)
{
    const auto slot = static_cast<std::size_t>(Slot(ref));
    const int cell = cellOf_[static_cast<std::size_t>(point)];
    int& head = head_[static_cast<std::size_t>(cell)];
    slots_[slot] = {head, -1, cell};
    if (head >= 0)
        slots_[static_cast<std::size_t>(head)].prev = static_cast<int>(slot);
    head = static_cast<int>(slot);
}

void EndCells::Remove(const Ref& ref)
{
    const auto slot = static_cast<std::size_t>(Slot(ref));
    const int cell = slots_[slot].cell;
    if (cell < 0)
        return;
    const int next = slots_[slot].next;
    const int prev = slots_[slot].prev;
    if (prev >= 0)
        slots_[static_cast<std::size_t>(prev)].next = next;
    else
        head_[static_cast<std::size_t>(cell)] = next;
    if (next >= 0)
        slots_[static_cast<std::size_t>(next)].prev = prev;
    slots_[slot].cell = -1;
}

void NearestEnds::Add(const Ref& ref, const die::coord& at)
{
    const int index = static_cast<int>(points_.size());
    points_.push_back({ref, at, -1, -1, index, true});
    if (index > 0 && points_[static_cast<std::size_t>(index) - 1].ref.chain == ref.chain) {
        points_[static_cast<std::size_t>(index) - 1].partner = index;
        points_.back().partner = index - 1;
    }
}

void NearestEnds::Build()
{
    // The tree is built over a small copy of the finite points' places; the
    // points then follow in tree order, so that a leaf's points lie side by
    // side and the walk reads memory near what it read last. The points
    // whose coordinates are not finite come after them.
    std::vector<Point> outside;
    std::vector<Point> finite;
    finite.reserve(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i) {
        points_[i].original = static_cast<int>(i);
        (Finite(points_[i].at) ? finite : outside).push_back(points_[i]);
    }
    finite_ = static_cast<int>(finite.size());
    spots_.resize(finite.size());
    for (std::size_t i = 0; i < finite.size(); ++i)
        spots_[i] = {finite[i].at.x, finite[i].at.y, static_cast<int>(i)};
    nodes_.clear();
    nodes_.reserve(finite.size() / 8 + 1);
    root_ = finite.empty() ? -1 : BuildNode(0, finite_, -1);
    points_.clear();
    for (const Spot& spot : spots_)
        points_.push_back(finite[static_cast<std::size_t>(spot.point)]);
    points_.insert(points_.end(), outside.begin(), outside.end());
    spots_ = {};
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
        if (nodes_[n].low < 0) {
            for (int i = nodes_[n].begin; i < nodes_[n].end; ++i)
                points_[static_cast<std::size_t>(i)].leaf = static_cast<int>(n);
        }
    }
    std::vector<int> renumbered(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i)
        renumbered[static_cast<std::size_t>(points_[i].original)] = static_cast<int>(i);
    for (Point& point : points_) {
        if (point.partner >= 0)
            point.partner = renumbered[static_cast<std::size_t>(point.partner)];
    }
}

int NearestEnds::BuildNode(int begin, int end, int parent)
{
    constexpr int kLeafSize = 32;
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back({});
    Node node;
    node.parent = parent;
    node.begin = begin;
    node.end = end;
    node.alive = end - begin;
    node.minX = node.maxX = spots_[static_cast<std::size_t>(begin)].x;
    node.minY = node.maxY = spots_[static_cast<std::size_t>(begin)].y;
    for (int i = begin; i < end; ++i) {
        const Spot& at = spots_[static_cast<std::size_t>(i)];
        node.minX = std::min(node.minX, at.x);
        node.minY = std::min(node.minY, at.y);
        node.maxX = std::max(node.maxX, at.x);
        node.maxY = std::max(node.maxY, at.y);
    }
    if (end - begin <= kLeafSize) {
        nodes_[static_cast<std::size_t>(index)] = node;
        return index;
    }
    const bool alongX = node.maxX - node.minX >= node.maxY - node.minY;
    const int middle = begin + (end - begin) / 2;
    std::nth_element(spots_.begin() + begin, spots_.begin() + middle, spots_.begin() + end,
                     [alongX](const Spot& a, const Spot& b) { return alongX ? a.x < b.x : a.y < b.y; });
    nodes_[static_cast<std::size_t>(index)] = node;
    const int low = BuildNode(begin, middle, index);
    const int high = BuildNode(middle, end, index);
    nodes_[static_cast<std::size_t>(index)].low = low;
    nodes_[static_cast<std::size_t>(index)].high = high;
    return index;
}

bool NearestEnds::Better(int candidate, double d2, int best, double bestD2) const
{
    if (best < 0)
        return true;
    if (d2 != bestD2)
        return d2 < bestD2;
    const Ref& a = points_[static_cast<std::size_t>(candidate)].ref;
    const Ref& b = points_[static_cast<std::size_t>(best)].ref;
    if (a.chain != b.chain)
        return a.chain < b.chain;
    return !a.atEnd && b.atEnd;
}

int NearestEnds::Nearest(const die::coord& p) const
{
    int best = -1;
    double bestD2 = std::numeric_limits<double>::infinity();
    const auto consider = [&](int i) {
        const double d2 = SquaredDistance(points_[static_cast<std::size_t>(i)].at, p);
        if (best >= 0 && d2 > bestD2)
            return; // the common case, decided without the tie rules
        if (Better(i, d2, best, bestD2)) {
            best = i;
            bestD2 = d2;
        }
    };
    for (int i = finite_; i < static_cast<int>(points_.size()); ++i) {
        if (points_[static_cast<std::size_t>(i)].alive)
            consider(i);
    }
    // The squared distance from p to a node's box; not a number counts as far.
    const auto boxDistance = [&p](const Node& node) {
        const double dx = std::max({node.minX - p.x, 0.0, p.x - node.maxX});
        const double dy = std::max({node.minY - p.y, 0.0, p.y - node.maxY});
        const double d2 = dx * dx + dy * dy;
        return std::isnan(d2) ? std::numeric_limits<double>::infinity() : d2;
    };
    if (root_ >= 0 && Finite(p)) {
        // The tree halves its points at every level, so a stack of twice
        // the depth of a tree over 2^31 points always suffices. Each entry
        // keeps its box's distance; equal distances still compete: only a
        // box strictly farther than the best so far is left out.
        struct Entry {
            int node;
            double d2;
        };
        std::array<Entry, 2 * 32 + 2> stack{};
        std::size_t depth = 0;
        const auto push = [&](int index, double d2) {
            if (nodes_[static_cast<std::size_t>(index)].alive > 0 && (best < 0 || d2 <= bestD2))
                stack[depth++] = {index, d2};
        };
        push(root_, boxDistance(nodes_[static_cast<std::size_t>(root_)]));
        while (depth > 0) {
            const Entry entry = stack[--depth];
            if (best >= 0 && entry.d2 > bestD2)
                continue;
            const Node& node = nodes_[static_cast<std::size_t>(entry.node)];
            if (node.low < 0) {
                for (int i = node.begin; i < node.end; ++i) {
                    if (points_[static_cast<std::size_t>(i)].alive)
                        consider(i);
                }
                continue;
            }
            const double low = boxDistance(nodes_[static_cast<std::size_t>(node.low)]);
            const double high = boxDistance(nodes_[static_cast<std::size_t>(node.high)]);
            // The nearer child is searched first (pushed last).
            if (low <= high) {
                push(node.high, high);
                push(node.low, low);
            } else {
                push(node.low, low);
                push(node.high, high);
            }
        }
    } else if (root_ >= 0) {
        for (int i = 0; i < finite_; ++i) {
            if (points_[static_cast<std::size_t>(i)].alive)
                consider(i);
        }
    }
    return best;
}

void NearestEnds::RemovePoint(int index)
{
    Point& point = points_[static_cast<std::size_t>(index)];
    if (!point.alive)
        return;
    point.alive = false;
    for (int node = point.leaf; node >= 0; node = nodes_[static_cast<std::size_t>(node)].parent)
        --nodes_[static_cast<std::size_t>(node)].alive;
}

NearestEnds::Ref NearestEnds::TakeNearest(const die::coord& p)
{
    const int chosen = Nearest(p);
    const Point& point = points_[static_cast<std::size_t>(chosen)];
    const Ref ref = point.ref;
    const int partner = point.partner;
    RemovePoint(chosen);
    if (partner >= 0)
        RemovePoint(partner);
    return ref;
}

} // namespace Export
