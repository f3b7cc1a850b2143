#pragma once
// The two look-ups of the contour chainer: the chain ends at a point (EndGrid,
// a hash of small cells) and the nearest chain end to a point (NearestGrid, a
// grid over the ends' extent searched in rings).
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
    // Calls fn for every end in the cells around p: a superset of the ends
    // within 1e-6 of p.
    template <class Fn>
    void ForEachNear(const die::coord& p, Fn fn) const
    {
        const Cell c = CellOf(p);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto found = cells_.find(Key({c.x + dx, c.y + dy}));
                if (found == cells_.end())
                    continue;
                for (const Ref& ref : found->second)
                    fn(ref);
            }
        }
    }

private:
    struct Cell {
        std::int64_t x = 0;
        std::int64_t y = 0;
    };
    static Cell CellOf(const die::coord& p);
    static std::uint64_t Key(const Cell& c);

    std::unordered_map<std::uint64_t, std::vector<Ref>> cells_;
};

class NearestGrid {
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
        int cell = -1;      // -1: not in the grid (coordinates not finite)
        int alivePos = -1;  // position in alive_, -1 once removed
    };
    // Better by squared distance, then chain number, then start before end.
    bool Better(int candidate, double d2, int best, double bestD2) const;
    void ScanAll(const die::coord& p, int& best, double& bestD2) const;
    void RemovePoint(int point);

    std::vector<Point> points_;
    std::unordered_map<int, std::vector<int>> byChain_;
    std::vector<int> alive_;
    std::vector<std::vector<int>> cells_;
    std::vector<int> outside_; // points whose coordinates are not finite
    double minX_ = 0.0;
    double minY_ = 0.0;
    double size_ = 1.0;
    int columns_ = 1;
    int rows_ = 1;
};

} // namespace Export
