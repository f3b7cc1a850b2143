#include "app/MainWindow.h"

#include <QCoreApplication>

namespace app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("MorvekXP - %1").arg(QCoreApplication::applicationVersion()));
    resize(1024, 720);
}

} // namespace app
