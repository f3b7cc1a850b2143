#pragma once
// The one table of commands: for every command id its name and tooltip
// texts, its toolbar picture, whether the application or the active drawing
// runs it, its keys, how it runs (a handler, a toggle with a check mark, or
// not available in this version), and whether the command catalogue lists
// it. The catalogue, the menus, the toolbars, the view's popup and the keys
// all read it; the handlers themselves live with the window that runs them.
#include "shell/CommandId.h"

#include <span>

namespace shell {

enum class CommandScope : unsigned char {
    Application, // runs with or without a drawing
    Document,    // runs in the active drawing; disabled while none is open
};

enum class CommandRun : unsigned char {
    Handler,      // runs its handler
    Toggle,       // runs its handler and shows a check mark
    NotAvailable, // disabled; its status text says it is not in this version
};

struct CommandRow {
    CommandId id;
    int nameId;    // LanguageTable id; 0: the menu's own label
    int tooltipId; // the name's id where there is no tooltip of its own
    int image;     // toolbar image strip index, -1: none
    CommandScope scope;
    CommandRun run;
    bool catalogued; // one of the command catalogue's rows
    const char* keys[2]; // QKeySequence portable text, null where none
};

// "Not available in this version."
inline constexpr int kTextNotAvailable = 900;

// Every row, in ascending id.
std::span<const CommandRow> CommandRows();
// The row of a command; an id of a counted range (user standards,
// exporters) finds its range's row. Null for an unknown id.
const CommandRow* FindCommand(int commandId);

} // namespace shell
