#include "element/CuirRadius.h"

#include <algorithm>
#include <array>

double StepCuirRadius(double radius, bool up)
{
    static constexpr std::array<double, 3> series = {21.0, 30.0, 40.0};
    if (radius < 0.0)
        return series.front();
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (radius != series[i])
            continue;
        if (up)
            return series[std::min(i + 1, series.size() - 1)];
        return series[i == 0 ? 0 : i - 1];
    }
    return radius;
}
