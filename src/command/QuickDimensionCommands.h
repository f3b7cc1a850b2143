#pragma once
// Construct > QuickConstruct > Radial Dimension and Parallel Dimension: a
// dimension from picks alone, without the dimension dialog. Both restart
// for the next dimension until cancelled; each is one undo step.
class CInputRequest;
class ViewInput;

namespace quickdimensions {

constexpr int kCmdRadial = 406;
constexpr int kCmdParallel = 407;
constexpr int kCodeRadial = 10006;
constexpr int kCodeParallel = 10008;
// Language texts: the prompts and the undo title.
constexpr int kTextPickArc = 320;
constexpr int kTextFirstPoint = 321;
constexpr int kTextSecondPoint = 324;
constexpr int kTextPosition = 323;
constexpr int kTextTitle = 175;

void StartRadial(ViewInput& view);
void StartParallel(ViewInput& view);
// Starts the command the id names; false for another id.
bool RunQuickDimensionCommand(int commandId, ViewInput& view);

// The radius of the picked arc, from its centre to its start, its text at
// the point of step 1.
int OnRadialDimensionFinish(CInputRequest* request);
// The aligned dimension between the first two points, its text at the third.
int OnParallelDimensionFinish(CInputRequest* request);

} // namespace quickdimensions
