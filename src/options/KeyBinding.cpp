#include "options/KeyBinding.h"

#include "platform/BinaryStream.h"

#include <array>

QByteArray KeyBinding::ToBytes() const
{
    platform::BinaryWriter out;
    out.writeUInt8(ctrl);
    out.writeUInt8(shift);
    out.writeUInt8(alt);
    out.writeUInt8(padding);
    out.writeInt32(virtualKey);
    return out.take();
}

bool KeyBinding::FromBytes(const QByteArray& bytes)
{
    if (bytes.size() != kStoredSize)
        return false;
    platform::BinaryReader in(bytes);
    ctrl = in.readUInt8();
    shift = in.readUInt8();
    alt = in.readUInt8();
    padding = in.readUInt8();
    virtualKey = in.readInt32();
    return true;
}

QString KeyBindingName(int slot)
{
    static const std::array<const char*, KeyBindingSlotCount> names = {
        "SHOW_PAN",    "SHOW_POINT",   "DEF_FREEPOINT", "DEF_INDIRECT", "DEF_MID",
        "DEF_HORPROJ", "DEF_VERTPROJ", "DEF_TANGENT",   "DEF_INDLAST",  "DEF_LINECONT",
        "DEF_EXITFUNC", "",            "DEF_PERPEND",
    };
    if (slot < 0 || slot >= KeyBindingSlotCount)
        return QString();
    return QString::fromLatin1(names[static_cast<std::size_t>(slot)]);
}

KeyBinding FactoryKeyBinding(int slot)
{
    // Windows virtual-key codes, as the hot-key dialog's key list has them.
    constexpr std::int32_t kEscape = 27;
    constexpr std::int32_t kF2 = 113;
    struct Row {
        int slot;
        std::int32_t key;
    };
    static constexpr Row rows[] = {
        {DEF_FREEPOINT, kF2},    {DEF_INDIRECT, kF2 + 1}, {DEF_INDLAST, kF2 + 2},  {DEF_MID, kF2 + 3},
        {DEF_ENDPOINT, kF2 + 4}, {DEF_PERPEND, kF2 + 5},  {DEF_HORPROJ, kF2 + 6},  {DEF_VERTPROJ, kF2 + 7},
        {DEF_TANGENT, kF2 + 8},  {DEF_EXITFUNC, kEscape},
    };
    for (const Row& row : rows) {
        if (row.slot == slot)
            return KeyBinding{0, 0, 0, 0, row.key};
    }
    return KeyBinding{};
}
