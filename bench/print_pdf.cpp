// Printing a large layout: 100,000 rule segments (cut boxes of four lines
// in a grid) fitted on one A0 page (mode 2) of a PDF file at 600 dpi, the
// pages painted straight onto the printer. Counters: "peak_MB" the
// process's peak resident memory after the print, "drawing_MB" before it
// (the drawing with its display lists); printing must add little to it,
// as no page bitmap is made.
#include "app/PrintCommands.h"
#include "display/DisplayList.h"
#include "document/MorvekDoc.h"
#include "linetype/LinetypeTable.h"
#include "section/Section.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <string>

namespace {

// The process's peak resident set in megabytes (VmHWM).
double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0.0;
}

void BM_PrintA0Fitted(benchmark::State& state)
{
    LinetypeTable linetypes;
    linetypes.AddLinetype(1, LinetypeStyle::Solid, 1, platform::rgb(255, 255, 255));
    linetypes.SetCurrentTypeAndSubtypes(LinetypeKind::Standard, -1, -1);
    linetypes.SetCurrentData(0, 0, 0);
    linetypes.CreatePens();
    const auto linked = DisplayList::InstallLinetypeTable(linetypes);

    CMorvekDoc doc;
    Section& section = *doc.GetSection(0);
    const int boxes = static_cast<int>(state.range(0)) / 4;
    const int columns = static_cast<int>(std::ceil(std::sqrt(boxes * 1.4)));
    for (int b = 0; b < boxes; ++b) {
        const double x = (b % columns) * 10.0;
        const double y = (b / columns) * 12.0;
        (void)section.AddLine3(x, y, x + 8, y, true, 1);
        (void)section.AddLine3(x + 8, y, x + 8, y + 10, true, 1);
        (void)section.AddLine3(x + 8, y + 10, x, y + 10, true, 1);
        (void)section.AddLine3(x, y + 10, x, y, true, 1);
    }
    doc.RebuildAllDisplayLists();
    state.counters["drawing_MB"] = PeakMegabytes();

    QTemporaryDir dir;
    const PrintSettings settings{2, 10, true, true};
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("a0.pdf")));
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A0));
        const int pages = app::PaintPrint(printer, doc, app::PrintedView{}, settings);
        if (pages != 1)
            state.SkipWithError("the print failed");
    }
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["pdf_MB"] = QFile(dir.filePath(QStringLiteral("a0.pdf"))).size() / 1048576.0;
}

BENCHMARK(BM_PrintA0Fitted)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
