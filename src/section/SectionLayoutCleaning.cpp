// Layout cleaning: where a line of one instance runs over a line of another
// instance, the repeated design would cut that track twice. The line is
// taken out of the design and drawn as fixed (not repeated) lines, one per
// instance, which block cleaning can then unite.
#include "section/Section.h"

#include "element/ElementTypes.h"
#include "element/Line.h"
#include "geometry/GeomOverlap.h"
#include "section/CleaningShapes.h"
#include "section/CommonElementIndex.h"
#include "support/Log.h"

#include <algorithm>
#include <compare>
#include <functional>
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

bool Section::CleanElementSlots(const CInstance& first, const CInstance& second, int slotA, int slotB,
                                std::vector<int>* madeSlots)
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
        if (madeSlots)
            madeSlots->push_back(made.GetIndex());
    }
    for (const auto& [slot, line] : leaving)
        DeleteElement(slot);
    return true;
}

namespace {

// How far (mm) beyond its placed box a line may run along another: the
// offset tolerance (√0.001) with room to spare.
constexpr double kLayoutReach = 0.05;

// A position in the order the cleaning takes pairs: instance of the first
// line, its slot, instance of the second line, its slot.
struct Position {
    int i = 0;
    int a = 0;
    int k = 0;
    int b = 0;
    auto operator<=>(const Position&) const = default;
};

// The search of layout cleaning. The cleaning cleans the first pair in the
// order above, then searches again from the start, until none is left. All
// pairs before the one just cleaned were found apart and stay so, unless
// one of their lines is new: so the search goes on from there, after first
// taking the pairs of the new (fixed) lines that come before it. One grid
// per instance holds the placed boxes of the lines that take part under it,
// so each line is compared only with those near it.
class LayoutScan {
public:
    using Clean = std::function<bool(const Position&, std::vector<int>& made)>;

    LayoutScan(Section& section, NodeTable* nodes, Clean clean)
        : section_(section), nodes_(nodes), clean_(std::move(clean))
    {
        double sum = 0.0;
        int count = 0;
        for (int slot = 0; slot < section_.GetSlotsInUse(); ++slot) {
            BoundingBox box;
            if (Placed(slot, 0, box)) {
                sum += std::max(box.maxX - box.minX, box.maxY - box.minY);
                ++count;
            }
        }
        for (int k = 0; k < section_.GetInstanceCount(); ++k)
            grids_.emplace_back(count ? sum / count : 1.0);
        for (int slot = 0; slot < section_.GetSlotsInUse(); ++slot)
            Add(slot);
    }

    void Run()
    {
        const int instances = section_.GetInstanceCount();
        std::vector<int> partners;
        for (int i = 0; i < instances; ++i) {
            for (int a = 0; a < section_.GetSlotsInUse(); ++a) {
                for (int k = 0; k < instances && Holds(i, a); ++k) {
                    if (k == i)
                        continue;
                    Near(a, i, k, partners);
                    for (int n = 0; n < static_cast<int>(partners.size()) && Holds(i, a); ++n) {
                        const int b = partners[static_cast<std::size_t>(n)];
                        if (!Try({i, a, k, b}))
                            continue;
                        // The pairs of the new lines that come before the
                        // next position first. The list stays good: when a
                        // stays, it is fixed (i is 0), so k is not 0 and no
                        // new line takes part under k.
                        while (TakeFirstNewBefore({i, a, k, b + 1})) {
                        }
                        pending_.clear();
                    }
                }
            }
        }
    }

private:
    bool Holds(int k, int slot) const { return grids_[static_cast<std::size_t>(k)].Contains(slot); }

    // The line's box placed by instance k, widened; false when it takes no
    // part under k.
    bool Placed(int slot, int k, BoundingBox& box) const
    {
        const auto* line = dynamic_cast<const CLine*>(section_.GetElement(slot));
        if (!line || (line->GetNotInstanced() && k != 0))
            return false;
        cleaning::LineShape shape;
        if (!cleaning::ReadLine(nodes_, *line, &section_.GetInstance(k), shape))
            return false;
        box = cleaning::ReachOf(shape, kLayoutReach);
        return true;
    }

    void Add(int slot)
    {
        for (std::size_t k = 0; k < grids_.size(); ++k) {
            BoundingBox box;
            if (Placed(slot, static_cast<int>(k), box))
                grids_[k].Insert(slot, box);
        }
    }

    // The lines taking part under instance k whose placed boxes meet the
    // box of line a placed by instance i, ascending.
    void Near(int a, int i, int k, std::vector<int>& out) const
    {
        out.clear();
        BoundingBox box;
        if (Placed(a, i, box))
            grids_[static_cast<std::size_t>(k)].Overlapping(box, out);
    }

    // Cleans the pair when both lines still take part and have one line
    // type; the grids follow the change and the new lines become pending.
    bool Try(const Position& at)
    {
        if (!Holds(at.i, at.a) || !Holds(at.k, at.b))
            return false;
        if (section_.GetElement(at.a)->GetLineType() != section_.GetElement(at.b)->GetLineType())
            return false;
        made_.clear();
        if (!clean_(at, made_))
            return false;
        for (int slot : {at.a, at.b}) {
            if (!section_.GetElement(slot)) {
                for (CommonElementIndex& grid : grids_)
                    grid.Remove(slot);
            }
        }
        for (int slot : made_) {
            Add(slot);
            pending_.push_back(slot);
        }
        return true;
    }

    // Cleans the first pair with a pending line that comes before the
    // position; false when there is none. A fixed line takes part as the
    // first line under instance 0, or as the second line under instance 0.
    bool TakeFirstNewBefore(const Position& resume)
    {
        std::vector<Position> pairs;
        std::vector<int> near;
        const int instances = section_.GetInstanceCount();
        for (int line : pending_) {
            if (!Holds(0, line))
                continue;
            for (int other = 1; other < instances; ++other) {
                Near(line, 0, other, near);
                for (int b : near)
                    pairs.push_back({0, line, other, b});
                for (int a : near) {
                    // The lines near it under `other` are near it the other way round too.
                    pairs.push_back({other, a, 0, line});
                }
            }
        }
        std::sort(pairs.begin(), pairs.end());
        pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
        for (const Position& at : pairs) {
            if (!(at < resume))
                break;
            if (Try(at))
                return true;
        }
        return false;
    }

    Section& section_;
    NodeTable* nodes_;
    Clean clean_;
    std::vector<CommonElementIndex> grids_; // by instance
    std::vector<int> pending_;
    std::vector<int> made_;
};

} // namespace

void Section::clean_instances()
{
    Log::TheLog().Write("Section::clean_instances( )", Log::Section);
    LayoutScan scan(*this, nodes_, [this](const Position& at, std::vector<int>& made) {
        return CleanElementSlots(GetInstance(at.i), GetInstance(at.k), at.a, at.b, &made);
    });
    scan.Run();
}
