#pragma once
// What an export does to its prepared blocks as a whole: mirroring about the
// vertical axis through the origin, the minimum corner of the geometry and
// the shift that puts it elsewhere.
#include "exchange/export/ExportBlock.h"

#include <optional>

namespace Export {

// mirror 1: everything; 2: texts stay readable. Arcs keep running
// counter-clockwise from their new B to their new C.
void MirrorBlock(ExportBlock& block, int mirror);

// Lowers the corner to take in the block's lines and arcs (an arc by its
// ends and the extreme points of its circle that it passes); texts count
// nothing. An unset corner is set by the first point.
void ExtendMinimumCorner(const ExportBlock& block, std::optional<die::coord>& corner);

// Moves every primitive and placed copy of the block by -m.
void ShiftBlock(ExportBlock& block, const die::coord& m);

} // namespace Export
