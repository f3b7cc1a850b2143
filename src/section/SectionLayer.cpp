// A section as a layer: its placements, borders and upkeep of its elements.
#include "section/Section.h"

#include "element/Element.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/UndoManager.h"

void Section::NewInstance(double dx, double dy, double angle)
{
    CInstance instance;
    instance.dx = dx;
    instance.dy = dy;
    instance.angle = angle;
    instances_.push_back(instance);
}

bool Section::GetBorders(double& left, double& top, double& right, double& bottom, bool allInstances,
                         bool skipNotInstanced) const
{
    left = top = right = bottom = 0.0;
    bool first = true;
    for (auto it = begin(); it.NotEqual(end()); it.Next()) {
        CElement* e = it.Get();
        if (e->GetTypeId() == ElementTypeId::Wood || (skipNotInstanced && e->GetNotInstanced()))
            continue;
        left = e->GetMinX(left, first);
        top = e->GetMaxY(top, first);
        right = e->GetMaxX(right, first);
        bottom = e->GetMinY(bottom, first);
        first = false;
        if (!allInstances)
            continue;
        for (const CInstance& instance : instances_) {
            nodes_->SetCurrentPlacement(&instance);
            left = e->GetMinX(left, false);
            top = e->GetMaxY(top, false);
            right = e->GetMaxX(right, false);
            bottom = e->GetMinY(bottom, false);
        }
        nodes_->SetCurrentPlacement(nullptr);
    }
    return !first;
}

bool Section::SetCenterOfInstances()
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    (void)GetBorders(left, top, right, bottom, false, true); // all 0 without elements
    for (CInstance& instance : instances_) {
        instance.identity = false;
        instance.centreX = (left + right) / 2.0;
        instance.centreY = (top + bottom) / 2.0;
    }
    return true;
}

void Section::UpdateElements()
{
    for (auto it = begin(); it.NotEqual(end()); it.Next())
        it.Get()->Recalculate();
}

void Section::RefreshAllBridges()
{
    for (auto it = begin(); it.NotEqual(end()); it.Next())
        it.Get()->RefreshBridges();
}

namespace {
// Lines shorter than this (mm) have no length.
constexpr double kNullLength = 1e-6;
} // namespace

void Section::ClearNullLengthLines()
{
    for (auto it = begin(); it.NotEqual(end()); it.Next()) {
        auto* line = dynamic_cast<CLine*>(it.Get());
        if (line == nullptr)
            continue;
        CNodePoint* a = nodes_->GetNode(line->GetStartNode());
        CNodePoint* b = nodes_->GetNode(line->GetEndNode());
        if (a == nullptr || b == nullptr || a->DistanceTo(*b) < kNullLength)
            DeleteElement(line);
    }
}

ElementIterator Section::Adopt(std::unique_ptr<CElement> element)
{
    const int slot = FreeSlot();
    CElement* made = element.get();
    made->SetSection(this);
    slots_[static_cast<std::size_t>(slot)] = std::move(element);
    if (recording_ && undo_)
        (void)undo_->AddElementItem(nullptr, made, slot, NodeUndoRecorder::Added, this); // nothing to keep
    return ElementIterator(this, slot);
}
