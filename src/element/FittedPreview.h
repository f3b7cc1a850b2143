#pragma once
// The scale and origin that show a preview fitted into a dialog's picture.
#include "element/Element.h"

struct DrawContext;

// Centres a box of the given width and height (mm) about `centre` in the
// rectangle and scales it to fill 90 % of it: the smaller of the two sides'
// scales, a side of no extent setting none (with neither, the scale stays).
void FitPreview(DrawContext& dc, const DeviceRect& rect, const die::coord& centre, double width, double height);
