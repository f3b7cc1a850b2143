#pragma once
// CMeasure: a dimension between nodes of the node table, showing the current
// distance or angle with a dimension line (or arc), extension lines,
// arrowheads and stroke-font text placed at the line point L. Kinds:
// horizontal, vertical and aligned distances between P1 and P2, the angle
// about C from P1 to P2, and the radius from P1 (a centre) to P2. A
// dimension has no bridges, adds nothing to outlines and is not instanced.
//
// File record: int32 type id 5, int32 kind, int32 P1, int32 P2, int32 C (-1
// unless angular), int32 L, three int32 instance numbers of P1, P2 and C
// (format version 4 on; older: 0), int32 character width and height (format
// version 8 on; older: 15 and 12), then the common element record. The
// formats are not in the record: they come from the settings
// (MeasureFormats).
#include "element/Element.h"

#include <array>

namespace DimensionKind {
inline constexpr int Horizontal = 1201;
inline constexpr int Vertical = 1202;
inline constexpr int Aligned = 1203;
inline constexpr int Angular = 1204;
inline constexpr int Radial = 1205;
} // namespace DimensionKind

class CMeasure : public CElement {
public:
    // The ends of the dimension line (or arc) and, for angular dimensions,
    // its radius.
    struct DimensionLine {
        die::coord q1;
        die::coord q2;
        double radius = 0.0;
    };

    // Takes the installed formats (MeasureFormats::Current); not instanced.
    CMeasure(NodeTable* nodes, COptions* options, int context);
    CMeasure(const CMeasure& source);
    ~CMeasure() override;

    int GetKind() const { return kind; }
    void SetKind(int value);
    int GetP1() const { return p1; }
    int GetP2() const { return p2; }
    int GetCentre() const { return centre; }
    int GetLinePoint() const { return linePoint; }
    // The measured points, the centre (-1 for none) and the line point.
    void SetNodes(int first, int second, int centreNode, int line);
    std::array<int, 3> GetInstances() const { return instances; }
    void SetInstances(const std::array<int, 3>& numbers) { instances = numbers; }
    int& CharWidthRef() { return charWidth; }
    int& CharHeightRef() { return charHeight; }
    const QString& GetDistanceFormat() const { return distanceFormat; }
    const QString& GetAngleFormat() const { return angleFormat; }
    // The preview copy of a property page: its geometry comes from these
    // nodes (not owned; centre may be null) instead of the node table.
    void SetPreviewNodes(CNodePoint* first, CNodePoint* second, CNodePoint* centreNode, CNodePoint* line);

    // The dimension line from the positions of P1, P2, L and C.
    static DimensionLine GetDimensionLine(int kind, const die::coord& p1, const die::coord& p2,
                                          const die::coord& l, const die::coord& c);

    // Reads the record after its type id (the merge base added to the node
    // indices). False on a damaged record (truncated, a missing node); the
    // element is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void CountAutoBridges(int n, double width, bool replace) override;
    // Draws with the dimension parameters of the options: arrowhead
    // half-angle, extension-line gap and overshoot, outside continuation.
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void SetFromText(const QString&) override {}
    void CopyFrom(const CElement& source, bool withNodes) override;
    void Recalculate() override;
    void AddRefNodes() override;
    void Move(NodeRemap& remap, double dx, double dy) override;
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    void Scale(NodeRemap& remap, double cx, double cy, double fx, double fy) override;
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void DrawBridges(int, DrawContext&) override {}
    void ValidateNodes() override {}
    void AddToOutline(OutlineBuilder*, int, double, int, const CInstance*) override {}
    void RebuildContour() override;
    double GetMinX(double current, bool init) override;
    double GetMinY(double current, bool init) override;
    double GetMaxX(double current, bool init) override;
    double GetMaxY(double current, bool init) override;
    double GetFullLength() override { return 0.0; }
    double ProjectPoint(double, double, double*, double*, double, double) override { return -1.0; }
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Measure; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int node, bool onlyIfUnselected) const override;
    bool ExtendTowards(double, double, double) override { return false; }
    bool ExtendBy(double, double) override { return false; }

private:
    enum Slot { L = 0, P1 = 1, P2 = 2, C = 3 };
    // Takes the preview nodes or the table's nodes (L, P1, P2, C) as the
    // current ones; false when L, P1 or P2 is missing, or C for an angular
    // dimension. C stays null when it is -1.
    bool TakeCurrentNodes();
    // The current nodes' positions (a missing C reads (0, 0)).
    std::array<die::coord, 4> CurrentPositions() const;
    double Extent(double current, bool init, int axis, bool largest);
    template <typename Offset>
    void MoveNodes(NodeRemap& remap, Offset offset);
    void AddLinearFigures(const std::array<die::coord, 4>& at, int orientation);
    void AddRadialFigures(const std::array<die::coord, 4>& at, double radius);
    void AddAngularFigures(const std::array<die::coord, 4>& at);
    // The value's text figure centred on L, 5 to the left of direction d.
    void AddValueText(const die::coord& l, const die::coord& d, const QString& value);

    QString angleFormat;
    QString distanceFormat;
    int p1 = -1;
    int p2 = -1;
    int centre = -1;
    int linePoint = -1;
    int kind = 0;
    std::array<int, 3> instances{};
    std::array<CNodePoint*, 4> preview_{};
    std::array<CNodePoint*, 4> current_{};
    int charHeight = 12;
    int charWidth = 15;
};
