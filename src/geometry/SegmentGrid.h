#pragma once
// A uniform grid over the segments of a polyline, so that the segments whose
// bounding boxes may meet a given box are found without visiting all of them.
// Used by the polyline-against-polyline intersection; built per call.
#include "geometry/Coord.h"

#include <cstdint>
#include <span>
#include <vector>

namespace Geom {

class SegmentGrid {
public:
    explicit SegmentGrid(std::span<const die::coord> polyline);

    // Indices i (segment from point i to point i + 1), ascending and without
    // repeats, of the segments listed in the cells that the box touches; a
    // superset of the segments whose boxes overlap it. Reuses `out`.
    void candidates(double minX, double minY, double maxX, double maxY, std::vector<std::uint32_t>& out) const;

private:
    int column(double x) const;
    int row(double y) const;

    double minX_ = 0, minY_ = 0, cellSize_ = 1;
    int columns_ = 1, rows_ = 1;
    std::vector<std::uint32_t> cellStart_;  // columns_·rows_ + 1 offsets into entries_
    std::vector<std::uint32_t> entries_;    // segment indices, cell by cell
};

} // namespace Geom
