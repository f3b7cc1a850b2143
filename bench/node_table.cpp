// The node table at drawing sizes far beyond a usual die layout.
//
//   AddPoints:  n points added with merging, every second one within the merge
//               box of an earlier point (as the ends of connected elements
//               are), so half of them reuse a node.
//   Recompute:  n parametric nodes (offsets along chains, polar nodes,
//               nodes at two distances) over the box variables; after A
//               changes every position is computed afresh.
#include <benchmark/benchmark.h>

#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"

#include <cstdint>
#include <vector>

namespace {

class Lcg {
public:
    uint32_t Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    double Unit() { return (Next() % 1000000) / 1000000.0; }

private:
    uint32_t state_ = 12345;
};

struct Drawing {
    FormulaTable variables;
    int origin = 0;
    NodeTable nodes;

    Drawing()
    {
        (void)variables.AddDefaultVariables();
        nodes.SetEvaluator(&variables);
        nodes.SetOriginIndex(&origin);
        origin = nodes.AddPoint(0, 0, false);
    }
};

void AddPoints(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<std::pair<double, double>> points;
    Lcg random;
    for (int i = 0; i < n; ++i) {
        if (i % 2 == 1) {
            const auto& earlier = points[random.Next() % points.size()];
            points.emplace_back(earlier.first + 0.001, earlier.second - 0.002);
        } else {
            points.emplace_back(random.Unit() * 2000.0, random.Unit() * 1500.0);
        }
    }
    for (auto _ : state) {
        Drawing d;
        for (const auto& [x, y] : points)
            benchmark::DoNotOptimize(d.nodes.AddPoint(x, y, true));
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(AddPoints)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void Recompute(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Drawing d;
    Lcg random;
    std::vector<int> made{d.origin};
    for (int i = 0; i < n; ++i) {
        CNodePoint node(&d.variables, &d.nodes);
        CNodePoint* previous = d.nodes.GetNode(made.back());
        CNodePoint* any = d.nodes.GetNode(made[random.Next() % made.size()]);
        switch (i % 4) {
        case 0:
            node.MakeOffset(previous, "A/100", "B/200");
            break;
        case 1:
            node.MakePolar(any, "H/10", "30");
            break;
        case 2:
            node.MakeOffset(any, "MatThick", "-A/50");
            break;
        default:
            node.MakeAtTwoDistances(previous, any, "A/10", "B/10");
            break;
        }
        made.push_back(d.nodes.AddNode(node, false));
    }
    double a = 300;
    for (auto _ : state) {
        a = a == 300 ? 310 : 300;
        (void)d.variables.SetFormula("A", QString::number(a), QString());
        d.nodes.SetCacheValid(false);
        double sum = 0;
        for (int i : made) {
            CNodePoint* node = d.nodes.GetNode(i);
            sum += node->GetX() + node->GetY();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(Recompute)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
