#pragma once
// File > Print, Print Direct, Print Preview and Print Setup. A print asks
// the print set-up dialog first (Cancel prints nothing), then Print shows
// Qt's print dialog (a printer or a PDF file), Print Direct goes to the
// printer chosen last (or the default one), Print Preview shows Qt's
// preview, which runs the same page painting.
//
// Pages are painted straight onto the printer through the program's
// drawing device (gui::QtDevice with paper pens) by a painter of their
// own: the view's zoom and origin are never touched.
#include "platform/ScopedOverride.h"
#include "view/PrintLayout.h"

#include <functional>

class COptions;
class CMorvekDoc;
class QPrinter;
class QWidget;

namespace app {

class DocumentView;

enum class PrintKind { Dialog, Direct, Preview };

// The dialogs around a print. The program shows its own and Qt's; tests
// install answers.
class PrintAsker {
public:
    virtual ~PrintAsker() = default;
    // The print set-up dialog; false on Cancel (it then stores nothing).
    virtual bool Setup(QWidget* parent, COptions& options) = 0;
    // Qt's print dialog; false on Cancel.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Qt's preview, which calls paint for every rendering it needs.
    virtual void Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
    // Qt's page set-up dialog (File > Print Setup).
    virtual void PageSetup(QWidget* parent, QPrinter& printer) = 0;
};

platform::ScopedOverride<PrintAsker*> InstallPrintAsker(PrintAsker& asker);

// A 1:1 print of more pages than this asks before it starts.
constexpr int kPagesAskedFor = 50;

PrintSettings CurrentPrintSettings(const COptions& options);

// The view's part of a print: its mapping's mirror, its zoom, origin and
// client size (mode 3) and its display mode.
struct PrintedView {
    ViewTransform transform;
    int clientWidth = 0;
    int clientHeight = 0;
    int displayMode = 0;
};

// Paints the document's pages onto the printer (a printer, a PDF file or the
// preview's). A 1:1 print of more than kPagesAskedFor pages asks first (No
// prints nothing). When painting cannot start or a page cannot be set up,
// message 399 is shown. Returns the pages printed, 0 when none was.
int PaintPrint(QPrinter& printer, CMorvekDoc& doc, const PrintedView& view, const PrintSettings& settings);

// File > Print (kind Dialog), Print Direct and Print Preview in the view,
// on the printer given. True when pages were printed (for the preview:
// when it was shown).
bool PrintView(DocumentView& view, QPrinter& printer, PrintKind kind);

// File > Print Setup: printer, paper and orientation of the printer given.
void PrintSetup(QWidget* parent, QPrinter& printer);

} // namespace app
