#pragma once
// Construct > Undo: the running command ends (its undo step closed), the
// last step is undone and the elements are brought up to date with their
// nodes and bridges.
class ViewInput;

namespace editcommands {

constexpr int kCmdUndo = 370;

void OnUndo(ViewInput& view);

} // namespace editcommands
