#pragma once
// The dimension page without its window: the kinds offered for the
// dimension (each combo item carries its kind as data), the points with
// their nodes, the measured value, the centre's controls and OK's change.
#include "dlg/PageNumber.h"
#include "dlg/PropertyPage.h"

#include <array>
#include <vector>

class CMeasure;
class NodeTable;
class Section;

namespace dlg {

// A combo item: its text id and the kind it selects.
struct DimensionKindItem {
    int text;
    int kind;
};

// The kinds a dimension of this kind may become: a linear one any linear
// kind (horizontal 190, vertical 191, aligned 189), an angle (193) and a
// radius (192) only their own.
std::vector<DimensionKindItem> DimensionKindItems(int kind);

// The value the page shows for the points: |Δx| horizontal, |Δy| vertical,
// the distance aligned and radius, and for the angle the counter-clockwise
// turn from C→P1 to C→P2 in degrees in [0, 360); rounded up to a thousandth.
double DimensionPageValue(int kind, const die::coord& p1, const die::coord& p2, const die::coord& c);

struct DimensionPagePoint {
    int node = -1;
    PageNumber x, y;
    die::coord At() const { return {x.Value(), y.Value()}; }
};

struct DimensionPageFields {
    int kind = 1203;
    int openedKind = 1203;
    DimensionPagePoint first, second, centre;
    DimensionPagePoint position; // the text's node
    std::array<int, 3> instances{}; // the placement numbers of the three picks
    int charWidth = 15;
    int charHeight = 12;
    int avoidInstances = 0;
    QString value; // the measured value as shown

    static DimensionPageFields From(const CMeasure& dimension, NodeTable& nodes);
    std::vector<DimensionKindItem> KindItems() const { return DimensionKindItems(openedKind); }
    bool CentreEnabled() const;
    // A point's coordinates were edited: the value follows. A change of kind
    // alone keeps the value shown.
    void PointsEdited();
    // Picks 410 to 413: the point, its node and placement number.
    bool StorePick(int code, const PickedPoint& point);
    // OK: the dimension of the slot replaced by a copy with what changed
    // (a point whose coordinates were typed takes the node there), in the
    // open step. False, nothing replaced, when nothing changed or a point
    // cannot be a node.
    bool Apply(Section& section, int slot) const;
};

} // namespace dlg
