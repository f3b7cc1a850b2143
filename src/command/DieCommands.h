#pragma once
// The Die menu's one-click parts: EasySet SP and EasySet SPO hole patterns,
// PosiLock holes, and the stripper's separating rule and stripper board.
// Each click places one part at the point, in its own undo step, until the
// command is cancelled.
class ViewInput;

namespace diecommands {

// Command code of the running request (every die part shares it).
constexpr int kCodeDiePart = 25;

// The parts, by what the click places.
enum class DiePart { EasySetSP, EasySetSPO, PosiLock, SeparatingRule, StripperWood };

// Language texts: the point prompt, shared by every part, and each part's
// name, which titles its undo step.
constexpr int kTextPlacePrompt = 2300;
constexpr int kTextEasySetSP = 2301;
constexpr int kTextEasySetSPO = 2303;
constexpr int kTextPosiLock = 2305;
constexpr int kTextSeparatingRule = 2307;
constexpr int kTextStripperWood = 2319; // "Stripper wood" (the command is "Wood")

// The hole counts the patterns are placed with (across, along).
constexpr int kEasySetCountX = 2;
constexpr int kEasySetCountY = 4;
constexpr int kPosiLockCountX = 6;
constexpr int kPosiLockCountY = 4;

// The undo title of a part (its name).
int TitleOf(DiePart part);

void StartDiePart(ViewInput& view, DiePart part);

void StartEasySetSP(ViewInput& view);
void StartEasySetSPO(ViewInput& view);
void StartPosiLock(ViewInput& view);
void StartSeparatingRule(ViewInput& view);
void StartStripperWood(ViewInput& view);

} // namespace diecommands
