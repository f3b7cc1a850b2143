#include "gui/MenuBarBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace gui {
namespace {

QAction* CommandAction(QWidget& owner, const shell::BuiltMenuItem& item, const MenuActionSource& actionFor)
{
    if (QAction* shared = actionFor ? actionFor(item.id) : nullptr) {
        shared->setText(item.label);
        owner.addAction(shared);
        return shared;
    }
    auto* action = new QAction(item.label, &owner);
    action->setData(item.id);
    owner.addAction(action);
    return action;
}

void FillMenu(QMenu& menu, const std::vector<shell::BuiltMenuItem>& items, const MenuActionSource& actionFor)
{
    for (const auto& item : items) {
        switch (item.kind) {
        case shell::BuiltMenuItem::Kind::Command:
            CommandAction(menu, item, actionFor);
            break;
        case shell::BuiltMenuItem::Kind::Popup:
            FillMenu(*menu.addMenu(item.label), item.children, actionFor);
            break;
        case shell::BuiltMenuItem::Kind::Separator:
            menu.addSeparator();
            break;
        }
    }
}

} // namespace

void FillMenuBar(QMenuBar& bar, const std::vector<shell::BuiltMenuItem>& menus, const MenuActionSource& actionFor)
{
    // The popups of the old menus go with them.
    for (QAction* action : bar.actions()) {
        if (action->menu() && action->menu()->parent() == &bar)
            action->menu()->deleteLater();
    }
    bar.clear();
    for (const auto& item : menus) {
        if (item.kind == shell::BuiltMenuItem::Kind::Popup)
            FillMenu(*bar.addMenu(item.label), item.children, actionFor);
        else if (item.kind == shell::BuiltMenuItem::Kind::Command)
            CommandAction(bar, item, actionFor);
    }
}

} // namespace gui
