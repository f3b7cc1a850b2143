#pragma once
// The main window's part of start-up: its menus, labelled through the
// command catalogue (the document menus with the enabled exporters and the
// user's standards), its bars, the line-type box set to the user's current
// line type, and showing it. The prompt needs a parent window before the
// options load, so the window exists from the start.
#include "app/StartupSequence.h"

class CMorvekXPApp;

namespace app {

class MainWindow;

// Fills the main window's line-type box with the line types the user draws
// with, keeping the chosen one, else the options' current line type.
void RefillLineTypeBar(MainWindow& window, CMorvekXPApp& morvek);
// Builds both menu sets again in the current language (the document menus
// with the enabled exporters and the user's standards) and relabels every
// command: after start-up, and when the language has changed.
void BuildMenus(MainWindow& window, CMorvekXPApp& morvek);

class WindowSteps : public StartupServices {
public:
    WindowSteps(MainWindow& window, CMorvekXPApp& morvek) : window_(window), morvek_(morvek) {}
    bool Perform(StartupStep step) override;

private:
    void CreateMainWindow();

    MainWindow& window_;
    CMorvekXPApp& morvek_;
};

} // namespace app
