// Reading the items of a standards package: a zip archive of many small
// files, visited last to first (as a list walked backwards) and first to
// last. Each step describes one item; the reader caches only the last one.
#include "support/ZipReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <minizip/zip.h>

#include <memory>

namespace {

// An archive of `items` stored files named "dir/item<n>.sif", or an empty
// path when it could not be written.
QString writeArchive(const QTemporaryDir& dir, int items)
{
    const QString path = dir.filePath(QStringLiteral("package%1.zip").arg(items));
    if (QFile::exists(path))
        return path;
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return QString();
    bool ok = true;
    for (int i = 0; i < items && ok; ++i) {
        const QByteArray name = "dir/item" + QByteArray::number(i) + ".sif";
        const QByteArray data = "part " + QByteArray::number(i);
        zip_fileinfo info{};
        ok = zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, 0, 0, 0) == ZIP_OK
             && zipWriteInFileInZip(zip, data.constData(), static_cast<unsigned>(data.size())) == ZIP_OK
             && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok ? path : QString();
}

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

void walk(benchmark::State& state, bool backwards)
{
    const int items = static_cast<int>(state.range(0));
    const QString path = writeArchive(folder(), items);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the archive");
        return;
    }
    for (auto _ : state) {
        ZipHandle* handle = ZipReader::OpenFile(path);
        ZipEntry entry;
        for (int step = 0; step < items; ++step) {
            if (ZipReader::GetItem(handle, backwards ? items - 1 - step : step, entry) != ZipOk) {
                state.SkipWithError("an item could not be read");
                break;
            }
            benchmark::DoNotOptimize(entry.name);
        }
        (void)ZipReader::Close(handle); // opened above: cannot fail
    }
    state.SetItemsProcessed(state.iterations() * items);
}

void BM_ZipItemsBackwards(benchmark::State& state)
{
    walk(state, true);
}

void BM_ZipItemsForwards(benchmark::State& state)
{
    walk(state, false);
}

} // namespace

BENCHMARK(BM_ZipItemsBackwards)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZipItemsForwards)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
