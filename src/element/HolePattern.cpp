#include "element/HolePattern.h"

#include "display/DisplayList.h"
#include "element/NodeTransforms.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kStep = 50.0; // mm of extents per count

bool Forward(int delta)
{
    return static_cast<int16_t>(delta & 0xFFFF) > 0;
}

} // namespace

HolePattern::HolePattern(NodeTable* nodes, COptions* opts, int contextWord)
    : SingleNodeElement(nodes, opts, contextWord)
{
}

void HolePattern::SetCounts(int horizontalCount, int verticalCount)
{
    if (horizontalCount > 0)
        horizontal = std::min(horizontalCount, kMaxCount);
    vertical = std::clamp(verticalCount, -kMaxCount, kMaxCount);
    displayDirty = true;
}

void HolePattern::CopyPattern(const HolePattern& source)
{
    CopyNodeAndMainValues(source);
    vertical = source.vertical;
    horizontal = source.horizontal;
}

void HolePattern::CopyNodeAndCounts(const HolePattern& source)
{
    SetNode(source.node);
    vertical = source.vertical;
    horizontal = source.horizontal;
}

void HolePattern::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    MoveNodeBy(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void HolePattern::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (!selected)
        return;
    MoveNodeBy(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
}

void HolePattern::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    MoveNodeBy(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
}

double HolePattern::GetMinX(double current, bool init)
{
    return Combine(current, init, GetNodePoint(node).x - kStep * horizontal, false);
}

double HolePattern::GetMinY(double current, bool init)
{
    return Combine(current, init, GetNodePoint(node).y - kStep * vertical, false);
}

double HolePattern::GetMaxX(double current, bool init)
{
    return Combine(current, init, GetNodePoint(node).x + kStep * horizontal, true);
}

double HolePattern::GetMaxY(double current, bool init)
{
    return Combine(current, init, GetNodePoint(node).y + kStep * vertical, true);
}

double HolePattern::GetFullLength()
{
    return std::numbers::pi * vertical + 2.0 * (horizontal - vertical);
}

double HolePattern::OnCtrlWheel(int delta, int, int)
{
    const int before = vertical;
    vertical = std::clamp(vertical + (Forward(delta) ? 1 : -1), -kMaxCount, kMaxCount);
    displayDirty = true;
    return before;
}

double HolePattern::OnShiftWheel(int delta, int, int)
{
    const int before = horizontal;
    const int next = horizontal + (Forward(delta) ? 1 : -1);
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
