#pragma once
// The CF2 text of a prepared export: a main block that places every export
// block once in place and once per placement, then one sub-block per export
// block with its lines, arcs and texts ("T," records with the text on the
// next line). "LL" and "UR" give the extents of everything placed; an empty
// export gives the fixed box (-65, -56)-(343, 286).
#include "exchange/export/Exporter.h"

namespace Export {

void WriteCf2(ExportText& out, const ExportPreparer& job);

} // namespace Export
