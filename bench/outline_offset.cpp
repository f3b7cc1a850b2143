// The outline offset (Section::DoOutline) of one closed polygon of n lines,
// a wavy ring 5 mm outwards, against Clipper's offset of the same polygon
// (mitred corners, coordinates in micrometres) in the same run.
//
//   Outline/n:      DoOutline, selected polygon, rule at distance -5.
//   ClipperOffset/n: ClipperLib::ClipperOffset::Execute of the same corners.
//   Outline's counter "vs_clipper" is its processor time over Clipper's at
//   the same n, both measured in this run.
#include <benchmark/benchmark.h>

#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/SectionOutline.h"
#include "section/UndoManager.h"

#include <polyclipping/clipper.hpp>

#include <ctime>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A ring whose radius waves seven times round, n corners, in mm.
std::vector<die::coord> Corners(int n)
{
    std::vector<die::coord> corners;
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * kPi * i / n;
        const double r = 100.0 * std::sqrt(n / 40.0) + 20.0 * std::sin(7.0 * a);
        corners.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return corners;
}

struct Layer {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};

    explicit Layer(const std::vector<die::coord>& corners)
    {
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const die::coord& a = corners[i];
            const die::coord& b = corners[(i + 1) % corners.size()];
            (void)section.AddLine3(a.x, a.y, b.x, b.y, true, 1);
        }
        section.SelectElements(1);
    }
};

// Clipper's processor time per offset at n (s), as ClipperOffset measured it.
std::map<int, double>& ClipperTimes()
{
    static std::map<int, double> times;
    return times;
}

// This thread's processor time (s): the machine may be shared, so the
// ratio compares processor time, not wall time.
double Now()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double ClipperOnce(const ClipperLib::Path& path)
{
    const double start = Now();
    ClipperLib::ClipperOffset offset;
    offset.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    ClipperLib::Paths solution;
    offset.Execute(solution, 5000.0);
    benchmark::DoNotOptimize(solution.data());
    return Now() - start;
}

ClipperLib::Path ClipperPath(int n)
{
    ClipperLib::Path path;
    for (const die::coord& c : Corners(n))
        path.emplace_back(std::llround(c.x * 1000.0), std::llround(c.y * 1000.0));
    return path;
}

void ClipperOffset(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const ClipperLib::Path path = ClipperPath(n);
    double total = 0.0;
    for (auto _ : state)
        total += ClipperOnce(path);
    ClipperTimes()[n] = total / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * n);
}

void Outline(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<die::coord> corners = Corners(n);
    double total = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto layer = std::make_unique<Layer>(corners);
        state.ResumeTiming();
        const double start = Now();
        const double result = layer->section.DoOutline(-5.0, -1, 2, 0.0, false, true, false, OutlineClipWindow{});
        total += Now() - start;
        if (result != 0.0 || layer->section.GetSlotsInUse() < 2 * n) {
            state.SkipWithError("no outline made");
            break;
        }
        state.PauseTiming();
        layer.reset();
        state.ResumeTiming();
    }
    // Clipper's time measured now, in this run, unless its benchmark ran before.
    if (!ClipperTimes().count(n)) {
        const ClipperLib::Path path = ClipperPath(n);
        double clipper = 0.0;
        int runs = 0;
        for (; clipper < 0.2 && runs < 1000; ++runs)
            clipper += ClipperOnce(path);
        ClipperTimes()[n] = clipper / runs;
    }
    state.counters["vs_clipper"] = total / static_cast<double>(state.iterations()) / ClipperTimes()[n];
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(ClipperOffset)->Arg(40)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(Outline)->Arg(40)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
