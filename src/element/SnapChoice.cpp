#include "element/SnapChoice.h"

#include "geometry/GeomBasics.h"

void SnapChoice::Offer(int kind, const die::coord& p)
{
    const double d = die::distance(p, pick_);
    if (found_ && !(d < distance_))
        return;
    found_ = true;
    kind_ = kind;
    point_ = p;
    distance_ = d;
}

int SnapChoice::StoreIn(SnapRecord* out) const
{
    if (!found_ || !out)
        return 0;
    out->kind = kind_;
    out->x = point_.x;
    out->y = point_.y;
    out->marker = Geom::SnapResultCode(kind_);
    return 1;
}
