#pragma once
// The segment table an outline is built from. Elements hand their geometry
// in as straight segments (CElement::AddToOutline): lines one segment, arcs
// and elliptical arcs their chords. The builder then cleans the segments
// into a graph (split at crossings, doubles removed, ends linked within the
// end tolerance, open chains pruned) and finds one closed contour in it:
// the one at the rightmost point, or the one around a picked point.
//
// A builder lives for one operation. What feeds it is an OutlineSource
// (the section implements one), so this table needs no section.
#include "element/PairListTable.h"
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"
#include "geometry/Instance.h"

#include <array>
#include <vector>

class CElement;
class OutlineBuilder;

// What fills a builder with segments: each element once, or once per
// instance placement when the builder asks for placements.
class OutlineSource {
public:
    virtual ~OutlineSource() = default;
    virtual void FeedOutline(OutlineBuilder& builder, int lineTypeFilter) = 0;
};

class OutlineBuilder {
public:
    struct Segment {
        die::coord from; // start
        die::coord to;   // end
        const CElement* owner = nullptr;
        int flags = 0;
        bool cutRule = false; // the owner's line type is 1
        CInstance placement{true};
        int mark = 0; // the record's last word, set by the caller
        // The graph: the segments with an end within the end tolerance of
        // this one's start (end).
        std::vector<int> startNeighbours;
        std::vector<int> endNeighbours;
        int sourceSlot = -1;      // slot of the element it came from
        bool excluded = false;    // takes no part in walks
        bool directionFlag = false; // reversed to follow the applied contour
        int contourPosition = 0;  // its position in the applied contour
        bool splitVisited = false;
        int newElement = -1;      // slot of the element made from it
        bool collapsed = false;
    };

    explicit OutlineBuilder(OutlineSource* source = nullptr) : source_(source) {}

    bool TakesAll() const { return takeAll_; }
    void SetTakeAll(bool all) { takeAll_ = all; }
    // With a clip window, only segments with an end inside it are taken.
    void SetClipWindow(const BoundingBox& window);
    void ClearClipWindow() { clipping_ = false; }
    bool UsesPlacements() const { return usePlacements_; }
    void SetUsePlacements(bool on) { usePlacements_ = on; }
    double EndTolerance() const { return endTolerance_; }
    int ContourKind() const { return contourKind_; }

    // Appends a segment and returns its index; -1 when clipping leaves it out.
    int AddSegment(double x1, double y1, double x2, double y2, const CElement* owner, int flags, bool cutRule,
                   const CInstance* placement);
    Segment& GetSegment(int index) { return segments_[static_cast<std::size_t>(index)]; }
    const Segment& GetSegment(int index) const { return segments_[static_cast<std::size_t>(index)]; }
    const std::vector<Segment>& Segments() const { return segments_; }
    int Count() const { return static_cast<int>(segments_.size()); }
    PairListTable& Contours() { return contours_; }

    // --- the segment table ----------------------------------------------------------
    // Removes the segment; later ones move down (neighbour lists untouched).
    void RemoveSegment(int index);
    // Removes every segment marked in `gone` (one flag per segment) at once,
    // as RemoveSegment one after another would.
    void RemoveSegments(const std::vector<char>& gone);
    // Takes the index out of every other non-excluded segment's lists; then
    // with markOnly only excludes the segment, else removes it and lowers
    // every neighbour index above it.
    void RemoveSegmentAndLinks(int index, bool markOnly);
    // Removes every segment marked in `gone` with its links, as
    // RemoveSegmentAndLinks (not markOnly) on each, from the lowest up or
    // from the highest down, would.
    void RemoveSegmentsAndLinks(const std::vector<char>& gone);
    // Exchanges two records and the two indices in every neighbour list.
    void SwapSegments(int i, int j);
    // Removes the segment and appends its two halves at the point.
    void SplitSegment(int index, const die::coord& point);
    // The two halves of a segment split at the point, with its source.
    static std::array<Segment, 2> Halves(const Segment& whole, const die::coord& point);

    // --- contours (OutlineContours.cpp) -----------------------------------------------
    // Feeds the source again and builds the graph; the segment count.
    int CollectContours(int lineTypeFilter);
    // The graph of the segments there are: split at crossings, doubles
    // removed, ends linked, open chains pruned. Each step looks segments up
    // in a grid, so a figure of n segments takes about n log n.
    void BuildGraph();
    // The walk arrived at end `end` (0 start, 1 end) of segment s: the next
    // segment and the end it arrives at; mode 2 takes the sharpest left
    // turn, mode 1 the sharpest right one. False when no neighbour is left.
    bool NextSegment(int s, int end, int mode, int& next, int& nextEnd) const;
    // The contour at the rightmost point: a contour-table row (value its
    // kind: 1 the clockwise walk, 2 the counter-clockwise one, chosen by
    // area). False when no walk closes.
    bool FindContour(int areaRule, int kindKey);
    // The smallest contour around the point, as a row of value 1.
    bool PickContourAt(double x, double y);
    // Keeps only the segments of contour row 0, in its order, each pointing
    // the way of the walk; the contour table is emptied.
    void ApplyContour();

private:
    using Walk = std::vector<PairListTable::Pair>;
    // The graph steps of CollectContours.
    void SplitAtCrossings();
    void RemoveDuplicates();
    void LinkEnds();
    void PruneDangling();
    // The end of segment s that lies within the end tolerance of p,
    // the nearer one; −1 when neither does.
    int EndAt(int s, const die::coord& p) const;
    // The walk's start: segment and the end at which it arrives at the
    // rightmost point; false when no segment is left.
    bool FindStart(int& segment, int& end) const;
    // One walk of FindContour from the start; false when it does not close.
    bool WalkFrom(int start, int end, int mode, Walk& walk);
    double Area(const Walk& walk) const;
    void AddContourRow(const Walk& walk, int kind);

    OutlineSource* source_ = nullptr;
    bool takeAll_ = false;
    bool usePlacements_ = false;
    bool clipping_ = false;
    BoundingBox window_;
    double endTolerance_ = 0.01;
    int contourKind_ = 0;
    std::vector<Segment> segments_;
    PairListTable contours_;
};
