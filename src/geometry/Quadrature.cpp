#include "geometry/Quadrature.h"

#include <array>
#include <cstddef>
#include <cmath>

namespace Geom {
namespace {

// Kronrod nodes on [-1, 1] (the positive half; odd indices are the Gauss
// nodes) and both rules' weights.
constexpr std::array<double, 8> kNodes = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851, 0.864864423359769072789712788640926,
    0.741531185599394439863864773280788, 0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.000000000000000000000000000000000,
};
constexpr std::array<double, 8> kKronrod = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204, 0.104790010322250183839876322541518,
    0.140653259715525918745189590510238, 0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714,
};
constexpr std::array<double, 4> kGauss = {
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780, 0.381830050505118944950369775488975,
    0.417959183673469387755102040816327,
};

// Deeper than this an interval is taken as it is: its length is then below
// 2^-kMaxDepth of the whole. No integral halves more than kMaxHalvings
// intervals, whatever the function.
constexpr int kMaxDepth = 40;
constexpr int kMaxHalvings = 4000;

double Step(const std::function<double(double)>& f, double a, double b, double tolerance, int depth, int& halvings)
{
    const double half = (b - a) / 2;
    const double mid = (a + b) / 2;
    const double centre = f(mid);
    double kronrod = kKronrod[7] * centre;
    double gauss = kGauss[3] * centre;
    for (size_t i = 0; i < 7; ++i) {
        const double both = f(mid - half * kNodes[i]) + f(mid + half * kNodes[i]);
        kronrod += kKronrod[i] * both;
        if (i % 2 == 1)
            gauss += kGauss[i / 2] * both;
    }
    kronrod *= half;
    gauss *= half;
    if (!std::isfinite(kronrod))
        return kronrod;
    if (std::abs(kronrod - gauss) <= tolerance || depth >= kMaxDepth || halvings >= kMaxHalvings)
        return kronrod;
    ++halvings;
    return Step(f, a, mid, tolerance / 2, depth + 1, halvings) + Step(f, mid, b, tolerance / 2, depth + 1, halvings);
}

} // namespace

double Integrate(const std::function<double(double)>& f, double a, double b, double tolerance)
{
    if (a == b)
        return 0.0;
    int halvings = 0;
    return Step(f, a, b, tolerance, 0, halvings);
}

} // namespace Geom
