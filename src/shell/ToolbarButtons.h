#pragma once
// The command ids of one toolbar's buttons, in button order, and the edits
// the toolbar makes to them: rebuilt from the text of the toolbar layout
// file and written back to it, and rearranged by dragging buttons while the
// toolbar editor is open. The toolbar widget mirrors this list one button per
// entry and does exactly the edit the list reports.
//
// Entries: a command id above 0 is a button, -1 a separator, 0 the
// placeholder that keeps an emptied toolbar in existence (it only ever
// stands first).
#include <QString>
#include <QStringView>

#include <vector>

namespace shell {

class CommandCatalogue;

inline constexpr int kSeparatorId = -1;
inline constexpr int kPlaceholderId = 0;

// What a button shows. Whether it is enabled is not part of it: that is the
// command's update state, whatever picture the command has.
struct ButtonFace {
    int commandId = 0;
    int imageIndex = -1; // -1: no picture (also for a command not catalogued)
    bool separator = false;
};

class ToolbarButtons {
public:
    void AddButton(int commandId) { ids_.push_back(commandId); }
    void AddSeparator() { ids_.push_back(kSeparatorId); }
    void RemoveAll() { ids_.clear(); }

    // Rebuilds the list from comma-separated decimal ids: above 0 a button
    // (known to the catalogue or not), -1 a separator, 0 the placeholder while
    // the list is still empty, anything else skipped. A token is read like
    // _wtoi (no digits reads 0); an empty last token is not applied.
    void SetButtonsFromText(QStringView text);
    // The ids joined by ","; "0" for an empty list.
    QString GetButtonsText() const;
    // No button, or only the placeholder first.
    bool IsEmpty() const { return ids_.empty() || ids_.front() == kPlaceholderId; }

    const std::vector<int>& Ids() const { return ids_; }
    int Count() const { return static_cast<int>(ids_.size()); }
    ButtonFace Face(int index, const CommandCatalogue& catalogue) const;

    // A button dragged within this toolbar from `from` to `to`. False, and
    // nothing changed, when the positions are equal or not both on the
    // toolbar, or the toolbar shows only the placeholder.
    [[nodiscard]] bool MoveButton(int from, int to);
    // A command (or separator) dropped from another toolbar or the editor at
    // `target` (the button under the drop, 0 where there is none). Returns
    // the position it now stands at. On a placeholder toolbar a command takes
    // the placeholder's place and a separator goes behind it.
    int CopyDropped(int commandId, int target);
    // The button at `index` was dragged off the toolbar. The placeholder is
    // never removed; removing the last real button puts the placeholder
    // first. False when nothing was removed.
    [[nodiscard]] bool RemoveDragged(int index);

private:
    void Apply(int value);

    std::vector<int> ids_;
};

} // namespace shell
