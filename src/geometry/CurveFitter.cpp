#include "geometry/CurveFitter.h"

#include "geometry/Quadrature.h"

#include <algorithm>
#include <cmath>

CurveFitter::CurveFitter(std::span<const die::coord> points, int resolution)
    : n_(static_cast<int>(points.size())), resolution_(resolution), points_(points)
{
    if (n_ < 3)
        return;
    tangents_ = SolveSplineTangents(points_, kCurveFitterRules);
    BuildCubics();
}

double CurveFitter::Length() const
{
    double sum = 0.0;
    for (size_t k = 0; k < xSpans_.size() && k < ySpans_.size(); ++k) {
        const CubicCoefficients& x = xSpans_[k];
        const CubicCoefficients& y = ySpans_[k];
        const auto speed = [&](double t) {
            return std::hypot((3.0 * x.c3 * t + 2.0 * x.c2) * t + x.c1, (3.0 * y.c3 * t + 2.0 * y.c2) * t + y.c1);
        };
        const double chord = std::hypot(x.c1 + x.c2 + x.c3, y.c1 + y.c2 + y.c3);
        sum += Geom::Integrate(speed, 0.0, 1.0, 1e-10 * std::max(chord, 1.0));
    }
    return sum;
}

CubicCoefficients CurveFitter::HermiteToPower(double p0, double p1, double t0, double t1)
{
    return {p0, t0, -3.0 * p0 + 3.0 * p1 - 2.0 * t0 - t1, 2.0 * p0 - 2.0 * p1 + t0 + t1};
}

void CurveFitter::BuildCubics()
{
    xSpans_.clear();
    ySpans_.clear();
    xSpans_.reserve(n_ - 1);
    ySpans_.reserve(n_ - 1);
    for (int i = 0; i + 1 < n_; ++i) {
        xSpans_.push_back(HermiteToPower(points_[i].x, points_[i + 1].x, tangents_[i].x, tangents_[i + 1].x));
        ySpans_.push_back(HermiteToPower(points_[i].y, points_[i + 1].y, tangents_[i].y, tangents_[i + 1].y));
    }
}

void CurveFitter::Flatten(std::vector<PathNode>& path, int maxNodes)
{
    flattened_ = true;
    if (xSpans_.empty())
        return;
    const int spans = static_cast<int>(xSpans_.size());
    double px = xSpans_[0].At(0.0);
    double py = ySpans_[0].At(0.0);
    path.push_back({px, py, 0.0});
    if (resolution_ <= 0)
        return;

    const int samples = std::min(resolution_, std::max(1, (maxNodes - 1) / spans));
    const double step = 1.0 / samples;
    path.reserve(path.size() + static_cast<std::size_t>(spans) * samples);
    for (int i = 0; i < spans; ++i) {
        for (int j = 1; j <= samples; ++j) {
            const double t = step * j;
            const double x = xSpans_[i].At(t);
            const double y = ySpans_[i].At(t);
            if (std::fabs(x - px) < 1e-6 && std::fabs(y - py) < 1e-6)
                continue;
            path.push_back({x, y, std::hypot(x - px, y - py)});
            px = x;
            py = y;
        }
    }
}

void CurveFitter::ReleaseArrays()
{
    tangents_ = {};
    xSpans_ = {};
    ySpans_ = {};
    points_ = {};
}
