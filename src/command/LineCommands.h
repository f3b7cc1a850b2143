#pragma once
// Construct > Basic > Line and Line continuous: two point steps (snapping
// to nodes, elements and the point keys) and a finish that adds the line to
// the current section, one undo step per line. The tangent key may make an
// arc the answer of a step; the line then touches it.
class CInputRequest;
class ViewInput;

namespace linecommands {

// Menu and toolbar command ids.
constexpr int kCmdLine = 32797;
constexpr int kCmdLineToolbar = 32779;
constexpr int kCmdLineContinuous = 32798;
constexpr int kCmdLineContinuousToolbar = 32778;
// Command codes of the running request.
constexpr int kCodeLine = 1;
constexpr int kCodeLineContinuous = 3;
// Language texts: the prompts of the first and the next point, the undo
// title.
constexpr int kTextFirstPoint = 364;
constexpr int kTextNextPoint = 363;
constexpr int kTextTitle = 170;

// Start the commands on the view's document; each line restarts at the
// first point (Line) or at the second, from where the last one ended (Line
// continuous), until the command is cancelled.
void StartLine(ViewInput& view);
void StartLineContinuous(ViewInput& view);
// What a finish adds: the line between the two steps' points, or, where a
// step received an arc (the tangent key), touching it: from the other
// step's point, or along the common tangent of two arcs. Nothing is added
// when the tangent does not exist, a step's element is not an arc or the
// line would have no length. Line continuous then copies step 1 over step
// 0, so that the next line starts where this one ended.
int AddLineOfSteps(CInputRequest& request);

} // namespace linecommands
