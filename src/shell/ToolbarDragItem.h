#pragma once
// The record that travels in a toolbar drag: the command id (-1 for a
// separator) and the button's position on the toolbar it came from (the
// toolbar editor sends 0). It travels as exactly eight bytes, two
// little-endian int32 in that order, under the MIME type below.
#include <QByteArray>
#include <QString>

#include <optional>

namespace shell {

class CommandCatalogue;

inline constexpr char kToolbarMimeType[] = "application/x-morvekxp-toolbar";

struct ToolbarDragItem {
    int commandId = 0;
    int buttonIndex = 0;

    QByteArray Serialize() const;
    // The item a drop carries, or nothing when the payload is not exactly
    // eight bytes, the index is negative, or the id is neither a separator nor
    // a catalogued command.
    static std::optional<ToolbarDragItem> Read(const QByteArray& payload, const CommandCatalogue& catalogue);
};

} // namespace shell
