// The corners of an offset outline: trimmed to their meeting points,
// neighbours along one track united, self-crossings cut, corners rounded.
#include "section/OutlineOffset.h"

#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "section/Section.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace {

// Fillet picks lie this share of a side's length from the corner.
constexpr double kFilletPickShare = 0.2;

// The start and end nodes of a line or an arc; false for other kinds.
bool EndNodes(const CElement* e, int& start, int& end)
{
    if (const auto* line = dynamic_cast<const CLine*>(e)) {
        start = line->GetStartNode();
        end = line->GetEndNode();
        return true;
    }
    if (const auto* arc = dynamic_cast<const CArc*>(e)) {
        start = arc->GetStartNode();
        end = arc->GetEndNode();
        return true;
    }
    return false;
}

void SetEndNode(CElement& e, bool start, int node)
{
    if (auto* line = dynamic_cast<CLine*>(&e))
        start ? line->SetStartNode(node) : line->SetEndNode(node);
    else if (auto* arc = dynamic_cast<CArc*>(&e))
        start ? arc->SetStartNode(node) : arc->SetEndNode(node);
}

bool IsArc(const CElement* e)
{
    return e && e->GetTypeId() == ElementTypeId::Arc;
}

// The slot the next element added to the section goes into.
int NextFreeSlot(const Section& section)
{
    for (int slot = 0; slot < section.GetSlotsInUse(); ++slot) {
        if (section.GetElement(slot) == nullptr)
            return slot;
    }
    return section.GetSlotsInUse();
}

} // namespace

void OutlineOffset::TrimCorners()
{
    const int count = builder_.Count();
    if (count < 2)
        return;
    for (int e = 0; e < count; ++e) {
        const int w = (e + 1) % count;
        Segment& first = Seg(e);
        Segment& second = Seg(w);
        // Each pick chooses the end that moves: the two ends at the corner,
        // or, between two arcs, the two nearest each other.
        std::pair<die::coord*, die::coord*> picks{&first.to, &second.from};
        if (IsArcSegment(e) && IsArcSegment(w)) {
            const std::array<std::pair<die::coord*, die::coord*>, 4> pairs{
                {{&first.from, &second.from}, {&first.from, &second.to}, {&first.to, &second.from},
                 {&first.to, &second.to}}};
            picks = pairs[0];
            for (const auto& pair : pairs) {
                if (die::distance(*pair.first, *pair.second) < die::distance(*picks.first, *picks.second))
                    picks = pair;
            }
        }
        double x = 0.0;
        double y = 0.0;
        if (section_.InterSectSlots(first.newElement, second.newElement, picks.first->x, picks.first->y,
                                    picks.second->x, picks.second->y, &x, &y, &tx_)) {
            *picks.first = {x, y};
            *picks.second = {x, y};
        } else if (IsArc(Made(e)) || IsArc(Made(w))) {
            const ElementIterator join =
                section_.AddLine3(first.to.x, first.to.y, second.from.x, second.from.y, true, lineType_);
            Adopt(join.AtEnd() ? nullptr : join.Get());
        }
    }
}

void OutlineOffset::UniteNeighbours()
{
    // After a union only the pairs from the one before it on can have
    // changed: the earlier ones were not common and still are not, so the
    // next pass starts there instead of at the first segment.
    for (int from = 0; from >= 0;) {
        const int count = builder_.Count();
        const int begin = from;
        from = -1;
        for (int i = begin; i < count && count > 1; ++i) {
            const int n = (i + 1) % count;
            const int p = (i + count - 1) % count;
            if (!section_.AreCommonSlots(Seg(i).newElement, Seg(n).newElement))
                continue;
            const ElementIterator united = section_.UniteCommonSlots(Seg(i).newElement, Seg(n).newElement);
            int start = -1;
            int end = -1;
            if (united.AtEnd() || !EndNodes(united.Get(), start, end))
                continue;
            Adopt(united.Get());
            Segment& s = Seg(i);
            s.newElement = united.GetIndex();
            s.from = section_.Point(start);
            s.to = section_.Point(end);
            if (die::distance(s.from, Seg(p).to) > die::distance(s.to, Seg(p).to))
                std::swap(s.from, s.to);
            builder_.RemoveSegment(n);
            // Removing the first segment moves every index down by one.
            from = std::max(0, (n < i ? i - 1 : i) - 1);
            break;
        }
    }
}

void OutlineOffset::ResolveCrossings()
{
    const int count = builder_.Count();
    for (int a = 0; a < count; ++a) {
        for (int i = count - 1; i >= a + 2; --i) {
            if ((a == 0 && i == count - 1) || Made(a) == nullptr || Made(i) == nullptr
                || !section_.AreElementsCrossing(Seg(a).newElement, Seg(i).newElement))
                continue;
            // Both are cut at the crossing: the parts beyond it stay as
            // elements of their own, so nothing of the rule is lost.
            std::unique_ptr<CElement> restA = Section::CreateElement(*Made(a));
            std::unique_ptr<CElement> restI = Section::CreateElement(*Made(i));
            double x = 0.0;
            double y = 0.0;
            if (!restA || !restI
                || !section_.DoInterSection(Made(a), Made(i), Seg(a).to.x, Seg(a).to.y, Seg(i).from.x,
                                            Seg(i).from.y, &x, &y, &tx_))
                continue;
            for (auto [rest, s] : {std::pair(&restA, a), std::pair(&restI, i)}) {
                int oldStart = -1;
                int oldEnd = -1;
                int start = -1;
                int end = -1;
                if (!EndNodes(rest->get(), oldStart, oldEnd) || !EndNodes(Made(s), start, end))
                    continue;
                // The rest is the part the trim cut off: from the old start
                // to the crossing when the start moved, else from the
                // crossing to the old end.
                if (start != oldStart)
                    SetEndNode(**rest, false, start);
                else
                    SetEndNode(**rest, true, end);
                const int slot = section_.AddBuilt(std::move(*rest));
                Adopt(section_.GetElement(slot));
            }
            Seg(a).to = {x, y};
            Seg(i).from = {x, y};
        }
    }
}

void OutlineOffset::FilletCorners(double radius)
{
    const int count = builder_.Count();
    if (count < 2)
        return;
    for (int i = 0; i < count; ++i) {
        const int n = (i + 1) % count;
        const Segment& first = Seg(i);
        const Segment& second = Seg(n);
        if (die::distance(first.from, first.to) < 2 * radius || die::distance(second.from, second.to) < 2 * radius)
            continue;
        const die::coord pick1 = first.to + (first.from - first.to) * kFilletPickShare;
        const die::coord pick2 = second.from + (second.to - second.from) * kFilletPickShare;
        const int arcSlot = NextFreeSlot(section_);
        if (!section_.DoFilletAt(first.newElement, second.newElement, pick1.x, pick1.y, pick2.x, pick2.y, radius,
                                 builder_.UsesPlacements(), &tx_))
            continue;
        // The fillet arc comes in the arcs' line type; the rule has one.
        CElement* arc = section_.GetElement(arcSlot);
        if (IsArc(arc) && arc->GetLineType() != lineType_) {
            std::unique_ptr<CElement> copy = Section::CreateElement(*arc);
            copy->SetLineType(lineType_);
            (void)section_.ReplaceElement(arcSlot, std::move(copy)); // the slot holds the arc
        }
    }
}
