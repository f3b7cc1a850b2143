#pragma once
// The program's main window: its menus so far; the toolbars, bars and
// document views are added on top of it.
#include "shell/MenuTree.h"

#include <QMainWindow>

#include <vector>

namespace app {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Replaces the menu bar with the built menus.
    void SetMenus(const std::vector<shell::BuiltMenuItem>& menus);

signals:
    // A menu command was chosen.
    void commandChosen(int commandId);
};

} // namespace app
