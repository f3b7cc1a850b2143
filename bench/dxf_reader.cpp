// Reading a 50 MB DXF file's blocks (lines, polyline vertices and arcs with
// their layers), generated once into a temporary folder, against reading
// its bytes alone and against reading, decoding and walking its lines.
#include "exchange/dxf/DxfReader.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

const QString& dxfFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + QStringLiteral("/blocks.dxf");
        QByteArray bytes;
        bytes.reserve(kFileBytes + 4096);
        bytes += "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n"
                 "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n";
        unsigned seed = 4711;
        char number[32];
        auto pair = [&](const char* code, const char* value) {
            bytes += code;
            bytes += "\r\n";
            bytes += value;
            bytes += "\r\n";
        };
        auto coordinate = [&](const char* code) {
            Coordinate(number, seed);
            pair(code, number);
        };
        int block = 0;
        while (bytes.size() < kFileBytes) {
            const QByteArray name = "BOX" + QByteArray::number(block++);
            pair("  0", "BLOCK");
            pair("  8", "0");
            pair("  2", name.constData());
            pair(" 10", "0.0");
            pair(" 20", "0.0");
            for (int i = 0; i < 2000; ++i) {
                pair("  0", "LINE");
                pair("  8", i % 3 == 0 ? "INK" : "CUT");
                coordinate(" 10");
                coordinate(" 20");
                coordinate(" 11");
                coordinate(" 21");
            }
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

qint64 FileBytes()
{
    return QFile(dxfFile()).size();
}

void BM_ReadBytesRaw(benchmark::State& state)
{
    const QString& path = dxfFile();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("no file");
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * FileBytes());
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

void BM_DxfReadFile(benchmark::State& state)
{
    const QString& path = dxfFile();
    size_t blocks = 0;
    for (auto _ : state) {
        DxfReader reader;
        if (!reader.ReadFile(path))
            state.SkipWithError("not read");
        blocks = reader.Blocks().size();
        benchmark::DoNotOptimize(reader.Blocks().data());
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(state.iterations() * FileBytes());
}

} // namespace

BENCHMARK(BM_ReadBytesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeAndWalkLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfReadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
