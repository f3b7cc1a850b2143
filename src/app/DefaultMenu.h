#pragma once
// The menus of the main window while no document is open.
#include "shell/MenuTree.h"

#include <vector>

inline constexpr int kAboutCommand = 57664;
inline constexpr int kExitCommand = 57665;

std::vector<shell::MenuItemSource> DefaultMenu();
