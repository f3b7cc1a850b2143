#include "element/NodeSymbol.h"

#include "element/ElementNodes.h"
#include "element/NodeTransforms.h"
#include "geometry/Angle.h"
#include "geometry/Geom.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {
// One wheel notch, and the turn it gives.
constexpr int kNotch = 120;
constexpr double kNotchTurn = Geom::kPi / 6.0;
} // namespace

CNodeSymbol::CNodeSymbol(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord)
{
    notInstanced = 1;
}

CNodeSymbol::CNodeSymbol(const CNodeSymbol& source) : CElement(source.nodeTable, source.options, source.context)
{
    CopyMainValues(source);
    SetNode(source.node);
    section = source.section;
    notInstanced = 1;
}

// Nodes keep no record of their elements (see CLine).
CNodeSymbol::~CNodeSymbol() = default;

void CNodeSymbol::SetNode(int index)
{
    ElementNodes::Detach(nodeTable, node, this);
    ElementNodes::Attach(nodeTable, index, this);
    node = index;
    SetGeometryDirty();
}

void CNodeSymbol::SetPreviewNode(CNodePoint* previewPoint)
{
    previewNode = previewPoint;
    preview = previewPoint ? 1 : 0;
    SetGeometryDirty();
}

CNodePoint* CNodeSymbol::CurrentNode() const
{
    return preview ? previewNode : ElementNodes::NodeOf(nodeTable, node);
}

void CNodeSymbol::AddRefNodes()
{
    ElementNodes::AddRef(nodeTable, node);
}

std::optional<die::coord> CNodeSymbol::NodePosition() const
{
    CNodePoint* n = ElementNodes::NodeOf(nodeTable, node);
    if (!n)
        return std::nullopt;
    return ElementNodes::Position(*n);
}

double CNodeSymbol::NodeExtent(double current, bool init, int axis, bool largest, double reach)
{
    CNodePoint* n = ElementNodes::NodeOf(nodeTable, node);
    if (!n)
        return current;
    const die::coord p = ElementNodes::ExtentPosition(*this, *n);
    const double middle = axis == 0 ? p.x : p.y;
    const double v = largest ? middle + reach : middle - reach;
    if (init)
        return v;
    return largest ? std::max(current, v) : std::min(current, v);
}

void CNodeSymbol::MoveNodeBy(NodeRemap& remap, const die::coord& offset)
{
    if (!ElementNodes::NodeOf(nodeTable, node))
        return;
    SetNode(ElementNodes::MoveNode(nodeTable, node, remap, offset.x, offset.y));
    // A node moved in place keeps the position it cached before.
    if (CNodePoint* moved = ElementNodes::NodeOf(nodeTable, node))
        ElementNodes::ClearCache(*moved);
}

void CNodeSymbol::Move(NodeRemap& remap, double dx, double dy)
{
    if (selected)
        MoveNodeBy(remap, {dx, dy});
}

void CNodeSymbol::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (selected)
        TurnNode(remap, cx, cy, degrees);
}

void CNodeSymbol::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (selected)
        ScaleNode(remap, cx, cy, fx, fy);
}

void CNodeSymbol::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (selected)
        ReflectNode(remap, x1, y1, x2, y2);
}

void CNodeSymbol::TurnNode(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (const auto p = NodePosition())
        MoveNodeBy(remap, NodeTransforms::RotateOffset(*p, cx, cy, degrees));
}

void CNodeSymbol::ScaleNode(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (const auto p = NodePosition())
        MoveNodeBy(remap, NodeTransforms::ScaleOffset(*p, cx, cy, fx, fy));
}

void CNodeSymbol::ReflectNode(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (const auto p = NodePosition())
        MoveNodeBy(remap, NodeTransforms::MirrorOffset(*p, x1, y1, x2, y2));
}

void CNodeSymbol::TurnNodeAndDirection(NodeRemap& remap, double cx, double cy, double degrees, double& direction)
{
    TurnNode(remap, cx, cy, degrees);
    direction = Angle::Normalize(direction + Geom::DegToRad(degrees));
    SetGeometryDirty();
}

void CNodeSymbol::ReflectNodeAndDirection(NodeRemap& remap, double x1, double y1, double x2, double y2,
                                          double& direction)
{
    ReflectNode(remap, x1, y1, x2, y2);
    // A direction a reflected across a line of direction t becomes 2t − a.
    const double line = x1 == x2 ? Geom::kHalfPi : Geom::VectorAngle(y2 - y1, x2 - x1);
    direction = Angle::Normalize(2.0 * line - direction);
    SetGeometryDirty();
}

double CNodeSymbol::WheelTurned(double direction, int delta)
{
    const int notches = WheelDelta(delta) / kNotch;
    return Angle::Normalize(direction + notches * kNotchTurn);
}

bool CNodeSymbol::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    const std::array<CNodePoint*, 1> nodes{ElementNodes::NodeOf(nodeTable, node)};
    return NodesInRect(nodes, x1, y1, x2, y2, mode);
}

bool CNodeSymbol::UsesNode(int index, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return index == node;
}

int CNodeSymbol::CheckNode(platform::BinaryReader& in, int32_t stored, int nodeBase, const char* what) const
{
    const int index = ElementNodes::StoredNode(nodeTable, stored, nodeBase);
    if (index < 0)
        in.fail(QStringLiteral("%1 on a missing node").arg(QLatin1String(what)));
    return index;
}

bool CNodeSymbol::CheckFinite(platform::BinaryReader& in, std::initializer_list<double> values, const char* what)
{
    if (std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
        return true;
    in.fail(QStringLiteral("%1 of a size that is not a number").arg(QLatin1String(what)));
    return false;
}
