#pragma once
// SingleNodeElement: the base of the machine symbols that hang on one node
// of the node table (the Bobst and Martin hole patterns, the Bobst assembly
// hole). They have no bridges, add nothing to outlines, take no snap point
// and no point lies on them; they move with their node, and a rectangle
// selects them by that node (modes 1 and 2) or by their extents (mode 3).
// The element is never repeated over the layout's instances.
#include "element/Element.h"

class SingleNodeElement : public CElement {
public:
    SingleNodeElement(NodeTable* nodes, COptions* options, int context);
    ~SingleNodeElement() override;

    int GetNode() const { return node; }
    void SetNode(int index);

    void CountAutoBridges(int, double, bool) override {}
    void Draw(DrawContext&) override {}
    void SetFromText(const QString&) override {}
    void Recalculate() override {}
    void AddRefNodes() override;
    void Move(NodeRemap& remap, double dx, double dy) override;
    void DrawBridges(int, DrawContext&) override {}
    void ValidateNodes() override {}
    void AddToOutline(OutlineBuilder*, int, double, int, const CInstance*) override {}
    double ProjectPoint(double, double, double*, double*, double, double) override { return 2147483647.0; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int index, bool onlyIfUnselected) const override;
    bool ExtendTowards(double, double, double) override { return true; }
    bool ExtendBy(double, double) override { return true; }

protected:
    // The copy constructor's part: the common values, the node and the
    // owning section.
    void CopyNodeAndMainValues(const SingleNodeElement& source);
    // Moves the node by the offset the function gives for its position and
    // marks its cached position stale (an unset node stays as it is).
    template <typename Offset>
    void MoveNodeBy(NodeRemap& remap, Offset offset);
    // The node index of a record (the merge base added); fails the read when
    // the table has no such node.
    int ReadNode(platform::BinaryReader& in, int nodeBase, const char* what);
    // An extent combined with the current value (CElement::GetMinX...).
    static double Combine(double current, bool init, double own, bool largest);

    int node = -1;
};

// Template body here: the derived classes' transforms use it.
#include "element/ElementNodes.h"
#include "element/NodePoint.h"

template <typename Offset>
void SingleNodeElement::MoveNodeBy(NodeRemap& remap, Offset offset)
{
    CNodePoint* at = ElementNodes::NodeOf(nodeTable, node);
    if (!at)
        return;
    const die::coord d = offset(ElementNodes::Position(*at));
    SetNode(ElementNodes::MoveNode(nodeTable, node, remap, d.x, d.y));
    if (CNodePoint* moved = ElementNodes::NodeOf(nodeTable, node))
        ElementNodes::ClearCache(*moved);
}
