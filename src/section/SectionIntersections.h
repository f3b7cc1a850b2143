#pragma once
// The crossing set of a section: the points where a straight probe segment
// crosses the section's lines, arcs and elliptical arcs of line type 1, node
// positions taken under a given instance placement. The die board probes
// the layout with it for its equalizing rules. The set grows as needed: a
// probe keeps every crossing it finds.
#include "geometry/Coord.h"

#include <vector>

class CInstance;
class Section;

class SectionIntersections {
public:
    struct Point {
        int element = 0; // slot index
        double x = 0.0;
        double y = 0.0;
    };

    // A rule of the section as placed: a line from a by b (its direction
    // and length), or an arc or elliptical arc about a from b to c with the
    // radius r1 (an ellipse: semi-axes r1 and r2 turned by rho).
    struct Shape {
        int kind = 0; // the element's type id
        int element = 0;
        die::coord a;
        die::coord b;
        die::coord c;
        double r1 = 0.0;
        double r2 = 0.0;
        double rho = 0.0;
    };
    using Shapes = std::vector<Shape>;

    explicit SectionIntersections(const Section& section) : section_(section) {}

    // Replaces the set by the crossings of p–q with the elements of line
    // type 1 (only selected ones with selectedOnly; a filter other than −1
    // must equal the line type too). The placement may be null.
    void Collect(const CInstance* placement, const die::coord& p, const die::coord& q, bool selectedOnly,
                 int lineTypeFilter);
    // Collect in two steps, for many probes under one placement: the
    // section's rules as placed, then a probe crossed with them.
    // Gather refills `shapes`, keeping its storage.
    void Gather(const CInstance* placement, bool selectedOnly, int lineTypeFilter, Shapes& shapes) const;
    void Cross(const Shapes& shapes, const die::coord& p, const die::coord& q, bool selectedOnly);
    // The index of the point nearest to (x, y) and closer than the limit, or
    // −1. Distances are taken from the differences truncated to whole
    // millimetres. With second, the nearest other point within the limit
    // when there is one, else the first result.
    int FindNearest(double x, double y, double limit, bool second) const;

    int Count() const { return static_cast<int>(points_.size()); }
    const Point& At(int i) const { return points_[static_cast<std::size_t>(i)]; }
    void Clear() { points_.clear(); }

private:
    const Section& section_;
    std::vector<Point> points_;
    Shapes shapes_; // Collect's, kept for its storage
};
