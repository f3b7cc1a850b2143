#include "shell/MenuTree.h"

#include "shell/CommandCatalogue.h"

namespace shell {

MenuTree::MenuTree(const std::vector<MenuItemSource>& menuBar)
{
    root_.kind = MenuNode::Kind::Popup;
    for (const MenuItemSource& item : menuBar)
        root_.children.push_back(FromSource(item));
}

std::unique_ptr<MenuNode> MenuTree::FromSource(const MenuItemSource& item)
{
    auto node = std::make_unique<MenuNode>();
    node->text = item.text;
    if (item.popup) {
        node->kind = MenuNode::Kind::Popup;
        for (const MenuItemSource& child : item.children)
            node->children.push_back(FromSource(child));
    } else if (item.id == 0) {
        node->kind = MenuNode::Kind::Separator;
    } else if (item.id == kExporterAnchorId || item.id == kStandardsAnchorId) {
        node->kind = MenuNode::Kind::Group;
        node->id = item.id;
        (item.id == kExporterAnchorId ? exportersAnchor_ : standardsAnchor_) = node.get();
    } else {
        node->kind = MenuNode::Kind::Command;
        node->id = item.id;
    }
    return node;
}

void MenuTree::FillAnchor(MenuNode* anchor, const std::vector<QString>& names, int first, int last)
{
    if (!anchor)
        return;
    anchor->children.clear();
    for (std::size_t i = 0; i < names.size() && first + static_cast<int>(i) <= last; ++i) {
        auto node = std::make_unique<MenuNode>();
        node->id = first + static_cast<int>(i);
        node->text = names[i];
        anchor->children.push_back(std::move(node));
    }
}

void MenuTree::SetExporters(const std::vector<QString>& names)
{
    FillAnchor(exportersAnchor_, names, kFirstExporterCommand, kLastExporterCommand);
}

void MenuTree::SetStandards(const std::vector<QString>& names)
{
    FillAnchor(standardsAnchor_, names, kFirstStandardCommand, kLastStandardCommand);
}

QString MenuTree::Label(const MenuNode& node, const CommandCatalogue& catalogue, const Translate& translate)
{
    int textId = 0;
    if (node.kind == MenuNode::Kind::Popup)
        textId = catalogue.GetCategoryNameId(QString(node.text).remove(QLatin1Char('&')));
    else if (node.kind == MenuNode::Kind::Command)
        textId = catalogue.GetNameId(node.id);
    return textId != 0 ? translate(textId) : node.text;
}

void MenuTree::AppendChildren(const MenuNode& node, std::vector<BuiltMenuItem>& menu,
                              const CommandCatalogue& catalogue, const Translate& translate)
{
    for (const auto& child : node.children) {
        switch (child->kind) {
        case MenuNode::Kind::Command:
            menu.push_back({BuiltMenuItem::Kind::Command, child->id, Label(*child, catalogue, translate), {}});
            break;
        case MenuNode::Kind::Popup: {
            BuiltMenuItem popup{BuiltMenuItem::Kind::Popup, -1, Label(*child, catalogue, translate), {}};
            BuildInto(*child, popup.children, catalogue, translate);
            if (!popup.children.empty())
                menu.push_back(std::move(popup));
            break;
        }
        case MenuNode::Kind::Group:
            // Only the end of a whole menu drops a last separator: one that
            // stands before a group must stay when items follow the group.
            AppendChildren(*child, menu, catalogue, translate);
            break;
        case MenuNode::Kind::Separator:
            if (!menu.empty() && menu.back().kind != BuiltMenuItem::Kind::Separator)
                menu.push_back({BuiltMenuItem::Kind::Separator, 0, QString(), {}});
            break;
        }
    }
}

void MenuTree::BuildInto(const MenuNode& node, std::vector<BuiltMenuItem>& menu, const CommandCatalogue& catalogue,
                         const Translate& translate)
{
    AppendChildren(node, menu, catalogue, translate);
    if (!menu.empty() && menu.back().kind == BuiltMenuItem::Kind::Separator)
        menu.pop_back();
}

std::vector<BuiltMenuItem> MenuTree::Build(const CommandCatalogue& catalogue, const Translate& translate) const
{
    std::vector<BuiltMenuItem> bar;
    BuildInto(root_, bar, catalogue, translate);
    return bar;
}

} // namespace shell
