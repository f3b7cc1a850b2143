#include "element/AnnotationGeometry.h"

#include "display/DrawContext.h"
#include "element/ElementNodes.h"
#include "element/FittedPreview.h"
#include "geometry/GeomConstants.h"
#include "platform/DrawingObjects.h"

#include <algorithm>
#include <cmath>

namespace Annotation {

double NodesExtent(const CElement& element, std::span<CNodePoint* const> nodes, double start, int axis,
                   bool largest)
{
    double value = start;
    for (CNodePoint* node : nodes) {
        if (!node)
            continue;
        const die::coord p = ElementNodes::ExtentPosition(element, *node);
        const double v = axis == 0 ? p.x : p.y;
        value = largest ? std::max(value, v) : std::min(value, v);
    }
    return value;
}

bool NodesInRect(CElement& element, std::span<CNodePoint* const> nodes, double x1, double y1, double x2,
                 double y2, int mode)
{
    const auto inside = [&](CNodePoint* node) { return ElementNodes::IsInRect(*node, x1, y1, x2, y2); };
    switch (mode) {
    case 1: return std::any_of(nodes.begin(), nodes.end(), [&](CNodePoint* n) { return n && inside(n); });
    case 2: return std::all_of(nodes.begin(), nodes.end(), [&](CNodePoint* n) { return !n || inside(n); });
    case 3:
        return element.GetMinX(x2, false) != x2 && element.GetMaxX(x1, false) != x1
            && element.GetMinY(y2, false) != y2 && element.GetMaxY(y1, false) != y1;
    default: return false;
    }
}

double DrawFitted(CElement& element, DrawContext& dc, const DeviceRect& rect)
{
    const double minX = element.GetMinX(0.0, true);
    const double maxX = element.GetMaxX(0.0, true);
    const double minY = element.GetMinY(0.0, true);
    const double maxY = element.GetMaxY(0.0, true);
    FitPreview(dc, rect, die::coord((minX + maxX) * 0.5, (minY + maxY) * 0.5), std::fabs(maxX - minX),
               std::fabs(maxY - minY));
    element.Draw(dc);
    return dc.scale;
}

double PlacementTurn(const DrawContext& dc)
{
    return dc.placement.identity ? 0.0 : Geom::DegToRad(dc.placement.angle);
}

die::coord ReadingDirection(const die::coord& d)
{
    if (d.x > 0.0 || (d.x == 0.0 && d.y <= 0.0))
        return d;
    return die::coord{-d.x, -d.y};
}

die::coord Turned(const die::coord& v, double radians)
{
    return v.ComplexProduct(UnitAt(radians));
}

die::coord UnitAt(double radians)
{
    return {std::cos(radians), std::sin(radians)};
}

} // namespace Annotation
