#include "app/LayerCommands.h"

#include "app/ModifyDriver.h"
#include "display/DisplayList.h"
#include "dlg/LayerChoiceDlgs.h"
#include "dlg/LayerDlg.h"
#include "dlg/SelectionWizard.h"
#include "document/MorvekDoc.h"

namespace app {

void RunLayerDialog(QWidget* parent, CMorvekDoc& doc, const std::function<void()>& repaint)
{
    dlg::CLayerDlg dialog(parent, doc);
    QObject::connect(&dialog, &dlg::CLayerDlg::drawingChanged, &dialog, [&repaint] { repaint(); });
    if (dialog.exec() == QDialog::Accepted)
        doc.MarkChangedWithoutUndo();
    repaint();
}

bool RunCopyToLayer(QWidget* parent, CMorvekDoc& doc)
{
    dlg::CCopyToLayerDlg dialog(parent, doc);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Choice().Apply();
    return true;
}

void RunConvertNodes(QWidget* parent, CMorvekDoc& doc)
{
    dlg::CConvertNodesDlg dialog(parent);
    if (dialog.exec() == QDialog::Accepted)
        (void)dialog.Choice().Apply(doc); // neither option or no node changed: nothing to keep
}

void RunSelectionWizard(QWidget* parent, CMorvekDoc& doc, ModifyDriver& modify, int presetAction,
                        const std::function<void()>& repaint)
{
    using SC = dlg::SelectionCriteria;
    dlg::SelectionWizard wizard(parent, doc, DisplayList::GetLinetypeTable(), presetAction);
    QObject::connect(wizard.CriteriaPage(), &dlg::CSelectElementDlg::selectionChanged, &wizard,
                     [&repaint] { repaint(); });
    if (wizard.exec() != QDialog::Accepted)
        return;
    switch (wizard.ActionPage()->Action()) {
    case SC::Delete: (void)SC::DeleteSelected(doc); break; // nothing selected: nothing to undo
    case SC::Move: (void)modify.RunCommand(ModifyDriver::kCmdMove); break;   // one of its commands
    case SC::Copy: (void)modify.RunCommand(ModifyDriver::kCmdCopy); break;   // one of its commands
    case SC::CopyToLayer: (void)RunCopyToLayer(parent, doc); break;          // Cancel copies nothing
    default: break;
    }
    repaint();
}

} // namespace app
