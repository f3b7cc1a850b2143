#include "element/HolePattern.h"

#include "display/DisplayList.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kStep = 50.0; // mm of extents per count

} // namespace

HolePattern::HolePattern(NodeTable* nodes, COptions* opts, int contextWord) : CNodeSymbol(nodes, opts, contextWord) {}

void HolePattern::SetCounts(int horizontalCount, int verticalCount)
{
    if (horizontalCount > 0)
        horizontal = std::min(horizontalCount, kMaxCount);
    vertical = std::clamp(verticalCount, -kMaxCount, kMaxCount);
    displayDirty = true;
}

void HolePattern::CopyNodeAndCounts(const HolePattern& source)
{
    SetNode(source.node);
    vertical = source.vertical;
    horizontal = source.horizontal;
}

double HolePattern::Reach(int axis) const
{
    return kStep * (axis == 0 ? horizontal : vertical);
}

double HolePattern::GetFullLength()
{
    return std::numbers::pi * vertical + 2.0 * (horizontal - vertical);
}

double HolePattern::OnCtrlWheel(int delta, int, int)
{
    const int before = vertical;
    vertical = std::clamp(vertical + (WheelDelta(delta) > 0 ? 1 : -1), -kMaxCount, kMaxCount);
    displayDirty = true;
    return before;
}

double HolePattern::OnShiftWheel(int delta, int, int)
{
    const int before = horizontal;
    const int next = horizontal + (WheelDelta(delta) > 0 ? 1 : -1);
    if (next > 0 && next <= kMaxCount) {
        horizontal = next;
        displayDirty = true;
    }
    return before;
}

void HolePattern::BuildCircles(const die::coord& reference, std::span<const die::coord> offsets, double radius)
{
    BeginContour();
    for (const die::coord& h : offsets) {
        const die::coord c = reference + h;
        const die::coord top = c + die::coord{0.0, radius};
        displayList->AddArc(c, top, top);
    }
    FinishContour();
}
