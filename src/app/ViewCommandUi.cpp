#include "app/ViewCommandUi.h"

#include "app/MainWindow.h"
#include "dlg/CoordinateDialog.h"

#include <QInputDialog>
#include <QLabel>
#include <QMenu>

namespace app {
namespace {

MainWindow* MainOf(QWidget* view)
{
    return view ? qobject_cast<MainWindow*>(view->window()) : nullptr;
}

} // namespace

void ViewCommandUi::SetStatusText(const QString& text)
{
    if (MainWindow* main = MainOf(view_))
        main->MessageText()->setText(text.isEmpty() ? QStringLiteral("Ready") : text);
}

void ViewCommandUi::SetStateText(const QString& text)
{
    if (MainWindow* main = MainOf(view_))
        main->StateText()->setText(text);
}

void ViewCommandUi::SetPositionText(const QString& text)
{
    if (MainWindow* main = MainOf(view_))
        main->PositionText()->setText(text);
}

bool ViewCommandUi::AskValue(const QString& label, QString& value, bool)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(view_, QString(), label, QLineEdit::Normal, value, &ok);
    if (ok)
        value = typed;
    return ok;
}

bool ViewCommandUi::AskCoordinate(CoordinateEntry& entry)
{
    dlg::CCoordinate dialog(view_);
    dialog.SetTexts(entry.baseX, entry.baseY, entry.dX, entry.dY);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const dlg::CoordinateFields& f = dialog.Fields();
    entry = {f.Text(dlg::CoordinateFields::BaseX), f.Text(dlg::CoordinateFields::BaseY),
             f.Text(dlg::CoordinateFields::DeltaX), f.Text(dlg::CoordinateFields::DeltaY)};
    return true;
}

int ViewCommandUi::ShowContextMenu(const std::vector<ContextMenuItem>& items, platform::DevicePoint screen)
{
    QMenu menu(view_);
    for (const ContextMenuItem& item : items)
        menu.addAction(item.text)->setData(item.command);
    const QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
    return chosen ? chosen->data().toInt() : 0;
}

} // namespace app
