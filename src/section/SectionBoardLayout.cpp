#include "section/SectionBoardLayout.h"

#include "section/Section.h"

#include <algorithm>

void SectionBoardLayout::ForEachElement(const std::function<void(CElement&)>& fn) const
{
    for (CElement* e : section_)
        fn(*e);
}

int SectionBoardLayout::InstanceCount() const
{
    return section_.GetInstanceCount();
}

const CInstance& SectionBoardLayout::Instance(int i) const
{
    return section_.GetInstance(i);
}

void SectionBoardLayout::BeginProbing()
{
    probing_ = true;
    gatheredCount_ = 0;
}

void SectionBoardLayout::EndProbing()
{
    probing_ = false;
    gatheredCount_ = 0;
}

void SectionBoardLayout::CollectCrossings(const CInstance* placement, const die::coord& p, const die::coord& q)
{
    if (!probing_) {
        crossings_.Collect(placement, p, q, false, -1);
        return;
    }
    const auto end = gathered_.begin() + static_cast<std::ptrdiff_t>(gatheredCount_);
    auto it = std::find_if(gathered_.begin(), end, [&](const auto& entry) { return entry.first == placement; });
    if (it == end) {
        if (gatheredCount_ == gathered_.size())
            gathered_.emplace_back();
        it = gathered_.begin() + static_cast<std::ptrdiff_t>(gatheredCount_++);
        it->first = placement;
        crossings_.Gather(placement, false, -1, it->second);
    }
    crossings_.Cross(it->second, p, q, false);
}

int SectionBoardLayout::FindNearestCrossing(const die::coord& at, double limit, bool second) const
{
    return crossings_.FindNearest(at.x, at.y, limit, second);
}

die::coord SectionBoardLayout::Crossing(int i) const
{
    const SectionIntersections::Point& point = crossings_.At(i);
    return {point.x, point.y};
}
