#include "app/ViewCommandUi.h"

#include "app/MainWindow.h"
#include "dlg/CoordinateDialog.h"
#include "dlg/OneValue.h"

#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace app {
namespace {

// One of the main window's text fields; none while the view has no main
// window or the bars are not built yet.
template <typename Getter>
QLabel* LabelOf(QWidget* view, Getter field)
{
    MainWindow* main = view ? qobject_cast<MainWindow*>(view->window()) : nullptr;
    return main ? (main->*field)() : nullptr;
}

} // namespace

void ViewCommandUi::SetStatusText(const QString& text)
{
    if (QLabel* label = LabelOf(view_, &MainWindow::MessageText))
        label->setText(text.isEmpty() ? QStringLiteral("Ready") : text);
}

void ViewCommandUi::SetStateText(const QString& text)
{
    if (QLabel* label = LabelOf(view_, &MainWindow::StateText))
        label->setText(text);
}

void ViewCommandUi::SetPositionText(const QString& text)
{
    if (QLabel* label = LabelOf(view_, &MainWindow::PositionText))
        label->setText(text);
}

bool ViewCommandUi::AskValue(const QString& label, QString& value, bool validate)
{
    const std::optional<QString> typed = dlg::AskOneValue({label, value, !validate});
    if (typed)
        value = *typed;
    return typed.has_value();
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
    // The items are the window's actions of their commands (a command not
    // available shows disabled, with its status text); the chosen one goes
    // back to the view's input rules.
    MainWindow* main = view_ ? qobject_cast<MainWindow*>(view_->window()) : nullptr;
    if (main)
        main->RefreshActions();
    QMenu menu(view_);
    for (const ContextMenuItem& item : items) {
        QAction* action = main ? main->CommandAction(item.command) : nullptr;
        if (!action) {
            action = new QAction(&menu);
            action->setData(item.command);
        }
        action->setText(item.text);
        menu.addAction(action);
    }
    if (main) {
        menu.setStyle(main->MenuSkin());
        main->SetPopupOpen(true);
        QObject::connect(&menu, &QMenu::hovered, main, [main](QAction* action) {
            main->statusBar()->showMessage(action->statusTip());
        });
    }
    const QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
    if (main)
        main->SetPopupOpen(false);
    return chosen ? chosen->data().toInt() : 0;
}

} // namespace app
