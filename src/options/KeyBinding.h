#pragma once
// One hot-key binding of a point-definition command, and the 13 binding
// slots of the options object with their "Keyboard" registry value names.
#include <QByteArray>
#include <QString>

#include <cstdint>

struct KeyBinding {
    std::uint8_t ctrl = 0;   // 1 when Ctrl is part of the binding
    std::uint8_t shift = 0;
    std::uint8_t alt = 0;
    std::uint8_t padding = 0;
    std::int32_t virtualKey = 0; // a Windows virtual-key code; 0 binds nothing

    // The registry value: 8 bytes, little-endian, fields in this order.
    static constexpr int kStoredSize = 8;
    QByteArray ToBytes() const;
    // False, and the binding unchanged, unless bytes is exactly kStoredSize long.
    bool FromBytes(const QByteArray& bytes);

    friend bool operator==(const KeyBinding&, const KeyBinding&) = default;
};

enum KeyBindingSlot {
    SHOW_PAN = 0,
    SHOW_POINT = 1,
    DEF_FREEPOINT = 2,
    DEF_INDIRECT = 3,
    DEF_MID = 4,
    DEF_HORPROJ = 5,
    DEF_VERTPROJ = 6,
    DEF_TANGENT = 7,
    DEF_INDLAST = 8,
    DEF_LINECONT = 9,
    DEF_EXITFUNC = 10,
    DEF_ENDPOINT = 11, // stored under the "Keyboard" key's unnamed value
    DEF_PERPEND = 12,
    KeyBindingSlotCount = 13,
};

// The registry value name of a slot; the empty text for slot 11 and for any
// slot outside 0 to 12.
QString KeyBindingName(int slot);

// The binding a fresh profile has for the slot: the factory layer under the
// user's "Keyboard" values. F2 free point, F3 indirect point, F4 relative to
// the last point, F5 mid, F6 end point, F7 perpendicular, F8 horizontal and
// F9 vertical projection, F10 tangent, Esc exit function; no key for the
// display keys and the line-continuation slot (nothing matches those) and
// for any slot outside 0 to 12. None of these keys is a menu key.
KeyBinding FactoryKeyBinding(int slot);
