#pragma once
// Draws the output of display figures on a device the way the view paints
// them, optionally moved onto a replica placement:
//   polyline output: a move to the first record, then per record a move
//     (code 1), a line (code 2), or a line with pattern pen 0 or 1 of the line
//     types (codes 3 and 4);
//   wave output: moves, and for each half-wave an angle arc whose lead-in
//     line draws the straight parts;
//   arc output: each (start, end) piece as an arc on the circle's box, drawn
//     from the piece's end to its start in the device's arc direction.
// The painter draws with the pen selected in the device; DrawList selects
// the line types' pens itself.
#include "view/PixelRound.h"
#include "geometry/PlacementList.h"

#include <span>

class DisplayList;
class LinetypeTable;
struct DisplayFigure;
struct OutputNode;
struct Placement;

namespace platform {
class Device;
enum class ArcDirection : int;
}

// The device arc direction that draws the model's counter-clockwise arcs:
// clockwise when the mapping mirrors one axis.
platform::ArcDirection ArcDirectionFor(const ViewMapping& mapping);

class FigurePainter {
public:
    // Sets the device's arc direction (ArcDirectionFor).
    FigurePainter(platform::Device& dc, const LinetypeTable& linetypes, const ViewMapping& mapping);

    void DrawFigure(const DisplayFigure& figure, const Placement* replica = nullptr);
    // The same for a figure's kind, output kind and output records held
    // elsewhere (SectionFigures).
    void DrawOutput(int kind, int outputKind, std::span<const OutputNode> out, const Placement* replica = nullptr);
    // Every figure with its own line type's pen, in display mode 2 the pens
    // of its pattern, as the view draws its current section; selects the null
    // pen at the end. The list must have been regenerated for the mode.
    void DrawList(const DisplayList& list, LinetypeTable& linetypes, int mode, const Placement* replica = nullptr);

private:
    // mapping_.ToDevice of the placed point, with the mirrors taken into the
    // scales once (a negated product is exact, so the pixels are the same).
    platform::DevicePoint Convert(const die::coord& p, const Placement* replica) const
    {
        const die::coord q = replica ? replica->Place(p) : p;
        return {mapping_.origin.x + RoundPixel(q.x * xScale_), mapping_.origin.y + RoundPixel(q.y * yScale_)};
    }
    void DrawCodedPath(std::span<const OutputNode> out, const Placement* replica);
    void DrawWavePath(std::span<const OutputNode> out, const Placement* replica);
    void DrawArcPieces(std::span<const OutputNode> out, const Placement* replica);

    platform::Device& dc_;
    const LinetypeTable& linetypes_;
    ViewMapping mapping_;
    double xScale_ = 1.0;
    double yScale_ = -1.0;
};
