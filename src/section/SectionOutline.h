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

class SectionOutline : public OutlineSource {
public:
    explicit SectionOutline(Section& section) : section_(section) {}
    void FeedOutline(OutlineBuilder& builder, int lineTypeFilter) override;

    static constexpr double kChordsPerTurn = 20.0;

private:
    Section& section_;
};
