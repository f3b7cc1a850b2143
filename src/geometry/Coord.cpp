#include "geometry/Coord.h"

#include "geometry/Angle.h"

#include <cmath>

namespace die {

coord& coord::FromPolar(const Angle& a, double length)
{
    x = length * std::cos(a.Radians());
    y = length * std::sin(a.Radians());
    return *this;
}

double coord::Length() const
{
    return std::hypot(x, y);
}

coord coord::Normalized() const
{
    const double len = Length();
    if (!(len > 0.0))
        return *this;
    return {x / len, y / len};
}

coord coord::WithLength(double length) const
{
    const double len = Length();
    if (!(len > 0.0))
        return *this;
    const double f = length / len;
    return {x * f, y * f};
}

coord coord::ComplexProduct(const coord& q) const
{
    return {q.x * x - q.y * y, q.y * x + q.x * y};
}

double distance(const coord& a, const coord& b)
{
    return (a - b).Length();
}

} // namespace die
