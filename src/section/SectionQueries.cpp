// What the view, printing, the layout engine and the duplication ask of a
// section: borders, boxes, extents, the centre and rule lengths. Each
// element answers for itself; placed answers come from the node table's
// current placement.
#include "section/Section.h"

#include "element/Element.h"
#include "element/ElementTypes.h"
#include "section/ElementNodeFields.h"
#include "support/Log.h"

#include <algorithm>

namespace {

bool IsBoard(const CElement& e)
{
    return e.GetTypeId() == ElementTypeId::Wood;
}

// Extends the borders by the element's extremes; with init they become them.
void Extend(SectionBorders& b, CElement& e, bool init)
{
    b.left = e.GetMinX(b.left, init);
    b.top = e.GetMaxY(b.top, init);
    b.right = e.GetMaxX(b.right, init);
    b.bottom = e.GetMinY(b.bottom, init);
}

// The die board's margins (left, top, right, bottom), by which the borders
// widen; they come with the die board's class.
SectionBorders BoardMargins(const CElement&)
{
    return {};
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
    Log::TheLog().Write("Section::GetSelectedBorders( double* ..)", Log::Section);
    SectionBorders b;
    bool first = true;
    for (CElement* e : *this) {
        if (!e->IsSelected() || IsBoard(*e))
            continue;
        Extend(b, *e, first);
        first = false;
    }
    return b;
}

SectionBorders Section::GetBorders(bool allInstances, bool addBoardMargins, bool skipNotInstanced) const
{
    Log::TheLog().Write("Section::GetBorders( double* ..)", Log::Section);
    SectionBorders b;
    bool first = true;
    const CElement* board = nullptr;
    std::vector<CElement*> counted;
    for (CElement* e : *this) {
        if (IsBoard(*e)) {
            board = e; // the last one counts
            continue;
        }
        if (skipNotInstanced && e->GetNotInstanced())
            continue;
        Extend(b, *e, first);
        first = false;
        counted.push_back(e);
    }
    if (allInstances) {
        ForEachInstance([&](int) {
            for (CElement* e : counted)
                Extend(b, *e, false);
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

void Section::GetBoundingBox(die::coord& min, die::coord& max, bool withInstances, bool includeBoard) const
{
    Log::TheLog().Write("Section::GetBoundingBox( die::coord& ..)", Log::Section);
    BoundingBox all;
    BoundingBox instanced;
    for (CElement* e : *this) {
        if (IsBoard(*e) && !includeBoard)
            continue;
        const die::coord low(e->GetMinX(0.0, true), e->GetMinY(0.0, true));
        const die::coord high(e->GetMaxX(0.0, true), e->GetMaxY(0.0, true));
        all.Extend(low);
        all.Extend(high);
        if (!e->GetNotInstanced()) {
            instanced.Extend(low);
            instanced.Extend(high);
        }
    }
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
    Log::TheLog().Write("Section::GetExtents( CInstance* )", Log::Section);
    BoundingBox box;
    UnderPlacement(instance, [&] {
        for (CElement* e : *this) {
            if (!IsBoard(*e))
                box.Unite(e->GetBoundingBox());
        }
    });
    return box;
}

double Section::GetCenterX() const
{
    Log::TheLog().Write("Section::GetCenterX()", Log::Section);
    return Middle(*this, &die::coord::x);
}

double Section::GetCenterY() const
{
    Log::TheLog().Write("Section::GetCenterY()", Log::Section);
    return Middle(*this, &die::coord::y);
}

double Section::GetLineLength(int lineType, int ptg) const
{
    Log::TheLog().Write("Section::GetLineLength( long, long )", Log::Section);
    double total = 0.0;
    for (CElement* e : *this) {
        if ((lineType != -1 && e->GetLineType() != lineType) || (ptg != 0 && e->GetPtg() != ptg))
            continue;
        const double length = e->GetFullLength();
        total += e->GetNotInstanced() ? length : length * GetInstanceCount();
    }
    return total;
}
