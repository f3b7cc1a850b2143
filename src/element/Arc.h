#pragma once
// CArc: the circular rule given by a start, an end and a centre node. It runs
// clockwise about its centre from its start to its end (towards decreasing
// angles, Y up); start and end on the same node make the full circle. The
// radius is the distance from the centre to the start; bridge positions are
// lengths along the arc from its start.
//
// File record: int32 type id 1, int32 start node, int32 end node, int32
// centre node, then the common element record.
#include "element/Element.h"

class CArc : public CElement {
public:
    // The arc's circle as the intersection routines take it.
    struct Circle {
        die::coord centre;
        die::coord start;
        die::coord end;
        double radius = 0.0;
    };

    CArc(NodeTable* nodes, COptions* options, int context);
    CArc(const CArc& source);
    ~CArc() override;

    int GetStartNode() const { return startNode; }
    int GetEndNode() const { return endNode; }
    int GetCenterNode() const { return centerNode; }
    void SetStartNode(int index);
    void SetEndNode(int index);
    void SetCenterNode(int index);
    // The preview copy of an editing dialog takes its geometry from these
    // nodes (not owned).
    void SetPreviewNodes(CNodePoint* start, CNodePoint* end, CNodePoint* centre);
    // 2π for a full circle, else start angle − end angle in [0, 2π).
    double GetSweepAngle();
    double GetRadius() const { return radius; }
    double GetStartAngle() const { return startAngle; }
    double GetEndAngle() const { return endAngle; }
    // Recalculates and gives the circle; false while a node is missing.
    bool GetCircle(Circle& circle);
    // The tangent line touching this arc and the other, nearest to the points
    // picked on them ((x1, y1) on the other, (x2, y2) on this one); out gets
    // the line's two ends. 1 when one was found, else 0.
    int FindCommonTangent(CArc& other, double x1, double y1, double x2, double y2, double* out);

    // Reads the element record after its type id (the merge base added to
    // the node indices) and the common record. False on a damaged record.
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
    void ValidateNodes() override;
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
    int GetTypeId() const override { return ElementTypeId::Arc; }
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
    // Takes the preview nodes or the node table's as the current ones;
    // false when one is missing.
    bool TakeCurrentNodes();
    bool IsFullCircle() const;
    // Extent along one axis (0 x, 1 y), the smaller or the larger, with the
    // circle's extreme point when it lies on the sweep.
    double Extent(double current, bool init, int axis, bool largest);
    // Moves the three nodes by the offset the function gives for each.
    template <typename Offset>
    void MoveNodes(NodeRemap& remap, Offset offset);
    // The point at a distance along the arc from its start, on the circle of
    // the given centre.
    die::coord PointAlong(const die::coord& centre, double distance) const;

    CNodePoint* previewStart = nullptr;
    CNodePoint* previewEnd = nullptr;
    CNodePoint* previewCenter = nullptr;
    CNodePoint* currentStart = nullptr;
    CNodePoint* currentEnd = nullptr;
    CNodePoint* currentCenter = nullptr;
    double startAngle = 0.0;
    double endAngle = 0.0;
    double radius = 0.0;
    int startNode = -1;
    int endNode = -1;
    int centerNode = -1;
};
