#pragma once
// What an element needs to draw itself straight onto a device (the previews
// of the editing dialogs): the device, the mapping from millimetres to device
// units, an instance placement and two drawing switches; and the process-wide
// axis-mirror bits that every model-to-device mapping of the program obeys.
//
// Mapping of a model point (x, y): device x = origin x + sx·int(x·scale),
// device y = origin y + sy·int(y·scale); int truncates towards zero before the
// sign is applied; sx (sy) is -1 when the mirror bit of that axis is set. The
// placement is not part of it: elements place their points first.
//
// The line and arc wrappers select the stock white pen and leave it selected;
// the glyph strokes use whatever pen is selected. A context without a device
// draws nothing.
#include "platform/ScopedOverride.h"
#include "geometry/Coord.h"
#include "geometry/Instance.h"
#include "platform/Device.h"

#include <QString>

class DrawContext {
public:
    // Axis-mirror bits: 1 mirrors X, 2 mirrors Y. 0 until start-up sets 2
    // (model Y up, device Y down).
    static constexpr int MirrorX = 1;
    static constexpr int MirrorY = 2;
    // Sets the bits until the guard goes.
    static platform::ScopedOverride<int> OverrideMirrorFlags(int bits);
    static int GetMirrorFlags();
    // View > Mirror: changes the installed bits in place.
    static void SetMirrorFlags(int bits);

    // Copies the placement; scale 1.0.
    DrawContext(platform::Device* device, const CInstance& placement, bool penFlag, bool bridgesFlag,
                platform::DevicePoint origin);

    // The device point of a model point (no placement applied).
    platform::DevicePoint ToDevice(const die::coord& p) const;

    // Selects the stock white pen and draws from the current position to the
    // device point (x, y).
    void SelectLineTo(int x, int y);
    // Moves to the device image of P, then draws to that of Q with the white pen.
    void Line(const die::coord& P, const die::coord& Q);
    // Draws to the device image of P with the white pen.
    void LineToPoint(const die::coord& P);
    // The device's Arc with the white pen: box corners, start, end in device units.
    void ArcDevice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // The same with two model box corners, a model start and a model end point.
    void Arc(const die::coord& A, const die::coord& B, const die::coord& S, const die::coord& E);

    // Glyph `index` of the stroke font with its base point at (x, y) mm, a
    // cell of width by height mm, turned by angle degrees about the base point.
    void DrawGlyph(int index, double x, double y, double width, double height, double angle);
    // The text with the stroke font from (x, y), one cell width per character
    // (also for characters without a glyph, the blank among them).
    void DrawStrokeText(double x, double y, double width, double height, double angle, const QString& text);

    // Fields in this order; elements read them and set scale and origin when
    // they fit themselves into a preview.
    platform::Device* device;
    CInstance placement;
    double scale = 1.0; // device units per millimetre
    platform::DevicePoint origin; // the device point of the model origin
    bool penFlag;
    bool bridgesFlag;
};
