#include "geometry/SplineTangents.h"

#include <cmath>

namespace {

class WindowSolver {
public:
    WindowSolver(std::span<const die::coord> points, const SplineWindowRules& rules)
        : points_(points), rules_(rules), tangents_(points.size()), rhs_(points.size(), 0.0)
    {
    }

    void Solve(int start, int end)
    {
        if (start <= 0) {
            start = 0;
            tangents_[0] = EndCondition(0, 1, 2, false);
        }
        tangents_[end] = EndCondition(end, end - 1, end - 2, true);
        SolveCoordinate(start, end, &die::coord::x);
        SolveCoordinate(start, end, &die::coord::y);
    }

    std::vector<die::coord> Take() { return std::move(tangents_); }

private:
    // The end condition at point i0 with its neighbours i1 and i2 (towards
    // the inside of the curve): 2·k·d1 − d2 with k = d1·d2 / |d1| (0 when
    // |d1| is 0), as a unit vector (the vector itself when its length is 0).
    // At the last point the curve runs towards i0, so the vector is turned
    // round.
    //
    // k carries a length, so below a first chord of 0.5 mm the condition
    // points back against the curve and the curve starts with a hook. Where
    // it does not point along the curve (along d1, or d2 when p1 is p0), d2
    // mirrored in the line of d1 is taken instead (the tangent of the circle
    // through equally spaced points), and where that does not point along the
    // curve either, the first chord itself.
    die::coord EndCondition(int i0, int i1, int i2, bool atEnd) const
    {
        const die::coord& p0 = points_[static_cast<std::size_t>(i0)];
        const die::coord d1 = points_[static_cast<std::size_t>(i1)] - p0;
        const die::coord d2 = points_[static_cast<std::size_t>(i2)] - p0;
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
        if (rules_.wholeEndVectors) {
            t = die::coord(std::trunc(t.x), std::trunc(t.y));
            if (t.Length() == 0.0) // too small to give a direction: the end chord's
                t = atEnd ? -d1 : d1;
        }
        return t.Normalized();
    }

    void SolveCoordinate(int start, int end, double die::coord::*axis)
    {
        const auto X = [&](int i) { return points_[static_cast<std::size_t>(i)].*axis; };
        const auto T = [&](int i) -> double& { return tangents_[static_cast<std::size_t>(i)].*axis; };
        const auto R = [&](int i) -> double& { return rhs_[static_cast<std::size_t>(i)]; };
        const double z = kSplinePole;
        const int len = end - start;
        for (int i = start + 1; i <= end - 1; ++i)
            R(i) = 3.0 * (X(i + 1) - X(i - 1));
        if (rules_.knownTangentsOut) {
            R(start + 1) -= T(start);
            R(end - 1) -= T(end);
        }

        double a = 0.0;
        double b = 0.0;
        double power = 1.0;
        for (int k = 0; k <= len - 2; ++k) {
            a += R(start + 1 + k) * power;
            b += R(end - 1 - k) * power;
            power *= z;
        }
        // The exponent is the window's last index in the whole point list.
        const double m = z + 4.0;
        const double o = std::pow(z, end - 3) * (4.0 * z + 1.0);
        const double d = m * m - o * o;

        T(start + 1) = (m * a - o * b) / d;
        if (len > 2)
            T(start + 2) = R(start + 1) - 4.0 * T(start + 1);
        if (len > 3)
            T(end - 1) = (m * b - o * a) / d;
        for (int i = start + 2; i <= end - 3; ++i)
            T(i + 1) = R(i) - 4.0 * T(i) - T(i - 1);
    }

    std::span<const die::coord> points_;
    SplineWindowRules rules_;
    std::vector<die::coord> tangents_;
    std::vector<double> rhs_;
};

} // namespace

std::vector<SplineWindow> SplineWindows(int n, int w)
{
    std::vector<SplineWindow> windows;
    if (n < 3 || w < 3)
        return windows;
    if (n <= w) {
        windows.push_back({0, n - 1});
        return windows;
    }
    for (int i = 0; i < n / w; ++i)
        windows.push_back({i == 0 ? 0 : w * i - 3, w * i + w - 1});
    windows.push_back({n - n % w - 3, n - 1});
    return windows;
}

std::vector<die::coord> SolveSplineTangents(std::span<const die::coord> points, const SplineWindowRules& rules)
{
    const int n = static_cast<int>(points.size());
    if (n < 3)
        return {};
    WindowSolver solver(points, rules);
    for (const SplineWindow& w : SplineWindows(n, rules.windowPoints))
        solver.Solve(w.start, w.end);
    return solver.Take();
}
