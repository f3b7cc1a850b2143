#pragma once
// The older ']'-separated text layout of a prepared export (the records the
// reader in exchange/oldn takes): a head naming the target, then per export
// block its bounds, its placements and its figures, numbered from 1, with
// the internal line types 122 and 123 written as 8 and 1.
#include "exchange/export/Exporter.h"

namespace Export {

void WriteOldn(ExportText& out, const ExportPreparer& job);

} // namespace Export
