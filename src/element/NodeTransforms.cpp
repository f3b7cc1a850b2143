#include "element/NodeTransforms.h"

#include "geometry/Geom.h"

#include <cmath>

namespace NodeTransforms {

die::coord RotateOffset(const die::coord& p, double cx, double cy, double degrees)
{
    const die::coord v = p - die::coord{cx, cy};
    const double r = v.Length();
    double phi = Geom::VectorAngle(v.y, v.x) + degrees * Geom::kPi / 180.0;
    if (phi > 2 * Geom::kPi)
        phi -= 2 * Geom::kPi;
    return die::coord{r * std::cos(phi) - v.x, r * std::sin(phi) - v.y};
}

die::coord ScaleOffset(const die::coord& p, double cx, double cy, double fx, double fy)
{
    const die::coord v = p - die::coord{cx, cy};
    return die::coord{v.x * fx - v.x, v.y * fy - v.y};
}

die::coord MirrorOffset(const die::coord& p, double x1, double y1, double x2, double y2)
{
    if (x1 == x2)
        return die::coord{2 * (x2 - p.x), 0.0};
    die::coord foot;
    (void)Geom::FootOfPerpendicular(x1, y1, x2, y2, p.x, p.y, foot.x, foot.y); // always true
    return (foot - p) * 2.0;
}

} // namespace NodeTransforms
