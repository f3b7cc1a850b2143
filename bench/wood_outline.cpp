// The die board's outline over a large layout: 5,000 elements (four lines to
// every arc) over a 1000 × 700 mm sheet, repeated as 12 instances (a 4 × 3
// grid), with 8 equalizing rules (two on each side of the layout), every
// rule probing the layout under every instance.
//
//   RebuildOutline/0:  rules ending at the nearest crossing.
//   RebuildOutline/1:  symmetric rules, crossing the whole board.
//   LayoutBox:         the layout's box alone, the part of a rebuild that
//                      does not depend on the rules.
#include <benchmark/benchmark.h>

#include "display/DisplayList.h"
#include "element/NodeTable.h"
#include "element/Wood.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <random>

namespace {

struct Layout {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};
    CWood* board = nullptr;

    Layout(int n, bool symmetric)
    {
        std::mt19937 engine(12345);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        while (section.GetSlotsInUse() < n) {
            const double x = unit(engine) * 1000.0;
            const double y = unit(engine) * 700.0;
            const double size = 5.0 + unit(engine) * 40.0;
            if (section.GetSlotsInUse() % 5 == 4)
                (void)section.AddArc3(x, y, x + size, y, x, y + size, true, 1);
            else
                (void)section.AddLine3(x, y, x + size, y + size * (unit(engine) - 0.5), true, 1);
        }
        for (int i = 1; i < 12; ++i)
            section.NewInstance((i % 4) * 1100.0, (i / 4) * 800.0, 0.0);
        board = dynamic_cast<CWood*>(section.AddWood(50, 80, 50, 13, 10).Get());
        const WoodBox box = board->GetElementsBorders();
        const double width = box.maxX - box.minX;
        const double height = box.maxY - box.minY;
        WoodValues& v = board->Values();
        v.symmetric = symmetric;
        // Two rules a side: a quarter in, then half the side on.
        v.sides[WoodValues::SideTop] = {true, false, width / 4.0, width / 2.0, 10.0, 0};
        v.sides[WoodValues::SideBottom] = v.sides[WoodValues::SideTop];
        v.sides[WoodValues::SideLeft] = {true, false, height / 4.0, height / 2.0, 10.0, 0};
        v.sides[WoodValues::SideRight] = v.sides[WoodValues::SideLeft];
    }
};

void RebuildOutline(benchmark::State& state)
{
    Layout layout(5000, state.range(0) != 0);
    for (auto _ : state) {
        layout.board->MarkDisplayDirty();
        layout.board->RebuildContour();
        benchmark::DoNotOptimize(layout.board->GetDisplayList().Figures().size());
    }
}
BENCHMARK(RebuildOutline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The part of a rebuild that finds the layout's box over every instance.
void LayoutBox(benchmark::State& state)
{
    Layout layout(5000, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(layout.board->GetElementsBorders());
}
BENCHMARK(LayoutBox)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
