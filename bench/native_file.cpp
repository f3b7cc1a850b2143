// Opening, saving and closing a drawing file (.n) of 5,000, 50,000 and
// 500,000 elements against reading and writing its bytes, with the memory
// the open drawing holds per megabyte of file. The die is a layout of boxes
// (four cut lines sharing their corners, a crease hole), a fifth of the
// lines with two bridges by hand, written once into a temporary folder.
//
// Counters: "ratio" the time over the floor's (reading resp. writing the
// same bytes, measured in the same run), "cpu_ratio" the same in the
// thread's processor time (steadier on a busy machine), "MB_per_MB" the heap the open
// drawing holds over the file's size, "peak_MB_per_MB" the most heap the open
// took at once (the file's bytes included) over the file's size,
// "close_ratio" closing over opening, "element_bytes" sizeof(CElement).
//
// The heap is counted by wrapping the C allocator of this program: every
// allocation of Qt, the standard library and our code goes through it.
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "section/Section.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {

std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void Gained(void* p)
{
    if (p == nullptr)
        return;
    const std::size_t now = heapInUse.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    std::size_t high = heapPeak.load();
    while (now > high && !heapPeak.compare_exchange_weak(high, now)) {
    }
}

void Losing(void* p)
{
    if (p != nullptr)
        heapInUse.fetch_sub(malloc_usable_size(p));
}

} // namespace

extern "C" {

void* malloc(std::size_t n)
{
    void* p = __libc_malloc(n);
    Gained(p);
    return p;
}

void* calloc(std::size_t count, std::size_t n)
{
    void* p = __libc_calloc(count, n);
    Gained(p);
    return p;
}

void* realloc(void* old, std::size_t n)
{
    Losing(old);
    void* p = __libc_realloc(old, n);
    if (p == nullptr && old != nullptr && n != 0)
        Gained(old); // the old block stays
    Gained(p);
    return p;
}

void free(void* p)
{
    Losing(p);
    __libc_free(p);
}

void* memalign(std::size_t alignment, std::size_t n)
{
    void* p = __libc_memalign(alignment, n);
    Gained(p);
    return p;
}

void* aligned_alloc(std::size_t alignment, std::size_t n)
{
    return memalign(alignment, n);
}

int posix_memalign(void** out, std::size_t alignment, std::size_t n)
{
    void* p = memalign(alignment, n);
    if (p == nullptr)
        return ENOMEM;
    *out = p;
    return 0;
}

void* valloc(std::size_t n)
{
    return memalign(4096, n);
}

} // extern "C"

namespace {

using Clock = std::chrono::steady_clock;

double CpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The wall and processor time of the steps measured so far.
struct Span {
    double wall = 0.0;
    double cpu = 0.0;
};

struct Mark {
    Clock::time_point wall = Clock::now();
    double cpu = CpuNow();
};

void AddSince(Span& span, const Mark& since)
{
    span.cpu += CpuNow() - since.cpu;
    span.wall += std::chrono::duration<double>(Clock::now() - since.wall).count();
}

std::size_t HeapInUse()
{
    return heapInUse.load();
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
    Span open, read, close;
    double perMb = 0.0, peakPerMb = 0.0;
    qsizetype size = 0;
    for (auto _ : state) {
        Mark t;
        const QByteArray floor = ReadBytes(path);
        AddSince(read, t);
        size = floor.size();
        benchmark::DoNotOptimize(floor.constData());

        const std::size_t before = HeapInUse();
        heapPeak.store(before);
        t = Mark();
        auto doc = std::make_unique<CMorvekDoc>();
        if (!doc->OnOpenDocument(path))
            std::abort();
        AddSince(open, t);
        peakPerMb = static_cast<double>(heapPeak.load() - before) / static_cast<double>(size);
        perMb = static_cast<double>(HeapInUse() - before) / static_cast<double>(size);
        t = Mark();
        doc.reset();
        AddSince(close, t);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["open_ms"] = open.wall * 1e3 / n;
    state.counters["read_ms"] = read.wall * 1e3 / n;
    state.counters["close_ms"] = close.wall * 1e3 / n;
    state.counters["ratio"] = open.wall / read.wall;
    state.counters["cpu_ratio"] = open.cpu / read.cpu;
    state.counters["close_ratio"] = close.wall / open.wall;
    state.counters["MB_per_MB"] = perMb;
    state.counters["peak_MB_per_MB"] = peakPerMb;
    state.counters["element_bytes"] = static_cast<double>(sizeof(CElement));
}

void BM_Save(benchmark::State& state)
{
    const QString& path = DieFile(static_cast<int>(state.range(0)));
    CMorvekDoc doc;
    if (!doc.OnOpenDocument(path))
        std::abort();
    const QString copy = path.chopped(2) + QStringLiteral("_copy.n");
    Span save, write;
    for (auto _ : state) {
        Mark t;
        if (!doc.SaveCopyAs(copy))
            std::abort();
        AddSince(save, t);
        const QByteArray bytes = ReadBytes(path);
        t = Mark();
        {
            QSaveFile out(copy);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0 || !out.commit())
                std::abort();
        }
        AddSince(write, t);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["save_ms"] = save.wall * 1e3 / n;
    state.counters["write_ms"] = write.wall * 1e3 / n;
    state.counters["ratio"] = save.wall / write.wall;
    state.counters["cpu_ratio"] = save.cpu / write.cpu;
}

BENCHMARK(BM_Open)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Save)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
