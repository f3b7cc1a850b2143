// Intersections with another element and the crossings the section's
// cross-node search stores on each element.
#include "element/Element.h"

#include <cmath>

void CElement::IntersectWith(CElement& other)
{
    if (other.GetTypeId() <= GetTypeId())
        return;
    other.IntersectWith(*this);
    intersections = other.intersections;
    intersectionsCopied = true;
}

void CElement::StoreCrossPoints(const CElement& other)
{
    crossPoints.remove_if([&](const CrossPoint& p) { return p.other == &other; });
    for (const die::coord& p : intersections)
        crossPoints.push_back(CrossPoint{p.x, p.y, &other});
}

CrossPoint CElement::FindNthNearestCrossPoint(double x, double y, double minDistance, int n) const
{
    constexpr double kNone = 2147483647.0;
    const CrossPoint* found = nullptr;
    double minimum = minDistance;
    for (int pass = 0; pass < n; ++pass) {
        found = nullptr;
        double best = 0.0;
        for (const CrossPoint& p : crossPoints) {
            const double d = std::hypot(p.x - x, p.y - y);
            if (d > minimum && (!found || d < best)) {
                found = &p;
                best = d;
            }
        }
        minimum = found ? best : kNone;
    }
    return found ? *found : CrossPoint{};
}
