#pragma once
// A uniform grid over a set of boxes, for the view's picks: which boxes may
// reach into a small window, without looking at every box. Built once for a
// set (the figures of a layer, the nodes of a drawing) and asked many times;
// the caller builds it again when the set changes. Boxes that would cover
// many cells are kept in a list of their own that every query returns.
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"

class PlacementList;

#include <span>
#include <utility>
#include <vector>

class BoxGrid {
public:
    // Entry i is boxes[i]; empty boxes are never returned.
    void Build(std::span<const BoundingBox> boxes);
    // Appends the entries whose box may reach into the window (a superset of
    // those that do), in ascending order without repeats. The window must not
    // be empty.
    void Query(const BoundingBox& window, std::vector<int>& out) const;
    // The tries of a pick at p within reach, for a set of boxes in their own
    // frame that is also shown at placements: (entry, 0) for the entries
    // near p, (entry, k) for those near p taken back through the k-th
    // placement; sorted by entry, then frame, the order of a plain scan.
    // The windows are a little wider than reach, so that rounding never
    // loses a box on the edge.
    void QueryFrames(const die::coord& p, double reach, const PlacementList* placements,
                     std::vector<std::pair<int, int>>& out) const;

private:
    int Column(double x) const;
    int Row(double y) const;

    double minX_ = 0.0;
    double minY_ = 0.0;
    double cellWidth_ = 1.0;
    double cellHeight_ = 1.0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<int> cellStart_; // rows_ * columns_ + 1 offsets into entries_
    std::vector<int> entries_;
    std::vector<int> large_;
    mutable std::vector<int> found_;
};
