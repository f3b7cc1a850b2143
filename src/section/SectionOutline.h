#pragma once
// What feeds an outline builder from a section: every element in slot order
// (once, or once per instance placement when the builder asks for it), arcs
// as 20 chords per full turn; each segment learns the slot it came from.
#include "element/OutlineBuilder.h"

class Section;

// The rectangle of the user's last box selection; an outline over instance
// placements takes only segments with an end inside it while it is valid.
struct OutlineClipWindow {
    BoundingBox box;
    bool valid = false;
};

// What the edge dialog hands to Section::DoOutline and DoOutlineByPoint:
// the distance (negative moves a simple closed figure's rule outwards), the
// line type followed (-1 all), the new rule's line type, the corner radius
// (0 none) and the two options.
struct OutlineSettings {
    double distance = 10.0;
    int lineTypeFilter = -1;
    int newLineType = 1;
    double filletRadius = 0.0;
    bool resolveCrossings = true;
    bool usePlacements = false;
    friend bool operator==(const OutlineSettings&, const OutlineSettings&) = default;
};

class SectionOutline : public OutlineSource {
public:
    explicit SectionOutline(Section& section) : section_(section) {}
    void FeedOutline(OutlineBuilder& builder, int lineTypeFilter) override;

    static constexpr double kChordsPerTurn = 20.0;

private:
    Section& section_;
};
