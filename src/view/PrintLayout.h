#pragma once
// Where a drawing goes on paper: the page arithmetic of printing, without a
// printer. Three modes:
//   1  1:1 over as many pages as needed, neighbours overlapping by the
//      overlap (millimetres), the shared corners marked for taping;
//   2  the drawing fitted to one page, within a 5-pixel margin;
//   3  what the view shows fitted to one page, within the same margin.
// Modes 2 and 3 centre the picture across and down on request.
//
// All pixel values are printer pixels of the printable area (the page less
// the printer's unprintable margins), top-left (0, 0), Y down.
#include "view/ViewTransform.h"

#include <vector>

struct PrintSettings {
    int mode = 2;       // 1, 2 or 3; any other value prints as 2
    int overlapMm = 10; // mode 1
    bool centerX = false;
    bool centerY = false;
};

struct PrintArea {
    int widthPx = 0;
    int heightPx = 0;
    double pixelsPerMm = 1.0; // the printer's resolution
};

// What the view shows (mode 3): its client size in screen pixels and its
// zoom (screen pixels per millimetre) and origin.
struct PrintViewState {
    int clientWidth = 0;
    int clientHeight = 0;
    double zoom = 1.0;
    platform::DevicePoint origin;
};

struct PrintPlan {
    double scale = 1.0;           // printer pixels per millimetre
    platform::DevicePoint origin; // of the model point (0, 0), single page
    int columns = 1;
    int rows = 1;
    bool tiled = false; // mode 1
    // Mode 1: the drawing's left and top edge (0 when empty), the page
    // size and overlap in millimetres.
    double minX = 0.0;
    double maxY = 0.0;
    double pageWidthMm = 0.0;
    double pageHeightMm = 0.0;
    double overlapMm = 0.0;

    int PageCount() const { return columns * rows; }
};

// The margin modes 2 and 3 leave on every side, in printer pixels.
constexpr int kPrintMarginPixels = 5;

// The plan of a print. The extents are the drawing's (visible layers, every
// placement, board margins) as the printed mapping turns them (see
// OrientExtents); all 0 for an empty drawing.
PrintPlan PlanPrint(const PrintSettings& settings, const PrintArea& area, const ViewExtents& extents,
                    const PrintViewState& view);

// The extents as seen through a mirrored mapping: an X mirror swaps and
// negates left and right, a Y-down mapping top and bottom, so that the
// plan's "left" and "top" are the edges that land there on paper.
ViewExtents OrientExtents(const ViewExtents& extents, bool mirroredX, bool yDown);

// The origin of page n (0-based, row by row) of a plan.
platform::DevicePoint PageOrigin(const PrintPlan& plan, int page);

// The strokes of a page's corner marks: in a tiling, a cross of two strokes
// 2f long (f half the overlap in pixels) centred f pixels inside every
// corner that a neighbouring page shares; none for a single page or a
// plan that is not tiled.
struct PrintStroke {
    platform::DevicePoint from;
    platform::DevicePoint to;
};
std::vector<PrintStroke> CornerMarks(const PrintPlan& plan, const PrintArea& area, int page);
