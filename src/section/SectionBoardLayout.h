#pragma once
// The section as the layout its die board frames: its elements, its
// instance placements and its crossing set.
#include "element/BoardLayout.h"
#include "section/SectionIntersections.h"

#include <utility>
#include <vector>

class Section;

class SectionBoardLayout : public BoardLayout {
public:
    explicit SectionBoardLayout(Section& section) : section_(section), crossings_(section) {}

    void ForEachElement(const std::function<void(CElement&)>& fn) const override;
    int InstanceCount() const override;
    const CInstance& Instance(int i) const override;
    // Any selection, line type 1.
    void CollectCrossings(const CInstance* placement, const die::coord& p, const die::coord& q) override;
    // While probing, the section's rules as placed under each placement are
    // gathered once and kept.
    void BeginProbing() override;
    void EndProbing() override;
    int FindNearestCrossing(const die::coord& at, double limit, bool second) const override;
    int CrossingCount() const override { return crossings_.Count(); }
    die::coord Crossing(int i) const override;

    SectionIntersections& Crossings() { return crossings_; }

private:
    Section& section_;
    SectionIntersections crossings_;
    bool probing_ = false;
    // The rules gathered under each placement while probing: the first
    // `gatheredCount_` entries; the others keep their storage for the next
    // time.
    std::vector<std::pair<const CInstance*, SectionIntersections::Shapes>> gathered_;
    std::size_t gatheredCount_ = 0;
};
