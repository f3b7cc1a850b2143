// Snap points of a line: middle, quarter and third points, ends, and with a
// reference point the foot of the perpendicular and the points level with it.
#include "element/Line.h"

#include "element/ElementNodes.h"
#include "element/SnapChoice.h"
#include "geometry/Geom.h"

#include <cmath>

namespace {
struct SnapKind {
    enum : int { Any = 0, Middle = 2, End = 3, Perpendicular = 4, AtX = 5, AtY = 6, Fraction = 8 };
};
} // namespace

int CLine::GetSnapPoint(int kind, double x, double y, int mode, double refX, double refY,
                        const CInstance* instance, SnapRecord* out)
{
    CNodePoint* sn = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* en = ElementNodes::NodeOf(nodeTable, endNode);
    if (!sn || !en)
        return 0;
    const die::coord s = ElementNodes::PositionIn(*sn, instance);
    const die::coord e = ElementNodes::PositionIn(*en, instance);
    const die::coord pick{x, y};
    const bool any = kind == SnapKind::Any;
    const bool withReference = mode == 2;
    SnapChoice choice(x, y);

    if (any || kind == SnapKind::Middle)
        choice.Offer(SnapKind::Middle, (s + e) / 2.0);
    if (any || kind == SnapKind::Fraction) {
        SnapChoice nearest(x, y);
        for (double f : {1.0 / 3, 1.0 / 4, 2.0 / 3, 3.0 / 4})
            nearest.Offer(SnapKind::Fraction, s + (e - s) * f);
        SnapRecord r;
        if (nearest.StoreIn(&r))
            choice.Offer(SnapKind::Fraction, {r.x, r.y});
    }
    if (any || kind == SnapKind::End)
        choice.Offer(SnapKind::End, die::distance(pick, s) < die::distance(pick, e) ? s : e);
    if (withReference && (any || kind == SnapKind::Perpendicular)) {
        die::coord foot;
        (void)Geom::FootOfPerpendicular(s.x, s.y, e.x, e.y, refX, refY, foot.x, foot.y); // always true
        choice.Offer(SnapKind::Perpendicular, foot);
    }
    // A line parallel to the y axis has no single point at a given x, one
    // parallel to the x axis none at a given y.
    if (withReference && (any || kind == SnapKind::AtX) && e.x != s.x)
        choice.Offer(SnapKind::AtX, {refX, s.y + (refX - s.x) * (e.y - s.y) / (e.x - s.x)});
    if (withReference && (any || kind == SnapKind::AtY) && e.y != s.y)
        choice.Offer(SnapKind::AtY, {s.x + (refY - s.y) * (e.x - s.x) / (e.y - s.y), refY});
    return choice.StoreIn(out);
}
