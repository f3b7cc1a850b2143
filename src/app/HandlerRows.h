#pragma once
// The lookup both handler tables share (ApplicationCommands.cpp,
// DocumentCommands.cpp): a command's handler row by the command's table
// row, so that an id of a counted range finds its range's handler.
#include "shell/CommandTable.h"

#include <algorithm>
#include <iterator>

namespace app {

// Rows of {CommandId id; void (*run)(Target&, int); bool (*checked)(const Target&, int);}.
template <typename Row, std::size_t N>
const Row* FindHandlerRow(const Row (&rows)[N], int commandId)
{
    const shell::CommandRow* command = shell::FindCommand(commandId);
    if (!command)
        return nullptr;
    const auto* it = std::find_if(std::begin(rows), std::end(rows),
                                  [command](const Row& row) { return row.id == command->id; });
    return it == std::end(rows) ? nullptr : it;
}

// Runs the command's handler on the target; false when no row has one.
template <typename Row, std::size_t N, typename Target>
bool RunHandlerRow(const Row (&rows)[N], Target& target, int commandId)
{
    const Row* row = FindHandlerRow(rows, commandId);
    if (!row)
        return false;
    row->run(target, commandId);
    return true;
}

// The check mark a toggle's row gives; false for any other command.
template <typename Row, std::size_t N, typename Target>
bool HandlerRowChecked(const Row (&rows)[N], const Target& target, int commandId)
{
    const Row* row = FindHandlerRow(rows, commandId);
    return row && row->checked && row->checked(target, commandId);
}

} // namespace app
