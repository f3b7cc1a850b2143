#pragma once
// The two look-ups of the contour chainer: the chain ends at a point (EndGrid,
// a hash of small cells) and the nearest chain end left to a point
// (NearestEnds, a k-d tree).
#include "geometry/Coord.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Export {

class EndGrid {
public:
    struct Ref {
        int chain = 0;
        bool atEnd = false; // the chain's end, else its start
        bool operator==(const Ref&) const = default;
    };

    void Add(const Ref& ref, const die::coord& at);
    void Remove(const Ref& ref, const die::coord& at);
    void Move(const Ref& ref, const die::coord& from, const die::coord& to)
    {
        Remove(ref, from);
        Add(ref, to);
    }
    // Calls fn for every end in the cells that the square of ±1e-6 about p
    // touches: a superset of the ends within 1e-6 of p.
    template <class Fn>
    void ForEachNear(const die::coord& p, Fn fn) const
    {
        const Cell low = CellOf({p.x - kReach, p.y - kReach});
        const Cell high = CellOf({p.x + kReach, p.y + kReach});
        for (std::int64_t x = low.x; x <= high.x; ++x) {
            for (std::int64_t y = low.y; y <= high.y; ++y) {
                const auto found = cells_.find(Key({x, y}));
                if (found == cells_.end())
                    continue;
                for (const Ref& ref : found->second)
                    fn(ref);
            }
        }
    }

private:
    static constexpr double kReach = 1e-6;
    struct Cell {
        std::int64_t x = 0;
        std::int64_t y = 0;
    };
    static Cell CellOf(const die::coord& p);
    static std::uint64_t Key(const Cell& c);

    std::unordered_map<std::uint64_t, std::vector<Ref>> cells_;
};

// A k-d tree over the chain ends with a count of the ends left in every
// node, so that the parts of the drawing the walk has emptied cost nothing.
class NearestEnds {
public:
    using Ref = EndGrid::Ref;

    // Every end is added before Build.
    void Add(const Ref& ref, const die::coord& at);
    void Build();
    // The end with the smallest squared distance to p; of equal ones the
    // lowest chain number, a start before an end. An end whose distance is
    // not a number counts as farthest. There must be an end left.
    Ref Nearest(const die::coord& p) const;
    // Takes out both ends of the chain.
    void RemoveChain(int chain);

private:
    struct Point {
        Ref ref;
        die::coord at;
        int leaf = -1;     // the tree node holding it; -1: coordinates not finite
        bool alive = true;
    };
    struct Node {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        int begin = 0;     // range of order_ (leaves only)
        int end = 0;
        int low = -1;      // children; -1 for a leaf
        int high = -1;
        int parent = -1;
        int alive = 0;     // ends left below
    };
    int BuildNode(int begin, int end, int parent);
    // Better by squared distance, then chain number, then start before end.
    bool Better(int candidate, double d2, int best, double bestD2) const;
    void RemovePoint(int point);

    std::vector<Point> points_;
    std::unordered_map<int, std::vector<int>> byChain_;
    std::vector<int> order_;   // finite points, grouped by leaf
    std::vector<Node> nodes_;
    std::vector<int> outside_; // points whose coordinates are not finite
    int root_ = -1;
};

} // namespace Export
