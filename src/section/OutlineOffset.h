#pragma once
// Turns the contour an outline builder applied into a closed rule beside
// it: arc chords merged back into arcs, every segment moved by the
// distance, lines and arcs made of them, their corners trimmed, neighbours
// running along each other united, and on request self-crossings cut and
// corners rounded. Everything is made in the transaction given; the
// fillets and intersections of the corners are passed it, so the whole
// build is one step.
#include "element/OutlineBuilder.h"

class CElement;
class Section;
class UndoTransaction;

class OutlineOffset {
public:
    // Every element made gets the line type.
    OutlineOffset(Section& section, OutlineBuilder& builder, int lineType, UndoTransaction& tx);

    // The contour at the rightmost point, offset: a segment moves to the left
    // of its way when the side (1 for a negative distance, 2 otherwise)
    // equals the contour kind, else to the right. True when the rule has at
    // least one segment.
    bool BuildOutline(int side, double distance, bool resolveCrossings, double filletRadius);
    // The smallest contour around (x, y), offset inwards for a positive
    // distance and outwards for a negative one, as a simple figure is.
    bool BuildAroundPoint(double x, double y, double distance, bool resolveCrossings, double filletRadius);

private:
    using Segment = OutlineBuilder::Segment;

    // The steps after a contour was applied.
    bool BuildApplied(bool moveLeft, double distance, bool resolveCrossings, double filletRadius);
    void MergeArcChords();
    void OffsetSegments(bool moveLeft, double distance);
    void MakeElements();
    // OutlineCorners.cpp
    void TrimCorners();
    // After each corner TrimCorners trims, the bridges are refreshed as a
    // refresh of every element would: the first time every element, then
    // only what can have changed since (the two trimmed elements, the
    // elements added, and those refreshed while new the time before).
    class BridgeRefresh;
    void UniteNeighbours();
    void ResolveCrossings();
    void FilletCorners(double radius);

    bool IsArcSegment(int s) const;
    // The source arc's centre under the segment's placement, and its radius.
    die::coord Centre(int s) const;
    double Radius(int s) const;
    const CInstance* Placement(int s) const;
    CElement* Made(int s) const;
    Segment& Seg(int s) { return builder_.GetSegment(s); }
    // A made element (a join or a cut piece) that belongs to the rule.
    void Adopt(CElement* element) const;

    Section& section_;
    OutlineBuilder& builder_;
    int lineType_;
    UndoTransaction& tx_;
};
