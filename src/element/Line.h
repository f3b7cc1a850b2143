#pragma once
// CLine: the straight rule between two nodes of the node table. Its
// direction, bridge positions and arrow heads are measured from the start.
// Line types 17, 18 and 19 draw arrow heads in previews (at the start, at the
// end, at both ends).
//
// File record: int32 type id 2, int32 start node, int32 end node, then the
// common element record.
#include "element/Element.h"

class CLine : public CElement {
public:
    CLine(NodeTable* nodes, COptions* options, int context);
    CLine(const CLine& source);
    ~CLine() override;

    int GetStartNode() const { return startNode; }
    int GetEndNode() const { return endNode; }
    void SetStartNode(int index);
    void SetEndNode(int index);
    // Direction from start to end in radians, [0, 2π).
    double GetDirection() const;
    // The preview copy of an editing dialog: its geometry comes from these
    // nodes (not owned) instead of the node table.
    void SetPreviewNodes(CNodePoint* start, CNodePoint* end);

    // Reads the element record after its type id: the two node indices (the
    // merge base added) and the common record. False on a damaged record.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void CountAutoBridges(int n, double width, bool replace) override;
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void SetFromText(const QString& text) override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    void Recalculate() override;
    void AddRefNodes() override;
    void Move(NodeRemap& remap, double dx, double dy) override;
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    void Scale(NodeRemap& remap, double cx, double cy, double fx, double fy) override;
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void DrawBridges(int highlighted, DrawContext& dc) override;
    void ValidateNodes() override {}
    void AddToOutline(OutlineBuilder* builder, int flags, double segmentsPerTurn, int lineTypeFilter,
                      const CInstance* instance) override;
    void RebuildContour() override;
    void ReattachNodes() override;
    double GetMinX(double current, bool init) override;
    double GetMinY(double current, bool init) override;
    double GetMaxX(double current, bool init) override;
    double GetMaxY(double current, bool init) override;
    double GetFullLength() override;
    double ProjectPoint(double x, double y, double* px, double* py, double from, double to) override;
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Line; }
    int GetSnapPoint(int kind, double x, double y, int mode, double refX, double refY, const CInstance* instance,
                     SnapRecord* out) override;
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int node, bool onlyIfUnselected) const override;
    bool ExtendTowards(double x, double y, double length) override;
    bool ExtendBy(double atStart, double atEnd) override;
    QString GetScriptText() override;
    void IntersectWith(CElement& other) override;
    double RelativePosition(double x, double y) override;
    void FillParameters() override;

private:
    // Takes the preview nodes or the node table's nodes as the current ones;
    // false when either is missing.
    bool TakeCurrentNodes();
    // Extent of the ends along one axis (0 x, 1 y), the smaller or larger.
    double Extent(double current, bool init, int axis, bool largest);
    // Moves each end by the offset the function gives for its position.
    template <typename Offset>
    void MoveEnds(NodeRemap& remap, Offset offset);

    int startNode = -1;
    int endNode = -1;
    CNodePoint* previewStart = nullptr;
    CNodePoint* previewEnd = nullptr;
    CNodePoint* currentStart = nullptr;
    CNodePoint* currentEnd = nullptr;
};
