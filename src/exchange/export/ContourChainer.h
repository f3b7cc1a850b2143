#pragma once
// Orders one export block for a cutting or plotting head: primitives whose
// ends meet (within 1e-6 in x and in y) are joined into chains, each gets the
// direction that follows its chain, and the chains are visited by a
// nearest-neighbour walk from the origin. By line type (optimize 2) chains
// hold one line type each, the walk visits line types in ascending number
// (from the origin again for each), and the block ends up with the line types
// of the order table first, in its order, then the others.
//
// The outcome is that of trying every chain in list order for every
// primitive and every remaining chain at every step of the walk; the chainer
// finds the same chains through small cells of chain ends sorted once, keeps
// them as links between primitives, and walks with a k-d tree of chain ends,
// so that large blocks take time near n log n.
#include "exchange/export/ExportBlock.h"
#include "geometry/Coord.h"

#include <map>

namespace Export {

struct ExportChain {
    struct Item {
        int primitive = 0;        // index into the block
        std::int16_t reverse = 0; // the direction that follows the chain
    };

    std::int16_t line_type = 0;
    bool text = false;
    die::coord start;
    die::coord end;
    std::vector<Item> items; // in traversal order

    std::size_t Size() const { return items.size(); }
};

class ContourChainer {
public:
    // Reorders the block's primitives and sets their reverse and sort_key;
    // optimize 2 keeps line types apart. The order table counts only with
    // optimize 2 (line type -> position).
    static void Run(ExportBlock& block, int optimize, const std::map<int, int>& order);

    // The chains of the block in walk order.
    static std::vector<ExportChain> Chains(const ExportBlock& block, bool byLineType);
};

// Both coordinates differ by less than 1e-6.
bool PointsCoincide(const die::coord& a, const die::coord& b);

} // namespace Export
