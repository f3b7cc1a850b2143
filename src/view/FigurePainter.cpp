#include "view/FigurePainter.h"

#include "geometry/Angle.h"
#include "display/DisplayList.h"
#include "geometry/GeomConstants.h"
#include "linetype/LinetypeTable.h"
#include "geometry/PlacementList.h"
#include "platform/Device.h"

#include <algorithm>
#include <cmath>

namespace {

// Device coordinates stay far from the int limits, so that adding an origin
// cannot overflow.
die::coord PointOf(const OutputNode& node)
{
    return {node.x, node.y};
}

// One pixel at p: a line to the next pixel, which LineTo leaves out.
void Dot(platform::Device& dc, platform::DevicePoint p)
{
    dc.moveTo(p);
    dc.lineTo(p.x + 1, p.y);
}

} // namespace

platform::ArcDirection ArcDirectionFor(const ViewMapping& mapping)
{
    // Either mirror turns the model's counter-clockwise round on the device.
    return mapping.mirrored != mapping.yDown ? platform::ArcDirection::Clockwise
                                             : platform::ArcDirection::CounterClockwise;
}

FigurePainter::FigurePainter(platform::Device& dc, const LinetypeTable& linetypes, const ViewMapping& mapping)
    : dc_(dc), linetypes_(linetypes), mapping_(mapping), xScale_(mapping.mirrored ? -mapping.scale : mapping.scale),
      yScale_(mapping.yDown ? mapping.scale : -mapping.scale)
{
    dc_.setArcDirection(ArcDirectionFor(mapping));
}

void FigurePainter::DrawFigure(const DisplayFigure& figure, const Placement* replica)
{
    DrawOutput(figure.kind, figure.outputKind, figure.output, replica);
}

void FigurePainter::DrawOutput(int kind, int outputKind, std::span<const OutputNode> out, const Placement* replica)
{
    if (kind < FigureKind::Line || kind > FigureKind::Text || out.empty())
        return;
    switch (outputKind) {
    case OutputKind::Polyline:
        DrawCodedPath(out, replica);
        break;
    case OutputKind::WaveArcs:
        DrawWavePath(out, replica);
        break;
    case OutputKind::Arc:
        if (kind == FigureKind::Arc)
            DrawArcPieces(out, replica);
        break;
    default:
        break;
    }
}

void FigurePainter::DrawList(const DisplayList& list, LinetypeTable& linetypes, int mode, const Placement* replica)
{
    for (const DisplayFigure& figure : list.Figures()) {
        linetypes.SetCurrent(figure.lineType);
        if (mode == DisplayMode::SpecialLineTypes)
            linetypes.SetPatternPens();
        linetypes.SelectCurrentPen(dc_);
        DrawFigure(figure, replica);
    }
    linetypes.ReleasePen(dc_);
}

void FigurePainter::DrawCodedPath(std::span<const OutputNode> out, const Placement* replica)
{
    // Most figures are one straight stroke: the calls of the loop below
    // without its bookkeeping.
    if (out.size() == 2 && out[1].code == OutputCode::Draw) {
        const platform::DevicePoint from = Convert(PointOf(out[0]), replica);
        const platform::DevicePoint to = Convert(PointOf(out[1]), replica);
        dc_.moveTo(from);
        dc_.lineTo(to);
        if (from == to)
            Dot(dc_, to);
        return;
    }
    platform::DevicePoint at = Convert(PointOf(out[0]), replica);
    dc_.moveTo(at);
    // A figure whose strokes all begin and end in one pixel would leave
    // nothing: it is drawn as that pixel.
    bool strokes = false;
    bool drew = false;
    for (std::size_t i = 1; i < out.size(); ++i) {
        const platform::DevicePoint p = Convert(PointOf(out[i]), replica);
        switch (out[i].code) {
        case OutputCode::Move:
            dc_.moveTo(p);
            break;
        case OutputCode::Draw:
            dc_.lineTo(p);
            break;
        case OutputCode::DrawPen0:
        case OutputCode::DrawPen1:
            linetypes_.SelectPatternPen(dc_, out[i].code == OutputCode::DrawPen0 ? 0 : 1);
            dc_.lineTo(p);
            break;
        default:
            continue;
        }
        if (out[i].code != OutputCode::Move) {
            strokes = true;
            drew = drew || p != at;
        }
        at = p;
    }
    if (strokes && !drew)
        Dot(dc_, at);
}

// A record of code 2 announces a half-wave given by the next three records:
// the centre, (radius, direction ±1) and (start angle, sweep) in radians.
void FigurePainter::DrawWavePath(std::span<const OutputNode> out, const Placement* replica)
{
    platform::DevicePoint at = Convert(PointOf(out[0]), replica);
    dc_.moveTo(at);
    bool drew = false;
    std::size_t i = 1;
    while (i < out.size()) {
        if (out[i].code != OutputCode::Draw || i + 3 >= out.size()) {
            at = Convert(PointOf(out[i]), replica);
            dc_.moveTo(at);
            ++i;
            continue;
        }
        const platform::DevicePoint centre = Convert(PointOf(out[i + 1]), replica);
        const double radius = out[i + 2].x;
        double sign = out[i + 2].y;
        double start = Angle::Normalize(out[i + 3].x + (replica ? replica->angle : 0.0));
        const double sweep = Angle::Normalize(out[i + 3].y);
        if (mapping_.mirrored) {
            start = Geom::kPi - start;
            if (start < 0.0)
                start += Geom::kTwoPi;
            sign = -sign;
        }
        if (mapping_.yDown) {
            start = Angle::Normalize(-start);
            sign = -sign;
        }
        const int deviceRadius = mapping_.ToDeviceLength(radius);
        dc_.angleArc(centre.x, centre.y, deviceRadius, Geom::RadToDeg(start), sign * Geom::RadToDeg(sweep));
        drew = drew || deviceRadius > 0;
        at = centre;
        i += 4;
    }
    // Half-waves smaller than a pixel: the wave as one pixel.
    if (!drew)
        Dot(dc_, at);
}

// Records 0 and 1 are the centre and (radius, 0); the pieces follow as
// (start, end) pairs, each running clockwise from its start to its end.
void FigurePainter::DrawArcPieces(std::span<const OutputNode> out, const Placement* replica)
{
    if (out.size() < 2)
        return;
    const die::coord centre = replica ? replica->Place(PointOf(out[0])) : PointOf(out[0]);
    const double radius = out[1].x;
    const platform::DevicePoint corner1 = mapping_.ToDevice({centre.x - radius, centre.y + radius});
    const platform::DevicePoint corner2 = mapping_.ToDevice({centre.x + radius, centre.y - radius});
    // A circle whose box is at most one pixel across in either direction
    // leaves no curve on the device (the box's right and bottom edges are
    // left out): its arcs are drawn as one pixel below.
    const bool curves = std::abs(corner2.x - corner1.x) > 1 && std::abs(corner2.y - corner1.y) > 1;
    if (!curves && corner1 == corner2) {
        Dot(dc_, corner1);
        return;
    }
    bool drew = false;
    // Without curves only spurs draw lines: with none, the pixel below is all.
    const auto spur = [](const OutputNode& node) { return node.code == OutputCode::Spur; };
    const bool loop = curves || std::any_of(out.begin() + 2, out.end(), spur);

    platform::DevicePoint previous;
    platform::DevicePoint link;
    bool linkPending = false;
    for (std::size_t i = 2; loop && i + 1 < out.size(); i += 2) {
        if (out[i].code == OutputCode::Spur)
            link = previous;
        const platform::DevicePoint first = Convert(PointOf(out[i]), replica);
        if (linkPending) {
            dc_.moveTo(link);
            dc_.lineTo(first);
            drew = drew || link != first;
            linkPending = false;
        }
        const platform::DevicePoint second = Convert(PointOf(out[i + 1]), replica);
        previous = second;
        if (out[i + 1].code == OutputCode::Spur) {
            dc_.moveTo(link);
            dc_.lineTo(first);
            drew = drew || link != first;
            link = second;
            linkPending = true;
        } else if (curves && (first != second || out[i + 1].code == OutputCode::LongArc)) {
            dc_.arc(corner1.x, corner1.y, corner2.x, corner2.y, second.x, second.y, first.x, first.y);
            drew = true;
        }
    }
    // Pieces shorter than a pixel, or a circle too small for a curve: the
    // arc as the pixel of its middle.
    if (!drew && out.size() >= 4) {
        const die::coord a = PointOf(out[2]);
        const die::coord b = PointOf(out[out.size() - 1]);
        Dot(dc_, Convert(die::coord{(a.x + b.x) / 2, (a.y + b.y) / 2}, replica));
    }
}
