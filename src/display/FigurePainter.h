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
#include "geometry/Coord.h"
#include "platform/DrawingObjects.h"

class DisplayList;
class LinetypeTable;
struct DisplayFigure;
struct Placement;

namespace platform {
class Device;
}

// The view's mapping from millimetres to device units: device x = origin x +
// round(x·scale) (minus it when mirrored), device y = origin y −
// round(y·scale), rounded by platform::roundToDeviceUnits.
struct ViewMapping {
    double scale = 1.0;
    platform::DevicePoint origin;
    bool mirrored = false;

    platform::DevicePoint ToDevice(const die::coord& p) const;
    int ToDeviceLength(double mm) const;
};

class FigurePainter {
public:
    // Sets the device's arc direction: clockwise when the mapping mirrors,
    // counter-clockwise otherwise.
    FigurePainter(platform::Device& dc, const LinetypeTable& linetypes, const ViewMapping& mapping);

    void DrawFigure(const DisplayFigure& figure, const Placement* replica = nullptr);
    // Every figure with its own line type's pen, in display mode 2 the pens
    // of its pattern, as the view draws its current section; selects the null
    // pen at the end. The list must have been regenerated for the mode.
    void DrawList(const DisplayList& list, LinetypeTable& linetypes, int mode, const Placement* replica = nullptr);

private:
    platform::DevicePoint Convert(const die::coord& p, const Placement* replica) const;
    void DrawCodedPath(const DisplayFigure& figure, const Placement* replica);
    void DrawWavePath(const DisplayFigure& figure, const Placement* replica);
    void DrawArcPieces(const DisplayFigure& figure, const Placement* replica);

    platform::Device& dc_;
    const LinetypeTable& linetypes_;
    ViewMapping mapping_;
};
