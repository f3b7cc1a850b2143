#include "app/MainWindow.h"

#include "gui/MenuBarBuilder.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>

namespace app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("MorvekXP - %1").arg(QCoreApplication::applicationVersion()));
    resize(1024, 720);
    connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
        if (action->data().isValid())
            emit commandChosen(action->data().toInt());
    });
}

void MainWindow::SetMenus(const std::vector<shell::BuiltMenuItem>& menus)
{
    gui::FillMenuBar(*menuBar(), menus);
}

} // namespace app
