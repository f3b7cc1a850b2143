#include "geometry/CurveFitter.h"

#include <algorithm>
#include <cmath>

namespace {

// The end condition at p0 with its neighbours p1 and p2 (towards the inside
// of the curve): 2·k·d1 − d2 with k = d1·d2 / |d1| (0 when |d1| is 0), as a
// unit vector (the vector itself when its length is 0). At the last point the
// curve runs towards p0, so the vector is turned round.
//
// k carries a length, so below a first chord of 0.5 mm the condition points
// back against the curve and the curve starts with a hook. Where it does not
// point along the curve (along d1, or d2 when p1 is p0), d2 mirrored in the
// line of d1 is taken instead (the tangent of the circle through equally
// spaced points), and where that does not point along the curve either, the
// first chord itself.
die::coord EndCondition(const die::coord& p0, const die::coord& p1, const die::coord& p2, bool atEnd)
{
    const die::coord d1 = p1 - p0;
    const die::coord d2 = p2 - p0;
    const double length = d1.Length();
    const double k = length > 0.0 ? die::dot(d1, d2) / length : 0.0;
    die::coord t = d1 * (2.0 * k) - d2;
    const die::coord ahead = length > 0.0 ? d1 : d2;
    if (!(die::dot(t, ahead) > 0.0)) {
        const die::coord mirrored = length > 0.0 ? d1 * (2.0 * k / length) - d2 : die::coord();
        t = die::dot(mirrored, ahead) > 0.0 ? mirrored : ahead;
    }
    if (atEnd)
        t = -t;
    return t.Normalized();
}

} // namespace

CurveFitter::CurveFitter(std::span<const die::coord> points, int resolution)
    : n_(static_cast<int>(points.size())), resolution_(resolution), points_(points)
{
    if (n_ < 3)
        return;
    tangents_.assign(n_, die::coord());
    rhs_.assign(n_, 0.0);
    SolveTangents();
    BuildCubics();
}

void CurveFitter::SolveTangents()
{
    if (n_ < 16) {
        SolveWindow(0, n_ - 1);
        return;
    }
    for (int i = 0; i < n_ / 15; ++i)
        SolveWindow(15 * i - 3, 15 * i + 14);
    SolveWindow(n_ - n_ % 15 - 3, n_ - 1);
}

void CurveFitter::SolveWindow(int start, int end)
{
    if (start <= 0) {
        start = 0;
        tangents_[0] = EndCondition(points_[0], points_[1], points_[2], false);
    }
    tangents_[end] = EndCondition(points_[end], points_[end - 1], points_[end - 2], true);
    SolveWindowCoordinate(start, end, &die::coord::x);
    SolveWindowCoordinate(start, end, &die::coord::y);
}

// The free tangents of one window for one coordinate: the system
// T[i − 1] + 4·T[i] + T[i + 1] = 3·(X[i + 1] − X[i − 1]) solved through the
// two sums A and B over the pole's powers, then a forward recurrence.
void CurveFitter::SolveWindowCoordinate(int start, int end, double die::coord::*axis)
{
    const double z = kSplinePole;
    const int len = end - start;
    for (int i = start + 1; i <= end - 1; ++i)
        rhs_[i] = 3.0 * (points_[i + 1].*axis - points_[i - 1].*axis);

    double a = 0.0;
    double b = 0.0;
    double power = 1.0;
    for (int k = 0; k <= len - 2; ++k) {
        a += rhs_[start + 1 + k] * power;
        b += rhs_[end - 1 - k] * power;
        power *= z;
    }
    // The exponent is the window's last index in the whole point list.
    const double m = z + 4.0;
    const double o = std::pow(z, end - 3) * (4.0 * z + 1.0);
    const double d = m * m - o * o;

    tangents_[start + 1].*axis = (m * a - o * b) / d;
    if (len > 2)
        tangents_[start + 2].*axis = rhs_[start + 1] - 4.0 * (tangents_[start + 1].*axis);
    if (len > 3)
        tangents_[end - 1].*axis = (m * b - o * a) / d;
    for (int i = start + 2; i <= end - 3; ++i)
        tangents_[i + 1].*axis = rhs_[i] - 4.0 * (tangents_[i].*axis) - tangents_[i - 1].*axis;
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
    rhs_ = {};
    xSpans_ = {};
    ySpans_ = {};
    points_ = {};
}
