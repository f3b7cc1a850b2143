// Reading a large text file of coordinates, as the exchange readers will:
// 50 MB of lines with two numbers each, generated once into a temporary
// folder. Reading the bytes alone is the yardstick; the line views with
// in-place number parsing are measured against it, and the string-per-line
// reader for comparison. "held_MB" is the memory the read text occupies.
#include "platform/CFormat.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr qint64 kFileBytes = 50'000'000;

const QString& coordinateFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + QStringLiteral("/coordinates.txt");
        QByteArray bytes;
        bytes.reserve(kFileBytes + 64);
        unsigned seed = 12345;
        char line[64];
        while (bytes.size() < kFileBytes) {
            seed = seed * 1103515245u + 12345u;
            const int x = static_cast<int>(seed % 2000000) - 1000000;
            seed = seed * 1103515245u + 12345u;
            const int y = static_cast<int>(seed % 2000000) - 1000000;
            // Integer arithmetic keeps the process locale out of the data.
            const int n = std::snprintf(line, sizeof line, "%d.%03d %d.%03d\n", x / 1000, std::abs(x % 1000),
                                        y / 1000, std::abs(y % 1000));
            bytes.append(line, n);
        }
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
        return file;
    }();
    return path;
}

// The resident memory of the process in MB.
double residentMB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / 1e6;
}

void BM_ReadBytesRaw(benchmark::State& state)
{
    const QString& path = coordinateFile();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("no file");
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void BM_TextLinesParseNumbers(benchmark::State& state)
{
    const QString& path = coordinateFile();
    double held = 0.0;
    for (auto _ : state) {
        const double before = residentMB();
        platform::TextLines text;
        if (!text.read(path))
            state.SkipWithError("no file");
        held = std::max(held, residentMB() - before);
        double sum = 0.0;
        for (QStringView line : text) {
            double value = 0.0;
            qsizetype at = 0;
            while (const qsizetype n = platform::readLeadingDouble(line.sliced(at), value)) {
                sum += value;
                at += n;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["held_MB"] = held;
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void BM_ReadTextLinesStringPerLine(benchmark::State& state)
{
    const QString& path = coordinateFile();
    double held = 0.0;
    for (auto _ : state) {
        const double before = residentMB();
        QStringList lines;
        if (!platform::readTextLines(path, lines))
            state.SkipWithError("no file");
        held = std::max(held, residentMB() - before);
        double sum = 0.0;
        for (const QString& line : lines)
            for (const QString& number : line.split(QLatin1Char(' ')))
                sum += platform::wtof(number);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["held_MB"] = held;
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

} // namespace

BENCHMARK(BM_ReadBytesRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextLinesParseNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTextLinesStringPerLine)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
