// The options' hot-key bindings of the point-definition commands.
#include "options/Options.h"

#include "platform/Registry.h"

namespace {

// The point-definition keys in the order they are tested: a later match
// overrides an earlier one.
struct PointKey {
    int slot;
    int mode;
    int result;
};
constexpr PointKey kPointKeys[] = {
    {DEF_FREEPOINT, 0, 1}, {DEF_INDIRECT, 1, 1}, {DEF_INDLAST, 2, 1}, {DEF_MID, 2, 2},     {DEF_ENDPOINT, 3, 2},
    {DEF_HORPROJ, 6, 2},   {DEF_VERTPROJ, 5, 2}, {DEF_PERPEND, 4, 2}, {DEF_TANGENT, 7, 2},
};
constexpr int kExitResult = 3;
constexpr unsigned kAltFlag = 1u << 13; // the key message's context code

} // namespace

void COptions::LoadKeyboard()
{
    for (int slot = 0; slot < KeyBindingSlotCount; ++slot) {
        QByteArray bytes;
        if (platform::Registry::getBinary(QStringLiteral("Keyboard"), KeyBindingName(slot), bytes))
            keyBindings_[std::size_t(slot)].FromBytes(bytes);
    }
}

const KeyBinding& COptions::GetKeyBinding(int slot) const
{
    static const KeyBinding none;
    return slot >= 0 && slot < KeyBindingSlotCount ? keyBindings_[std::size_t(slot)] : none;
}

bool COptions::MatchKey(int virtualKey, unsigned keyFlags, int shift, int ctrl, int slot) const
{
    if (slot < 0 || slot >= KeyBindingSlotCount)
        return false;
    const KeyBinding& b = keyBindings_[std::size_t(slot)];
    const int alt = (keyFlags & kAltFlag) ? 1 : 0;
    return b.virtualKey == virtualKey && b.ctrl == ctrl && b.shift == shift && b.alt == alt;
}

int COptions::MatchPointKey(int virtualKey, unsigned keyFlags, int shift, int ctrl, int& mode) const
{
    int result = 0;
    for (const PointKey& key : kPointKeys) {
        if (MatchKey(virtualKey, keyFlags, shift, ctrl, key.slot)) {
            mode = key.mode;
            result = key.result;
        }
    }
    if (MatchKey(virtualKey, keyFlags, shift, ctrl, DEF_EXITFUNC))
        result = kExitResult;
    return result;
}
