#pragma once
// The rows of the Keyboard Shortcuts dialog's tree: two groups and the
// commands under them, each bound to one key-binding slot of the options.
#include <QString>

#include <array>
#include <cstdint>

#include "options/KeyBinding.h"

struct HotKeyCommand {
    int level = 0;         // 0 a group, 1 a command (also the tree image)
    int captionId = 0;     // text id of the caption in the tree
    int descriptionId = 0; // text id of the explanation of the selected row
    int parentIndex = 0;   // table index of the row's group, -1 for a group
    std::uintptr_t treeItem = 0; // the dialog's tree item, 0 until it builds its tree
    KeyBinding binding;
    QString valueName;     // the "Keyboard" registry value of the command
};

constexpr int kHotKeyCommandCount = 15;
using HotKeyCommandTable = std::array<HotKeyCommand, kHotKeyCommandCount>;

// Writes the dialog's rows into the table (the dialog does this each time it
// is constructed): groups "Show" and "Definition", then the commands in the
// tree's order with their value names; tree items and bindings are zero.
void FillHotKeyCommands(HotKeyCommandTable& table);
