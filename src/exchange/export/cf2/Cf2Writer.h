#pragma once
// The CF2 text of a prepared export: a main block that places every export
// block once in place and once per placement, then one sub-block per export
// block with its lines and arcs (texts are not written).
#include "exchange/export/Exporter.h"

namespace Export {

void WriteCf2(ExportText& out, const ExportPreparer& job);

} // namespace Export
