#include "shell/ToolbarEditorTree.h"

#include "shell/ToolbarButtons.h"
#include "shell/ToolbarDragItem.h"

namespace shell {
namespace {

void AddEntries(const std::vector<BuiltMenuItem>& items, std::vector<EditorTreeEntry>& into)
{
    for (const BuiltMenuItem& item : items) {
        if (item.kind == BuiltMenuItem::Kind::Separator)
            continue;
        const QString text = EditorTreeText(item.label);
        if (text.isEmpty())
            continue;
        EditorTreeEntry entry{text, 0, {}};
        if (item.kind == BuiltMenuItem::Kind::Popup)
            AddEntries(item.children, entry.children);
        else
            entry.data = item.id;
        into.push_back(std::move(entry));
    }
}

} // namespace

QString EditorTreeText(const QString& menuText)
{
    QString text = menuText;
    if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0)
        text.truncate(tab);
    return text.remove(QLatin1Char('&'));
}

std::vector<EditorTreeEntry> EditorTree(const std::vector<BuiltMenuItem>& menuBar)
{
    std::vector<EditorTreeEntry> tree{{QStringLiteral("Separator"), kSeparatorId, {}}};
    AddEntries(menuBar, tree);
    return tree;
}

std::optional<QByteArray> EditorDragPayload(int data)
{
    if (data == 0)
        return std::nullopt;
    return ToolbarDragItem{data, 0}.Serialize();
}

} // namespace shell
