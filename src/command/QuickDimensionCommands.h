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
} // namespace quickdimensions
