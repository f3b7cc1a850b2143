#pragma once
// The menus of the main window: while no document is open, and while one is
// (with the exporter and user-standard anchors).
#include "shell/MenuTree.h"

#include <vector>

inline constexpr int kAboutCommand = 57664;
inline constexpr int kExitCommand = 57665;

inline constexpr int kNewCommand = 57600;
inline constexpr int kCloseCommand = 57602;
inline constexpr int kMainToolbar = 59392;
inline constexpr int kFirstUserToolbar = 346;

std::vector<shell::MenuItemSource> DefaultMenu();
std::vector<shell::MenuItemSource> DocumentMenu();
