#pragma once
// Fits a smooth curve through the points of a curve figure and flattens it
// into the figure's path. Between two neighbouring points the curve is a
// cubic span in Hermite form; the tangents at the points come from the
// windowed solver (SplineTangents.h) with windows of 15 points.
//
// A figure of fewer than 3 points cannot be fitted: BuildCurvePath gives it
// straight segments instead.
#include "geometry/Coord.h"
#include "geometry/PathNode.h"
#include "geometry/SplineTangents.h"

#include <span>
#include <vector>

// One coordinate of a span: c0 + c1·t + c2·t² + c3·t³ for t in [0, 1].
struct CubicCoefficients {
    double c0 = 0.0;
    double c1 = 0.0;
    double c2 = 0.0;
    double c3 = 0.0;
    double At(double t) const { return ((c3 * t + c2) * t + c1) * t + c0; }
};

class CurveFitter {
public:
    // Fits the figure's points with the figure's resolution as the number of
    // samples per span. The points are read, not copied: they must outlive
    // the fitter. With fewer than 3 points nothing is fitted and Flatten
    // appends nothing.
    CurveFitter(std::span<const die::coord> points, int resolution);

    // Appends the sampled curve to the path: the start of span 0 with length
    // 0, then r samples per span, skipping a sample within 1e-6 of the
    // previous one in both coordinates. A resolution of 0 or less gives the
    // first point only; a resolution that would give more than maxNodes
    // nodes is lowered to stay within it.
    void Flatten(std::vector<PathNode>& path, int maxNodes);
    void ReleaseArrays();

    // The length of the fitted curve itself (not of its samples), integrated
    // span by span to well under a micrometre; 0 with fewer than 3 points.
    double Length() const;

    bool IsFlattened() const { return flattened_; }
    const std::vector<die::coord>& Tangents() const { return tangents_; }
    const std::vector<CubicCoefficients>& XSpans() const { return xSpans_; }
    const std::vector<CubicCoefficients>& YSpans() const { return ySpans_; }

    // The power-basis coefficients of the Hermite span (p0, p1, t0, t1).
    static CubicCoefficients HermiteToPower(double p0, double p1, double t0, double t1);

private:
    void BuildCubics();

    int n_ = 0;
    int resolution_ = 0;
    bool flattened_ = false;
    std::span<const die::coord> points_;
    std::vector<die::coord> tangents_;
    std::vector<CubicCoefficients> xSpans_;
    std::vector<CubicCoefficients> ySpans_;
};
