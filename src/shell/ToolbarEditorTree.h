#pragma once
// The toolbar editor's tree, from the menu bar as it is shown: first the
// "Separator" entry, then one entry per menu item with a label, nested as
// the menus are. What a drag of an entry carries comes from its data.
#include "shell/MenuTree.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace shell {

struct EditorTreeEntry {
    QString text;
    int data = 0; // -1 the separator, 0 a popup, else the command id
    std::vector<EditorTreeEntry> children;
};

// A menu label as the tree shows it: every '&' removed, the shortcut after
// a tab cut off ("&Open...\tCtrl+O" gives "Open...").
QString EditorTreeText(const QString& menuText);

// The tree of a menu bar: "Separator" first, then the items; items left
// without text (separators) are left out.
std::vector<EditorTreeEntry> EditorTree(const std::vector<BuiltMenuItem>& menuBar);

// The drag record an entry's data offers: (data, 0) for a command or the
// separator, nothing for a popup.
std::optional<QByteArray> EditorDragPayload(int data);

} // namespace shell
