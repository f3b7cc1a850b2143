// The arc's display list, its preview drawing between the bridge gaps, its
// bridge marks, the fitted preview and its outline chords.
#include "element/Arc.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/DrawSegments.h"
#include "element/FittedPreview.h"
#include "element/ElementNodes.h"
#include "geometry/Geom.h"
#include "geometry/Instance.h"
#include "platform/DrawingObjects.h"

#include <cmath>

using ElementNodes::Position;

namespace {
constexpr double kTwoPi = 2 * Geom::kPi;
// Outline chords shorter than this (mm) are not made: the chord count is
// lowered until they reach it.
constexpr double kShortestChord = 0.01;

struct DeviceBox {
    platform::DevicePoint a;
    platform::DevicePoint b;
};

// The device box of the circle about c.
DeviceBox CircleBox(const DrawContext& dc, const die::coord& c, double r)
{
    return {dc.ToDevice({c.x - r, c.y + r}), dc.ToDevice({c.x + r, c.y - r})};
}

void DrawArcPiece(DrawContext& dc, const DeviceBox& box, const die::coord& from, const die::coord& to)
{
    const platform::DevicePoint f = dc.ToDevice(from);
    const platform::DevicePoint t = dc.ToDevice(to);
    dc.ArcDevice(box.a.x, box.a.y, box.b.x, box.b.y, f.x, f.y, t.x, t.y);
}
} // namespace

void CArc::RebuildContour()
{
    if (!displayDirty || !TakeCurrentNodes())
        return;
    BeginContour();
    displayList->AddArc(Position(*currentCenter), Position(*currentStart), Position(*currentEnd), -1);
    FinishContour();
}

// The pieces are handed to the device from their far end to their near end:
// counter-clockwise in model terms, which the previews' clockwise arc
// direction on the mirrored Y axis draws.
void CArc::Draw(DrawContext& dc)
{
    if (!dc.device)
        return;
    const double length = GetFullLength();
    if (!currentCenter)
        return;
    const die::coord plainCentre = Position(*currentCenter);
    const die::coord centre = dc.placement.Transform(plainCentre);
    const DeviceBox box = CircleBox(dc, centre, radius);
    for (const DrawSegment& piece : GapSegments(length, bridges, DrawsGaps(dc))) {
        if (piece.kind != DrawSegment::Rule)
            continue;
        const die::coord near = dc.placement.Transform(PointAlong(plainCentre, piece.from));
        const die::coord far = dc.placement.Transform(PointAlong(plainCentre, piece.to));
        DrawArcPiece(dc, box, far, near);
    }
}

void CArc::DrawBridges(int highlighted, DrawContext& dc)
{
    Recalculate();
    if (!dc.device || !currentCenter)
        return;
    if (iAutoBridges == BridgeMode::ByCount && (autoCount == 0 || lBridges == 0.0))
        return;
    const die::coord centre = Position(*currentCenter) + die::coord{dc.placement.dx, dc.placement.dy};
    const DeviceBox box = CircleBox(dc, centre, radius);
    for (int i = 0; i < bridges.Count(); ++i) {
        SelectBridgePen(dc, i == highlighted);
        DrawArcPiece(dc, box, PointAlong(centre, bridges[i].position + bridges[i].width),
                     PointAlong(centre, bridges[i].position));
    }
}

double CArc::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    if (!previewStart || !previewCenter)
        return dc.scale;
    const die::coord c = Position(*previewCenter);
    const double r = die::distance(c, Position(*previewStart));
    FitPreview(dc, rect, c, 2 * r, 2 * r);
    Draw(dc);
    return dc.scale;
}

void CArc::AddToOutline(OutlineBuilder* builder, int flags, double n, int lineTypeFilter, const CInstance* instance)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    CNodePoint* c = ElementNodes::NodeOf(nodeTable, centerNode);
    if (!s || !e || !c)
        return;
    const die::coord pc = Position(*c);
    const double r = die::distance(pc, Position(*s));
    // Fewer chords while they would be shorter than the shortest allowed,
    // lowered in whole steps as if one at a time.
    if (n > 2 && r * kTwoPi / n < kShortestChord) {
        n -= std::ceil(n - r * kTwoPi / kShortestChord);
        while (n > 2 && r * kTwoPi / n < kShortestChord)
            n -= 1;
    }
    if (!(n > 2))
        return;
    const double step = kTwoPi / n;
    const double thetaS = ElementNodes::Direction(*c, *s);
    const double thetaE = ElementNodes::Direction(*c, *e);
    double sweep = kTwoPi;
    if (startNode != endNode) {
        sweep = thetaS - thetaE;
        if (thetaE > thetaS)
            sweep += kTwoPi;
    }
    const die::coord placedCentre = ElementNodes::PositionIn(*c, instance);
    const auto at = [&](double theta) { return placedCentre + die::coord{std::cos(theta), std::sin(theta)} * r; };
    die::coord reached = at(thetaS);
    for (int k = 1; k * step < sweep; ++k) {
        const die::coord next = at(thetaS - k * step);
        AddSegmentToOutline(builder, reached.x, reached.y, next.x, next.y, flags, lineTypeFilter, instance);
        reached = next;
    }
    const die::coord last = at(thetaE);
    AddSegmentToOutline(builder, reached.x, reached.y, last.x, last.y, flags, lineTypeFilter, instance);
}
