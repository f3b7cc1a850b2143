#pragma once
// The dimension dialog without its window: the five kinds and their combo
// items, the picked nodes, circle and position, which controls each kind
// uses, the rule that enables OK and OK's one undo step.
#include <array>

class CElement;
class CMorvekDoc;

namespace dlg {

// The dimension kinds (CMeasure).
enum DimensionKindId : int {
    kDimHorizontal = 1201,
    kDimVertical = 1202,
    kDimAligned = 1203,
    kDimAngle = 1204,
    kDimRadius = 1205,
};

// The combo's items in their order: the item's text and the kind it
// selects (the kind travels as the item's data, never by its text).
struct DimensionItem {
    int text;
    int kind;
};
inline constexpr std::array<DimensionItem, 5> kDimensionItems{{
    {117, kDimHorizontal},
    {118, kDimVertical},
    {53, kDimAligned},
    {50, kDimRadius},
    {49, kDimAngle},
}};

// A node picked from the drawing.
struct DimensionNodePick {
    int node = -1;      // −1: not picked
    int companion = 0;  // the placement number the node was found in
    double x = 0.0, y = 0.0;
};

struct DimensionState {
    int kind = kDimAligned;
    bool reset = true;
    DimensionNodePick first, second, centre;
    // The picked arc: its centre and start node; −1 while none is held.
    int circleCentre = -1;
    int circleStart = -1;
    int circleCompanion = 0;
    double posX = 0.0, posY = 0.0; // the text's position: (0, 0) until picked

    bool HasCircle() const { return circleCentre >= 0 && circleStart >= 0; }
    // The circle pick: an arc's centre and start node; false, nothing
    // held anew, for anything else.
    bool TakeCircle(const CElement* element, int companion);
    // Construct > Dimension > Linear, Angular, Radius: the kind preset and
    // the next opening fresh.
    void StartCommand(int presetKind);
    // The dialog opens: after a reset no nodes, no circle, all zeros, and
    // the preset kind (any other kind: aligned).
    void Open();
};

// The element type the circle pick accepts (arcs).
extern const int kCircleElementType;

// Which controls a kind uses.
struct DimensionControls {
    bool points = true;       // first and second point picks and names
    bool pointCoords = true;  // their coordinates, shown
    bool centre = false;      // centre point pick and name
    bool centreCoords = false;
    bool circle = false;      // the circle pick and text
};
DimensionControls ControlsFor(int kind);
bool DimensionOkEnabled(const DimensionState& state);
// The name text of a kind, the title of the undo step that adds it:
// horizontal 117, vertical 118, aligned (linear) 48, angle 49, radius 192.
int DimensionTitle(int kind);

inline constexpr int kTextCircleHeld = 242;

// OK: the dimension added with Section::AddMeasureAt in one undo step named
// by DimensionTitle. False, nothing changed, while OK is not offered or the
// section refuses it.
[[nodiscard]] bool AddDimensionFromState(CMorvekDoc& doc, const DimensionState& state);

} // namespace dlg
