#pragma once
// The placements of a section's replicas: each a turn by an angle followed
// by an offset, with the instance number it stands for. A design point
// (u, v) is placed at (x + cos·u − sin·v, y + sin·u + cos·v). The section
// rebuilds the list (Section::recreate_replicas); the painter draws an
// instanced element once per placement.
#include "geometry/Coord.h"

#include <vector>

struct Placement {
    double x = 0.0;
    double y = 0.0;
    double cosine = 1.0;
    double sine = 0.0;
    double angle = 0.0; // radians in [0, 2π)
    int instance = 0;

    die::coord Place(const die::coord& p) const
    {
        return {x + cosine * p.x - sine * p.y, y + sine * p.x + cosine * p.y};
    }
    // The design point placed at p: the offset taken off, turned back.
    die::coord Unplace(const die::coord& p) const
    {
        const double dx = p.x - x;
        const double dy = p.y - y;
        return {cosine * dx + sine * dy, -sine * dx + cosine * dy};
    }
};

class PlacementList {
public:
    using const_iterator = std::vector<Placement>::const_iterator;

    PlacementList() = default;

    void Clear() { placements_.clear(); }
    // Appends a placement at the point, turned by the angle (radians, brought
    // into [0, 2π)).
    void Add(const die::coord& point, double angle, int instance);

    const_iterator begin() const { return placements_.begin(); }
    const_iterator end() const { return placements_.end(); }
    bool empty() const { return placements_.empty(); }
    std::size_t size() const { return placements_.size(); }

private:
    std::vector<Placement> placements_;
};
