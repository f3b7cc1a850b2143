// The ellipse's display list, its preview drawing between the bridge gaps,
// its bridge marks, the fitted preview and its outline chords.
#include "element/Ellipse.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/ElementNodes.h"
#include "element/FittedPreview.h"
#include "geometry/Geom.h"
#include "geometry/Instance.h"
#include "platform/Device.h"
#include "platform/DrawingObjects.h"

#include <algorithm>
#include <cmath>

using ElementNodes::Position;

namespace {
constexpr double kTwoPi = Geom::kTwoPi;
// The chord step of the preview walk: one degree of polar angle.
constexpr double kWalkStep = 0.017453292519943295;
// Steps per full turn of the display list's ellipse figure.
constexpr int kContourResolution = 180;
// Outline chords per turn are held to this, so that a wild setting cannot
// stall the outline.
constexpr double kMostOutlineChords = 100000.0;

double Wrapped(double a)
{
    return Angle::Normalize(a);
}

die::coord Placed(const DrawContext& dc, const die::coord& p)
{
    return dc.placement.identity ? p : dc.placement.Transform(p);
}
} // namespace

void CEllipse::RebuildContour()
{
    // Every paint asks: a clean display list costs nothing more.
    if (!displayDirty)
        return;
    Shape s;
    const NodeSet n = TableNodes();
    if (!ShapeOf(n, s))
        return;
    displayList->Begin(LineType, 0, kContourResolution, ptg);
    die::coord axis = Position(*n[MajorSlot]) - s.centre;
    if (std::fabs(axis.x) < 1e-6 && std::fabs(axis.y) < 1e-6)
        axis = {1.0, 0.0};
    else
        axis = axis.Normalized();
    displayList->AddEllipse(s.centre, axis, {s.a, s.b}, Position(*n[StartSlot]) - s.centre,
                            Position(*n[EndSlot]) - s.centre, -1);
    FinishContour();
}

die::coord CEllipse::WalkArc(DrawContext& dc, const die::coord& from, const die::coord& to, double target, bool draw)
{
    Shape s;
    if (!CurrentShape(s))
        return from;
    const bool placed = !dc.placement.identity;
    const die::coord centre = Placed(dc, s.centre);
    const double turn = placed ? Wrapped(dc.placement.angle / 57.29577951308232) : 0.0;
    // The ellipse point in a drawing direction: the model direction is the
    // drawing one less the placement's turn.
    const auto pointAt = [&](double angle) {
        return placed ? Placed(dc, s.At(Wrapped(Wrapped(angle) - turn))) : s.At(angle);
    };
    double first = Geom::VectorAngle(from.y - centre.y, from.x - centre.x);
    const double last = Geom::VectorAngle(to.y - centre.y, to.x - centre.x);
    if (from == to)
        first -= 0.001; // a whole turn
    const double sweep = last <= first ? first - last : first + kTwoPi - last;
    const bool toTarget = target != -1.0;

    double sum = 0.0;
    double best = std::fabs(target);
    double swept = 0.0;
    double angle = first;
    die::coord reached = pointAt(first);
    while (swept < sweep) {
        double next = angle - kWalkStep;
        if (next < 0.0)
            next += kTwoPi;
        const die::coord p = pointAt(next);
        const double chord = die::distance(reached, p);
        if (toTarget) {
            // Stop where the chord sum came nearest to the target.
            const double miss = std::fabs(target - (sum + chord));
            if (miss > best)
                return reached;
            best = miss;
        }
        sum += chord;
        if (draw && dc.device) {
            dc.device->moveTo(dc.ToDevice(reached));
            const platform::DevicePoint q = dc.ToDevice(p);
            dc.SelectLineTo(q.x, q.y);
        }
        reached = p;
        angle = next;
        swept += kWalkStep;
    }
    const die::coord end = pointAt(last);
    if (draw && dc.device) {
        dc.device->moveTo(dc.ToDevice(reached));
        const platform::DevicePoint q = dc.ToDevice(end);
        dc.SelectLineTo(q.x, q.y);
    }
    return end;
}

std::vector<CEllipse::DrawSegment> CEllipse::BuildDrawSegments(DrawContext& dc)
{
    std::vector<DrawSegment> list;
    if (!TakeCurrentNodes())
        return list;
    const die::coord start = Placed(dc, Position(*currentNodes[StartSlot]));
    const die::coord end = Placed(dc, Position(*currentNodes[EndSlot]));
    if (!DrawsGaps(dc)) {
        list.push_back({start, end, DrawSegment::Rule});
        return list;
    }
    die::coord current = start;
    for (int i = 0; i < bridges.Count(); ++i) {
        const double gap = i == 0 ? bridges[0].position
                                  : bridges[i].position - bridges[i - 1].position - bridges[i - 1].width;
        const die::coord gapStart = WalkArc(dc, current, end, gap, false);
        list.push_back({current, gapStart, DrawSegment::Rule});
        current = WalkArc(dc, gapStart, end, bridges[i].width, false);
        list.push_back({gapStart, current, DrawSegment::Gap});
    }
    list.push_back({current, end, DrawSegment::Rule});
    return list;
}

void CEllipse::Draw(DrawContext& dc)
{
    if (!dc.device)
        return;
    for (const DrawSegment& piece : BuildDrawSegments(dc))
        if (piece.kind == DrawSegment::Rule)
            (void)WalkArc(dc, piece.from, piece.to, -1.0, true);
}

void CEllipse::DrawBridges(int highlighted, DrawContext& dc)
{
    if (!dc.device || !TakeCurrentNodes() || bridges.Count() == 0)
        return;
    if (iAutoBridges == BridgeMode::ByCount && (autoCount == 0 || lBridges == 0.0))
        return;
    die::coord current = Placed(dc, Position(*currentNodes[StartSlot]));
    const die::coord end = Placed(dc, Position(*currentNodes[EndSlot]));
    for (int i = 0; i < bridges.Count(); ++i) {
        const double gap = i == 0 ? bridges[0].position
                                  : bridges[i].position - bridges[i - 1].position - bridges[i - 1].width;
        current = WalkArc(dc, current, end, gap, false);
        SelectBridgePen(dc, highlighted != -1 && i == highlighted);
        current = WalkArc(dc, current, end, bridges[i].width, true);
    }
}

// Only a preview element has the nodes it is drawn from; any other draws
// nothing.
double CEllipse::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    if (!preview || std::any_of(previewNodes.begin(), previewNodes.end(), [](CNodePoint* n) { return !n; }))
        return dc.scale;
    const die::coord c = Position(*previewNodes[CentreSlot]);
    const double r = std::max(die::distance(c, Position(*previewNodes[MajorSlot])),
                              die::distance(c, Position(*previewNodes[MinorSlot])));
    FitPreview(dc, rect, c, 2 * r, 2 * r);
    Draw(dc);
    return dc.scale;
}

void CEllipse::AddToOutline(OutlineBuilder* builder, int flags, double n, int lineTypeFilter,
                            const CInstance* instance)
{
    const NodeSet nodes = TableNodes();
    Shape s;
    if (!ShapeOf(nodes, s) || !(n >= 1.0))
        return;
    n = std::min(n, kMostOutlineChords);
    const double step = kTwoPi / n;
    const double thetaS = ElementNodes::Direction(*nodes[CentreSlot], *nodes[StartSlot]);
    const double thetaE = ElementNodes::Direction(*nodes[CentreSlot], *nodes[EndSlot]);
    double sweep = kTwoPi;
    if (startNode != endNode) {
        sweep = thetaS - thetaE;
        if (thetaE > thetaS)
            sweep += kTwoPi;
    }
    // About the centre's placed position, the axes unchanged.
    s.centre = ElementNodes::PositionIn(*nodes[CentreSlot], instance);
    die::coord reached = s.At(thetaS);
    for (int k = 1; k * step < sweep; ++k) {
        const die::coord next = s.At(thetaS - k * step);
        AddSegmentToOutline(builder, reached.x, reached.y, next.x, next.y, flags, lineTypeFilter, instance);
        reached = next;
    }
    const die::coord last = s.At(thetaE);
    AddSegmentToOutline(builder, reached.x, reached.y, last.x, last.y, flags, lineTypeFilter, instance);
}
