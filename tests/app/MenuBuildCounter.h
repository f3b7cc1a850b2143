#pragma once
// Counts the menus a menu bar receives: one build adds each top menu once.
#include <QEvent>
#include <QObject>

namespace apptest {

struct MenuBuildCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        added += event->type() == QEvent::ActionAdded;
        return false;
    }
    int added = 0;
};

} // namespace apptest
