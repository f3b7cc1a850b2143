#pragma once
// Compatibility mode: a bridged rule written as records that carry a bridge
// count and width, for a machine that lays the bridges out itself. The rule
// is read as alternating pieces (rule, gap, rule, ..., rule); evenly spaced
// bridges (the layout by count, with half-length end pieces) become one
// item with n bridges, any other layout items of one centred bridge each,
// joined by bridge-free items.
#include <cstdint>
#include <vector>

namespace Export {

struct RulePiece {
    enum Kind : std::int32_t { Rule = 0, Gap = 1 };
    double length = 0.0; // mm
    std::int32_t kind = Rule;
};

struct BridgeItem {
    double start = 0.0; // mm along the rule from its first point
    double end = 0.0;
    double width = 0.0; // of each bridge
    std::int32_t count = 0;
};

// Appends a piece: a gap first gets a rule of no length before it, and a
// piece of the last piece's kind lengthens it.
void AddPiece(std::vector<RulePiece>& pieces, double length, std::int32_t kind);
// Ends an element's pieces with a rule (one of no length after a gap).
void FinishPieces(std::vector<RulePiece>& pieces);
// The items of finished pieces (an odd count, rules at the even places);
// nothing for no pieces.
void BridgeItemsOf(const std::vector<RulePiece>& pieces, std::vector<BridgeItem>& items);

} // namespace Export
