#pragma once
// The names of the keys a hot-key binding can hold, as the user reads them
// on the keyboard ("F2", "Ctrl+Shift+A"), from their Windows virtual-key
// codes.
#include "options/KeyBinding.h"

#include <QString>

// The key's name; the empty text for a code without one.
QString VirtualKeyName(int virtualKey);
// The binding with its modifiers ("Ctrl+F2"); empty when it binds no key.
QString KeyBindingText(const KeyBinding& binding);
