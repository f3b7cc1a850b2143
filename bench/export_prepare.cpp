// An export of n rules: a drawing of small closed rectangles (four lines
// each, drawn in scattered order and directions) over a 2000 × 1400 mm
// sheet, every fifth rule of line type 2.
//
//   Chain:        the contour chaining of one block of n line primitives
//                 (by line type, with an order table).
//   ChainLoose:   the same with n lines that meet nowhere: every chain is a
//                 single line, the walk's worst case.
//   HashJoin:     the floor of chaining: every primitive's start put into a
//                 hash of 1e-6 cells, then every end looked up in it.
//                 Chain's counter "vs_join" is its processor time over
//                 this join's at the same n, both measured in this run.
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
#include <cmath>
#include <ctime>
#include <map>
#include <random>
#include <unordered_map>

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

// This thread's processor time (s): the machine may be shared.
double Now()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The number of primitive pairs where one's end meets another's start.
std::size_t Join(const Export::ExportBlock& block)
{
    const auto key = [](const die::coord& p) {
        return static_cast<std::uint64_t>(std::llround(p.x * 1e6)) * 0x9E3779B97F4A7C15ull
               ^ static_cast<std::uint64_t>(std::llround(p.y * 1e6));
    };
    std::unordered_map<std::uint64_t, int> starts;
    starts.reserve(block.primitives.size());
    for (std::size_t i = 0; i < block.primitives.size(); ++i)
        starts.emplace(key(block.primitives[i].B), static_cast<int>(i));
    std::size_t joined = 0;
    for (const ExportPrimitive& p : block.primitives)
        joined += starts.count(key(p.C));
    return joined;
}

double JoinOnce(const Export::ExportBlock& block)
{
    const double start = Now();
    benchmark::DoNotOptimize(Join(block));
    return Now() - start;
}

std::map<int, double>& JoinTimes()
{
    static std::map<int, double> times;
    return times;
}

void HashJoin(benchmark::State& state)
{
    const Export::ExportBlock drawn = Block(Rectangles(static_cast<int>(state.range(0))));
    double total = 0.0;
    for (auto _ : state)
        total += JoinOnce(drawn);
    JoinTimes()[static_cast<int>(state.range(0))] = total / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(HashJoin)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void Chain(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const Export::ExportBlock drawn = Block(Rectangles(n));
    double total = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        Export::ExportBlock block = drawn;
        state.ResumeTiming();
        const double start = Now();
        Export::ContourChainer::Run(block, 2, {{2, 0}});
        total += Now() - start;
        benchmark::DoNotOptimize(block.primitives.data());
    }
    if (!JoinTimes().count(n)) {
        double join = 0.0;
        int runs = 0;
        for (; join < 0.2 && runs < 1000; ++runs)
            join += JoinOnce(drawn);
        JoinTimes()[n] = join / runs;
    }
    state.counters["vs_join"] = total / static_cast<double>(state.iterations()) / JoinTimes()[n];
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(Chain)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
