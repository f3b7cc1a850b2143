#include "element/ElementNodes.h"

#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "geometry/Instance.h"

namespace ElementNodes {

die::coord Position(CNodePoint& node)
{
    return {node.GetX(), node.GetY()};
}

die::coord PositionIn(CNodePoint& node, const CInstance* instance)
{
    return {node.GetXInInstance(instance), node.GetYInInstance(instance)};
}

die::coord ExtentPosition(const CElement& element, CNodePoint& node)
{
    const NodeTable* table = element.GetNodeTable();
    if (element.GetNotInstanced() || !table)
        return Position(node);
    return PositionIn(node, table->GetCurrentPlacement());
}

double Distance(CNodePoint& a, CNodePoint& b)
{
    return a.DistanceTo(b);
}

double Direction(CNodePoint& from, CNodePoint& to)
{
    return to.AngleFrom(from);
}

CNodePoint* NodeOf(NodeTable* table, int index)
{
    if (!table || index < 0 || index >= table->GetCount())
        return nullptr;
    CNodePoint* node = table->GetNode(index);
    return node && node->IsInUse() ? node : nullptr;
}

int StoredNode(NodeTable* table, int32_t stored, int nodeBase)
{
    const int64_t index = int64_t(stored) + nodeBase;
    if (stored < 0 || index > INT32_MAX || !NodeOf(table, static_cast<int>(index)))
        return -1;
    return static_cast<int>(index);
}

int AddPoint(NodeTable* table, const die::coord& p)
{
    return table ? table->AddPoint(p.x, p.y, true) : -1;
}

int MoveNode(NodeTable* table, int index, NodeRemap& remap, double dx, double dy)
{
    if (!NodeOf(table, index))
        return index;
    if (remap.size() < static_cast<std::size_t>(table->GetCount()))
        remap.resize(static_cast<std::size_t>(table->GetCount()), NodeTable::kSplitOff);
    return table->MoveNode(index, remap, dx, dy, true);
}

bool MakeAbsoluteAt(CNodePoint& node, const die::coord& p)
{
    node.SetCacheValid(false);
    return node.SetPlain(p.x, p.y, false);
}

bool IsAt(CNodePoint& node, const die::coord& p)
{
    return node.IsAt(p.x, p.y);
}

void ClearCache(CNodePoint& node)
{
    node.SetCacheValid(false);
}

bool IsInRect(CNodePoint& node, double x1, double y1, double x2, double y2)
{
    return node.IsInRect(x1, y2, x2, y1);
}

void Attach(NodeTable* table, int index, CElement* element)
{
    if (CNodePoint* node = NodeOf(table, index))
        node->AttachElement(element);
}

void Detach(NodeTable* table, int index, CElement* element)
{
    if (CNodePoint* node = NodeOf(table, index))
        node->DetachElement(element);
}

void AddRef(NodeTable* table, int index)
{
    if (CNodePoint* node = NodeOf(table, index))
        node->AddRef();
}

} // namespace ElementNodes
