#pragma once
// The segment table an outline is built from: elements hand their geometry
// in as straight segments (CElement::AddToOutline). This holds what the
// elements need of it: whether it takes all elements or only the selected
// ones, the clip window, and the records.
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"
#include "geometry/Instance.h"

#include <vector>

class CElement;

class OutlineBuilder {
public:
    struct Segment {
        die::coord from;
        die::coord to;
        const CElement* owner = nullptr;
        int flags = 0;
        bool cutRule = false; // the owner's line type is 1
        CInstance placement{true};
        int mark = 0; // the record's last word, set by the caller
    };

    bool TakesAll() const { return takeAll_; }
    void SetTakeAll(bool all) { takeAll_ = all; }
    // With a clip window, only segments with an end inside it are taken.
    void SetClipWindow(const BoundingBox& window);
    void ClearClipWindow() { clipping_ = false; }

    // Appends a segment and returns its index; -1 when clipping leaves it out.
    int AddSegment(double x1, double y1, double x2, double y2, const CElement* owner, int flags, bool cutRule,
                   const CInstance* placement);
    Segment& GetSegment(int index) { return segments_[static_cast<std::size_t>(index)]; }
    const std::vector<Segment>& Segments() const { return segments_; }

private:
    bool takeAll_ = false;
    bool clipping_ = false;
    BoundingBox window_;
    std::vector<Segment> segments_;
};
