#pragma once
// The document menus as a tree, read once from the menu the window was built
// with, from which the menus are built again in the user's language with the
// exporter and user-standard items filled in.
//
// Building keeps menus tidy: a popup that receives no item is left out, and
// a separator never stands first, twice in a row or last.
#include "shell/CommandId.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace shell {

class CommandCatalogue;

// An item of the menu as the window was built with it. A popup has
// children; a separator has id 0.
struct MenuItemSource {
    int id = 0;
    QString text;
    bool popup = false;
    std::vector<MenuItemSource> children;
};

// An item of a built menu.
struct BuiltMenuItem {
    enum class Kind { Command, Popup, Separator };
    Kind kind = Kind::Command;
    int id = 0;
    QString label;
    std::vector<BuiltMenuItem> children;
};

inline constexpr int kExporterAnchorId = 433;      // "__DLL__" of the Output menu
inline constexpr int kStandardsAnchorId = 32974;   // "_DYNAMIC_" of Construct > Standard

struct MenuNode {
    enum class Kind { Command = 1, Popup = 2, Group = 3, Separator = 4 };
    Kind kind = Kind::Command;
    int id = -1;
    QString text;
    std::vector<std::unique_ptr<MenuNode>> children;
};

class MenuTree {
public:
    // Looks a language text up by id.
    using Translate = std::function<QString(int textId)>;

    // The tree of a menu bar's popups; the anchor items become groups.
    explicit MenuTree(const std::vector<MenuItemSource>& menuBar);

    // Refill the anchors: one command per name, ids counted from the first
    // id of the range, names beyond the range left out.
    void SetExporters(const std::vector<QString>& names);
    void SetStandards(const std::vector<QString>& names);

    // The menu bar built from the tree, labelled through the catalogue.
    std::vector<BuiltMenuItem> Build(const CommandCatalogue& catalogue, const Translate& translate) const;

    // A popup's label is its category's text (looked up with every '&'
    // removed), a command's its catalogued name; otherwise the menu's own.
    static QString Label(const MenuNode& node, const CommandCatalogue& catalogue, const Translate& translate);

    const MenuNode& Root() const { return root_; }

private:
    std::unique_ptr<MenuNode> FromSource(const MenuItemSource& item);
    static void FillAnchor(MenuNode* anchor, const std::vector<QString>& names, int first, int last);
    static void AppendChildren(const MenuNode& node, std::vector<BuiltMenuItem>& menu,
                               const CommandCatalogue& catalogue, const Translate& translate);
    static void BuildInto(const MenuNode& node, std::vector<BuiltMenuItem>& menu, const CommandCatalogue& catalogue,
                          const Translate& translate);

    MenuNode root_;
    MenuNode* standardsAnchor_ = nullptr;
    MenuNode* exportersAnchor_ = nullptr;
};

} // namespace shell
