// Layer operations: inserting a layer, duplicating one with its step and
// repeat, and copying elements from one layer into another placement by
// placement (Section::AddDuplicatedAbout makes each copy, with nodes of its
// own where the placement puts its points).
#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <algorithm>

namespace {

// The elements of the section now, selected ones only when asked: copies
// made into the same section are never copied again.
std::vector<const CElement*> ElementsOf(const Section& section, bool selectedOnly)
{
    std::vector<const CElement*> list;
    for (const CElement* e : section) {
        if (!selectedOnly || e->IsSelected())
            list.push_back(e);
    }
    return list;
}

// Copies the elements into dst under each placement from the first on; an
// element not instanced only under placement 0. Each copy turns about its
// placement's own centre, where the view shows that placement.
template <class Made>
void CopyPlaced(Section& dst, const std::vector<const CElement*>& elements, const std::vector<CInstance>& placements,
                int first, Made made)
{
    for (int i = std::max(first, 0); i < static_cast<int>(placements.size()); ++i) {
        const CInstance& p = placements[static_cast<std::size_t>(i)];
        for (const CElement* e : elements) {
            if (i != 0 && e->GetNotInstanced())
                continue;
            const ElementIterator copy = dst.AddDuplicatedAbout(*e, p, {p.centreX, p.centreY}, true);
            if (copy.NotEqual(dst.end()))
                made(*copy.Get());
        }
    }
}

} // namespace

int CMorvekDoc::InsertSection(const QString& name, int index)
{
    const int count = GetSectionCount();
    if (index == -1)
        index = count;
    if (index < 0 || index > count || AppendSection(name) == nullptr)
        return -1;
    std::rotate(sections_.begin() + index, sections_.end() - 1, sections_.end());
    return index;
}

Section* CMorvekDoc::DuplicateSection(int n)
{
    const Section* source = GetSection(n);
    if (source == nullptr)
        return nullptr;
    const QString name = platform::cformat(Translate(kTextCopySectionName).toUtf8().constData(), GetSectionCount());
    Section* copy = AppendSection(name);
    if (copy == nullptr)
        return nullptr;
    current_ = copy;
    CopyPlaced(*copy, ElementsOf(*source, false), {CInstance(true)}, 0, [](CElement&) {});
    // It repeats like the source: the same placements, centres included.
    copy->ClearInstances();
    for (int i = 0; i < source->GetInstanceCount(); ++i) {
        const CInstance& placement = source->GetInstance(i);
        copy->NewInstance(placement.dx, placement.dy, placement.angle);
        copy->GetInstance(i) = placement;
    }
    copy->recreate_replicas();
    return copy;
}

void CMorvekDoc::CopySectionElements(Section* dst, const Section* src, int firstInstance)
{
    if (dst == nullptr || src == nullptr)
        return;
    CopyPlaced(*dst, ElementsOf(*src, false), src->GetPlacements(), firstInstance, [](CElement&) {});
}

void CMorvekDoc::CopySelectionToLayer(Section* from, Section* to, bool selectCopies)
{
    if (from == nullptr || to == nullptr)
        return;
    UndoTransaction tx(*undo_, kTextCopyToLayer, to);
    CopyPlaced(*to, ElementsOf(*from, true), from->GetPlacements(), 0,
               [selectCopies](CElement& copy) { copy.SetSelection(selectCopies ? 1 : 0); });
    tx.commit();
}
