#pragma once
// What the hot-key dialog does, without its widgets: the tree's rows (the
// groups and the point-definition commands of HotKeyCommand.h), the key
// list of its combo box, the binding shown for the selected command and the
// 8-byte "Keyboard" records that Set and Delete write at once.
#include "options/HotKeyCommand.h"

#include <QString>

#include <span>

class COptions;

namespace dlg {

struct KeyListEntry {
    const char16_t* name;
    int virtualKey;
};

// The combo box's 60 entries in their order: "None", F1 to F12, ESC, HOME,
// END, Ins, Del, Enter, Tab, Space, Num 0 to Num 9, the four arrows and
// the letters A to Y (Z is not offered).
std::span<const KeyListEntry> KeyList();
// The entry whose code is exactly the key's; -1 when the list has none.
int KeyListIndex(int virtualKey);

class KeySettings {
public:
    explicit KeySettings(const COptions& options);

    const HotKeyCommandTable& Commands() const { return commands_; }

    // Selects a row of the tree: the description follows it; for a
    // command the controls show its stored binding, or, where the user has
    // none of their own, the factory binding the options hold for it
    // (None when there is none). A code the list does not hold leaves the
    // key as it was.
    void Select(int row);
    int Selected() const { return selected_; }
    int DescriptionId() const;
    // Set and Delete work on a command only: a group has no record of its
    // own (its nameless value is where "End point" is stored).
    bool CanEdit() const;
    // True while the shown binding is the factory's (the user stored none).
    bool ShowsFactoryBinding() const { return factory_; }

    // The controls' state.
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    int keyIndex = 0; // into KeyList()

    // The record of the controls as Set writes it.
    KeyBinding Binding() const;
    // Writes the controls' binding as the selected command's record; false
    // when a group is selected or the record could not be written.
    [[nodiscard]] bool Set();
    // Stores "None" for the selected command (so no factory binding applies
    // to it any more) and shows it; false as for Set.
    [[nodiscard]] bool Delete();
    // True once Set or Delete wrote a record: the options must read the
    // bindings again, however the dialog closes.
    bool Written() const { return written_; }

private:
    [[nodiscard]] bool Write(const KeyBinding& binding);
    int SlotOf(int row) const;

    const COptions& options_;
    HotKeyCommandTable commands_;
    int selected_ = -1;
    bool factory_ = false;
    bool written_ = false;
};

} // namespace dlg
