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

EndGrid::Cell EndGrid::CellOf(const die::coord& p)
{
    return {ClampedFloor(p.x / kEndCell), ClampedFloor(p.y / kEndCell)};
}

std::uint64_t EndGrid::Key(const Cell& c)
{
    // Mixes both cell numbers; equal keys of different cells only share a bucket.
    const auto x = static_cast<std::uint64_t>(c.x);
    const auto y = static_cast<std::uint64_t>(c.y);
    return x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2));
}

void EndGrid::Add(const Ref& ref, const die::coord& at)
{
    cells_[Key(CellOf(at))].push_back(ref);
}

void EndGrid::Remove(const Ref& ref, const die::coord& at)
{
    const auto found = cells_.find(Key(CellOf(at)));
    if (found == cells_.end())
        return;
    auto& refs = found->second;
    const auto it = std::find(refs.begin(), refs.end(), ref);
    if (it == refs.end())
        return;
    *it = refs.back();
    refs.pop_back();
    if (refs.empty())
        cells_.erase(found);
}

void NearestEnds::Add(const Ref& ref, const die::coord& at)
{
    const int index = static_cast<int>(points_.size());
    points_.push_back({ref, at, -1, true});
    byChain_[ref.chain].push_back(index);
}

void NearestEnds::Build()
{
    order_.clear();
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (Finite(points_[i].at))
            order_.push_back(static_cast<int>(i));
        else
            outside_.push_back(static_cast<int>(i));
    }
    nodes_.clear();
    nodes_.reserve(order_.size() / 4 + 1);
    root_ = order_.empty() ? -1 : BuildNode(0, static_cast<int>(order_.size()), -1);
    // The points in tree order, so that a leaf's points lie side by side:
    // the walk then reads memory near what it read last.
    std::vector<int> renumbered(points_.size());
    std::vector<Point> placed;
    placed.reserve(points_.size());
    for (int& i : order_) {
        renumbered[static_cast<std::size_t>(i)] = static_cast<int>(placed.size());
        placed.push_back(points_[static_cast<std::size_t>(i)]);
        i = renumbered[static_cast<std::size_t>(i)];
    }
    for (int& i : outside_) {
        renumbered[static_cast<std::size_t>(i)] = static_cast<int>(placed.size());
        placed.push_back(points_[static_cast<std::size_t>(i)]);
        i = renumbered[static_cast<std::size_t>(i)];
    }
    points_ = std::move(placed);
    for (auto& [chain, indices] : byChain_) {
        for (int& i : indices)
            i = renumbered[static_cast<std::size_t>(i)];
    }
}

int NearestEnds::BuildNode(int begin, int end, int parent)
{
    constexpr int kLeafSize = 8;
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back({});
    Node node;
    node.parent = parent;
    node.begin = begin;
    node.end = end;
    node.alive = end - begin;
    node.minX = node.maxX = points_[static_cast<std::size_t>(order_[static_cast<std::size_t>(begin)])].at.x;
    node.minY = node.maxY = points_[static_cast<std::size_t>(order_[static_cast<std::size_t>(begin)])].at.y;
    for (int i = begin; i < end; ++i) {
        const die::coord& at = points_[static_cast<std::size_t>(order_[static_cast<std::size_t>(i)])].at;
        node.minX = std::min(node.minX, at.x);
        node.minY = std::min(node.minY, at.y);
        node.maxX = std::max(node.maxX, at.x);
        node.maxY = std::max(node.maxY, at.y);
    }
    if (end - begin <= kLeafSize) {
        for (int i = begin; i < end; ++i)
            points_[static_cast<std::size_t>(order_[static_cast<std::size_t>(i)])].leaf = index;
        nodes_[static_cast<std::size_t>(index)] = node;
        return index;
    }
    const bool alongX = node.maxX - node.minX >= node.maxY - node.minY;
    const int middle = begin + (end - begin) / 2;
    std::nth_element(order_.begin() + begin, order_.begin() + middle, order_.begin() + end, [&](int a, int b) {
        const die::coord& pa = points_[static_cast<std::size_t>(a)].at;
        const die::coord& pb = points_[static_cast<std::size_t>(b)].at;
        return alongX ? pa.x < pb.x : pa.y < pb.y;
    });
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

NearestEnds::Ref NearestEnds::Nearest(const die::coord& p) const
{
    int best = -1;
    double bestD2 = std::numeric_limits<double>::infinity();
    const auto consider = [&](int i) {
        const double d2 = SquaredDistance(points_[static_cast<std::size_t>(i)].at, p);
        if (Better(i, d2, best, bestD2)) {
            best = i;
            bestD2 = d2;
        }
    };
    for (const int i : outside_) {
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
        // the depth of a tree over 2^31 points always suffices.
        std::array<int, 2 * 32 + 2> stack{};
        std::size_t depth = 0;
        stack[depth++] = root_;
        while (depth > 0) {
            const Node& node = nodes_[static_cast<std::size_t>(stack[--depth])];
            // Equal distances still compete: only a box strictly farther is left out.
            if (node.alive == 0 || (best >= 0 && boxDistance(node) > bestD2))
                continue;
            if (node.low < 0) {
                for (int i = node.begin; i < node.end; ++i) {
                    const int point = order_[static_cast<std::size_t>(i)];
                    if (points_[static_cast<std::size_t>(point)].alive)
                        consider(point);
                }
                continue;
            }
            const Node& low = nodes_[static_cast<std::size_t>(node.low)];
            const Node& high = nodes_[static_cast<std::size_t>(node.high)];
            // The nearer child is searched first (pushed last).
            if (boxDistance(low) <= boxDistance(high)) {
                stack[depth++] = node.high;
                stack[depth++] = node.low;
            } else {
                stack[depth++] = node.low;
                stack[depth++] = node.high;
            }
        }
    } else if (root_ >= 0) {
        for (const int i : order_) {
            if (points_[static_cast<std::size_t>(i)].alive)
                consider(i);
        }
    }
    return points_[static_cast<std::size_t>(best)].ref;
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

void NearestEnds::RemoveChain(int chain)
{
    const auto found = byChain_.find(chain);
    if (found == byChain_.end())
        return;
    for (const int index : found->second)
        RemovePoint(index);
    byChain_.erase(found);
}

} // namespace Export
