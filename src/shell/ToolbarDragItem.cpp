#include "shell/ToolbarDragItem.h"

#include "platform/BinaryStream.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

namespace shell {
namespace {
constexpr qsizetype kPayloadSize = 8;
}

QByteArray ToolbarDragItem::Serialize() const
{
    platform::BinaryWriter out;
    out.writeInt32(commandId);
    out.writeInt32(buttonIndex);
    return out.take();
}

std::optional<ToolbarDragItem> ToolbarDragItem::Read(const QByteArray& payload, const CommandCatalogue& catalogue)
{
    if (payload.size() != kPayloadSize)
        return std::nullopt;
    platform::BinaryReader in(payload);
    ToolbarDragItem item;
    item.commandId = in.readInt32();
    item.buttonIndex = in.readInt32();
    if (!in.ok() || item.buttonIndex < 0)
        return std::nullopt;
    if (item.commandId != kSeparatorId && !catalogue.Contains(item.commandId))
        return std::nullopt;
    return item;
}

} // namespace shell
