// Snap points of an arc (its middle, and with a reference point the touching
// point of a tangent from it) and the common tangent of two arcs.
#include "element/Arc.h"

#include "element/ElementNodes.h"
#include "element/SnapChoice.h"
#include "geometry/Geom.h"
#include "geometry/Instance.h"

#include <cmath>

using ElementNodes::Position;

namespace {
struct SnapKind {
    enum : int { Any = 0, Middle = 2, Tangent = 7 };
};

die::coord Polar(const die::coord& centre, double r, double angle)
{
    return centre + die::coord{std::cos(angle), std::sin(angle)} * r;
}
} // namespace

int CArc::GetSnapPoint(int kind, double x, double y, int mode, double refX, double refY, const CInstance* instance,
                       SnapRecord* out)
{
    const double length = GetFullLength();
    CNodePoint* c = ElementNodes::NodeOf(nodeTable, centerNode);
    if (!c || !currentStart)
        return 0;
    const bool any = kind == SnapKind::Any;
    SnapChoice choice(x, y);
    if (any || kind == SnapKind::Middle) {
        const die::coord middle = PointAlong(Position(*c), length / 2);
        choice.Offer(SnapKind::Middle, instance ? instance->Transform(middle) : middle);
    }
    if (mode == 2 && (any || kind == SnapKind::Tangent)) {
        const die::coord centre = ElementNodes::PositionIn(*c, instance);
        die::coord t1;
        die::coord t2;
        if (Geom::TangentPointsFromPoint(refX, refY, centre.x, centre.y, radius, t1.x, t1.y, t2.x, t2.y) != 0) {
            const die::coord pick{x, y};
            choice.Offer(SnapKind::Tangent, die::distance(pick, t1) < die::distance(pick, t2) ? t1 : t2);
        }
    }
    return choice.StoreIn(out);
}

int CArc::FindCommonTangent(CArc& other, double x1, double y1, double x2, double y2, double* out)
{
    Recalculate();
    other.Recalculate();
    Circle mine;
    Circle theirs;
    if (!GetCircle(mine) || !other.GetCircle(theirs))
        return 0;
    // S is the smaller arc (this one on equal radii), B the other.
    const bool thisIsSmall = radius <= other.radius;
    const Circle& S = thisIsSmall ? mine : theirs;
    const Circle& B = thisIsSmall ? theirs : mine;
    const die::coord pickS = thisIsSmall ? die::coord{x2, y2} : die::coord{x1, y1};
    const die::coord pickB = thisIsSmall ? die::coord{x1, y1} : die::coord{x2, y2};
    const double r1 = S.radius;
    const double r2 = B.radius;
    const double D = die::distance(S.centre, B.centre);
    if (D + r1 < r2 || D <= 0.0)
        return 0;

    struct Tangent {
        die::coord onS;
        die::coord onB;
        bool inner;
    };
    std::vector<Tangent> tangents;
    const die::coord toB = B.centre - S.centre;
    const double phi = Geom::VectorAngle(toB.y, toB.x);
    const double alpha = std::asin(std::clamp((r2 - r1) / D, -1.0, 1.0));
    const double L = std::sqrt(std::max(0.0, D * D - (r2 - r1) * (r2 - r1)));
    for (double sign : {1.0, -1.0}) {
        const die::coord onS = Polar(S.centre, r1, phi + sign * (alpha + Geom::kPi / 2));
        tangents.push_back({onS, Polar(onS, L, phi + sign * alpha), false});
    }
    if (D > r1 + r2) {
        const die::coord toS = S.centre - B.centre;
        const double psi = Geom::VectorAngle(toS.y, toS.x);
        const double beta = std::acos((r1 + r2) / D);
        const double L2 = std::sqrt(D * D - (r1 + r2) * (r1 + r2));
        for (double sign : {-1.0, 1.0}) {
            const die::coord onB = Polar(B.centre, r2, psi + sign * beta);
            tangents.push_back({Polar(onB, L2, psi + sign * beta - sign * Geom::kPi / 2), onB, true});
        }
    }

    const auto onArc = [](const Circle& arc, const die::coord& p) {
        return Geom::IsOnArcSweep(arc.centre.x, arc.centre.y, arc.start.x, arc.start.y, arc.end.x, arc.end.y, p.x,
                                  p.y, 0.0);
    };
    const Tangent* best = nullptr;
    double bestCost = 2147483647.0;
    for (const Tangent& t : tangents) {
        if (!onArc(S, t.onS) || !onArc(B, t.onB))
            continue;
        const double cost = die::distance(t.onS, pickS) + die::distance(t.onB, pickB);
        if (cost < bestCost) {
            bestCost = cost;
            best = &t;
        }
    }
    if (!best)
        return 0;
    const die::coord first = best->inner ? best->onB : best->onS;
    const die::coord second = best->inner ? best->onS : best->onB;
    out[0] = first.x;
    out[1] = first.y;
    out[2] = second.x;
    out[3] = second.y;
    return 1;
}
