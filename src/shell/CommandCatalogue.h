#pragma once
// The commands that can stand on a toolbar or be named in a menu (the
// catalogued rows of shell::CommandTable): the language text that names
// each and its picture in the toolbar image strip, and the language text of
// each menu category. It holds numbers only;
// callers look the texts up in the LanguageTable.
#include <QString>

#include <map>
#include <optional>

namespace shell {

struct CommandEntry {
    int nameId = 0;      // LanguageTable id
    int imageIndex = -1; // index into the toolbar image strip, -1: no picture
};

class CommandCatalogue {
public:
    using Commands = std::map<int, CommandEntry>;

    // Fills both tables; the application does it once, at construction.
    void Build();

    // The command's picture; -1 for a command without one, 0 for an id the
    // catalogue does not know (0 is also File > Close's picture: use Find to
    // tell a missing command).
    int GetImage(int commandId) const;
    // The command's name text id; 0 when the id is not catalogued.
    int GetNameId(int commandId) const;
    // The name text id of the category of exactly that name (letter case
    // counts); 0 when there is none.
    int GetCategoryNameId(const QString& name) const;

    std::optional<CommandEntry> Find(int commandId) const;
    bool Contains(int commandId) const { return commands_.count(commandId) != 0; }
    // Every command in ascending id.
    const Commands& GetCommands() const { return commands_; }

private:
    Commands commands_;
    std::map<QString, int> categories_;
};

} // namespace shell
