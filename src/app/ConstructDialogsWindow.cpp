#include "app/ConstructDialogsWindow.h"

#include "dlg/ConstructDialogs.h"

#include <QWidget>

namespace app {

int ConstructDialogsWindow::ShowArcDialog(dlg::ArcInputs& inputs, CMorvekDoc& doc)
{
    dlg::CArcDlg dialog(inputs, doc, view_);
    return dialog.exec();
}

int ConstructDialogsWindow::ShowEllipseDialog(dlg::EllipseState& state, CMorvekDoc& doc)
{
    dlg::CAddEllipseDlg dialog(state, doc, view_);
    return dialog.exec();
}

int ConstructDialogsWindow::ShowDimensionDialog(dlg::DimensionState& state, CMorvekDoc& doc)
{
    dlg::CAddMeasureDlg dialog(state, doc, view_);
    return dialog.exec();
}

void ConstructDialogsWindow::Repaint()
{
    if (view_)
        view_->update();
}

} // namespace app
