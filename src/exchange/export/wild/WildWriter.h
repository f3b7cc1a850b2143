#pragma once
// Wild plotter code for a prepared export: moves ("U") and draws ("D") at 50
// units per millimetre, a tool group at every change of line type, and the
// tool offset (4, -94) mm for every line type but 2. The format has lines
// only: an arc goes out as chords that fall short of its length by less
// than 1/50 mm together, and the output's notes say so; texts are not
// written (the export splits them into strokes when asked).
#include "exchange/export/Exporter.h"

namespace Export {

void WriteWild(ExportText& out, const ExportPreparer& job);

} // namespace Export
