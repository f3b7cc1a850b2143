#include "dlg/ShapeSizes.h"

#include "options/Options.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dlg {

int ClampEdges(int edges)
{
    return std::clamp(edges, PolygonValues::kMinEdges, PolygonValues::kMaxEdges);
}

double InteriorAngle(int edges)
{
    const double n = ClampEdges(edges);
    // Rounded up in thousandths; the small allowance keeps an exact value
    // (60.000) from rounding up through its binary error.
    return std::ceil((180.0 - 360.0 / n) * 1000.0 - 1e-9) / 1000.0;
}

bool HasPolygonSize(const PolygonValues& values)
{
    return values.sideLength > 0.0 || values.shorterDiagonal > 0.0 || values.longerDiagonal > 0.0;
}

std::optional<double> PolygonSide(const PolygonValues& values)
{
    const double half = std::numbers::pi / ClampEdges(values.edges);
    if (values.sideLength > 0.0)
        return values.sideLength;
    if (values.shorterDiagonal > 0.0)
        return std::tan(half) * values.shorterDiagonal;
    if (values.longerDiagonal > 0.0)
        return std::sin(half) * values.longerDiagonal;
    return std::nullopt;
}

bool StorePolygon(COptions& options, const PolygonValues& values)
{
    const std::optional<double> side = PolygonSide(values);
    if (!side)
        return false;
    options.SetNamedInt("polygon_edges", ClampEdges(values.edges));
    options.SetNamedInt("polygon_select", values.select ? 1 : 0);
    options.SetNamedDouble("polygon_length", *side);
    options.SetNamedDouble("polygon_rotation", values.rotation);
    return true;
}

bool HasRectangleSize(const RectangleValues& values)
{
    return values.width > 0.0 && values.height > 0.0;
}

RectangleValues LoadRectangle(const COptions& options)
{
    const RectangleValues defaults;
    return {options.GetNamedDouble("rectangle_width", defaults.width),
            options.GetNamedDouble("rectangle_height", defaults.height),
            options.GetNamedDouble("rectangle_radius", defaults.radius),
            options.GetNamedDouble("rectangle_angle", defaults.angle)};
}

void StoreRectangle(COptions& options, const RectangleValues& values)
{
    options.SetNamedDouble("rectangle_width", values.width);
    options.SetNamedDouble("rectangle_height", values.height);
    options.SetNamedDouble("rectangle_radius", values.radius);
    options.SetNamedDouble("rectangle_angle", values.angle);
}

} // namespace dlg
