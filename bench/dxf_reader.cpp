// Reading a 50 MB DXF file's blocks (lines, polyline vertices and arcs with
// their layers), and one whose geometry is in model space (lines,
// lightweight polylines with bulges, arcs, circles), each generated once
// into a temporary folder, against reading its bytes alone and against
// reading, decoding and walking its lines (the reader's former way). The
// model-space run reports the process's peak resident size, which the
// reader's records make up beside the file's bytes.
#include "exchange/dxf/DxfReader.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr qint64 kFileBytes = 50'000'000;

// A coordinate with three decimals from integer arithmetic: the process
// locale stays out of the data.
int Coordinate(char* out, unsigned& seed)
{
    seed = seed * 1103515245u + 12345u;
    const int v = static_cast<int>(seed % 2000000) - 1000000;
    return std::snprintf(out, 32, "%s%d.%03d", v < 0 ? "-" : "", std::abs(v) / 1000, std::abs(v) % 1000);
}

// Group code and value pairs appended to the bytes, coordinates from the
// seeded sequence.
struct PairWriter {
    QByteArray& bytes;
    unsigned seed = 4711;
    char number[32] = {};

    void pair(const char* code, const char* value)
    {
        bytes += code;
        bytes += "\r\n";
        bytes += value;
        bytes += "\r\n";
    }
    void coordinate(const char* code)
    {
        Coordinate(number, seed);
        pair(code, number);
    }
    // A LINE on "INK" or "CUT" between two random points.
    void line(int i)
    {
        pair("  0", "LINE");
        pair("  8", i % 3 == 0 ? "INK" : "CUT");
        coordinate(" 10");
        coordinate(" 20");
        coordinate(" 11");
        coordinate(" 21");
    }
};

const QString& dxfFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + QStringLiteral("/blocks.dxf");
        QByteArray bytes;
        bytes.reserve(kFileBytes + 4096);
        bytes += "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n"
                 "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n";
        PairWriter w{bytes};
        auto pair = [&](const char* code, const char* value) { w.pair(code, value); };
        auto coordinate = [&](const char* code) { w.coordinate(code); };
        int block = 0;
        while (bytes.size() < kFileBytes) {
            const QByteArray name = "BOX" + QByteArray::number(block++);
            pair("  0", "BLOCK");
            pair("  8", "0");
            pair("  2", name.constData());
            pair(" 10", "0.0");
            pair(" 20", "0.0");
            for (int i = 0; i < 2000; ++i)
                w.line(i);
            pair("  0", "POLYLINE");
            pair("  8", "CUT");
            pair(" 66", "1");
            pair(" 70", "1");
            for (int i = 0; i < 1000; ++i) {
                pair("  0", "VERTEX");
                pair("  8", "CUT");
                coordinate(" 10");
                coordinate(" 20");
            }
            pair("  0", "SEQEND");
            for (int i = 0; i < 500; ++i) {
                pair("  0", "ARC");
                pair("  8", "CUT");
                coordinate(" 10");
                coordinate(" 20");
                pair(" 40", "12.5");
                pair(" 50", "15.0");
                pair(" 51", "275.5");
            }
            pair("  0", "ENDBLK");
        }
        bytes += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
        return file;
    }();
    return path;
}

// The same size of drawing in model space, as CAD programs write it.
const QString& modelSpaceFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + QStringLiteral("/model.dxf");
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return file;
        QByteArray bytes;
        bytes.reserve(1 << 20);
        qint64 written = 0;
        auto flush = [&] {
            written += bytes.size();
            out.write(bytes);
            bytes.clear();
        };
        bytes += "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$INSUNITS\r\n 70\r\n4\r\n  0\r\nENDSEC\r\n"
                 "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
        PairWriter w{bytes};
        auto pair = [&](const char* code, const char* value) { w.pair(code, value); };
        auto coordinate = [&](const char* code) { w.coordinate(code); };
        while (written + bytes.size() < kFileBytes) {
            for (int i = 0; i < 200; ++i)
                w.line(i);
            pair("  0", "LWPOLYLINE");
            pair("  8", "CUT");
            pair(" 90", "100");
            pair(" 70", "1");
            for (int i = 0; i < 100; ++i) {
                coordinate(" 10");
                coordinate(" 20");
                if (i % 4 == 0)
                    pair(" 42", "0.414213562");
            }
            for (int i = 0; i < 50; ++i) {
                pair("  0", i % 2 ? "ARC" : "CIRCLE");
                pair("  8", "CUT");
                coordinate(" 10");
                coordinate(" 20");
                pair(" 40", "12.5");
                if (i % 2) {
                    pair(" 50", "15.0");
                    pair(" 51", "275.5");
                }
            }
            if (bytes.size() > (1 << 20))
                flush();
        }
        bytes += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
        flush();
        return file;
    }();
    return path;
}

qint64 FileBytes()
{
    return QFile(dxfFile()).size();
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void ReadBytesRaw(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("no file");
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_ReadBytesRaw(benchmark::State& state)
{
    ReadBytesRaw(state, dxfFile());
}

void BM_ReadModelSpaceBytesRaw(benchmark::State& state)
{
    ReadBytesRaw(state, modelSpaceFile());
}

// The floor of any reader over decoded lines: the file read, decoded and
// walked line by line, nothing parsed.
void BM_DecodeAndWalkLines(benchmark::State& state)
{
    const QString& path = dxfFile();
    for (auto _ : state) {
        platform::TextLines text;
        if (!text.read(path))
            state.SkipWithError("no file");
        qsizetype lines = 0;
        for (QStringView line : text)
            lines += line.size() > 0;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * FileBytes());
}

// Reads the file with a reader of its own each time; counts what it kept.
template <class Count>
size_t ReadDxf(benchmark::State& state, const QString& path, Count count)
{
    size_t kept = 0;
    for (auto _ : state) {
        DxfReader reader;
        if (!reader.ReadFile(path))
            state.SkipWithError("not read");
        kept = count(reader);
        benchmark::DoNotOptimize(reader.Blocks().data());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    return kept;
}

void BM_DxfReadFile(benchmark::State& state)
{
    const size_t blocks = ReadDxf(state, dxfFile(), [](const DxfReader& r) { return r.Blocks().size(); });
    state.counters["blocks"] = static_cast<double>(blocks);
}

// The reader alone over model space: nothing is inserted into a layer.
void BM_DxfReadModelSpace(benchmark::State& state)
{
    const QString& path = modelSpaceFile();
    const size_t entities = ReadDxf(state, path, [](const DxfReader& r) {
        const DxfBlock& m = r.ModelSpace();
        return m.lines.size() + m.polylines.size() + m.arcs.size() + m.circles.size();
    });
    state.counters["entities"] = static_cast<double>(entities);
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

} // namespace

BENCHMARK(BM_ReadModelSpaceBytesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfReadModelSpace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeAndWalkLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfReadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
