#include "geometry/Instance.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <cmath>
#include <initializer_list>

die::coord CInstance::Place(const die::coord& p, const die::coord& centre) const
{
    if (angle == 0.0)
        return {p.x + dx, p.y + dy};
    const double r = die::distance(p, centre);
    const double psi = Geom::VectorAngle(p.y - centre.y, p.x - centre.x) + Geom::DegToRad(angle);
    return {centre.x + r * std::cos(psi) + dx, centre.y + r * std::sin(psi) + dy};
}

die::coord CInstance::Transform(const die::coord& p) const
{
    return identity ? p : Place(p, {centreX, centreY});
}

double CInstance::TransformX(double x, double y, double cx, double cy) const
{
    return Place({x, y}, {cx, cy}).x;
}

double CInstance::TransformY(double x, double y, double cx, double cy) const
{
    return Place({x, y}, {cx, cy}).y;
}

BoundingBox CInstance::PlaceBox(const BoundingBox& box) const
{
    BoundingBox placed;
    if (box.IsEmpty())
        return placed;
    for (const die::coord& corner :
         {die::coord(box.minX, box.minY), die::coord(box.maxX, box.minY), die::coord(box.minX, box.maxY),
          die::coord(box.maxX, box.maxY)})
        placed.Extend(Transform(corner));
    return placed;
}

bool CInstance::KeepsAxes() const
{
    return identity || std::fmod(angle, 90.0) == 0.0;
}
