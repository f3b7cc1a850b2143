// The line's display list, its preview drawing with bridge gaps and arrow
// heads, its bridge marks, the fitted preview and its outline segment.
#include "element/Line.h"

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
constexpr int kArrowAtStart = 17;
constexpr int kArrowAtEnd = 18;
constexpr int kArrowsAtBoth = 19;
constexpr double kArrowLength = 5.0; // mm
constexpr double kArrowSpread = 0.25; // radians either side of the line

double Reduced(double a)
{
    while (a >= 2 * Geom::kPi)
        a -= 2 * Geom::kPi;
    while (a < 0.0)
        a += 2 * Geom::kPi;
    return a;
}

// An open "V" of two strokes meeting at the tip, opening towards theta.
void DrawArrowHead(DrawContext& dc, const die::coord& tip, double theta)
{
    const double a = Reduced(theta - kArrowSpread);
    const double b = Reduced(theta + kArrowSpread);
    dc.device->moveTo(dc.ToDevice(tip + die::coord{std::cos(a), std::sin(a)} * kArrowLength));
    dc.LineToPoint(tip);
    dc.LineToPoint(tip + die::coord{std::cos(b), std::sin(b)} * kArrowLength);
}
} // namespace

void CLine::RebuildContour()
{
    if (!displayDirty || !TakeCurrentNodes())
        return;
    BeginContour();
    displayList->AddLine(Position(*currentStart), Position(*currentEnd), -1);
    FinishContour();
}

void CLine::Draw(DrawContext& dc)
{
    if (!dc.device || !TakeCurrentNodes())
        return;
    const die::coord plainStart = Position(*currentStart);
    const die::coord plainEnd = Position(*currentEnd);
    const die::coord s = dc.placement.Transform(plainStart);
    const die::coord e = dc.placement.Transform(plainEnd);
    const bool gaps = DrawsGaps(dc);
    const double length = die::distance(s, e);
    if (!gaps || Geom::PointsDiffer(s, e)) {
        const auto at = [&](double d) { return length > 0.0 ? s + (e - s) * (d / length) : s; };
        for (const DrawSegment& piece : GapSegments(length, bridges, gaps)) {
            if (piece.kind == DrawSegment::Rule)
                dc.Line(at(piece.from), at(piece.to));
        }
    }

    const double turn = dc.placement.identity ? 0.0 : dc.placement.angle * Geom::kPi / 180.0;
    if (LineType == kArrowAtStart || LineType == kArrowsAtBoth) {
        const die::coord d = plainEnd - plainStart;
        DrawArrowHead(dc, s, Reduced(Geom::VectorAngle(d.y, d.x) + turn));
    }
    if (LineType == kArrowAtEnd || LineType == kArrowsAtBoth) {
        const die::coord d = plainStart - plainEnd;
        DrawArrowHead(dc, e, Reduced(Geom::VectorAngle(d.y, d.x) + turn));
    }
}

void CLine::DrawBridges(int highlighted, DrawContext& dc)
{
    if (!dc.device || !TakeCurrentNodes())
        return;
    const die::coord s = Position(*currentStart);
    const die::coord e = Position(*currentEnd);
    if (!Geom::PointsDiffer(s, e))
        return;
    const double length = die::distance(s, e);
    const die::coord offset{dc.placement.dx, dc.placement.dy};
    const auto at = [&](double d) { return s + (e - s) * (d / length) + offset; };
    for (int i = 0; i < bridges.Count(); ++i) {
        SelectBridgePen(dc, i == highlighted);
        dc.device->moveTo(dc.ToDevice(at(bridges[i].position)));
        const platform::DevicePoint to = dc.ToDevice(at(bridges[i].position + bridges[i].width));
        dc.SelectLineTo(to.x, to.y);
    }
}

double CLine::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    if (!previewStart || !previewEnd)
        return dc.scale;
    const die::coord s = Position(*previewStart);
    const die::coord e = Position(*previewEnd);
    FitPreview(dc, rect, (s + e) / 2.0, std::fabs(s.x - e.x), std::fabs(s.y - e.y));
    Draw(dc);
    return dc.scale;
}

void CLine::AddToOutline(OutlineBuilder* builder, int flags, double, int lineTypeFilter, const CInstance* instance)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return;
    const die::coord a = ElementNodes::PositionIn(*s, instance);
    const die::coord b = ElementNodes::PositionIn(*e, instance);
    AddSegmentToOutline(builder, a.x, a.y, b.x, b.y, flags, lineTypeFilter, instance);
}
