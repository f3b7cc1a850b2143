#include "options/KeyName.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyName, KeysAndBindingsReadAsOnTheKeyboard)
{
    const struct {
        KeyBinding binding;
        const char* text;
    } cases[] = {
        {{0, 0, 0, 0, 0x71}, "F2"},
        {{0, 0, 0, 0, 0x87}, "F24"},
        {{1, 1, 0, 0, 'A'}, "Ctrl+Shift+A"},
        {{0, 0, 1, 0, '7'}, "Alt+7"},
        {{0, 0, 0, 0, 0x2D}, "Ins"},
        {{1, 0, 0, 0, 0}, ""},    // binds no key
        {{0, 0, 0, 0, 0xE5}, ""}, // a code without a name
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyBindingText(c.binding), QString::fromLatin1(c.text)) << c.binding.virtualKey;
}

} // namespace
