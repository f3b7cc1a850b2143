// Crossing points of two long polylines, the shape of a large imported contour
// (a flattened spline or a DXF polyline) intersected with a second one.
#include "geometry/GeomPolylineIntersect.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A closed wavy contour about `centre` with `count` segments.
std::vector<die::coord> contour(int count, die::coord centre, double phase)
{
    std::vector<die::coord> points;
    points.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const double t = 6.283185307179586 * i / count;
        const double r = 200.0 + 20.0 * std::sin(12.0 * t + phase);
        points.emplace_back(centre.x + r * std::cos(t), centre.y + r * std::sin(t));
    }
    return points;
}

// Two shifted contours of state.range(0) segments each; run(a, b, points) per iteration.
template <class Intersect>
void runOnTwoContours(benchmark::State& state, Intersect run)
{
    const int segments = static_cast<int>(state.range(0));
    const std::vector<die::coord> a = contour(segments, {0, 0}, 0.0);
    const std::vector<die::coord> b = contour(segments, {15, 7}, 1.0);
    Geom::PointList points;
    for (auto _ : state) {
        points.clear();
        run(a, b, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["crossings"] = static_cast<double>(points.size());
}

void BM_IntersectPolylines(benchmark::State& state)
{
    runOnTwoContours(state, [](const auto& a, const auto& b, Geom::PointList& points) {
        Geom::IntersectPolylines(a, b, points);
    });
}

// For comparison: every segment of A against a scan of all segments of B.
void BM_IntersectPolylinesSegmentBySegment(benchmark::State& state)
{
    runOnTwoContours(state, [](const auto& a, const auto& b, Geom::PointList& points) {
        for (size_t i = 0; i + 1 < a.size(); ++i)
            Geom::IntersectPolylineLine(b, a[i], a[i + 1], points);
    });
}

// An ellipse against a circle and against a second ellipse, of the sizes of
// a die's shapes; each call finds every crossing on the exact curves.
void BM_IntersectEllipseArcCircleArc(benchmark::State& state)
{
    const Geom::EllipseArc ellipse{{0, 0}, {100, 0}, {100, 0}, 100, 30, 0.3};
    const die::coord centre(60, 20);
    Geom::PointList points;
    for (auto _ : state) {
        points.clear();
        Geom::IntersectEllipseArcCircleArc(ellipse, centre, centre, centre, 45, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["crossings"] = static_cast<double>(points.size());
}

void BM_IntersectEllipseArcs(benchmark::State& state)
{
    const Geom::EllipseArc first{{0, 0}, {100, 0}, {100, 0}, 100, 30, 0.3};
    const die::coord onSecond(20 + 80 * std::cos(1.2), 10 + 80 * std::sin(1.2));
    const Geom::EllipseArc second{{20, 10}, onSecond, onSecond, 80, 40, 1.2};
    Geom::PointList points;
    for (auto _ : state) {
        points.clear();
        Geom::IntersectEllipseArcs(first, second, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["crossings"] = static_cast<double>(points.size());
}

} // namespace

BENCHMARK(BM_IntersectEllipseArcCircleArc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IntersectEllipseArcs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IntersectPolylines)->Arg(1000)->Arg(3000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntersectPolylinesSegmentBySegment)->Arg(3000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
