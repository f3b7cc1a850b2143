#include "geometry/PlacementList.h"

#include "geometry/Angle.h"

#include <cmath>

void PlacementList::Add(const die::coord& point, double angle, int instance)
{
    const double normalised = Angle::Normalize(angle);
    placements_.push_back({point.x, point.y, std::cos(normalised), std::sin(normalised), normalised, instance});
}
