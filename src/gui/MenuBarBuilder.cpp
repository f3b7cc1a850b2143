#include "gui/MenuBarBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace gui {
namespace {

void FillMenu(QMenu& menu, const std::vector<shell::BuiltMenuItem>& items)
{
    for (const auto& item : items) {
        switch (item.kind) {
        case shell::BuiltMenuItem::Kind::Command:
            menu.addAction(item.label)->setData(item.id);
            break;
        case shell::BuiltMenuItem::Kind::Popup:
            FillMenu(*menu.addMenu(item.label), item.children);
            break;
        case shell::BuiltMenuItem::Kind::Separator:
            menu.addSeparator();
            break;
        }
    }
}

} // namespace

void FillMenuBar(QMenuBar& bar, const std::vector<shell::BuiltMenuItem>& menus)
{
    // The popups of the old menus go with them.
    for (QAction* action : bar.actions()) {
        if (action->menu() && action->menu()->parent() == &bar)
            action->menu()->deleteLater();
    }
    bar.clear();
    for (const auto& item : menus) {
        if (item.kind == shell::BuiltMenuItem::Kind::Popup)
            FillMenu(*bar.addMenu(item.label), item.children);
        else if (item.kind == shell::BuiltMenuItem::Kind::Command)
            bar.addAction(item.label)->setData(item.id);
    }
}

} // namespace gui
