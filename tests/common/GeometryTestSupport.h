#pragma once
// Readable comparisons of points for the geometry tests.
#include "geometry/Coord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <sstream>
#include <vector>

namespace die {
inline void PrintTo(const coord& p, std::ostream* os)
{
    *os << '(' << p.x << ", " << p.y << ')';
}
} // namespace die

namespace geomtest {

// EXPECT_TRUE(Near(actual, expected, tol)): on failure prints both points and the distance.
inline testing::AssertionResult Near(const die::coord& actual, const die::coord& expected, double tol)
{
    const double d = std::hypot(actual.x - expected.x, actual.y - expected.y);
    if (d <= tol)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "point (" << actual.x << ", " << actual.y << ") is " << d
                                       << " from the expected (" << expected.x << ", " << expected.y
                                       << "), tolerance " << tol;
}

// The list holds exactly the expected points, in order.
inline testing::AssertionResult SamePoints(const std::vector<die::coord>& actual,
                                           const std::vector<die::coord>& expected, double tol)
{
    if (actual.size() != expected.size()) {
        auto failure = testing::AssertionFailure() << actual.size() << " points instead of " << expected.size()
                                                   << ':';
        for (const die::coord& p : actual)
            failure << " (" << p.x << ", " << p.y << ")";
        return failure;
    }
    for (size_t i = 0; i < actual.size(); ++i)
        if (testing::AssertionResult near = Near(actual[i], expected[i], tol); !near)
            return testing::AssertionFailure() << "point " << i << ": " << near.message();
    return testing::AssertionSuccess();
}

// The list holds the expected points in any order, each exactly once.
inline testing::AssertionResult SamePointSet(const std::vector<die::coord>& actual,
                                             const std::vector<die::coord>& expected, double tol)
{
    auto listed = [&] {
        std::ostringstream os;
        for (const die::coord& p : actual)
            os << " (" << p.x << ", " << p.y << ")";
        return os.str();
    };
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << actual.size() << " points instead of " << expected.size() << ':'
                                           << listed();
    std::vector<bool> used(actual.size(), false);
    for (const die::coord& e : expected) {
        bool matched = false;
        for (size_t i = 0; i < actual.size() && !matched; ++i)
            if (!used[i] && std::hypot(actual[i].x - e.x, actual[i].y - e.y) <= tol)
                used[i] = matched = true;
        if (!matched)
            return testing::AssertionFailure() << "no point near (" << e.x << ", " << e.y << "):" << listed();
    }
    return testing::AssertionSuccess();
}

inline bool IsFinite(const die::coord& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Roughly the distance of p from the ellipse (centre, semi-axes a along its own
// X and b along its own Y, rotation rho): the relative radial error times the
// smaller semi-axis.
inline double EllipseError(const die::coord& p, const die::coord& centre, double a, double b, double rho)
{
    const double dx = p.x - centre.x, dy = p.y - centre.y;
    const double x = dx * std::cos(rho) + dy * std::sin(rho);
    const double y = -dx * std::sin(rho) + dy * std::cos(rho);
    return std::fabs(std::sqrt(x * x / (a * a) + y * y / (b * b)) - 1.0) * std::fmin(a, b);
}

} // namespace geomtest
