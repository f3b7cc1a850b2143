#include "exchange/dxf/DxfBlock.h"

#include <algorithm>
#include <limits>

namespace {

// Calls f with every point that counts for the block's box.
template <class F>
bool ForEachBoxPoint(const DxfBlock& block, F f)
{
    bool any = false;
    for (const dxf::Line& l : block.lines) {
        f(l.start);
        f(l.end);
        any = true;
    }
    for (const dxf::Polyline& p : block.polylines) {
        for (const dxf::Vertex& v : p.vertices) {
            f(v.at);
            any = true;
        }
    }
    return any;
}

} // namespace

die::coord DxfBlock::GetMinCorner() const
{
    die::coord low(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    const bool any = ForEachBoxPoint(*this, [&](const die::coord& p) {
        low.x = std::min(low.x, p.x);
        low.y = std::min(low.y, p.y);
    });
    return any ? low : die::coord();
}

die::coord DxfBlock::GetMaxCorner() const
{
    die::coord high(std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest());
    const bool any = ForEachBoxPoint(*this, [&](const die::coord& p) {
        high.x = std::max(high.x, p.x);
        high.y = std::max(high.y, p.y);
    });
    return any ? high : die::coord();
}

int DxfBlock::ElementCount() const
{
    // The reader bounds every list, so the sum fits.
    return static_cast<int>(lines.size() + polylines.size() + circles.size());
}

bool DxfBlock::IsEmpty() const
{
    return lines.empty() && texts.empty() && polylines.empty() && circles.empty() && arcs.empty() && inserts.empty()
           && points.empty() && ellipses.empty() && splines.empty();
}
