#include "dlg/KeySettings.h"

#include "options/Options.h"
#include "platform/Registry.h"

#include <array>

namespace dlg {
namespace {

const QString kKeyboard = QStringLiteral("Keyboard");

constexpr std::array<KeyListEntry, 60> kKeys = {{
    {u"None", 0},    {u"F1", 112},    {u"F2", 113},    {u"F3", 114},    {u"F4", 115},    {u"F5", 116},
    {u"F6", 117},    {u"F7", 118},    {u"F8", 119},    {u"F9", 120},    {u"F10", 121},   {u"F11", 122},
    {u"F12", 123},   {u"ESC", 27},    {u"HOME", 36},   {u"END", 35},    {u"Ins", 45},    {u"Del", 46},
    {u"Enter", 13},  {u"Tab", 9},     {u"Space", 32},  {u"Num 0", 96},  {u"Num 1", 97},  {u"Num 2", 98},
    {u"Num 3", 99},  {u"Num 4", 100}, {u"Num 5", 101}, {u"Num 6", 102}, {u"Num 7", 103}, {u"Num 8", 104},
    {u"Num 9", 105}, {u"Left", 37},   {u"Right", 39},  {u"Up", 38},     {u"Down", 40},   {u"A", 65},
    {u"B", 66},      {u"C", 67},      {u"D", 68},      {u"E", 69},      {u"F", 70},      {u"G", 71},
    {u"H", 72},      {u"I", 73},      {u"J", 74},      {u"K", 75},      {u"L", 76},      {u"M", 77},
    {u"N", 78},      {u"O", 79},      {u"P", 80},      {u"Q", 81},      {u"R", 82},      {u"S", 83},
    {u"T", 84},      {u"U", 85},      {u"V", 86},      {u"W", 87},      {u"X", 88},      {u"Y", 89},
}};

} // namespace

std::span<const KeyListEntry> KeyList()
{
    return kKeys;
}

int KeyListIndex(int virtualKey)
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].virtualKey == virtualKey)
            return static_cast<int>(i);
    return -1;
}

KeySettings::KeySettings(const COptions& options) : options_(options)
{
    FillHotKeyCommands(commands_);
}

int KeySettings::SlotOf(int row) const
{
    if (row < 0 || row >= kHotKeyCommandCount || commands_[std::size_t(row)].level == 0)
        return -1;
    const QString& name = commands_[std::size_t(row)].valueName;
    for (int slot = 0; slot < KeyBindingSlotCount; ++slot)
        if (KeyBindingName(slot) == name)
            return slot;
    return -1;
}

void KeySettings::Select(int row)
{
    if (row < 0 || row >= kHotKeyCommandCount)
        return;
    selected_ = row;
    const int slot = SlotOf(row);
    if (slot < 0)
        return; // a group: only the description changes
    KeyBinding binding;
    QByteArray bytes;
    factory_ = false;
    if (!(platform::Registry::getBinary(kKeyboard, KeyBindingName(slot), bytes) && binding.FromBytes(bytes))) {
        factory_ = options_.IsFactoryKeyBinding(slot);
        binding = factory_ ? options_.GetKeyBinding(slot) : KeyBinding{};
    }
    ctrl = binding.ctrl != 0;
    shift = binding.shift != 0;
    alt = binding.alt != 0;
    if (const int index = KeyListIndex(binding.virtualKey); index >= 0)
        keyIndex = index;
}

int KeySettings::DescriptionId() const
{
    return selected_ < 0 ? 0 : commands_[std::size_t(selected_)].descriptionId;
}

bool KeySettings::CanEdit() const
{
    return SlotOf(selected_) >= 0;
}

KeyBinding KeySettings::Binding() const
{
    KeyBinding binding;
    binding.ctrl = ctrl ? 1 : 0;
    binding.shift = shift ? 1 : 0;
    binding.alt = alt ? 1 : 0;
    if (keyIndex >= 0 && keyIndex < static_cast<int>(kKeys.size()))
        binding.virtualKey = kKeys[std::size_t(keyIndex)].virtualKey;
    return binding;
}

bool KeySettings::Write(const KeyBinding& binding)
{
    const int slot = SlotOf(selected_);
    if (slot < 0)
        return false;
    if (!platform::Registry::writeBinary(kKeyboard, KeyBindingName(slot), binding.ToBytes()))
        return false;
    written_ = true;
    factory_ = false;
    return true;
}

bool KeySettings::Set()
{
    return Write(Binding());
}

bool KeySettings::Delete()
{
    if (!Write(KeyBinding{}))
        return false;
    ctrl = alt = shift = false;
    keyIndex = 0;
    return true;
}

} // namespace dlg
