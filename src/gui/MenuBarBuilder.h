#pragma once
// Puts built menus (shell::MenuTree::Build) on a menu bar: one action per
// command carrying its command id as data, a QMenu per popup, separators
// where the menus have them. What was on the bar before is removed.
#include "shell/MenuTree.h"

#include <vector>

class QMenuBar;

namespace gui {

void FillMenuBar(QMenuBar& bar, const std::vector<shell::BuiltMenuItem>& menus);

} // namespace gui
