#pragma once
// HP-GL plotter commands for a prepared export: absolute coordinates at 40
// units per millimetre, one pen per line type, lines, arcs and labels; the
// pen is lifted and moved only where the next primitive does not start at
// the current point. Every file starts from no current point.
#include "exchange/export/Exporter.h"

namespace Export {

// vcut: lines of line type 2 are drawn there and back.
void WriteHpgl(ExportText& out, const ExportPreparer& job, bool vcut);

} // namespace Export
