// Selection, deleting the selection, and the property edit of the selection
// with its undo items. The die board never becomes selected here.
#include "section/Section.h"

#include "element/Element.h"
#include "element/ElementTypes.h"
#include "section/UndoItem.h"
#include "support/Log.h"

#include <algorithm>

namespace {
// mm: what placing a point may add by rounding, many times over.
constexpr double kRounding = 1e-6;
} // namespace

void Section::SelectElements(int mode)
{
    Log::TheLog().Trace(Log::Section);
    if (mode < 0 || mode > 2)
        return;
    for (CElement* e : *this) {
        if (!e->IsDieBoard())
            e->SetSelection(mode);
    }
}

void Section::Deselect()
{
    Log::TheLog().Trace(Log::Section);
    for (CElement* e : *this)
        e->SetSelection(0);
}

void Section::SelectAllInRect(double x1, double y1, double x2, double y2, int mode)
{
    Log::TheLog().Trace(Log::Section);
    const double left = std::min(x1, x2);
    const double right = std::max(x1, x2);
    const double bottom = std::min(y1, y2);
    const double top = std::max(y1, y2);
    // No element can pass under an instance whose placed box of the
    // elements stays clear of the rectangle (kept a little wider than the
    // placed nodes could stray by rounding).
    BoundingBox all;
    BoundingBox instanced;
    DesignBoxes(false, all, instanced);
    BoundingBox window;
    window.Extend(left - kRounding, bottom - kRounding);
    window.Extend(right + kRounding, top + kRounding);
    ForEachInstance([&](int i) {
        BoundingBox reach = GetInstance(i).PlaceBox(i == 0 ? all : instanced);
        reach.Intersect(window);
        if (reach.IsEmpty())
            return;
        for (CElement* e : *this) {
            // An element already selected stays so: no test needed.
            if (e->IsSelected() || e->IsDieBoard() || (i > 0 && e->GetNotInstanced()))
                continue;
            if (e->IsInRect(left, bottom, right, top, mode))
                e->SetSelection(1);
        }
    });
}

int Section::GetSelectedCount() const
{
    Log::TheLog().Trace(Log::Section);
    int count = 0;
    for (CElement* e : *this) {
        if (e->IsSelected() && !e->IsDieBoard())
            ++count;
    }
    return count;
}

void Section::DeleteSelectedElements()
{
    Log::TheLog().Trace(Log::Section);
    for (int i = 0; i < GetSlotsInUse(); ++i) {
        CElement* e = GetElement(i);
        if (e && e->IsSelected())
            DeleteElement(i);
    }
}

void Section::PrepareSelElements()
{
    Log::TheLog().Write("Section::PrepareSelElements()", Log::Section);
    preEdit_.clear();
    preEdit_.resize(static_cast<std::size_t>(GetSlotsInUse()));
    for (int i = 0; i < GetSlotsInUse(); ++i) {
        CElement* e = GetElement(i);
        if (!e || !e->IsSelected())
            continue;
        std::unique_ptr<CElement> copy = CreateElement(*e);
        if (copy)
            preEdit_[static_cast<std::size_t>(i)] = ExchangeSlot(i, std::move(copy));
    }
}

void Section::AddSelElementsToUndo(bool discard)
{
    Log::TheLog().Trace(Log::Section);
    std::vector<std::unique_ptr<CElement>> kept = std::move(preEdit_);
    preEdit_.clear();
    if (discard)
        return; // the kept elements go with the vector
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i]) {
            const int slot = static_cast<int>(i);
            Record(std::move(kept[i]), GetElement(slot), slot, UndoItem::Replaced, true);
        }
    }
}
