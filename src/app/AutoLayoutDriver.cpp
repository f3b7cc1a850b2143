#include "app/AutoLayoutDriver.h"

#include "app/MorvekXPApp.h"
#include "app/PaperSizeTable.h"
#include "command/CInputRequest.h"
#include "command/MeasureCommands.h"
#include "command/ViewInput.h"
#include "dlg/AutoInstanceDlg.h"
#include "dlg/CalcLayoutDlg.h"
#include "document/MorvekDoc.h"
#include "section/Section.h"

#include <vector>

namespace app {

namespace {

// The layer's placements, to tell whether a layout changed them.
std::vector<CInstance> Placements(const Section& section)
{
    std::vector<CInstance> placements;
    for (int i = 0; i < section.GetInstanceCount(); ++i)
        placements.push_back(section.GetInstance(i));
    return placements;
}

bool SamePlacements(const std::vector<CInstance>& a, const std::vector<CInstance>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const CInstance& p = a[i];
        const CInstance& q = b[i];
        if (p.identity != q.identity || p.dx != q.dx || p.dy != q.dy || p.angle != q.angle ||
            p.centreX != q.centreX || p.centreY != q.centreY)
            return false;
    }
    return true;
}

// The records laid out and the copies centred; a pair the layer refuses
// (counts out of range, values not finite) changes nothing.
void Apply(Section& section, const dlg::AutoLayoutParams& params)
{
    if (section.AddAutoInstances(params.x, params.y))
        (void)section.SetCenterOfInstances(); // false only without instances, and there is one
}

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
    const std::vector<CInstance> before = Placements(*section);
    dlg::AutoLayoutParams params{section->GetRows(), section->GetColumns()};
    dlg::AddPickedDistance(params, pickCode, dx, dy);
    // The layout is shown before the dialog opens.
    Apply(*section, params);
    repaint_();
    const int result = show_(params);
    if (result != kCancel)
        Apply(*section, params);
    if (!SamePlacements(before, Placements(*section)))
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
