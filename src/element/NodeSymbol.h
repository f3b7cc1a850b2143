#pragma once
// CNodeSymbol: the base of the symbols that sit on one node of the node
// table: cuir holes, holders, separation rules, stripper boards, the Martin
// and Bobst hole patterns and the Bobst assembly hole. They are drawn
// through their display lists only, lay out no bridges of their own, add
// nothing to outlines, take no snap point, take part in no cutting command
// and are not repeated by instancing (a new symbol is not instanced; the
// common record of a file may say otherwise). What the classes share lives
// here: the node, its moves under the edits, the extents and rectangle tests
// at the node, the wheel and the turns of a symbol's direction, and the
// checks of a record's node and sizes.
#include "element/Element.h"

#include <cstdint>
#include <optional>

class CNodeSymbol : public CElement {
public:
    ~CNodeSymbol() override;

    int GetNode() const { return node; }
    // The symbol sits on the node from now on; its display is rebuilt.
    void SetNode(int index);
    // The preview copy of a dialog is drawn about this node (not owned)
    // instead of the table's; null ends the preview.
    void SetPreviewNode(CNodePoint* preview);

    void CountAutoBridges(int, double, bool) override {}
    void Draw(DrawContext&) override {}
    void SetFromText(const QString&) override {}
    // Nothing is cached; the node may have moved: the display is rebuilt.
    void Recalculate() override { MarkDisplayDirty(); }
    void AddRefNodes() override;
    // Selected symbols only: the node moves by (dx, dy).
    void Move(NodeRemap& remap, double dx, double dy) override;
    // Selected symbols only: the node turns, scales or is reflected; the
    // figure keeps its direction and size (symbols with a direction or a
    // size of their own say otherwise).
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    void Scale(NodeRemap& remap, double cx, double cy, double fx, double fy) override;
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void DrawBridges(int, DrawContext&) override {}
    void ValidateNodes() override {}
    void AddToOutline(OutlineBuilder*, int, double, int, const CInstance*) override {}
    // The node's coordinate (under the table's placement when instanced).
    double GetMinX(double current, bool init) override { return NodeExtent(current, init, 0, false); }
    double GetMinY(double current, bool init) override { return NodeExtent(current, init, 1, false); }
    double GetMaxX(double current, bool init) override { return NodeExtent(current, init, 0, true); }
    double GetMaxY(double current, bool init) override { return NodeExtent(current, init, 1, true); }
    double GetFullLength() override { return 0.0; }
    double ProjectPoint(double, double, double*, double*, double, double) override { return kNoProjection; }
    double DrawFitted(DrawContext&, const DeviceRect&) override { return 0.0; }
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    // Modes 1 and 2: the node lies in the rectangle; 3: the extents reach
    // into it.
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int index, bool onlyIfUnselected) const override;
    bool ExtendTowards(double, double, double) override { return true; }
    bool ExtendBy(double, double) override { return true; }

protected:
    // A symbol projects no point.
    static constexpr double kNoProjection = 2147483647.0;

    // Not instanced, on no node.
    CNodeSymbol(NodeTable* nodes, COptions* options, int context);
    // The common values, the node and the section; not instanced.
    explicit CNodeSymbol(const CNodeSymbol& source);

    // The node's position; none while the symbol sits on no node.
    std::optional<die::coord> NodePosition() const;
    // The preview node while one is set, else the table's node.
    CNodePoint* CurrentNode() const;
    // The extent along one axis (0 x, 1 y): the node's coordinate (under the
    // table's placement when instanced) reached out by `reach` (down for the
    // smallest, up for the largest), combined with current; current as it is
    // while the symbol sits on no node.
    double NodeExtent(double current, bool init, int axis, bool largest, double reach = 0.0);
    // The node turned about (cx, cy), scaled about it, reflected across the
    // line through (x1, y1) and (x2, y2); the caller tests the selection.
    void TurnNode(NodeRemap& remap, double cx, double cy, double degrees);
    void ScaleNode(NodeRemap& remap, double cx, double cy, double fx, double fy);
    void ReflectNode(NodeRemap& remap, double x1, double y1, double x2, double y2);
    // The same for a symbol with a direction (radians, kept in [0, 2π)): it
    // turns with the node, and is reflected across the line (two equal x
    // give the vertical line, as for the node); the display is rebuilt.
    void TurnNodeAndDirection(NodeRemap& remap, double cx, double cy, double degrees, double& direction);
    void ReflectNodeAndDirection(NodeRemap& remap, double x1, double y1, double x2, double y2, double& direction);

    // The wheel delta as the view gives it: its low 16 bits, signed.
    static int WheelDelta(int delta) { return static_cast<int16_t>(delta & 0xFFFF); }
    // A direction turned by 30° per whole wheel notch (120) of the delta,
    // kept in [0, 2π).
    static double WheelTurned(double direction, int delta);

    // Record reading. The stored node index (the merge base added) must name
    // a node of the table: the index, else -1 with the reader failed. The
    // sizes must be finite. Each failure gives the reason with the symbol's
    // name.
    [[nodiscard]] int CheckNode(platform::BinaryReader& in, int32_t stored, int nodeBase, const char* what) const;
    [[nodiscard]] static bool CheckFinite(platform::BinaryReader& in, std::initializer_list<double> values,
                                          const char* what);

    int node = -1;
    CNodePoint* previewNode = nullptr;

private:
    // Moves the node by the offset and clears the moved node's cached
    // position; a symbol on no node stays as it is.
    void MoveNodeBy(NodeRemap& remap, const die::coord& offset);
};
