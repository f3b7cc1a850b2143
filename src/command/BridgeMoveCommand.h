#pragma once
// Modify Bridge Positions, from the view's popup over a line, arc or
// ellipse: press the left button on one of its bridges, drag, release; the
// bridge moves to where it was released (the element then keeps its
// bridges by hand). Every move is its own undo step and the command waits
// for the next bridge of the same element until it is cancelled.
#include "command/CInputRequest.h"

class ViewInput;

namespace bridgemove {

constexpr int kCmdModifyBridges = 289;
constexpr int kCodeBridgeMove = 502;
constexpr int kTextTitle = 185;

// Starts the command on the element (which must be in the current
// section); nothing for null or an element not there.
void StartBridgeMove(ViewInput& view, CElement* element);

} // namespace bridgemove
