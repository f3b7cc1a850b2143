#pragma once
// HolePattern: what the Bobst and Martin hole patterns share. The pattern
// lies about its node; two counts set the extents it reports, 50 mm per unit
// each way from the node (horizontal along x, vertical along y), and are
// changed with the mouse wheel (Ctrl: vertical, Shift: horizontal, which
// stays at least 1). Turning, scaling and mirroring move the node only: the
// holes keep their size and direction. The holes are display-list figures
// drawn with the internal "wood_frame" line type; there is no direct drawing.
#include "element/NodeSymbol.h"

#include <span>

class HolePattern : public CNodeSymbol {
public:
    // The line type the section gives a new pattern ("wood_frame").
    static constexpr int kLineType = 122;
    // No count goes beyond this either way (2 m of extents from the node,
    // more than any die-cutting press takes): the wheel stops there and a
    // file holding more is damaged.
    static constexpr int kMaxCount = 40;

    HolePattern(NodeTable* nodes, COptions* options, int context);

    int GetHorizontalCount() const { return horizontal; }
    int GetVerticalCount() const { return vertical; }
    // The creation rule: the horizontal count only when above 0 (else it
    // keeps its value), the vertical count always; both held to kMaxCount
    // either way.
    void SetCounts(int horizontalCount, int verticalCount);

    // The counts' reach about the node.
    double GetMinX(double current, bool init) override { return NodeExtent(current, init, 0, false, Reach(0)); }
    double GetMinY(double current, bool init) override { return NodeExtent(current, init, 1, false, Reach(1)); }
    double GetMaxX(double current, bool init) override { return NodeExtent(current, init, 0, true, Reach(0)); }
    double GetMaxY(double current, bool init) override { return NodeExtent(current, init, 1, true, Reach(1)); }
    double GetFullLength() override;
    // Vertical count one up for a forward notch (the low 16 bits of delta,
    // signed, above 0), else one down; returns the count before.
    double OnCtrlWheel(int delta, int x, int y) override;
    // The horizontal count likewise, taken only while it stays above 0.
    double OnShiftWheel(int delta, int x, int y) override;

protected:
    // The common values, the node, the counts and the section; not instanced.
    HolePattern(const HolePattern& source) = default;
    // CopyFrom's part with withNodes: node and counts.
    void CopyNodeAndCounts(const HolePattern& source);
    // Begins the display list, adds a full circle of the radius about
    // reference + each offset, and ends it.
    void BuildCircles(const die::coord& reference, std::span<const die::coord> offsets, double radius);
    // 50 mm per count along the axis (0 x: horizontal, 1 y: vertical).
    double Reach(int axis) const;

    int vertical = 0;
    int horizontal = 0;
};
