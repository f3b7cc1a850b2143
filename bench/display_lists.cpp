// Display lists of a realistic die layout: 40 box blanks (cut outline,
// creases, corner arcs, a perforation, a cut-crease rule and a wave cut),
// some 4400 lines and arcs with bridges. Measures rebuilding the lists as the
// elements do after a change, regenerating their output for display modes 1
// (bridges) and 2 (pattern line types), and walking the output as the view's
// painter does and as an exporter does.
#include "display/DisplayList.h"
#include "view/FigurePainter.h"
#include "linetype/LinetypeTable.h"
#include "platform/Device.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kCut = 1;
constexpr int kCrease = 3;
constexpr int kCutCrease = 6;
constexpr int kZipper = 7;
constexpr int kWave = 8;

// One rule of the layout as an element hands it to its display list.
struct Rule {
    bool arc = false;
    die::coord a, b, c; // line: a to b; arc: centre a, start b, end c
    int lineType = kCut;
};

double RuleLength(const Rule& r)
{
    if (!r.arc)
        return std::hypot(r.b.x - r.a.x, r.b.y - r.a.y);
    return std::hypot(r.b.x - r.a.x, r.b.y - r.a.y) * 1.5707963267948966; // quarter arcs
}

void AddBlank(std::vector<Rule>& rules, double x0, double y0)
{
    const auto line = [&](double x1, double y1, double x2, double y2, int type) {
        rules.push_back({false, {x0 + x1, y0 + y1}, {x0 + x2, y0 + y2}, {}, type});
    };
    const auto corner = [&](double cx, double cy, double r, double startAngle) {
        const double s = startAngle * 0.017453292519943295;
        const double e = s - 1.5707963267948966;
        rules.push_back({true, {x0 + cx, y0 + cy}, {x0 + cx + r * std::cos(s), y0 + cy + r * std::sin(s)},
                         {x0 + cx + r * std::cos(e), y0 + cy + r * std::sin(e)}, kCut});
    };
    // Four panels of 60 and 40 mm with flaps above and below, a glue flap.
    const double panels[] = {0, 15, 75, 115, 175, 215};
    for (int p = 0; p + 1 < 6; ++p) {
        const double l = panels[p], r = panels[p + 1];
        line(l, 0, l, 120, p == 0 ? kCut : kCrease);
        line(l + 2, 120, r - 8, 120, kCrease);
        line(l + 2, 0, r - 8, 0, kCrease);
        for (int k = 0; k < 3; ++k) {
            line(l + 2, 120 + 8 * k, l + 2, 128 + 8 * k, kCut);
            line(r - 2, 128 + 8 * k, r - 2, 120 + 8 * k, kCut);
            line(l + 2, -8 * k, l + 2, -8 - 8 * k, kCut);
            line(r - 2, -8 - 8 * k, r - 2, -8 * k, kCut);
        }
        line(l + 5, 149, r - 5, 149, kCut);
        line(l + 5, -29, r - 5, -29, kCut);
        corner(l + 5, 144, 5, 180);
        corner(r - 5, 144, 5, 90);
        corner(l + 5, -24, 5, 270);
        corner(r - 5, -24, 5, 0);
        corner(l + 10, 60, 3, 180);
    }
    line(215, 0, 215, 120, kCut);
    line(20, 60, 70, 60, kZipper);
    line(80, 30, 110, 30, kCutCrease);
    line(120, 90, 170, 90, kWave);
    for (int k = 0; k < 8; ++k)
        line(180 + 4 * k, 10, 180 + 4 * k, 110, k % 2 ? kCrease : kCut);
}

std::vector<Rule> Layout()
{
    std::vector<Rule> rules;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 5; ++column)
            AddBlank(rules, column * 230.0, row * 200.0);
    return rules;
}

// Rebuilds a rule's list as its element does: figure, then bridges of 3 mm
// about every 60 mm.
void Rebuild(DisplayList& list, const Rule& rule)
{
    list.Begin(rule.lineType, 0, 10, 2.0);
    if (rule.arc)
        list.AddArc(rule.a, rule.b, rule.c);
    else
        list.AddLine(rule.a, rule.b);
    list.End();
    const double length = RuleLength(rule);
    const int bridges = static_cast<int>(length / 60.0) + (length > 20.0 ? 1 : 0);
    for (int i = 0; i < bridges; ++i)
        list.AddBridge((i + 0.5) * length / bridges - 1.5, 3.0);
}

std::unique_ptr<LinetypeTable> Linetypes()
{
    auto table = std::make_unique<LinetypeTable>();
    const auto add = [&](int number, int kind, int subtype1, int subtype2, double d1, double d2, double d3) {
        table->AddLinetype(number, LinetypeStyle::Solid, 1, platform::rgb(255, 255, 255));
        table->SetCurrentTypeAndSubtypes(kind, subtype1, subtype2);
        table->SetCurrentData(d1, d2, d3);
    };
    add(kCut, LinetypeKind::Standard, -1, -1, 0, 0, 0);
    add(kCrease, LinetypeKind::Standard, -1, -1, 0, 0, 0);
    add(kCutCrease, LinetypeKind::Mixed, kCut, kCrease, 3, 3, 0);
    add(kZipper, LinetypeKind::Tear, kCut, -1, 6, 1.5, 45);
    add(kWave, LinetypeKind::Wave, kCut, -1, 4, 1, 0);
    table->CreatePens();
    return table;
}

// A device that draws nothing and counts what it is asked to draw.
class CountingDevice : public platform::Device {
public:
    int width() const override { return 4000; }
    int height() const override { return 3000; }
    std::unique_ptr<Device> createCompatible(int, int) const override { return std::make_unique<CountingDevice>(); }
    long long calls = 0;

protected:
    void drawLine(platform::DevicePoint, platform::DevicePoint) override { ++calls; }
    void drawArc(platform::DevicePoint, platform::DevicePoint, platform::DevicePoint, platform::DevicePoint) override
    {
        ++calls;
    }
    void drawAngleArc(platform::DevicePoint, int, double, double) override { ++calls; }
    void drawPolygon(std::span<const platform::DevicePoint>) override { ++calls; }
    void drawRectangle(platform::DevicePoint, platform::DevicePoint) override { ++calls; }
    void drawEllipse(platform::DevicePoint, platform::DevicePoint) override { ++calls; }
    void drawText(platform::DevicePoint, const QString&) override { ++calls; }
    void copyFrom(platform::DevicePoint, int, int, const Device&, platform::DevicePoint) override {}
    void drawPicture(platform::DevicePoint, int, int, const platform::Picture&) override {}
};

// The layout's lists, built once; the table linked while a benchmark runs.
struct Fixture {
    Fixture() : rules(Layout()), lists(rules.size()), table(Linetypes()), linked(DisplayList::InstallLinetypeTable(*table))
    {
        for (std::size_t i = 0; i < rules.size(); ++i)
            Rebuild(lists[i], rules[i]);
    }

    void Regenerate(int mode)
    {
        for (DisplayList& list : lists)
            list.Regenerate(mode);
    }
    std::size_t OutputNodes() const
    {
        std::size_t n = 0;
        for (const DisplayList& list : lists)
            for (const DisplayFigure& f : list.Figures())
                n += f.output.size();
        return n;
    }

    std::vector<Rule> rules;
    std::vector<DisplayList> lists;
    std::unique_ptr<LinetypeTable> table;
    platform::ScopedOverride<LinetypeTable*> linked;
};

void BM_RebuildAll(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        for (std::size_t i = 0; i < fixture.rules.size(); ++i)
            Rebuild(fixture.lists[i], fixture.rules[i]);
        benchmark::ClobberMemory();
    }
    state.counters["rules"] = static_cast<double>(fixture.rules.size());
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(fixture.rules.size()));
}

// Output for the mode, from output built for mode 0 (rebuilt untimed).
void BM_Regenerate(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.Regenerate(DisplayMode::Normal);
        state.ResumeTiming();
        fixture.Regenerate(mode);
        benchmark::ClobberMemory();
    }
    state.counters["output_nodes"] = static_cast<double>(fixture.OutputNodes());
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(fixture.rules.size()));
}

// Repainting an unchanged drawing: every list is already built for the mode.
void BM_RegenerateUnchanged(benchmark::State& state)
{
    Fixture fixture;
    fixture.Regenerate(DisplayMode::WithBridges);
    for (auto _ : state) {
        fixture.Regenerate(DisplayMode::WithBridges);
        benchmark::ClobberMemory();
    }
}

// The view's walk: every figure with its pen through the figure painter.
void BM_Paint(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    Fixture fixture;
    fixture.Regenerate(mode);
    CountingDevice dc;
    FigurePainter painter(dc, *fixture.table, {0.5, {50, 2900}, false});
    for (auto _ : state) {
        for (const DisplayList& list : fixture.lists)
            painter.DrawList(list, *fixture.table, mode);
    }
    state.counters["device_calls_per_paint"] = static_cast<double>(dc.calls) / static_cast<double>(state.iterations());
}

// An exporter's walk: every output record of every figure.
void BM_WalkOutput(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    Fixture fixture;
    fixture.Regenerate(mode);
    for (auto _ : state) {
        double sum = 0.0;
        for (const DisplayList& list : fixture.lists)
            for (const DisplayFigure& f : list.Figures())
                for (const OutputNode& n : f.output)
                    sum += n.x + n.y + n.code;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["output_nodes"] = static_cast<double>(fixture.OutputNodes());
}

} // namespace

BENCHMARK(BM_RebuildAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regenerate)->Arg(DisplayMode::WithBridges)->Arg(DisplayMode::SpecialLineTypes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegenerateUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint)->Arg(DisplayMode::WithBridges)->Arg(DisplayMode::SpecialLineTypes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkOutput)->Arg(DisplayMode::WithBridges)->Arg(DisplayMode::SpecialLineTypes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
