#include "geometry/Quadrature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(Quadrature, IntegratesToTheTolerance)
{
    const struct {
        const char* name;
        double (*f)(double);
        double a, b, expected;
    } cases[] = {
        {"polynomial", [](double x) { return 3 * x * x; }, 0.0, 2.0, 8.0},
        {"reversed bounds", [](double x) { return 3 * x * x; }, 2.0, 0.0, -8.0},
        {"sine over a turn and a half", [](double x) { return std::sin(x); }, 0.0, 3 * std::numbers::pi, 2.0},
        {"a steep peak", [](double x) { return 1.0 / (1e-4 + x * x); }, -1.0, 1.0, 2.0 * std::atan(100.0) / 1e-2},
        {"empty", [](double x) { return x; }, 1.0, 1.0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Geom::Integrate(c.f, c.a, c.b, 1e-9), c.expected, 1e-7) << c.name;
}

} // namespace
