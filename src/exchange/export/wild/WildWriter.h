#pragma once
// Wild plotter code for a prepared export: moves ("U") and draws ("D") at 50
// units per millimetre, a tool group at every change of line type, and the
// tool offset (4, -94) mm for every line type but 2. Only lines are written.
#include "exchange/export/Exporter.h"

namespace Export {

void WriteWild(ExportText& out, const ExportPreparer& job);

} // namespace Export
