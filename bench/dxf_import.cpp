// Importing a DXF drawing into a layer (reading it and inserting its model
// space: node merging, elements made, undo recorded) at 1, 10 and 50 MB
// against reading the file's bytes, measured in the same run. The drawing is
// a grid of boxes as a die has them: four lines sharing their corners, a
// closed lightweight polyline with a bulge and an arc, written once into a
// temporary folder.
//
// Counters: "ratio" the import's time over reading the bytes, "import_ms"
// and "read_ms" the fastest run of each, "elements" made, "MB_per_MB" the heap the imported
// drawing holds over the file's size.
#include "document/MorvekDoc.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "section/Section.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

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

class ModelSpaceChooser : public DxfImportChooser {
public:
    DxfImportChoice Choose(const DxfBlock*, const std::vector<DxfBlock>&) override
    {
        DxfImportChoice c;
        c.modelSpace = true;
        return c;
    }
};

// Millimetres as "%d.%03d" from integer micrometres: the locale stays out.
void Pair(QByteArray& bytes, const char* code, long micrometres)
{
    char number[40];
    const long a = std::labs(micrometres);
    std::snprintf(number, sizeof number, "%s\r\n%s%ld.%03ld\r\n", code, micrometres < 0 ? "-" : "", a / 1000, a % 1000);
    bytes += number;
}

void Pair(QByteArray& bytes, const char* code, const char* value)
{
    bytes += code;
    bytes += "\r\n";
    bytes += value;
    bytes += "\r\n";
}

void Box(QByteArray& bytes, long x, long y)
{
    const long w = 8000, h = 6000;
    const long corners[5][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
    for (int i = 0; i < 4; ++i) {
        Pair(bytes, "  0", "LINE");
        Pair(bytes, "  8", "CUT");
        Pair(bytes, " 10", corners[i][0]);
        Pair(bytes, " 20", corners[i][1]);
        Pair(bytes, " 11", corners[i + 1][0]);
        Pair(bytes, " 21", corners[i + 1][1]);
    }
    // A slot inside the box: a closed polyline with a rounded end.
    Pair(bytes, "  0", "LWPOLYLINE");
    Pair(bytes, "  8", "CUT");
    Pair(bytes, " 90", "4");
    Pair(bytes, " 70", "1");
    const long slot[4][2] = {{x + 1000, y + 1000}, {x + 3000, y + 1000}, {x + 3000, y + 2000}, {x + 1000, y + 2000}};
    for (int i = 0; i < 4; ++i) {
        Pair(bytes, " 10", slot[i][0]);
        Pair(bytes, " 20", slot[i][1]);
        if (i == 1)
            Pair(bytes, " 42", "1.0");
    }
    Pair(bytes, "  0", "ARC");
    Pair(bytes, "  8", "INK");
    Pair(bytes, " 10", x + 5500);
    Pair(bytes, " 20", y + 3000);
    Pair(bytes, " 40", "1.5");
    Pair(bytes, " 50", "30.0");
    Pair(bytes, " 51", "300.0");
}

// The file of about that many megabytes, made once per size.
const QString& DxfFile(int megabytes)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto it = files.find(megabytes);
    if (it != files.end())
        return it->second;
    const qsizetype target = static_cast<qsizetype>(megabytes) * 1'000'000;
    QByteArray bytes;
    bytes.reserve(target + 4096);
    bytes += "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$INSUNITS\r\n 70\r\n4\r\n  0\r\nENDSEC\r\n"
             "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    const long columns = 1000;
    for (long b = 0; bytes.size() < target; ++b)
        Box(bytes, (b % columns) * 10000, (b / columns) * 8000);
    bytes += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    const QString path = dir.filePath(QStringLiteral("model%1.dxf").arg(megabytes));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        std::abort();
    return files.emplace(megabytes, path).first->second;
}

QByteArray ReadBytes(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        std::abort();
    return in.readAll();
}

void BM_DxfImport(benchmark::State& state)
{
    const QString& path = DxfFile(static_cast<int>(state.range(0)));
    ModelSpaceChooser chooser;
    const auto guard = installDxfImportChooser(chooser);
    // The fastest of the runs on both sides: the machine's other work
    // only ever adds time.
    double import = 1e9, read = 1e9, perMb = 0.0;
    qsizetype size = 0;
    int elements = 0;
    for (auto _ : state) {
        Clock::time_point t;
        for (int i = 0; i < 5; ++i) {
            t = Clock::now();
            const QByteArray floor = ReadBytes(path);
            read = std::min(read, Seconds(t));
            size = floor.size();
            benchmark::DoNotOptimize(floor.constData());
        }

        auto doc = std::make_unique<CMorvekDoc>();
        const std::size_t before = HeapInUse();
        t = Clock::now();
        const QByteArray bytes = ReadBytes(path);
        QString error;
        if (!doc->LoadFile(QStringLiteral("model.dxf"), bytes, &error))
            std::abort();
        import = std::min(import, Seconds(t));
        perMb = static_cast<double>(HeapInUse() - before) / static_cast<double>(size);
        elements = doc->GetCurrentSection()->GetSlotsInUse();
        doc.reset();
    }
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["import_ms"] = import * 1e3;
    state.counters["read_ms"] = read * 1e3;
    state.counters["ratio"] = import / read;
    state.counters["elements"] = elements;
    state.counters["MB_per_MB"] = perMb;
}

BENCHMARK(BM_DxfImport)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
