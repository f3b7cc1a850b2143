#pragma once
// Readable comparisons of points and radian values for the geometry tests.
#include "geometry/Coord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

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

inline bool IsFinite(const die::coord& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace geomtest
