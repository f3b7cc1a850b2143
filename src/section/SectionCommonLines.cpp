// Block cleaning: a die must not cut one track twice, so overlapping
// collinear lines and overlapping arcs of one circle with the same
// attributes become one element each.
//
// The cleaning unites, again and again, the first common pair in slot
// order (row by row: a slot and each later slot) until none is left. It
// does so without going back to the first slot after every union: all
// pairs before the scan's row were found apart already, so only the pairs
// of the element a union made need a look, and those before the row are
// taken first. A grid of the elements' boxes names the few elements each
// one can share a track with.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "geometry/Angle.h"
#include "geometry/GeomOverlap.h"
#include "section/CleaningShapes.h"
#include "section/CommonElementIndex.h"
#include "support/Log.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Arcs with a smaller radius (mm) are deleted.
constexpr double kTinyRadius = 0.001;
// Squared lengths and offsets (mm²) of the common-element test.
constexpr double kCommonSquared = 0.001;
// Squared lengths and offsets (mm²) of the line union.
constexpr double kUniteSquared = 0.01;
// Centres and radii of one circle differ by less (mm).
constexpr double kSameCircle = 0.003;
// How far (mm) beyond its own box an element may share a track: the line
// union's offset (√0.01), the circle's tolerance, each with room to spare.
constexpr double kLineReach = 0.2;
constexpr double kArcReach = 0.01;

using cleaning::ArcShape;
using cleaning::LineShape;

bool IsLine(const CElement* e)
{
    return e && e->GetTypeId() == ElementTypeId::Line;
}

bool IsArc(const CElement* e)
{
    return e && e->GetTypeId() == ElementTypeId::Arc;
}

// The positions of b's start and end clockwise from a's start, and a's own
// sweep, each in [0, 2π).
struct ArcOffsets {
    double sweep = 0.0;
    double start = 0.0;
    double end = 0.0;
};

ArcOffsets OffsetsOf(const ArcShape& a, const ArcShape& b)
{
    return {Angle::Normalize(a.startAngle - a.endAngle), Angle::Normalize(a.startAngle - b.startAngle),
            Angle::Normalize(a.startAngle - b.endAngle)};
}

die::coord OnCircle(const ArcShape& arc, double angle)
{
    return {arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
}

} // namespace

bool Section::AreCommonElements(CElement* a, CElement* b)
{
    Log::TheLog().Write("Section::AreCommonElements( CElement* ... )", Log::Cleaning);
    return AreCommonSlots(GetIdx(a), GetIdx(b));
}

bool Section::AreCommonSlots(int slotA, int slotB)
{
    CElement* a = GetElement(slotA);
    CElement* b = GetElement(slotB);
    if (!a || !b || a == b || a->GetTypeId() != b->GetTypeId() || !a->HasSameAttributes(*b))
        return false;
    if (IsArc(a)) {
        ArcShape sa;
        ArcShape sb;
        if (!cleaning::ReadArc(nodes_, static_cast<CArc&>(*a), sa) || !cleaning::ReadArc(nodes_, static_cast<CArc&>(*b), sb))
            return false;
        if (die::distance(sa.centre, sb.centre) >= kSameCircle || std::abs(sa.radius - sb.radius) >= kSameCircle)
            return false;
        const ArcOffsets o = OffsetsOf(sa, sb);
        // a a full circle, b a full circle, b running past a's start, or b
        // starting within a (touching included).
        return o.sweep == 0.0 || o.start == o.end || o.start > o.end || o.start <= o.sweep;
    }
    if (IsLine(a)) {
        LineShape la;
        LineShape lb;
        if (!cleaning::ReadLine(nodes_, static_cast<CLine&>(*a), nullptr, la)
            || !cleaning::ReadLine(nodes_, static_cast<CLine&>(*b), nullptr, lb))
            return false;
        if (la.SquaredLength() < kCommonSquared || lb.SquaredLength() < kCommonSquared)
            return false;
        return Geom::RunsAlong(Geom::FeetOnLine(la.s, la.e, lb.s, lb.e), kCommonSquared);
    }
    return false;
}

ElementIterator Section::UniteCommonElements(CElement* a, CElement* b)
{
    Log::TheLog().Write("Section::UniteCommonElements( CElement* ... )", Log::Section);
    const int slotA = GetIdx(a);
    const int slotB = GetIdx(b);
    if (slotA < 0 || slotB < 0 || slotA == slotB)
        return end();
    return UniteCommonSlots(slotA, slotB);
}

ElementIterator Section::UniteCommonSlots(int slotA, int slotB)
{
    CElement* a = GetElement(slotA);
    CElement* b = GetElement(slotB);
    ElementIterator made = end();
    if (IsArc(a) && IsArc(b)) {
        ArcShape sa;
        ArcShape sb;
        if (!cleaning::ReadArc(nodes_, static_cast<CArc&>(*a), sa) || !cleaning::ReadArc(nodes_, static_cast<CArc&>(*b), sb))
            return end();
        const ArcOffsets o = OffsetsOf(sa, sb);
        // Clockwise offsets from a's start of the united arc's start and end;
        // the full circle when a or b is one, or when b starts within a and
        // runs on past a's start, so that together they go all the way round.
        const bool full = o.sweep == 0.0 || o.start == o.end || (o.start > o.end && o.start <= o.sweep);
        const double from = full || o.start < o.end ? 0.0 : o.start;
        const double to = full ? 0.0 : std::max(o.sweep, o.end);
        const die::coord s = OnCircle(sa, full ? 0.0 : Angle::Normalize(sa.startAngle - from));
        const die::coord e = full ? s : OnCircle(sa, Angle::Normalize(sa.startAngle - to));
        made = AddArc3(sa.centre.x, sa.centre.y, s.x, s.y, e.x, e.y, true, a->GetLineType());
    } else if (IsLine(a) && IsLine(b)) {
        LineShape la;
        LineShape lb;
        if (!cleaning::ReadLine(nodes_, static_cast<CLine&>(*a), nullptr, la)
            || !cleaning::ReadLine(nodes_, static_cast<CLine&>(*b), nullptr, lb))
            return end();
        // The two ends farthest apart, an end of a first; an earlier pair
        // wins a tie.
        const std::pair<die::coord, die::coord> pairs[] = {{la.s, lb.s}, {la.s, lb.e}, {la.e, lb.s}, {la.e, lb.e}};
        std::size_t best = 0;
        for (std::size_t i = 1; i < std::size(pairs); ++i) {
            if (die::distance(pairs[i].first, pairs[i].second) > die::distance(pairs[best].first, pairs[best].second))
                best = i;
        }
        const auto& [from, to] = pairs[best];
        made = AddLine3(from.x, from.y, to.x, to.y, true, a->GetLineType());
    }
    // Both go only when the element that covers them was made.
    if (made.AtEnd())
        return made;
    made.Get()->SetPtg(a->GetPtg());
    made.Get()->SetNotInstanced(a->GetNotInstanced());
    DeleteElement(slotA);
    DeleteElement(slotB);
    return made;
}

bool Section::unite_common_lines(CLine* a, CLine* b)
{
    Log::TheLog().Write("Section::unite_common_lines( CLine* ... )", Log::Cleaning);
    const int slotA = GetIdx(a);
    const int slotB = GetIdx(b);
    return slotA >= 0 && slotB >= 0 && slotA != slotB && UniteCommonLineSlots(slotA, slotB) >= 0;
}

int Section::UniteCommonLineSlots(int slotA, int slotB)
{
    auto* a = dynamic_cast<CLine*>(GetElement(slotA));
    auto* b = dynamic_cast<CLine*>(GetElement(slotB));
    if (!a || !b || !a->HasSameAttributes(*b))
        return -1;
    LineShape la;
    LineShape lb;
    if (!cleaning::ReadLine(nodes_, *a, nullptr, la) || !cleaning::ReadLine(nodes_, *b, nullptr, lb))
        return -1;
    if (la.SquaredLength() < kUniteSquared || lb.SquaredLength() < kUniteSquared)
        return -1;
    const Geom::LineFeet feet = Geom::FeetOnLine(la.s, la.e, lb.s, lb.e);
    if (!Geom::RunsAlong(feet, kUniteSquared))
        return -1;
    const double lo = std::min({0.0, feet.t1, feet.t2});
    const double hi = std::max({1.0, feet.t1, feet.t2});
    const die::coord d = la.e - la.s;
    const die::coord from = la.s + d * lo;
    const die::coord to = la.s + d * hi;
    const ElementIterator made = AddLine3(from.x, from.y, to.x, to.y, true, a->GetLineType());
    // Both lines stay when the united one cannot be made.
    if (made.AtEnd())
        return -1;
    made.Get()->SetPtg(a->GetPtg());
    made.Get()->SetNotInstanced(a->GetNotInstanced());
    DeleteElement(slotA);
    DeleteElement(slotB);
    return made.GetIndex();
}

namespace {

// The scan of block cleaning over the grid of the section's lines and arcs.
class CommonScan {
public:
    CommonScan(Section& section, NodeTable* nodes) : section_(section), nodes_(nodes), held_(ReadAll()), index_(1.0) {}

    // Deletes, in slot order, the arcs too small to judge; an arc whose
    // nodes are missing has no radius to judge: it stays (and is left out).
    void DropTinyArcs()
    {
        for (std::size_t slot = 0; slot < held_.size(); ++slot) {
            if (held_[slot].kind == ElementTypeId::Arc && held_[slot].arc.radius < kTinyRadius) {
                section_.DeleteElement(static_cast<int>(slot));
                held_[slot].kind = 0;
            }
        }
    }

    void Run(const std::function<int(int, int)>& unite)
    {
        unite_ = unite;
        index_ = CommonElementIndex(CellSize());
        for (std::size_t slot = 0; slot < held_.size(); ++slot) {
            if (held_[slot].kind != 0)
                index_.Insert(static_cast<int>(slot), ReachOf(held_[slot]));
        }
        // Most rows have no later partner the union would even try: one
        // pass over the grid in memory order finds those that have, and
        // the rows of the elements unions make or come near are added.
        wanted_.assign(held_.size(), 0);
        index_.ForEachOverlappingPair([this](int a, int b) {
            if (!wanted_[static_cast<std::size_t>(a)] && MayShare(a, b))
                wanted_[static_cast<std::size_t>(a)] = 1;
        });
        for (int row = 0; row < section_.GetSlotsInUse(); ++row) {
            if (!Wanted(row) || !index_.Contains(row))
                continue;
            index_.Neighbours(row, partners_);
            for (int later : partners_) {
                if (later <= row)
                    continue;
                int made = Unite(row, later);
                if (made < 0)
                    continue;
                // Every pair before the next row that the new element is
                // not part of was found apart: its pairs there come first.
                while (made >= 0)
                    made = FirstBefore(made, row + 1);
                break;
            }
        }
    }

private:
    // The shape of an element the scan holds, read once; kind 0: an
    // element the scan leaves alone.
    struct Held {
        int kind = 0;
        LineShape line;
        ArcShape arc;
    };

    bool Read(int slot, Held& held) const
    {
        CElement* e = section_.GetElement(slot);
        held.kind = e ? e->GetTypeId() : 0;
        if (IsLine(e) && cleaning::ReadLine(nodes_, static_cast<CLine&>(*e), nullptr, held.line))
            return true;
        if (IsArc(e) && cleaning::ReadArc(nodes_, static_cast<CArc&>(*e), held.arc))
            return true;
        held.kind = 0;
        return false;
    }

    std::vector<Held> ReadAll() const
    {
        std::vector<Held> all(static_cast<std::size_t>(std::max(section_.GetSlotsInUse(), 0)));
        for (std::size_t slot = 0; slot < all.size(); ++slot)
            Read(static_cast<int>(slot), all[slot]);
        return all;
    }

    static BoundingBox ReachOf(const Held& held)
    {
        return held.kind == ElementTypeId::Line ? cleaning::ReachOf(held.line, kLineReach)
                                                : cleaning::ReachOf(held.arc, kArcReach);
    }

    // The grid's cell: the mean size of the elements' boxes.
    double CellSize() const
    {
        double sum = 0.0;
        int count = 0;
        for (const Held& held : held_) {
            if (held.kind != 0) {
                const BoundingBox box = ReachOf(held);
                sum += std::max(box.maxX - box.minX, box.maxY - box.minY);
                ++count;
            }
        }
        return count ? sum / count : 1.0;
    }

    // An element a union made.
    void Add(int slot)
    {
        Held held;
        if (!Read(slot, held))
            return;
        if (static_cast<std::size_t>(slot) >= held_.size())
            held_.resize(static_cast<std::size_t>(slot) + 1);
        held_[static_cast<std::size_t>(slot)] = held;
        index_.Insert(slot, ReachOf(held));
        Want(slot);
        index_.Neighbours(slot, near_);
        for (int other : near_)
            Want(other);
    }

    bool Wanted(int slot) const
    {
        return static_cast<std::size_t>(slot) < wanted_.size() && wanted_[static_cast<std::size_t>(slot)];
    }

    void Want(int slot)
    {
        if (static_cast<std::size_t>(slot) >= wanted_.size())
            wanted_.resize(static_cast<std::size_t>(slot) + 1, 0);
        wanted_[static_cast<std::size_t>(slot)] = 1;
    }

    // What the section's own tests need of the shapes, read from the held
    // ones without going back to the elements: lines running along each
    // other, arcs of one circle.
    bool MayShare(int a, int b) const
    {
        const Held& x = held_[static_cast<std::size_t>(a)];
        const Held& y = held_[static_cast<std::size_t>(b)];
        if (x.kind != y.kind)
            return false;
        if (x.kind == ElementTypeId::Arc)
            return die::distance(x.arc.centre, y.arc.centre) < kSameCircle
                   && std::abs(x.arc.radius - y.arc.radius) < kSameCircle;
        return x.line.SquaredLength() >= kCommonSquared
               && Geom::RunsAlong(Geom::FeetOnLine(x.line.s, x.line.e, y.line.s, y.line.e), kUniteSquared);
    }

    // Unites the pair when it is common; the slot of the element made, or −1.
    int Unite(int a, int b)
    {
        if (!MayShare(a, b))
            return -1;
        const int made = unite_(a, b);
        if (made >= 0) {
            index_.Remove(a);
            index_.Remove(b);
            Add(made);
        }
        return made;
    }

    // Unites the first common pair of the element at `slot` whose lower
    // slot comes before `row`; the slot of the element made, or −1.
    int FirstBefore(int slot, int row)
    {
        index_.Neighbours(slot, near_);
        pairs_.clear();
        for (int other : near_) {
            const std::pair<int, int> pair = std::minmax(slot, other);
            if (pair.first < row)
                pairs_.push_back(pair);
        }
        std::sort(pairs_.begin(), pairs_.end());
        for (const auto& [a, b] : pairs_) {
            const int made = Unite(a, b);
            if (made >= 0)
                return made;
        }
        return -1;
    }

    Section& section_;
    NodeTable* nodes_;
    std::vector<Held> held_; // by slot
    CommonElementIndex index_;
    std::function<int(int, int)> unite_;
    std::vector<int> near_;
    std::vector<std::pair<int, int>> pairs_;
    std::vector<char> wanted_; // by slot: rows the scan must look at
    std::vector<int> partners_;
};

} // namespace

void Section::DoClearCommonElements()
{
    Log::TheLog().Write("Section::DoClearCommonElements( )", Log::Cleaning);
    CommonScan scan(*this, nodes_);
    scan.DropTinyArcs();
    scan.Run([this](int a, int b) {
        if (IsLine(GetElement(a)) && IsLine(GetElement(b)))
            return UniteCommonLineSlots(a, b);
        return AreCommonSlots(a, b) ? UniteCommonSlots(a, b).GetIndex() : -1;
    });
}
