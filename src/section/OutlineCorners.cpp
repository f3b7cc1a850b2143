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
#include <vector>

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

// A refresh of an element's bridges computes them when they are new and
// otherwise only marks the element changed; so, after the first refresh of
// every element, the next one changes only the elements added or copied
// since and those it computed the time before.
class OutlineOffset::BridgeRefresh {
public:
    explicit BridgeRefresh(Section& section) : section_(section) {}
    // An element was added to the slot since the last refresh.
    void Added(int slot) { added_.push_back(slot); }
    // A refresh of every element's bridges, after the corner of these two slots.
    void After(int slotA, int slotB)
    {
        std::vector<std::pair<int, CElement*>> computed;
        const auto refresh = [&](int slot) {
            CElement* e = section_.GetElement(slot);
            if (!e)
                return;
            const bool fresh = e->AreBridgesStale();
            e->RefreshBridges();
            if (fresh)
                computed.emplace_back(slot, e);
        };
        if (first_) {
            first_ = false;
            for (int slot = 0; slot < section_.GetSlotsInUse(); ++slot)
                refresh(slot);
        } else {
            for (const auto& [slot, e] : computed_) {
                if (section_.GetElement(slot) == e)
                    e->RefreshBridges();
            }
            for (int slot : added_)
                refresh(slot);
            refresh(slotA);
            refresh(slotB);
        }
        added_.clear();
        computed_ = std::move(computed);
    }

private:
    Section& section_;
    bool first_ = true;
    std::vector<int> added_;
    std::vector<std::pair<int, CElement*>> computed_;
};

void OutlineOffset::TrimCorners()
{
    const int count = builder_.Count();
    if (count < 2)
        return;
    BridgeRefresh bridges(section_);
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
                                    picks.second->x, picks.second->y, &x, &y, &tx_, false)) {
            bridges.After(first.newElement, second.newElement);
            *picks.first = {x, y};
            *picks.second = {x, y};
        } else if (IsArc(Made(e)) || IsArc(Made(w))) {
            const ElementIterator join =
                section_.AddLine3(first.to.x, first.to.y, second.from.x, second.from.y, true, lineType_);
            Adopt(join.AtEnd() ? nullptr : join.Get());
            if (!join.AtEnd())
                bridges.Added(join.GetIndex());
        }
    }
}

void OutlineOffset::UniteNeighbours()
{
    // The segments form a ring in table order; a union takes the second of
    // two neighbours out of the ring, and the table drops all of them at
    // the end. After a union only the pairs from the one before it on can
    // have changed: the earlier ones were not common and still are not, so
    // the next pass starts there instead of at the first segment.
    const int total = builder_.Count();
    if (total < 2)
        return;
    std::vector<int> next(static_cast<std::size_t>(total));
    std::vector<int> prev(static_cast<std::size_t>(total));
    for (int s = 0; s < total; ++s) {
        next[static_cast<std::size_t>(s)] = (s + 1) % total;
        prev[static_cast<std::size_t>(s)] = (s + total - 1) % total;
    }
    std::vector<char> gone(static_cast<std::size_t>(total), 0);
    int head = 0;
    int count = total;
    for (int from = head; from >= 0 && count > 1;) {
        const int begin = from;
        from = -1;
        const int last = prev[static_cast<std::size_t>(head)];
        for (int i = begin;; i = next[static_cast<std::size_t>(i)]) {
            const int n = next[static_cast<std::size_t>(i)];
            const int p = prev[static_cast<std::size_t>(i)];
            if (section_.AreCommonSlots(Seg(i).newElement, Seg(n).newElement)) {
                const ElementIterator united = section_.UniteCommonSlots(Seg(i).newElement, Seg(n).newElement);
                int start = -1;
                int end = -1;
                if (!united.AtEnd() && EndNodes(united.Get(), start, end)) {
                    Adopt(united.Get());
                    Segment& s = Seg(i);
                    s.newElement = united.GetIndex();
                    s.from = section_.Point(start);
                    s.to = section_.Point(end);
                    if (die::distance(s.from, Seg(p).to) > die::distance(s.to, Seg(p).to))
                        std::swap(s.from, s.to);
                    // n leaves the ring; when it was the first, the one after it is.
                    gone[static_cast<std::size_t>(n)] = 1;
                    const int after = next[static_cast<std::size_t>(n)];
                    next[static_cast<std::size_t>(i)] = after;
                    prev[static_cast<std::size_t>(after)] = i;
                    if (n == head)
                        head = after;
                    --count;
                    from = i == head ? i : prev[static_cast<std::size_t>(i)];
                    break;
                }
            }
            if (i == last)
                break;
        }
    }
    builder_.RemoveSegments(gone);
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
