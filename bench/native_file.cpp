// Opening, saving and closing a drawing file (.n) of 5,000, 50,000 and
// 500,000 elements against reading and writing its bytes, with the memory
// the open drawing holds per megabyte of file. The die is a layout of boxes
// (four cut lines sharing their corners, a crease hole), a fifth of the
// lines with two bridges by hand, written once into a temporary folder.
//
// Counters: "ratio" the time over the floor's (reading resp. writing the
// same bytes, measured in the same run), "MB_per_MB" the heap the open
// drawing holds over the file's size, "element_bytes" sizeof(CElement).
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "section/Section.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

void FillDie(CMorvekDoc& doc, int elements)
{
    Section& section = *doc.GetSection(0);
    const int boxes = elements / 5;
    const int columns = static_cast<int>(std::ceil(std::sqrt(boxes * 0.75)));
    for (int b = 0; b < boxes; ++b) {
        const double x = (b % columns) * 10.0;
        const double y = (b / columns) * 8.0;
        CElement* first = section.AddLine3(x, y, x + 8, y, true, 1).Get();
        (void)section.AddLine3(x + 8, y, x + 8, y + 6, true, 1);
        (void)section.AddLine3(x + 8, y + 6, x, y + 6, true, 1);
        (void)section.AddLine3(x, y + 6, x, y, true, 1);
        (void)section.AddArc3(x + 4, y + 3, x + 5, y + 3, x + 5, y + 3, true, 3);
        first->SetBridgeMode(BridgeMode::ByHand);
        first->SetBridges({Bridge{0, 1.5, 1.0}, Bridge{0, 5.5, 1.0}});
    }
}

// The file of that many elements, made once per size.
const QString& DieFile(int elements)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto it = files.find(elements);
    if (it != files.end())
        return it->second;
    CMorvekDoc doc;
    FillDie(doc, elements);
    const QString path = dir.filePath(QStringLiteral("die%1.n").arg(elements));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(doc.WriteFile()) < 0)
        std::abort();
    return files.emplace(elements, path).first->second;
}

QByteArray ReadBytes(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        std::abort();
    return in.readAll();
}

void BM_Open(benchmark::State& state)
{
    const QString& path = DieFile(static_cast<int>(state.range(0)));
    double open = 0.0, read = 0.0, close = 0.0;
    double perMb = 0.0;
    qsizetype size = 0;
    for (auto _ : state) {
        Clock::time_point t = Clock::now();
        const QByteArray floor = ReadBytes(path);
        read += Seconds(t);
        size = floor.size();
        benchmark::DoNotOptimize(floor.constData());

        const std::size_t before = HeapInUse();
        t = Clock::now();
        auto doc = std::make_unique<CMorvekDoc>();
        if (!doc->OnOpenDocument(path))
            std::abort();
        open += Seconds(t);
        perMb = static_cast<double>(HeapInUse() - before) / static_cast<double>(size);
        t = Clock::now();
        doc.reset();
        close += Seconds(t);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["open_ms"] = open * 1e3 / n;
    state.counters["read_ms"] = read * 1e3 / n;
    state.counters["close_ms"] = close * 1e3 / n;
    state.counters["ratio"] = open / read;
    state.counters["close_ratio"] = close / open;
    state.counters["MB_per_MB"] = perMb;
    state.counters["element_bytes"] = static_cast<double>(sizeof(CElement));
}

void BM_Save(benchmark::State& state)
{
    const QString& path = DieFile(static_cast<int>(state.range(0)));
    CMorvekDoc doc;
    if (!doc.OnOpenDocument(path))
        std::abort();
    const QString copy = path.chopped(2) + QStringLiteral("_copy.n");
    double save = 0.0, write = 0.0;
    for (auto _ : state) {
        Clock::time_point t = Clock::now();
        if (!doc.SaveCopyAs(copy))
            std::abort();
        save += Seconds(t);
        const QByteArray bytes = ReadBytes(path);
        t = Clock::now();
        {
            QSaveFile out(copy);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0 || !out.commit())
                std::abort();
        }
        write += Seconds(t);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["save_ms"] = save * 1e3 / n;
    state.counters["write_ms"] = write * 1e3 / n;
    state.counters["ratio"] = save / write;
}

BENCHMARK(BM_Open)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Save)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
