#include "element/OutlineBuilder.h"

#include "geometry/GeomBasics.h"

void OutlineBuilder::SetClipWindow(const BoundingBox& window)
{
    window_ = window;
    clipping_ = true;
}

int OutlineBuilder::AddSegment(double x1, double y1, double x2, double y2, const CElement* owner, int flags,
                               bool cutRule, const CInstance* placement)
{
    if (clipping_) {
        const auto inside = [&](double x, double y) {
            return Geom::IsPointInRect(x, y, window_.minX, window_.minY, window_.maxX, window_.maxY);
        };
        if (!inside(x1, y1) && !inside(x2, y2))
            return -1;
    }
    Segment s;
    s.from = {x1, y1};
    s.to = {x2, y2};
    s.owner = owner;
    s.flags = flags;
    s.cutRule = cutRule;
    if (placement)
        s.placement = *placement;
    segments_.push_back(s);
    return static_cast<int>(segments_.size()) - 1;
}
