// Opening tests/data/merge/too_many_nodes.n, 186 bytes that declare a node
// table of about four million empty slots: the time of one open, and the
// memory the process grew by (peak resident set) over the run.
#include "document/MorvekDoc.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

long PeakResidentKilobytes()
{
    rusage usage{};
    (void)getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void OpenTooManyNodes(benchmark::State& state)
{
    QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/tests/data/merge/too_many_nodes.n"));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("tests/data/merge/too_many_nodes.n is missing");
        return;
    }
    const QByteArray bytes = file.readAll();
    const long before = PeakResidentKilobytes();
    bool opened = false;
    for (auto _ : state) {
        CMorvekDoc doc;
        QString error;
        opened = doc.LoadFile(QStringLiteral("too_many_nodes.n"), bytes, &error);
        benchmark::DoNotOptimize(doc.GetSectionCount());
    }
    state.counters["opened"] = opened ? 1 : 0;
    state.counters["peak_growth_MB"] = static_cast<double>(PeakResidentKilobytes() - before) / 1024.0;
}
BENCHMARK(OpenTooManyNodes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
