#pragma once
// An axis-parallel rectangle in millimetres, the extents value of elements,
// figures and sections. A new box is empty; the corners of an empty box mean
// nothing.
#include "geometry/Coord.h"

struct BoundingBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool empty = true;

    // Grows the box to hold the point; an empty box becomes that point.
    void Extend(double x, double y);
    void Extend(const die::coord& p) { Extend(p.x, p.y); }
    // Grows the box to hold the other one; an empty other box changes nothing.
    void Unite(const BoundingBox& other);
    // Keeps only the common part. Touching boxes give a box of zero size, boxes
    // apart (or an empty one) give an empty box.
    void Intersect(const BoundingBox& other);

    // The corners; (0, 0) for an empty box.
    die::coord GetMin() const;
    die::coord GetMax() const;
    bool IsEmpty() const { return empty; }
};
