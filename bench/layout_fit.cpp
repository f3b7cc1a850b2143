// Fitting a saved step-and-repeat layout to a sheet (the layout
// optimisation computes one fit per stored result and sheet side).
//
//   FitSheet/n:  a layer of n lines inside 10 × 7 mm, every second copy
//                along x turned by 180°, gaps of 1 mm, on a sheet of
//                3000 × 2000 mm: the best grid is 272 × 250 copies, and the
//                free part is the union of their 68 000 boxes.
//   FitCarton/n: a carton of n lines inside 200 × 150 mm, turned copies
//                nested 20 mm into each other, on a 1600 × 1200 mm sheet.
//   PaperList/n: what the layout optimisation dialog does for "All >>" on
//                every standard paper (A4 to A0, B4 to B0) with the carton
//                of n lines: 20 results stored and the result list built,
//                each fit computed, as a new dialog does.
#include <benchmark/benchmark.h>

#include "app/PaperSizeTable.h"
#include "dlg/LayoutOptimisation.h"

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

void PaperList(benchmark::State& state)
{
    Layer layer(static_cast<int>(state.range(0)), 200, 150);
    PaperSizeTable papers;
    papers.InitPaperSizes();
    std::size_t rows = 0;
    for (auto _ : state) {
        LayoutStore store;
        const SavedLayout* layout = store.AddLayout(Turned(-20).rows, Turned(-20).columns, QStringLiteral(" Layout1"));
        dlg::LayoutOptimisation dialog(store, layer.section, {papers.Sizes(), nullptr});
        for (int paper = 0; paper < static_cast<int>(papers.Sizes().size()); ++paper)
            (void)dialog.Optimise(layout, paper);
        rows = dialog.Rows().size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

} // namespace

BENCHMARK(PaperList)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(FitSheet)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(FitCarton)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
