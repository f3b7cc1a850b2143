#pragma once
// Manipulation > Fillet, Chamfer, Length, Intersection, Extend and Split:
// element picks (and a typed value) fed to the section's editing
// operations, which keep their own undo steps. Each command runs until it
// is cancelled; Fillet, Length and Split keep their typed value, Extend its
// boundary, for the next pick. A finish that changed the drawing marks the
// document modified (through the operations' undo steps).
#include <functional>

class CInputRequest;
class ViewInput;

namespace manipcommands {

// Menu command ids.
constexpr int kCmdFillet = 237;
constexpr int kCmdChamfer = 238;
constexpr int kCmdLength = 239;
constexpr int kCmdIntersection = 301;
constexpr int kCmdExtend = 240;
constexpr int kCmdSplit = 369;
// Command codes of the running requests.
constexpr int kCodeFillet = 701;
constexpr int kCodeChamfer = 801;
constexpr int kCodeLength = 1101;
constexpr int kCodeIntersection = 703;
constexpr int kCodeExtend = 1201;
constexpr int kCodeSplit = 1401;
// Language texts: prompts, value labels and the Length command's undo title.
constexpr int kTextFilletFirst = 353;
constexpr int kTextFilletSecond = 354;
constexpr int kTextRadius = 342;
constexpr int kTextChamferFirst = 355;
constexpr int kTextChamferSecond = 356;
constexpr int kTextLengthPrompt = 333;
constexpr int kTextLengthLabel = 358;
constexpr int kTextLengthTitle = 230;
constexpr int kTextIntersectionFirst = 670;
constexpr int kTextIntersectionSecond = 671;
constexpr int kTextExtendBoundary = 335;
constexpr int kTextExtendLine = 334;
constexpr int kTextSplitPrompt = 161;
constexpr int kTextSplitLabel = 162;

// Asks the chamfer's five values (distance 1, distance 2, chamfer length,
// angle 1, angle 2) and writes them on OK; false on Cancel. The window
// shows the chamfer dialog.
using ChamferAsk = std::function<bool(double (&values)[5])>;

void StartFillet(ViewInput& view);
// The values are asked first; the lines are picked only after OK.
void StartChamfer(ViewInput& view, const ChamferAsk& ask);
void StartLength(ViewInput& view);
void StartIntersection(ViewInput& view);
void StartExtend(ViewInput& view);
void StartSplit(ViewInput& view);

} // namespace manipcommands
