// Common-line cleaning of a layer of n lines over a 1000 × 700 mm sheet
// (second argument 0), or over a sheet that grows with n so that a line has
// as many neighbours as among 1,000 (second argument 1), where few tracks
// are doubled: every twentieth line runs along the line
// before it, shifted by a third of its length (n/20 unions), and every fifth
// element is an arc, every hundredth arc lying on the arc before it.
//
//   BlockCleaning:  Section::DoClearCommonElements. At constant density it
//                   reports `per_tenfold`: its processor time over that of
//                   the size ten times smaller in this run (near n log n:
//                   about 12-13; linear: 10).
//   PlainScanCleaning: the same unions found by scanning all pairs in slot
//                   order and starting again after each union (quadratic
//                   per scan), for comparison.
//   LayoutCleaning: Section::clean_instances over a 2 × 2 step and repeat
//                   whose neighbours share their border lines.
#include <benchmark/benchmark.h>

#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <cmath>
#include <ctime>
#include <map>
#include <memory>
#include <random>

namespace {

struct Layer {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};

    explicit Layer(int n, bool growSheet = false)
    {
        const double scale = growSheet ? std::sqrt(n / 1000.0) : 1.0;
        std::mt19937 engine(12345);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        double lx = 0, ly = 0, ldx = 0, ldy = 0;
        double ax = 0, ay = 0;
        for (int i = 0; i < n; ++i) {
            const double x = unit(engine) * 1000.0 * scale;
            const double y = unit(engine) * 700.0 * scale;
            const double size = 5.0 + unit(engine) * 40.0;
            if (i % 5 == 4) {
                if (i % 100 == 99)
                    (void)section.AddArc3(ax, ay, ax, ay + 10, ax - 10, ay, true, 1);
                else
                    (void)section.AddArc3(x, y, x + 10, y, x, y - 10, true, 1);
                ax = x;
                ay = y;
            } else if (i % 20 == 19) {
                (void)section.AddLine3(lx + ldx / 3, ly + ldy / 3, lx + ldx * 4 / 3, ly + ldy * 4 / 3, true, 1);
            } else {
                ldx = size;
                ldy = size * (unit(engine) - 0.5);
                lx = x;
                ly = y;
                (void)section.AddLine3(x, y, x + ldx, y + ldy, true, 1);
            }
        }
    }
};

void PlainScan(Section& s)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (int b = 0; b < s.GetSlotsInUse() && !changed; ++b) {
            for (int j = b + 1; j < s.GetSlotsInUse() && !changed; ++j) {
                CElement* x = s.GetElement(b);
                CElement* y = s.GetElement(j);
                if (!x || !y)
                    continue;
                auto* lx = dynamic_cast<CLine*>(x);
                auto* ly = dynamic_cast<CLine*>(y);
                if (lx && ly)
                    changed = s.unite_common_lines(lx, ly);
                else if (s.AreCommonElements(x, y))
                    changed = !s.UniteCommonElements(x, y).AtEnd();
            }
        }
    }
}

// This thread's processor time (s): the machine may be shared, so the
// growth compares processor time, not wall time.
double Now()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The mean processor time of one cleaning, by size, at constant density.
std::map<long, double>& ConstantDensityTimes()
{
    static std::map<long, double> times;
    return times;
}

template <typename Clean>
double Run(benchmark::State& state, Clean clean)
{
    double total = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto layer = std::make_unique<Layer>(static_cast<int>(state.range(0)), state.range(1) != 0);
        state.ResumeTiming();
        const double start = Now();
        clean(layer->section);
        total += Now() - start;
        benchmark::DoNotOptimize(layer->section.GetSlotsInUse());
        state.PauseTiming();
        layer.reset();
        state.ResumeTiming();
    }
    return total / static_cast<double>(state.iterations());
}

void BlockCleaning(benchmark::State& state)
{
    const double time = Run(state, [](Section& s) { s.DoClearCommonElements(); });
    if (state.range(1) == 0)
        return;
    const long n = static_cast<long>(state.range(0));
    ConstantDensityTimes()[n] = time;
    const auto smaller = ConstantDensityTimes().find(n / 10);
    if (smaller != ConstantDensityTimes().end() && smaller->second > 0.0)
        state.counters["per_tenfold"] = time / smaller->second;
}
BENCHMARK(BlockCleaning)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void PlainScanCleaning(benchmark::State& state)
{
    (void)Run(state, PlainScan);
}
BENCHMARK(PlainScanCleaning)->Args({1000, 0})->Unit(benchmark::kMillisecond);

// A grid of squares, each drawn with its four sides, repeated 2 × 2 so
// that the instances' borders run over each other.
void LayoutCleaning(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto layer = std::make_unique<Layer>(0);
        Section& s = layer->section;
        int columns = 1;
        while (4 * columns * columns < n)
            ++columns;
        for (int k = 0; k < n / 4; ++k) {
            const double x = (k % columns) * 12.0;
            const double y = (k / columns) * 12.0;
            (void)s.AddLine3(x, y, x + 10, y, true, 1);
            (void)s.AddLine3(x + 10, y, x + 10, y + 10, true, 1);
            (void)s.AddLine3(x + 10, y + 10, x, y + 10, true, 1);
            (void)s.AddLine3(x, y + 10, x, y, true, 1);
        }
        const double width = columns * 12.0 - 2.0;
        const double height = ((n / 4 + columns - 1) / columns) * 12.0 - 2.0;
        // The outermost squares of neighbouring instances share their sides.
        s.NewInstance(width, 0, 0);
        s.NewInstance(0, height, 0);
        s.NewInstance(width, height, 0);
        state.ResumeTiming();
        s.clean_instances();
        benchmark::DoNotOptimize(s.GetSlotsInUse());
        state.PauseTiming();
        layer.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(LayoutCleaning)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
