#include "section/SectionBoardLayout.h"

#include "section/Section.h"

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

void SectionBoardLayout::CollectCrossings(const CInstance* placement, const die::coord& p, const die::coord& q)
{
    crossings_.Collect(placement, p, q, false, -1);
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
