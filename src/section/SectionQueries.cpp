// What the view, printing, the layout engine and the duplication ask of a
// section: borders, boxes, extents, the centre and rule lengths. Each
// element answers for itself; placed answers come from the node table's
// current placement.
#include "section/Section.h"

#include "element/Element.h"
#include "element/ElementTypes.h"
#include "element/NodeTable.h"
#include "element/Wood.h"
#include "section/ElementNodeFields.h"
#include "support/Log.h"

#include <algorithm>

namespace {

// Extends the borders by the element's extremes; with init they become them.
void Extend(SectionBorders& b, CElement& e, bool init)
{
    b.left = e.GetMinX(b.left, init);
    b.top = e.GetMaxY(b.top, init);
    b.right = e.GetMaxX(b.right, init);
    b.bottom = e.GetMinY(b.bottom, init);
}

// Widens the borders by others; with init they become them.
void Unite(SectionBorders& b, const SectionBorders& other, bool init)
{
    if (init) {
        b = other;
        return;
    }
    b.left = std::min(b.left, other.left);
    b.top = std::max(b.top, other.top);
    b.right = std::max(b.right, other.right);
    b.bottom = std::min(b.bottom, other.bottom);
}

// The die board's margins (left, top, right, bottom), by which the borders
// widen.
SectionBorders BoardMargins(const CElement& board)
{
    const auto* wood = dynamic_cast<const CWood*>(&board);
    if (!wood)
        return {};
    const WoodValues& v = wood->Values();
    return {v.leftMargin, v.topMargin, v.rightMargin, v.bottomMargin};
}

// The middle of the range of one coordinate over the elements' defining
// nodes; the origin always counts.
double Middle(const Section& section, double die::coord::*axis)
{
    double low = 0.0;
    double high = 0.0;
    for (CElement* e : section) {
        for (int node : ElementNodeFields::CentreNodes(*e)) {
            const double v = section.Point(node).*axis;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return (low + high) * 0.5;
}

} // namespace

SectionBorders Section::GetSelectedBorders() const
{
    Log::TheLog().Trace(Log::Section);
    SectionBorders b;
    bool first = true;
    for (CElement* e : *this) {
        if (!e->IsSelected() || e->IsDieBoard())
            continue;
        Extend(b, *e, first);
        first = false;
    }
    return b;
}

SectionBorders Section::GetBorders(bool allInstances, bool addBoardMargins, bool skipNotInstanced) const
{
    Log::TheLog().Trace(Log::Section);
    SectionBorders b;
    bool first = true;
    const CElement* board = nullptr;
    std::vector<CElement*> counted;
    // The instanced elements' box where they stand: taken from the first
    // pass when no placement is current, else asked for once more.
    const bool unplaced = nodes_->GetCurrentPlacement() == nullptr;
    BoundingBox instanced;
    for (CElement* e : *this) {
        if (e->IsDieBoard()) {
            board = e; // the last one counts
            continue;
        }
        if (skipNotInstanced && e->GetNotInstanced())
            continue;
        SectionBorders own;
        Extend(own, *e, true);
        if (unplaced && !e->GetNotInstanced()) {
            instanced.Extend(own.left, own.bottom);
            instanced.Extend(own.right, own.top);
        }
        Unite(b, own, first);
        first = false;
        counted.push_back(e);
    }
    if (allInstances && !counted.empty()) {
        if (!unplaced) {
            BoundingBox all;
            DesignBoxes(false, all, instanced);
        }
        // An element not instanced has its own extremes under every
        // instance: those are in already. Under an instance that keeps the
        // axes the instanced elements' extremes are their box placed; under
        // any other the elements are asked one by one.
        ForEachInstance([&](int i) {
            const CInstance& instance = GetInstance(i);
            if (!instance.KeepsAxes()) {
                for (CElement* e : counted)
                    Extend(b, *e, false);
                return;
            }
            const BoundingBox placed = instance.PlaceBox(instanced);
            if (!placed.IsEmpty())
                Unite(b, {placed.minX, placed.maxY, placed.maxX, placed.minY}, false);
        });
    }
    if (addBoardMargins && board) {
        const SectionBorders margins = BoardMargins(*board);
        b.left -= margins.left;
        b.top += margins.top;
        b.right += margins.right;
        b.bottom -= margins.bottom;
    }
    return b;
}

void Section::DesignBoxes(bool includeBoard, BoundingBox& all, BoundingBox& instanced) const
{
    UnderPlacement(nullptr, [&] {
        for (CElement* e : *this) {
            if (e->IsDieBoard() && !includeBoard)
                continue;
            const BoundingBox box = e->GetBoundingBox();
            all.Unite(box);
            if (!e->GetNotInstanced())
                instanced.Unite(box);
        }
    });
}

void Section::GetBoundingBox(die::coord& min, die::coord& max, bool withInstances, bool includeBoard) const
{
    Log::TheLog().Trace(Log::Section);
    BoundingBox all;
    BoundingBox instanced;
    DesignBoxes(includeBoard, all, instanced);
    if (withInstances && !instanced.IsEmpty()) {
        // Offsets only: the instances' turns are not applied here.
        for (int i = 1; i < GetInstanceCount(); ++i) {
            const CInstance& instance = GetInstance(i);
            all.Extend(instanced.minX + instance.dx, instanced.minY + instance.dy);
            all.Extend(instanced.maxX + instance.dx, instanced.maxY + instance.dy);
        }
    }
    min = all.GetMin();
    max = all.GetMax();
}

BoundingBox Section::GetExtents(const CInstance* instance) const
{
    Log::TheLog().Trace(Log::Section);
    BoundingBox box;
    UnderPlacement(instance, [&] {
        for (CElement* e : *this) {
            if (!e->IsDieBoard())
                box.Unite(e->GetBoundingBox());
        }
    });
    return box;
}

double Section::GetCenterX() const
{
    Log::TheLog().Trace(Log::Section);
    return Middle(*this, &die::coord::x);
}

double Section::GetCenterY() const
{
    Log::TheLog().Trace(Log::Section);
    return Middle(*this, &die::coord::y);
}

double Section::GetLineLength(int lineType, int ptg) const
{
    Log::TheLog().Trace(Log::Section);
    return GetRuleLength(lineType, ptg == 0 ? std::nullopt : std::optional<int>(ptg));
}

double Section::GetRuleLength(int lineType, std::optional<int> ptg) const
{
    double total = 0.0;
    for (CElement* e : *this) {
        if ((lineType != -1 && e->GetLineType() != lineType) || (ptg && e->GetPtg() != *ptg))
            continue;
        const double length = e->GetFullLength();
        total += e->GetNotInstanced() ? length : length * GetInstanceCount();
    }
    return total;
}
