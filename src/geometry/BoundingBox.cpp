#include "geometry/BoundingBox.h"

#include <algorithm>

void BoundingBox::Extend(double x, double y)
{
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
}

void BoundingBox::Unite(const BoundingBox& other)
{
    if (other.empty)
        return;
    Extend(other.minX, other.minY);
    Extend(other.maxX, other.maxY);
}

void BoundingBox::Intersect(const BoundingBox& other)
{
    if (empty || other.empty) {
        empty = true;
        return;
    }
    minX = std::max(minX, other.minX);
    minY = std::max(minY, other.minY);
    maxX = std::min(maxX, other.maxX);
    maxY = std::min(maxY, other.maxY);
    if (minX > maxX || minY > maxY)
        empty = true;
}

die::coord BoundingBox::GetMin() const
{
    return empty ? die::coord() : die::coord(minX, minY);
}

die::coord BoundingBox::GetMax() const
{
    return empty ? die::coord() : die::coord(maxX, maxY);
}
