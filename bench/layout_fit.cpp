// Fitting a saved step-and-repeat layout to a sheet (the layout
// optimisation computes one fit per stored result and sheet side).
//
//   FitSheet/n:  a layer of n lines inside 10 × 7 mm, every second copy
//                along x turned by 180°, gaps of 1 mm, on a sheet of
//                3000 × 2000 mm: the best grid is 272 × 250 copies, and the
//                free part is the union of their 68 000 boxes.
//   FitCarton/n: a carton of n lines inside 200 × 150 mm, turned copies
//                nested 20 mm into each other, on a 1600 × 1200 mm sheet.
#include <benchmark/benchmark.h>

#include "element/NodeTable.h"
#include "section/LayoutGrid.h"
#include "section/LayoutStore.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <random>

namespace {

struct Layer {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};

    // n lines at random inside width × height, the corners always held.
    Layer(int n, double width, double height)
    {
        std::mt19937 engine(4711);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        (void)section.AddLine3(0, 0, width, height, true, 1);
        while (section.GetSlotsInUse() < n) {
            (void)section.AddLine3(unit(engine) * width, unit(engine) * height, unit(engine) * width,
                                   unit(engine) * height, true, 1);
        }
    }
};

SavedLayout Turned(double gap)
{
    SavedLayout layout;
    layout.rows.rotateAlternate = true;
    layout.rows.angle = 180;
    layout.rows.gap1 = gap;
    layout.rows.gap2 = gap;
    layout.columns.gap1 = 1;
    return layout;
}

void Fit(benchmark::State& state, double width, double height, double gap, double sheetWidth, double sheetHeight)
{
    Layer layer(static_cast<int>(state.range(0)), width, height);
    LayoutGrid grid(layer.section);
    const SavedLayout layout = Turned(gap);
    LayoutFit fit;
    for (auto _ : state) {
        fit = grid.Compute(layout, sheetWidth, sheetHeight);
        benchmark::DoNotOptimize(fit);
    }
    state.counters["copies"] = (fit.lastX + 1) * (fit.lastY + 1);
    state.counters["free %"] = fit.freeFraction * 100.0;
}

void FitSheet(benchmark::State& state)
{
    Fit(state, 10, 7, 1, 3000, 2000);
}

void FitCarton(benchmark::State& state)
{
    Fit(state, 200, 150, -20, 1600, 1200);
}

} // namespace

BENCHMARK(FitSheet)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(FitCarton)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
