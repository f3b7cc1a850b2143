#pragma once
// Puts built menus (shell::MenuTree::Build) on a menu bar: one action per
// command carrying its command id as data, a QMenu per popup, separators
// where the menus have them. What was on the bar before is removed.
//
// Given an action source, a command the source has an action for shows that
// shared action, labelled with the item's label; other items get an action
// of their own.
#include "shell/MenuTree.h"

#include <functional>
#include <vector>

class QAction;
class QMenu;

class QMenuBar;

namespace gui {

using MenuActionSource = std::function<QAction*(int commandId)>;

void FillMenuBar(QMenuBar& bar, const std::vector<shell::BuiltMenuItem>& menus,
                 const MenuActionSource& actionFor = {});

} // namespace gui
