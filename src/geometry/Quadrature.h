#pragma once
// Definite integrals of smooth functions by adaptive Gauss–Kronrod
// quadrature (7 Gauss, 15 Kronrod points): an interval whose two estimates
// differ by more than its share of the tolerance is halved, down to a fixed
// depth.
#include <functional>

namespace Geom {

// ∫ f over [a, b] (b may lie below a), to within about `tolerance`
// absolute; 0 for an empty interval, NaN when f gives NaN.
double Integrate(const std::function<double(double)>& f, double a, double b, double tolerance);

} // namespace Geom
