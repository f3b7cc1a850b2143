#include "section/Section.h"

#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/UndoManager.h"
#include "options/Options.h"

#include <cmath>

ElementIterator::ElementIterator(const Section* section, int index) : section_(section), index_(index)
{
    SkipEmpty();
}

CElement* ElementIterator::Get() const
{
    return section_ ? section_->ElementAt(index_) : nullptr;
}

void ElementIterator::Next()
{
    ++index_;
    SkipEmpty();
}

void ElementIterator::SkipEmpty()
{
    while (section_ && index_ < section_->SlotCount() && !section_->ElementAt(index_))
        ++index_;
}

Section::Section(NodeTable* nodes, COptions* options, CUndoManager* undo, int context)
    : nodes_(nodes), options_(options), undo_(undo), context_(context)
{
    rows_.angle = 180.0;
    columns_.angle = 180.0;
    NewInstance(0.0, 0.0, 0.0);
}

Section::~Section() = default;

CElement* Section::ElementAt(int i) const
{
    return i >= 0 && i < SlotCount() ? slots_[static_cast<std::size_t>(i)].get() : nullptr;
}

int Section::FreeSlot()
{
    for (int i = 0; i < SlotCount(); ++i)
        if (!slots_[static_cast<std::size_t>(i)])
            return i;
    slots_.emplace_back();
    return SlotCount() - 1;
}

ElementIterator Section::Place(int slot, std::unique_ptr<CElement> element)
{
    CElement* made = element.get();
    made->SetBridgeMode(BridgeMode::ByRule);
    made->RefreshBridges();
    if (options_) {
        made->SetLineType(options_->GetLineType());
        made->SetPtg(options_->GetDefaultPtg());
    }
    made->SetSection(this);
    made->SetNotInstanced(avoidLayout_ && *avoidLayout_);
    slots_[static_cast<std::size_t>(slot)] = std::move(element);
    if (recording_ && undo_)
        (void)undo_->AddElementItem(nullptr, made, slot, NodeUndoRecorder::Added, this); // nothing to keep
    return ElementIterator(this, slot);
}

ElementIterator Section::AddLine3(double x1, double y1, double x2, double y2, bool merge)
{
    if (x1 == x2 && y1 == y2)
        return end();
    const int start = nodes_->AddPoint(x1, y1, merge);
    const int finish = nodes_->AddPoint(x2, y2, merge);
    if (start < 0 || finish < 0 || start == finish)
        return end();
    auto line = std::make_unique<CLine>(nodes_, options_, context_);
    line->SetStartNode(start);
    line->SetEndNode(finish);
    return Place(FreeSlot(), std::move(line));
}

ElementIterator Section::AddArc3(double cx, double cy, double sx, double sy, double ex, double ey, bool merge)
{
    const int centre = nodes_->AddPoint(cx, cy, merge);
    const int start = nodes_->AddPoint(sx, sy, merge);
    int finish = start;
    if (ex != sx || ey != sy) {
        // The end goes onto the circle through the start, in its own
        // direction from the centre.
        const double r = std::hypot(sx - cx, sy - cy);
        const double d = std::hypot(ex - cx, ey - cy);
        const double f = d > 0.0 ? r / d : 0.0;
        finish = nodes_->AddPoint(cx + (ex - cx) * f, cy + (ey - cy) * f, merge);
    }
    if (centre < 0 || start < 0 || finish < 0)
        return end();
    auto arc = std::make_unique<CArc>(nodes_, options_, context_);
    arc->SetCenterNode(centre);
    arc->SetStartNode(start);
    arc->SetEndNode(finish);
    arc->Recalculate();
    return Place(FreeSlot(), std::move(arc));
}

void Section::DeleteElement(CElement* element)
{
    for (int i = 0; i < SlotCount(); ++i) {
        auto& slot = slots_[static_cast<std::size_t>(i)];
        if (slot.get() != element)
            continue;
        std::unique_ptr<CElement> removed = std::move(slot);
        if (undo_)
            (void)undo_->AddElementItem(std::move(removed), nullptr, i, NodeUndoRecorder::Removed, this);
        // Without an open step (or an undo manager) the element goes here.
        return;
    }
}
