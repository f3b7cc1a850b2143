#include "element/SingleNodeElement.h"

#include "platform/BinaryStream.h"

#include <algorithm>
#include <array>

SingleNodeElement::SingleNodeElement(NodeTable* nodes, COptions* opts, int contextWord)
    : CElement(nodes, opts, contextWord)
{
    selected = 0;
    notInstanced = 1;
}

// Nodes keep no record of their elements (see CLine::~CLine).
SingleNodeElement::~SingleNodeElement() = default;

void SingleNodeElement::SetNode(int index)
{
    ElementNodes::Detach(nodeTable, node, this);
    ElementNodes::Attach(nodeTable, index, this);
    node = index;
    SetGeometryDirty();
}

void SingleNodeElement::CopyNodeAndMainValues(const SingleNodeElement& source)
{
    CopyMainValues(source);
    SetNode(source.node);
    notInstanced = 1;
    section = source.section;
}

void SingleNodeElement::AddRefNodes()
{
    ElementNodes::AddRef(nodeTable, node);
}

void SingleNodeElement::Move(NodeRemap& remap, double dx, double dy)
{
    if (!selected)
        return;
    MoveNodeBy(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

bool SingleNodeElement::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    const std::array<CNodePoint*, 1> nodes{ElementNodes::NodeOf(nodeTable, node)};
    return NodesInRect(nodes, x1, y1, x2, y2, mode);
}

bool SingleNodeElement::UsesNode(int index, bool onlyIfUnselected) const
{
    return index == node && !(onlyIfUnselected && selected);
}

int SingleNodeElement::ReadNode(platform::BinaryReader& in, int nodeBase, const char* what)
{
    const int32_t stored = in.readInt32();
    if (!in.ok())
        return -1;
    const int64_t index = int64_t(stored) + nodeBase;
    if (index > INT32_MAX || !ElementNodes::NodeOf(nodeTable, static_cast<int>(index))) {
        in.fail(QStringLiteral("%1 on a missing node").arg(QLatin1String(what)));
        return -1;
    }
    return static_cast<int>(index);
}

double SingleNodeElement::Combine(double current, bool init, double own, bool largest)
{
    if (init)
        return own;
    return largest ? std::max(current, own) : std::min(current, own);
}
