// Layout cleaning: where a line of one instance runs over a line of another
// instance, the repeated design would cut that track twice. The line is
// taken out of the design and drawn as fixed (not repeated) lines, one per
// instance, which block cleaning can then unite.
#include "section/Section.h"

#include "element/ElementTypes.h"
#include "element/Line.h"
#include "geometry/GeomOverlap.h"
#include "section/CleaningShapes.h"
#include "support/Log.h"

#include <vector>

namespace {
// Squared lengths and offsets (mm²) below which lines do not count.
constexpr double kLayoutSquared = 0.001;
} // namespace

bool Section::clean_elements(CInstance* first, CInstance* second, ElementIterator a, ElementIterator b)
{
    Log::TheLog().Write("Section::clean_elements( CInstance* ... )", Log::Section);
    if (!first || !second)
        return false;
    return CleanElementSlots(*first, *second, a.GetIndex(), b.GetIndex());
}

bool Section::CleanElementSlots(const CInstance& first, const CInstance& second, int slotA, int slotB)
{
    auto* a = dynamic_cast<CLine*>(GetElement(slotA));
    auto* b = dynamic_cast<CLine*>(GetElement(slotB));
    if (!a || !b)
        return false;
    cleaning::LineShape placedA;
    cleaning::LineShape placedB;
    if (!cleaning::ReadLine(nodes_, *a, &first, placedA) || !cleaning::ReadLine(nodes_, *b, &second, placedB))
        return false;
    if (placedA.SquaredLength() < kLayoutSquared || placedB.SquaredLength() < kLayoutSquared)
        return false;
    if (!Geom::RunsAlong(Geom::FeetOnLine(placedA.s, placedA.e, placedB.s, placedB.e), kLayoutSquared))
        return false;

    // The lines leaving the design: the repeated one of the pair, or both
    // (once when a line runs over itself under two instances).
    std::vector<std::pair<int, CLine*>> leaving;
    if (a->GetNotInstanced())
        leaving.push_back({slotB, b});
    else if (b->GetNotInstanced() || slotA == slotB)
        leaving.push_back({slotA, a});
    else
        leaving = {{slotA, a}, {slotB, b}};

    // Each becomes one fixed line under every instance; all of them are
    // placed before anything changes, so a line that cannot be placed
    // leaves the drawing as it was.
    struct Fixed {
        cleaning::LineShape line;
        const CLine* source;
    };
    std::vector<Fixed> fixed;
    for (const auto& [slot, line] : leaving) {
        for (int i = 0; i < GetInstanceCount(); ++i) {
            Fixed f{{}, line};
            if (!cleaning::ReadLine(nodes_, *line, &GetInstance(i), f.line) || !CanBeNodes({f.line.s, f.line.e}))
                return false;
            fixed.push_back(f);
        }
    }
    const int lineType = a->GetLineType();
    for (const Fixed& f : fixed) {
        const ElementIterator made = AddLine3(f.line.s.x, f.line.s.y, f.line.e.x, f.line.e.y, true, lineType);
        if (made.AtEnd())
            continue; // both ends on one node: nothing to cut
        made.Get()->SetPtg(f.source->GetPtg());
        made.Get()->SetNotInstanced(1);
    }
    for (const auto& [slot, line] : leaving)
        DeleteElement(slot);
    return true;
}

void Section::clean_instances()
{
    Log::TheLog().Write("Section::clean_instances( )", Log::Section);
    // The first pair in the order instance, element, other instance, other
    // element is cleaned, then the search starts again, until a whole search
    // finds none. Only lines of one line type can pair.
    const auto takesPart = [&](const CElement* e, int instance) {
        return e && e->GetTypeId() == ElementTypeId::Line && (!e->GetNotInstanced() || instance == 0);
    };
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < GetInstanceCount() && !changed; ++i) {
            for (int a = 0; a < GetSlotsInUse() && !changed; ++a) {
                const CElement* ea = GetElement(a);
                if (!takesPart(ea, i))
                    continue;
                for (int k = 0; k < GetInstanceCount() && !changed; ++k) {
                    if (k == i)
                        continue;
                    for (int b = 0; b < GetSlotsInUse() && !changed; ++b) {
                        const CElement* eb = GetElement(b);
                        if (takesPart(eb, k) && eb->GetLineType() == ea->GetLineType())
                            changed = CleanElementSlots(GetInstance(i), GetInstance(k), a, b);
                    }
                }
            }
        }
    }
}
