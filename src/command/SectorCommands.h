#pragma once
// Manipulation > Cut element, Delete > Sector, Modify > Sector Line Type,
// Quick Delete Sector, Delete > Element and Modify > Split up: parts of an
// element between its crossings with others taken away (or, with the
// sector-mode flag, drawn again in the current line type), whole elements
// deleted, die parts exploded into simple elements.
#include "command/CInputRequest.h"

class ViewInput;

namespace sectorcommands {

// Menu command ids.
constexpr int kCmdCutElement = 32957;
constexpr int kCmdSector = 244;
constexpr int kCmdSectorLineType = 219;
constexpr int kCmdQuickDeleteSector = 472;
constexpr int kCmdDeleteElement = 243;
constexpr int kCmdSplitUp = 33007;
// Command codes of the running requests.
constexpr int kCodeCutElement = 302;
constexpr int kCodeSector = 301;
constexpr int kCodeDeleteElement = 11;
constexpr int kCodeSplitUp = 29;
// Language texts: prompts and the undo titles of Delete Element and Split up.
constexpr int kTextPickElement = 350;
constexpr int kTextFirstPoint = 351;
constexpr int kTextSecondPoint = 352;
constexpr int kTextDeleteElement = 369;
constexpr int kTextSplitUpPrompt = 195;
constexpr int kTextSplitUpTitle = 383;
// Crossings nearer to the cursor than this many pixels are passed over.
constexpr double kCrossingGapPixels = 5.0;

void StartCutElement(ViewInput& view);
// Sector (keepSector false) and Sector Line Type (true): the flag is the
// document's sector mode while the command runs.
void StartSector(ViewInput& view, bool keepSector);
void StartQuickDeleteSector(ViewInput& view);
// With a selection, deletes it at once in one undo step; otherwise starts
// a request that deletes one picked element per click, each its own step.
void StartDeleteElement(ViewInput& view);
void StartSplitUp(ViewInput& view);
} // namespace sectorcommands
