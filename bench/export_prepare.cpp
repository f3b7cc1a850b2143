// An export of n rules: a drawing of small closed rectangles (four lines
// each, drawn in scattered order and directions) over a 2000 × 1400 mm
// sheet, every fifth rule of line type 2.
//
//   Chain:        the contour chaining of one block of n line primitives
//                 (by line type, with an order table).
//   ChainLoose:   the same with n lines that meet nowhere: every chain is a
//                 single line, the walk's worst case.
//   PrepareCf2:   preparation of the drawing's section (display lists read,
//                 chained by line type) and the CF2 text written.
#include <benchmark/benchmark.h>

#include "element/Element.h"
#include "element/NodeTable.h"
#include "exchange/export/ContourChainer.h"
#include "exchange/export/ExportPreparer.h"
#include "exchange/export/cf2/Cf2Writer.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <algorithm>
#include <random>

namespace {

using Export::ExportPrimitive;

struct Rule {
    die::coord from;
    die::coord to;
    int lineType = 1;
};

std::vector<Rule> Rectangles(int n)
{
    std::mt19937 engine(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Rule> rules;
    while (static_cast<int>(rules.size()) < n) {
        const double x = unit(engine) * 2000.0;
        const double y = unit(engine) * 1400.0;
        const double w = 2.0 + unit(engine) * 10.0;
        const double h = 2.0 + unit(engine) * 10.0;
        const die::coord c[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        for (int i = 0; i < 4 && static_cast<int>(rules.size()) < n; ++i) {
            Rule rule{c[i], c[(i + 1) % 4], rules.size() % 5 == 4 ? 2 : 1};
            if (unit(engine) < 0.5)
                std::swap(rule.from, rule.to);
            rules.push_back(rule);
        }
    }
    std::shuffle(rules.begin(), rules.end(), engine);
    return rules;
}

Export::ExportBlock Block(const std::vector<Rule>& rules)
{
    Export::ExportBlock block;
    for (const Rule& rule : rules) {
        ExportPrimitive p;
        p.line_type = static_cast<std::int16_t>(rule.lineType);
        p.B = rule.from;
        p.C = rule.to;
        block.primitives.push_back(p);
    }
    return block;
}

void Chain(benchmark::State& state)
{
    const Export::ExportBlock drawn = Block(Rectangles(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        Export::ExportBlock block = drawn;
        Export::ContourChainer::Run(block, 2, {{2, 0}});
        benchmark::DoNotOptimize(block.primitives.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Chain)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void ChainLoose(benchmark::State& state)
{
    std::mt19937 engine(777);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Rule> rules;
    for (int i = 0; i < state.range(0); ++i) {
        const die::coord from(unit(engine) * 2000.0, unit(engine) * 1400.0);
        rules.push_back({from, from + die::coord(1.0 + unit(engine), unit(engine)), 1});
    }
    const Export::ExportBlock drawn = Block(rules);
    for (auto _ : state) {
        Export::ExportBlock block = drawn;
        Export::ContourChainer::Run(block, 1, {});
        benchmark::DoNotOptimize(block.primitives.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ChainLoose)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

void PrepareCf2(benchmark::State& state)
{
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};
    section.setName(QStringLiteral("Sheet"));
    for (const Rule& rule : Rectangles(static_cast<int>(state.range(0))))
        (void)section.AddLine3(rule.from.x, rule.from.y, rule.to.x, rule.to.y, true, rule.lineType);
    for (CElement* e : section) {
        e->RebuildContour();
        e->RegenerateDisplayList(0);
    }
    Export::ExportSettings settings;
    settings.use_offset = false;
    settings.optimize = 2;
    settings.instance = 0;
    for (auto _ : state) {
        Export::ExportPreparer preparer({{&section}, &section});
        preparer.SetSettings(settings);
        preparer.Run();
        Export::ExportText out{QStringLiteral("sheet.cf2"), {}, {}};
        Export::WriteCf2(out, preparer);
        benchmark::DoNotOptimize(out.text.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PrepareCf2)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
