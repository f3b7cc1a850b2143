#pragma once
// The two look-ups of the contour chainer: the chain ends at a point
// (EndCells, sorted small cells) and the nearest chain end left to a point
// (NearestEnds, a k-d tree).
#include "geometry/Coord.h"

#include <cstdint>
#include <vector>

namespace Export {

// A chain end: the chain's number and which of its two ends.
struct EndRef {
    int chain = 0;
    bool atEnd = false; // the chain's end, else its start
    bool operator==(const EndRef&) const = default;
};

// The chain ends at a point, over a fixed set of points (every end of a chain
// is one of them, named by its index): the points are sorted once into small
// cells, and each cell keeps the ends now at its points as a linked list, so
// that adding, moving and removing an end allocates nothing.
class EndCells {
public:
    using Ref = EndRef;

    explicit EndCells(const std::vector<die::coord>& points);

    // Every chain number is below the count given here.
    void Reserve(int chains);
    void Add(const Ref& ref, int point);
    void Remove(const Ref& ref);
    void Move(const Ref& ref, int point)
    {
        Remove(ref);
        Add(ref, point);
    }
    // Calls fn for every end in the cells that the square of ±1e-6 about the
    // point touches: a superset of the ends within 1e-6 of it.
    template <class Fn>
    void ForEachNear(int point, Fn fn) const
    {
        const auto visit = [&](int cell) {
            for (int slot = head_[static_cast<std::size_t>(cell)]; slot >= 0; slot = slots_[static_cast<std::size_t>(slot)].next)
                fn(Ref{slot / 2, (slot & 1) != 0});
        };
        const std::size_t at = static_cast<std::size_t>(point);
        if (nearBegin_[at] < 0) {
            visit(cellOf_[at]);
            return;
        }
        for (int i = nearBegin_[at]; near_[static_cast<std::size_t>(i)] != kNone; ++i)
            visit(near_[static_cast<std::size_t>(i)]);
    }

private:
    static constexpr int kNone = -2;
    static int Slot(const Ref& ref) { return ref.chain * 2 + (ref.atEnd ? 1 : 0); }

    std::vector<int> cellOf_;    // point -> its cell
    std::vector<int> nearBegin_; // point -> its cells in near_ when the square crosses a cell border, else -1
    std::vector<int> near_;      // lists of cells, each closed by kNone
    std::vector<int> head_;      // cell -> first end slot in it, -1: none
    struct Link {
        int next = -1; // the next end in its cell
        int prev = -1; // the previous end in its cell, -1: first
        int cell = -1; // -1: not in any
    };
    std::vector<Link> slots_;    // by end slot: chain·2, +1 for the chain's end
};

// A k-d tree over the chain ends with a count of the ends left in every
// node, so that the parts of the drawing the walk has emptied cost nothing.
class NearestEnds {
public:
    using Ref = EndRef;

    // Every end is added before Build, the two ends of a chain one after the other.
    void Reserve(std::size_t ends) { points_.reserve(ends); }
    void Add(const Ref& ref, const die::coord& at);
    void Build();
    // The end with the smallest squared distance to p; of equal ones the
    // lowest chain number, a start before an end. An end whose distance is
    // not a number counts as farthest. There must be an end left.
    // Takes out both ends of that end's chain.
    Ref TakeNearest(const die::coord& p);

private:
    struct Point {
        Ref ref;
        die::coord at;
        int leaf = -1;     // the tree node holding it; -1: coordinates not finite
        int partner = -1;  // the other end of its chain, -1: none
        int original = 0;  // its number before Build ordered the points
        bool alive = true;
    };
    struct Node {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        int begin = 0;     // range of points_ (leaves only)
        int end = 0;
        int low = -1;      // children; -1 for a leaf
        int high = -1;
        int parent = -1;
        int alive = 0;     // ends left below
    };
    int BuildNode(int begin, int end, int parent);
    int Nearest(const die::coord& p) const;
    // Better by squared distance, then chain number, then start before end.
    bool Better(int candidate, double d2, int best, double bestD2) const;
    void RemovePoint(int point);

    // A finite point's place while the tree is built.
    struct Spot {
        double x = 0.0;
        double y = 0.0;
        int point = 0;
    };

    std::vector<Point> points_;
    std::vector<Spot> spots_; // only during Build
    std::vector<Node> nodes_;
    int finite_ = 0;           // points_ below this are finite and in the tree, grouped by leaf
    int root_ = -1;
};

} // namespace Export
