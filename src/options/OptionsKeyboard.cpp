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

// The same key with the same modifiers (the padding byte is not part of it).
bool SameKey(const KeyBinding& a, const KeyBinding& b)
{
    return a.virtualKey == b.virtualKey && a.ctrl == b.ctrl && a.shift == b.shift && a.alt == b.alt;
}

} // namespace

void COptions::LoadKeyboard()
{
    std::array<bool, KeyBindingSlotCount> fromUser{};
    for (int slot = 0; slot < KeyBindingSlotCount; ++slot) {
        const auto i = std::size_t(slot);
        QByteArray bytes;
        fromUser[i] = platform::Registry::getBinary(QStringLiteral("Keyboard"), KeyBindingName(slot), bytes)
                      && keyBindings_[i].FromBytes(bytes);
        if (!fromUser[i] && factoryKeyLayer_)
            keyBindings_[i] = FactoryKeyBinding(slot);
        factoryKeyBinding_[i] = !fromUser[i] && factoryKeyLayer_;
    }
    // A key the user gave to one slot no longer serves the factory's.
    for (std::size_t i = 0; i < keyBindings_.size(); ++i) {
        if (!factoryKeyBinding_[i] || keyBindings_[i].virtualKey == 0)
            continue;
        for (std::size_t u = 0; u < keyBindings_.size(); ++u) {
            if (fromUser[u] && SameKey(keyBindings_[u], keyBindings_[i])) {
                keyBindings_[i] = KeyBinding{};
                factoryKeyBinding_[i] = false;
                break;
            }
        }
    }
}

void COptions::UseFactoryKeyBindings()
{
    factoryKeyLayer_ = true;
    LoadKeyboard();
}

bool COptions::IsFactoryKeyBinding(int slot) const
{
    return slot >= 0 && slot < KeyBindingSlotCount && factoryKeyBinding_[std::size_t(slot)];
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
