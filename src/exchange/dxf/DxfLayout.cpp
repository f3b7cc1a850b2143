// The import's row layout: the chosen blocks side by side from (0, 0), a
// new row above the tallest block of the last one whenever the next block
// would pass the page width.
#include "exchange/dxf/DxfReader.h"

bool DxfReader::ImportBlocks(const std::set<int>& chosen, bool label, DxfSink& sink)
{
    constexpr double kLabelHeight = 8.0;
    constexpr double kLabelAdvance = 6.4;
    std::vector<const DxfBlock*> roots;
    for (int i : chosen) {
        if (i >= 0 && i < static_cast<int>(blocks_.size()))
            roots.push_back(&blocks_[static_cast<size_t>(i)]);
    }
    if (!CountExpansion(roots))
        return false;
    double x = 0.0, y = 0.0, rowHeight = 0.0;
    for (int i = 0; i < static_cast<int>(blocks_.size()); ++i) {
        if (!chosen.contains(i))
            continue;
        const DxfBlock& block = blocks_[static_cast<size_t>(i)];
        const die::coord low = block.GetMinCorner();
        const die::coord high = block.GetMaxCorner();
        const double w = high.x - low.x;
        const double h = high.y - low.y;
        if (x + w > pageWidth_) {
            x = 0.0;
            y += rowHeight;
            rowHeight = 0.0;
        }
        if (h > rowHeight)
            rowHeight = h;
        if (!InsertBlock(block, die::coord(x - low.x, y - low.y), 0.0, sink))
            return false;
        if (label) {
            const double n = static_cast<double>(block.name.size());
            sink.AddText(die::coord(x + w * 0.5 - n * kLabelHeight * 0.5, y + h * 0.5), kLabelHeight, 0.0,
                         kLabelAdvance, block.name, DxfSink::kCurrentLineType);
        }
        x += w;
    }
    return true;
}
