// Instances (step and repeat) and their replica placements.
#include "section/Section.h"

#include "element/NodeTable.h"
#include "geometry/GeomConstants.h"
#include "support/Log.h"

#include <cmath>

void Section::NewInstance(double dx, double dy, double angleDegrees)
{
    Log::TheLog().Trace(Log::Section);
    // The capacity is the section's reported figure; the list itself grows
    // as vectors do, so reading a drawing of many instances stays linear.
    if (GetInstanceCount() + 1 >= instanceCapacity_)
        instanceCapacity_ += kInstanceCapacityStep;
    CInstance instance(false);
    instance.dx = dx;
    instance.dy = dy;
    instance.angle = angleDegrees;
    instances_.push_back(instance);
}

void Section::ClearInstances()
{
    instances_.clear();
}

CInstance& Section::GetInstance(int i)
{
    Q_ASSERT(i >= 0 && i < GetInstanceCount());
    return instances_[static_cast<std::size_t>(i)];
}

const CInstance& Section::GetInstance(int i) const
{
    Q_ASSERT(i >= 0 && i < GetInstanceCount());
    return instances_[static_cast<std::size_t>(i)];
}

bool Section::SetCenterOfInstances()
{
    Log::TheLog().Trace(Log::Section);
    const SectionBorders b = GetBorders(false, false, true);
    for (CInstance& instance : instances_) {
        instance.identity = false;
        instance.centreX = (b.left + b.right) / 2;
        instance.centreY = (b.top + b.bottom) / 2;
    }
    return true;
}

void Section::recreate_replicas()
{
    Log::TheLog().Trace(Log::Section);
    replicas_.Clear();
    for (int i = 1; i < GetInstanceCount(); ++i) {
        const CInstance& instance = instances_[static_cast<std::size_t>(i)];
        // The turn about the instance's centre is a turn about the origin
        // followed by the shift that brings the centre back.
        const double a = Geom::DegToRad(instance.angle);
        const double c = std::cos(a);
        const double s = std::sin(a);
        const double x = instance.centreX - (c * instance.centreX - s * instance.centreY) + instance.dx;
        const double y = instance.centreY - (s * instance.centreX + c * instance.centreY) + instance.dy;
        replicas_.Add({x, y}, a, i);
    }
}

void Section::ForEachInstance(const std::function<void(int index)>& fn) const
{
    const CInstance* previous = nodes_->GetCurrentPlacement();
    for (int i = 0; i < GetInstanceCount(); ++i) {
        nodes_->SetCurrentPlacement(&instances_[static_cast<std::size_t>(i)]);
        fn(i);
    }
    nodes_->SetCurrentPlacement(previous);
}

void Section::UnderPlacement(const CInstance* placement, const std::function<void()>& fn) const
{
    const CInstance* previous = nodes_->GetCurrentPlacement();
    nodes_->SetCurrentPlacement(placement);
    fn();
    nodes_->SetCurrentPlacement(previous);
}
