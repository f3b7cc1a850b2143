#include "section/SectionOutline.h"

#include "element/Element.h"
#include "section/Section.h"

void SectionOutline::FeedOutline(OutlineBuilder& builder, int lineTypeFilter)
{
    for (auto it = section_.begin(); it.NotEqual(section_.end()); it.Next()) {
        CElement* e = it.Get();
        const int first = builder.Count();
        if (builder.UsesPlacements()) {
            for (int i = 0; i < section_.GetInstanceCount(); ++i)
                e->AddToOutline(&builder, 0, kChordsPerTurn, lineTypeFilter, &section_.GetInstance(i));
        } else {
            e->AddToOutline(&builder, 0, kChordsPerTurn, lineTypeFilter, nullptr);
        }
        for (int s = first; s < builder.Count(); ++s)
            builder.GetSegment(s).sourceSlot = it.GetIndex();
    }
}
