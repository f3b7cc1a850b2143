#include "app/PrintCommands.h"

#include "app/DocumentView.h"
#include "display/DrawContext.h"
#include "dlg/PrinterSetupDlg.h"
#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "view/ViewPainter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace app {

namespace {

constexpr int kTextCannotPrint = 399;
constexpr int kTextManyPages = 2700;
constexpr int kTextNoPrinter = 2701;

// A screen pixel is 1/96 inch: a one-pixel rule prints 0.26 mm wide.
constexpr double kScreenDpi = 96.0;

constinit platform::Current<PrintAsker*> g_asker{nullptr};

class DialogAsker : public PrintAsker {
public:
    bool Setup(QWidget* parent, COptions& options) override
    {
        dlg::CPrinterSetupDlg dialog(options, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    void Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override
    {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* target) { paint(*target); });
        dialog.exec();
    }
    void PageSetup(QWidget* parent, QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer, parent);
        dialog.exec();
    }
};

PrintAsker& Asker()
{
    static DialogAsker dialogs;
    PrintAsker* installed = g_asker.Get();
    return installed ? *installed : dialogs;
}

// Whether Print Direct has somewhere to print: a PDF file named, or a
// printer chosen or installed as the default.
bool HasTarget(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

void ShowCannotPrint()
{
    (void)platform::ask(Translate(kTextCannotPrint), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Warning);
}

} // namespace

platform::ScopedOverride<PrintAsker*> InstallPrintAsker(PrintAsker& asker)
{
    return g_asker.Override(&asker);
}

PrintSettings CurrentPrintSettings(const COptions& options)
{
    return {options.GetPrintMode(), options.GetPrintOverlap(), options.GetNamedInt("print_center_x", 0) != 0,
            options.GetNamedInt("print_center_y", 0) != 0};
}

int PaintPrint(QPrinter& printer, CMorvekDoc& doc, const PrintedView& view, const PrintSettings& settings)
{
    doc.RebuildAllDisplayLists();
    doc.SetDisplayMode(view.displayMode);

    const ViewMapping screen = view.transform.Mapping(DrawContext::GetMirrorFlags());
    ViewExtents extents;
    doc.GetExtents(extents.left, extents.top, extents.right, extents.bottom, true, true);
    const PrintArea area{printer.width(), printer.height(), printer.resolution() / 25.4};
    const PrintPlan plan =
        PlanPrint(settings, area, OrientExtents(extents, screen.mirrored, screen.yDown),
                  {view.clientWidth, view.clientHeight, view.transform.zoom, view.transform.origin});
    if (plan.tiled && plan.PageCount() > kPagesAskedFor) {
        const QString question = platform::cformat(Translate(kTextManyPages).toUtf8().constData(), plan.PageCount());
        if (platform::ask(question, QString(), platform::PromptButtons::YesNo, platform::PromptIcon::Question)
            != platform::PromptResult::Yes)
            return 0;
    }

    gui::QtDevice device(&printer);
    if (!device.isActive() || area.widthPx <= 0 || area.heightPx <= 0) {
        ShowCannotPrint();
        return 0;
    }
    device.setPaperPens(printer.resolution() / kScreenDpi);
    device.setBkMode(platform::BackgroundMode::Transparent);

    ViewPainter painter;
    painter.SetDocument(&doc);
    painter.SetDevices(&device, &device);
    painter.SetDisplayMode(view.displayMode);
    ViewMapping mapping = screen;
    mapping.scale = plan.scale;
    for (int page = 0; page < plan.PageCount(); ++page) {
        if (page > 0) {
            device.flush();
            if (!printer.newPage()) {
                ShowCannotPrint();
                return 0;
            }
        }
        mapping.origin = PageOrigin(plan, page);
        painter.SetMapping(mapping);
        painter.DrawSections();
        const std::vector<PrintStroke> marks = CornerMarks(plan, area, page);
        if (!marks.empty()) {
            device.selectPen(platform::Pen::black());
            for (const PrintStroke& stroke : marks) {
                device.moveTo(stroke.from);
                device.lineTo(stroke.to);
            }
            device.selectPen(platform::Pen::null());
        }
    }
    device.flush();
    return plan.PageCount();
}

bool PrintView(DocumentView& view, QPrinter& printer, PrintKind kind)
{
    COptions* options = COptions::Current();
    if (!options)
        return false;
    PrintAsker& asker = Asker();
    if (!asker.Setup(&view, *options))
        return false;

    const PrintedView printed{view.View().Transform(), view.width(), view.height(), view.View().DisplayMode()};
    CMorvekDoc& doc = view.Document();
    const PrintSettings settings = CurrentPrintSettings(*options);
    const auto paint = [&](QPrinter& target) { return PaintPrint(target, doc, printed, settings); };

    switch (kind) {
    case PrintKind::Preview: {
        asker.Preview(&view, printer, [&](QPrinter& target) { (void)paint(target); });
        return true;
    }
    case PrintKind::Direct:
        if (!HasTarget(printer)) {
            (void)platform::ask(Translate(kTextNoPrinter), QString(), platform::PromptButtons::Ok,
                                platform::PromptIcon::Warning);
            return false;
        }
        return paint(printer) > 0;
    case PrintKind::Dialog:
        if (!asker.ChoosePrinter(&view, printer))
            return false;
        return paint(printer) > 0;
    }
    return false;
}

void PrintSetup(QWidget* parent, QPrinter& printer)
{
    Asker().PageSetup(parent, printer);
}

} // namespace app
