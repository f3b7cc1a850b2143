#include "app/AutoLayoutDriver.h"

#include "app/MorvekXPApp.h"
#include "app/PaperSizeTable.h"
#include "command/MeasureCommands.h"
#include "command/ViewInput.h"
#include "dlg/AutoInstanceDlg.h"
#include "dlg/CalcLayoutDlg.h"
#include "document/MorvekDoc.h"


namespace app {

namespace {

dlg::PaperSizes PapersOf(PaperSizeTable& table)
{
    return {table.Sizes(), [&table](const std::pair<double, double>& size) { return table.Name(size); }};
}

} // namespace

bool AutoLayoutDriver::Run(int pickCode, double dx, double dy)
{
    CMorvekDoc* doc = input_.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!section)
        return false;
    dlg::AutoLayoutParams params = dlg::LayerParams(*section);
    dlg::AddPickedDistance(params, pickCode, dx, dy);
    // The layout is shown before the dialog opens.
    bool changed = dlg::ApplyLayout(*section, params);
    repaint_();
    const int result = show_(params);
    if (result != kCancel)
        changed = dlg::ApplyLayout(*section, params) || changed;
    if (changed)
        doc->MarkChangedWithoutUndo();
    repaint_();
    if (!dlg::IsPickCode(result))
        return false;
    measurecommands::StartLayoutDistancePick(input_, [this, result](double pickedX, double pickedY) {
        // The pick ends with its hand-over, unless the dialog asked for
        // another one.
        if (!Run(result, pickedX, pickedY))
            input_.CancelCommand();
    });
    return true;
}

PaperSizeTable& PaperSizesOrFallback(PaperSizeTable& fallback)
{
    if (CMorvekXPApp* application = CMorvekXPApp::Current())
        return application->GetPaperSizes();
    if (fallback.Sizes().empty())
        fallback.InitPaperSizes();
    return fallback;
}

int ShowAutoLayoutDialog(QWidget* parent, CMorvekDoc& doc, PaperSizeTable& papers, dlg::AutoLayoutParams& params)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return AutoLayoutDriver::kCancel;
    dlg::CAutoInstanceDlg dialog(parent, *doc.GetLayoutStore(), *doc.GetLayoutCounter(), *section, PapersOf(papers));
    dialog.SetParams(params);
    const int result = dialog.exec();
    if (result == QDialog::Rejected)
        return AutoLayoutDriver::kCancel;
    params = dialog.GetParams();
    return dlg::IsPickCode(result) ? result : AutoLayoutDriver::kOk;
}

void RunLayoutOptimisation(QWidget* parent, CMorvekDoc& doc, PaperSizeTable& papers)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return;
    dlg::CalcLayout dialog(parent, *doc.GetLayoutStore(), *section, PapersOf(papers));
    (void)dialog.exec(); // the chosen result is for the automatic layout dialog only
}

} // namespace app
