#pragma once
// The Windows virtual-key code of a Qt key, as the hot-key bindings store
// them: letters and digits as their upper-case character, the function,
// cursor and editing keys, and the modifiers Shift 16, Ctrl 17, Alt 18.
// 0 for a key that has no code.
namespace gui {

int VirtualKeyOf(int qtKey);

} // namespace gui
