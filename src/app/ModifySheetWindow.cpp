#include "app/ModifySheetWindow.h"

#include "dlg/ModifySheet.h"

#include <QWidget>

namespace app {

int ModifySheetWindow::ShowModifySheet(dlg::ModifyPages& pages, int kind, const QString& caption)
{
    int page = dlg::ModifySheet::kMovePage;
    if (kind == ModifyDriver::kKindRotate)
        page = dlg::ModifySheet::kRotatePage;
    else if (kind == ModifyDriver::kKindScale || kind == ModifyDriver::kKindMirror)
        page = dlg::ModifySheet::kScalePage;
    dlg::ModifySheet sheet(pages, doc_, page, caption, view_);
    // Accepted and Rejected are the driver's OK and Cancel; a page's
    // button ends the sheet with its own code.
    return sheet.exec();
}

void ModifySheetWindow::Repaint()
{
    if (view_)
        view_->update();
}

} // namespace app
