#pragma once
// The section as the layout its die board frames: its elements, its
// instance placements and its crossing set.
#include "element/BoardLayout.h"
#include "section/SectionIntersections.h"

class Section;

class SectionBoardLayout : public BoardLayout {
public:
    explicit SectionBoardLayout(Section& section) : section_(section), crossings_(section) {}

    void ForEachElement(const std::function<void(CElement&)>& fn) const override;
    int InstanceCount() const override;
    const CInstance& Instance(int i) const override;
    // Any selection, line type 1.
    void CollectCrossings(const CInstance* placement, const die::coord& p, const die::coord& q) override;
    int FindNearestCrossing(const die::coord& at, double limit, bool second) const override;
    int CrossingCount() const override { return crossings_.Count(); }
    die::coord Crossing(int i) const override;

    SectionIntersections& Crossings() { return crossings_; }

private:
    Section& section_;
    SectionIntersections crossings_;
};
