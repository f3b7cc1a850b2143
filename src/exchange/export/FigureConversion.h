#pragma once
// One display figure, read in the export's display mode, as output
// primitives: lines, counter-clockwise arcs (or their chords) and texts (or
// their strokes), with the figure's line type and ptg.
#include "exchange/export/ExportBlock.h"
#include "exchange/export/ExportSettings.h"

struct DisplayFigure;

namespace Export {

void ConvertFigure(const DisplayFigure& figure, const ExportSettings& settings, std::vector<ExportPrimitive>& out);

// The arc (counter-clockwise from B to C about A) as chords: 8 per millimetre
// of radius per full turn between 1 and 15 mm, 8 at most 1 mm, 180 from
// 15 mm; the last chord ends at C. With a lengthTolerance above 0 the chords
// are made finer where needed, so that together they fall short of the arc's
// length by at most that much (mm).
void AppendChords(const ExportPrimitive& arc, std::vector<ExportPrimitive>& out, double lengthTolerance = 0.0);

} // namespace Export
