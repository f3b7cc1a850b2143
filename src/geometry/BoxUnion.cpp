#include "geometry/BoxUnion.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace Geom {

namespace {

// One vertical edge of a box: at x the box's y range [low, high) (indices
// into the sorted y values) starts (+1) or ends (−1).
struct Edge {
    double x;
    std::size_t low;
    std::size_t high;
    int change;
};

// How much of the y axis the open boxes cover, over the elementary
// intervals between consecutive y values.
class CoverTree {
public:
    explicit CoverTree(const std::vector<double>& ys)
        : ys_(ys), count_(4 * ys.size()), covered_(4 * ys.size())
    {
    }

    void Apply(std::size_t low, std::size_t high, int change) { Update(1, 0, ys_.size() - 1, low, high, change); }
    double Covered() const { return covered_[1]; }

private:
    // Node covers the intervals [from, to) of the y values.
    void Update(std::size_t node, std::size_t from, std::size_t to, std::size_t low, std::size_t high, int change)
    {
        if (high <= from || to <= low)
            return;
        if (low <= from && to <= high) {
            count_[node] += change;
        } else {
            const std::size_t mid = (from + to) / 2;
            Update(2 * node, from, mid, low, high, change);
            Update(2 * node + 1, mid, to, low, high, change);
        }
        if (count_[node] > 0)
            covered_[node] = ys_[to] - ys_[from];
        else if (to - from == 1)
            covered_[node] = 0.0;
        else
            covered_[node] = covered_[2 * node] + covered_[2 * node + 1];
    }

    const std::vector<double>& ys_;
    std::vector<int> count_;
    std::vector<double> covered_;
};

bool HasArea(const BoundingBox& box)
{
    return !box.IsEmpty() && std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
           std::isfinite(box.maxY) && box.maxX > box.minX && box.maxY > box.minY;
}

} // namespace

double UnionArea(std::span<const BoundingBox> boxes)
{
    std::vector<double> ys;
    ys.reserve(2 * boxes.size());
    for (const BoundingBox& box : boxes) {
        if (!HasArea(box))
            continue;
        ys.push_back(box.minY);
        ys.push_back(box.maxY);
    }
    if (ys.empty())
        return 0.0;
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    const auto index = [&ys](double y) {
        return static_cast<std::size_t>(std::lower_bound(ys.begin(), ys.end(), y) - ys.begin());
    };

    std::vector<Edge> edges;
    edges.reserve(2 * boxes.size());
    for (const BoundingBox& box : boxes) {
        if (!HasArea(box))
            continue;
        const std::size_t low = index(box.minY);
        const std::size_t high = index(box.maxY);
        edges.push_back({box.minX, low, high, +1});
        edges.push_back({box.maxX, low, high, -1});
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.x < b.x; });

    CoverTree tree(ys);
    double area = 0.0;
    double lastX = edges.front().x;
    for (const Edge& edge : edges) {
        area += tree.Covered() * (edge.x - lastX);
        lastX = edge.x;
        tree.Apply(edge.low, edge.high, edge.change);
    }
    return area;
}

} // namespace Geom
