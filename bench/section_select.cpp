// A section far beyond a usual die layout: n elements (four lines to every
// arc) over a 1000 × 700 mm sheet, repeated as 20 instances (a 5 × 4 grid,
// every other one turned by 180° about the layout's middle).
//
//   SelectInRect:  rectangle selection (any node inside) of a window over a
//                  tenth of the sheet, looked for under every instance; the
//                  selection is cleared before each run.
//   TotalBorders:  the borders of the section over all instances.
#include <benchmark/benchmark.h>

#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <random>

namespace {

// The same layout on every run.
class Random {
public:
    double Unit() { return unit_(engine_); }

private:
    std::mt19937 engine_{12345};
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

struct Layout {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};

    explicit Layout(int n)
    {
        Random random;
        while (section.GetSlotsInUse() < n) {
            const double x = random.Unit() * 1000.0;
            const double y = random.Unit() * 700.0;
            const double size = 5.0 + random.Unit() * 40.0;
            if (section.GetSlotsInUse() % 5 == 4)
                (void)section.AddArc3(x, y, x + size, y, x, y + size, true, 1);
            else
                (void)section.AddLine3(x, y, x + size, y + size * (random.Unit() - 0.5), true, 1);
        }
        for (int i = 1; i < 20; ++i) {
            section.NewInstance((i % 5) * 1100.0, (i / 5) * 800.0, i % 2 ? 180.0 : 0.0);
            section.GetInstance(i).centreX = 500.0;
            section.GetInstance(i).centreY = 350.0;
        }
    }
};

void SelectInRect(benchmark::State& state)
{
    Layout layout(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        layout.section.Deselect();
        layout.section.SelectAllInRect(2300.0, 1700.0, 2616.0, 1921.0, 1);
    }
    state.counters["selected"] = layout.section.GetSelectedCount();
    state.SetComplexityN(state.range(0));
}

void TotalBorders(benchmark::State& state)
{
    Layout layout(static_cast<int>(state.range(0)));
    SectionBorders b;
    for (auto _ : state) {
        b = layout.section.GetBorders(true, false, false);
        benchmark::DoNotOptimize(b);
    }
    state.counters["width"] = b.right - b.left;
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(SelectInRect)->Arg(5000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(TotalBorders)->Arg(5000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
