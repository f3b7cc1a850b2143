#pragma once
// Which entry the line-type box of the main window selects when it is
// filled: the line type asked for when it is listed, else the user's stored
// current line type, else the first entry. Filling the box at start thus
// keeps the line type the user worked with last.
#include <QString>

#include <map>

namespace shell {

// Index into the entries (ascending line-type number) of the entry to
// select; -1 when there are none. `wanted` -1 asks for the stored one.
int ChooseLineTypeEntry(const std::map<int, QString>& entries, int wanted, int stored);

} // namespace shell
