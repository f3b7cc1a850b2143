#pragma once
// The program's main window. Empty for now: the frame with its menus,
// toolbars and document views is added on top of it.
#include <QMainWindow>

namespace app {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace app
