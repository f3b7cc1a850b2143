// Start-up readers of profile files and of the registry stand-in at sizes a
// long-used installation reaches: a line-type file of many sections (the
// table asks eleven keys of each) and a standards list of many entries (two
// registry values each), loaded and saved.
#include "linetype/LinetypeTable.h"
#include "options/StandardsList.h"
#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A file as it is at start-up: written some time ago.
void writeOldFile(const QString& path, const QString& text)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    if (!platform::writeTextFile(path, text))
        return;
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        (void)file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
}

void BM_LinetypeFileLoad(benchmark::State& state)
{
    const int sections = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QString text;
    for (int i = 1; i <= sections; ++i)
        text += platform::cformat("[%d]\nname=Rule %d\ntype=standard\nstyle=solid\nwidth=%d\ncolor=0x%06X\n"
                                  "data_1=%.2f\n\n",
                                  i, i, i % 5, i * 97 % 0xFFFFFF, i * 0.25);
    writeOldFile(dir.path() + QStringLiteral("/Defaults/linetypes.ini"), text);
    for (auto _ : state) {
        LinetypeTable table;
        table.Load(dir.path());
        benchmark::DoNotOptimize(table.Find(sections));
    }
}

// The registry with a standards list of n entries.
void writeStandardsRegistry(const QString& path, int n)
{
    QString text = platform::cformat("[Standards]\nAMOUNT=%d\n\n[Standards_StdNames]\n", n);
    for (int i = 0; i < n; ++i)
        text += platform::cformat("std%d=Collection %d\n", i, i);
    text += QStringLiteral("\n[Standards_FileNames]\n");
    for (int i = 0; i < n; ++i)
        text += platform::cformat("std%d=/data/standards/collection%d.std\n", i, i);
    writeOldFile(path, text);
}

void BM_StandardsListLoad(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString registry = dir.path() + QStringLiteral("/registry.ini");
    writeStandardsRegistry(registry, n);
    platform::Registry::setFilePath(registry);
    for (auto _ : state) {
        StandardsList list;
        list.Load();
        benchmark::DoNotOptimize(list.Count());
    }
    platform::Registry::setFilePath(QString());
}

void BM_StandardsListSave(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString registry = dir.path() + QStringLiteral("/registry.ini");
    writeStandardsRegistry(registry, n);
    platform::Registry::setFilePath(registry);
    StandardsList list;
    list.Load();
    for (auto _ : state)
        list.Save();
    platform::Registry::setFilePath(QString());
}

} // namespace

BENCHMARK(BM_LinetypeFileLoad)->Arg(1000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardsListLoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardsListSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
