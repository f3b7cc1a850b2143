// A full repaint of the view through the Qt device, as every pan and zoom
// does: a die layout of rule segments (boxes of four cut lines and a round
// crease hole) in one section with 20 placements, painted into an offscreen
// screen-sized image in display mode 2. The counter "frames" is the repaint's
// time as a fraction of a 60 Hz frame (16.7 ms), "cpu_frames" the same for
// the thread's processor time.
//
// Sizes: 10,000, 100,000 and 1,000,000 drawn elements (the section holds a
// twentieth of them), fitted into the window and zoomed so that a tenth of
// the layout's area is visible.
//
// A mouse move while a command runs: the cursor tracked (the pick of the
// element within 15 pixels and of the node within 5), the rubber line moved
// and the view painted, keeping the drawn die (PaintOverlay); "ratio" is its
// time over the floor measured in the same run, copying the kept drawing to
// the overlay and drawing the rubber line alone. BM_MoveRepaintingAll is the
// same move with the plain scans and a whole repaint, as it was before the
// view kept its drawing.
#include "display/DisplayList.h"
#include "document/CursorInfo.h"
#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "linetype/LinetypeTable.h"
#include "section/Section.h"
#include "view/ViewCore.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>

namespace {

constexpr int kCut = 1;
constexpr int kCrease = 3;
constexpr int kPlacements = 20;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::unique_ptr<LinetypeTable> Linetypes()
{
    auto table = std::make_unique<LinetypeTable>();
    for (const SpecialLinetype::Registration& r : SpecialLinetype::Registrations())
        table->RegisterSymbolicName(QString::fromLatin1(r.name), r.number, r.kind);
    const auto add = [&](int number, int kind, platform::ColorRef colour) {
        table->AddLinetype(number, LinetypeStyle::Solid, 1, colour);
        table->SetCurrentTypeAndSubtypes(kind, -1, -1);
        table->SetCurrentData(0, 0, 0);
    };
    add(kCut, LinetypeKind::Standard, platform::rgb(255, 255, 255));
    add(kCrease, LinetypeKind::Standard, platform::rgb(255, 0, 0));
    for (int special : {SpecialLinetype::Highlight, SpecialLinetype::Selected, SpecialLinetype::Crosshair,
                        SpecialLinetype::InactiveLayer})
        add(special, LinetypeKind::Display, platform::rgb(0, 255, 0));
    table->CreatePens();
    table->CreateContrastLinetype(platform::rgb(255, 255, 0));
    return table;
}

// One placement's rules: boxes of 8 by 6 mm, each four lines and a hole,
// in a square grid; the placements in five columns and four rows.
void FillLayout(CMorvekDoc& doc, int drawnElements)
{
    Section& section = *doc.GetSection(0);
    const int rules = drawnElements / kPlacements;
    const int boxes = rules / 5;
    const int columns = static_cast<int>(std::ceil(std::sqrt(boxes * 0.75)));
    for (int b = 0; b < boxes; ++b) {
        const double x = (b % columns) * 10.0;
        const double y = (b / columns) * 8.0;
        (void)section.AddLine3(x, y, x + 8, y, true, kCut);
        (void)section.AddLine3(x + 8, y, x + 8, y + 6, true, kCut);
        (void)section.AddLine3(x + 8, y + 6, x, y + 6, true, kCut);
        (void)section.AddLine3(x, y + 6, x, y, true, kCut);
        (void)section.AddArc3(x + 4, y + 3, x + 5, y + 3, x + 5, y + 3, true, kCrease);
    }
    const double width = columns * 10.0 + 20.0;
    const double height = ((boxes + columns - 1) / columns) * 8.0 + 20.0;
    for (int p = 1; p < kPlacements; ++p)
        section.NewInstance((p % 5) * width, (p / 5) * height, 0.0);
}

struct Fixture {
    explicit Fixture(int drawnElements) : linetypes(Linetypes()), linked(DisplayList::InstallLinetypeTable(*linetypes))
    {
        FillLayout(doc, drawnElements);
        view.OnInitialUpdate(&doc, kWidth, kHeight);
        view.Paint(drawing, overlay, kWidth, kHeight); // fits and builds the display lists
    }

    std::unique_ptr<LinetypeTable> linetypes;
    platform::ScopedOverride<LinetypeTable*> linked;
    CMorvekDoc doc;
    ViewCore view{nullptr};
    gui::QtDevice drawing{kWidth, kHeight};
    gui::QtDevice overlay{kWidth, kHeight};
};

// The processor time of this thread: on a busy machine, the repaint's own
// work without the waits for a core.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void Repaint(benchmark::State& state, bool zoomed)
{
    Fixture f(static_cast<int>(state.range(0)));
    if (zoomed)
        f.view.SetZoom(f.view.GetZoom() * std::sqrt(10.0), kWidth, kHeight);
    double seconds = 0.0, cpu = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadSeconds();
        f.view.Paint(f.drawing, f.overlay, kWidth, kHeight);
        benchmark::DoNotOptimize(f.overlay.image()->constBits());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu += ThreadSeconds() - cpuStart;
    }
    state.counters["frames"] = seconds * 60.0 / static_cast<double>(state.iterations());
    state.counters["cpu_frames"] = cpu * 60.0 / static_cast<double>(state.iterations());
}

void BM_RepaintFitted(benchmark::State& state)
{
    Repaint(state, false);
}

void BM_RepaintZoomedToATenth(benchmark::State& state)
{
    Repaint(state, true);
}

// The pixels the cursor visits: a slow diagonal over the window.
platform::DevicePoint CursorAt(int i)
{
    return {200 + (i * 7) % (kWidth - 400), 150 + (i * 5) % (kHeight - 300)};
}

void BM_MoveDuringCommand(benchmark::State& state)
{
    Fixture f(static_cast<int>(state.range(0)));
    double move = 0.0, floor = 0.0;
    int i = 0;
    for (auto _ : state) {
        const platform::DevicePoint at = CursorAt(i++);
        auto start = std::chrono::steady_clock::now();
        f.view.TrackCursor(at);
        const CursorRecord& cursor = f.doc.Cursor();
        f.view.SetRubberLine(true, 0, 0, static_cast<int>(cursor.modelX * 1000), static_cast<int>(cursor.modelY * 1000));
        f.view.PaintOverlay(f.drawing, f.overlay, kWidth, kHeight);
        benchmark::DoNotOptimize(f.overlay.image()->constBits());
        move += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!f.view.KeptDrawing())
            state.SkipWithError("the drawing was painted again");

        start = std::chrono::steady_clock::now();
        f.overlay.bitBlt(0, 0, kWidth, kHeight, f.drawing, 0, 0);
        f.view.Painter().DrawMeasureLine({0.0, 0.0}, {cursor.modelX, cursor.modelY});
        benchmark::DoNotOptimize(f.overlay.image()->constBits());
        floor += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["frames"] = move * 60.0 / n;
    state.counters["ms"] = move * 1e3 / n;
    state.counters["floor_ms"] = floor * 1e3 / n;
    state.counters["ratio"] = move / floor;
}

void BM_MoveRepaintingAll(benchmark::State& state)
{
    Fixture f(static_cast<int>(state.range(0)));
    double move = 0.0;
    int i = 0;
    for (auto _ : state) {
        const platform::DevicePoint at = CursorAt(i++);
        const auto start = std::chrono::steady_clock::now();
        f.view.TrackCursor(at);
        f.view.Painter().PickElementByScan();
        (void)f.view.Painter().NearestNodeByScan();
        const CursorRecord& cursor = f.doc.Cursor();
        f.view.SetRubberLine(true, 0, 0, static_cast<int>(cursor.modelX * 1000), static_cast<int>(cursor.modelY * 1000));
        f.view.Paint(f.drawing, f.overlay, kWidth, kHeight);
        benchmark::DoNotOptimize(f.overlay.image()->constBits());
        move += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["frames"] = move * 60.0 / n;
    state.counters["ms"] = move * 1e3 / n;
}

BENCHMARK(BM_RepaintFitted)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintZoomedToATenth)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveDuringCommand)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveRepaintingAll)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// --write-die=PATH: writes the layout of 1,000,000 drawn elements as a
// drawing to PATH instead of measuring (for looking at it in the program).
int WriteDie(const QString& path)
{
    const std::unique_ptr<LinetypeTable> linetypes = Linetypes();
    const auto linked = DisplayList::InstallLinetypeTable(*linetypes);
    CMorvekDoc doc;
    FillLayout(doc, 1000000);
    return doc.SaveCopyAs(path) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString write = QStringLiteral("--write-die=");
    for (int i = 1; i < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]).startsWith(write))
            return WriteDie(QString::fromLocal8Bit(argv[i]).mid(write.size()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
