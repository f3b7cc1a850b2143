#pragma once
// CEllipse: the elliptical rule given by five nodes: the centre C, the
// major-axis node M (the first semi-axis a = |M − C| along the direction φ of
// M − C), the minor-axis node N (the second semi-axis b = |N − C| across it),
// the start node S and the end node E. A point of the curve is addressed by
// its polar angle θ about C; the arc runs clockwise (towards decreasing θ,
// Y up) from θS to θE; start and end on the same node make the whole ellipse.
// Whichever semi-axis is larger is the major one: swapping the distances of
// M and N gives the same curve turned by nothing.
//
// Every length of an ellipse (its full length, bridge positions, projection,
// extension) is the length of the curve itself, integrated to well under a
// micrometre (Geom::EllipsePolarArcLength), so they all agree.
//
// File record: int32 type id 3, int32 centre, major-axis, minor-axis, start
// and end node, then the common element record.
#include "element/Element.h"
#include "geometry/GeomEllipseIntersect.h"

#include <array>

class CEllipse : public CElement {
public:
    // The ellipse's shape: centre, direction of the major-axis node, the two
    // semi-axes as the distances of the axis nodes.
    struct Shape {
        die::coord centre;
        double phi = 0.0;
        double a = 0.0;
        double b = 0.0;
        // The point at the polar angle θ (see PointAtPolarAngle); the centre
        // for a degenerate ellipse.
        die::coord At(double theta) const;
    };
    // One piece of the preview between bridges, in drawing coordinates.
    struct DrawSegment {
        enum Kind : int { Rule = 1, Gap = 2 };
        die::coord from;
        die::coord to;
        int kind = Rule;
    };

    CEllipse(NodeTable* nodes, COptions* options, int context);
    CEllipse(const CEllipse& source);
    ~CEllipse() override;

    int GetCentreNode() const { return centreNode; }
    int GetMajorNode() const { return majorNode; }
    int GetMinorNode() const { return minorNode; }
    int GetStartNode() const { return startNode; }
    int GetEndNode() const { return endNode; }
    void SetCentreNode(int index);
    void SetMajorNode(int index);
    void SetMinorNode(int index);
    void SetStartNode(int index);
    void SetEndNode(int index);
    // The preview copy of an editing dialog takes its geometry from these
    // nodes (not owned).
    void SetPreviewNodes(CNodePoint* start, CNodePoint* end, CNodePoint* centre, CNodePoint* major,
                         CNodePoint* minor);

    // φ, a, b and the centre from the preview nodes or the node table; false
    // while a node is missing.
    bool GetGeometry(double& phi, double& a, double& b, die::coord& centre);
    // θS − θE in [0, 2π); 2π for the whole ellipse (one node for both).
    double GetSweepAngle();
    // The point at the polar angle θ of the ellipse (φ, a, b, centre). False,
    // the outputs unchanged, when the ellipse has no extent along an axis.
    static bool PointAtPolarAngle(double phi, double a, double b, const die::coord& centre, double theta, double& x,
                                  double& y);
    bool PointAtAngle(double theta, double& x, double& y);
    // The length clockwise from one polar angle to another; equal angles
    // measure the whole ellipse.
    double ArcLength(double from, double to);
    // The polar angle reached going that length clockwise from the angle
    // (counter-clockwise for a negative length), in [0, 2π).
    double AngleAtLength(double from, double length);
    // The foci on the major axis (the larger node distance) and the major
    // axis length 2·max(a, b).
    double GetFoci(double& x1, double& y1, double& x2, double& y2);
    // Piece i (1-based, at most n) of the arc cut into n equal polar-angle
    // steps: its ends and the centre of the circle through them and its middle.
    bool GetApproxArc(int n, int i, double& cx, double& cy, double& x1, double& y1, double& x2, double& y2);
    // The arc as the intersection routines take it (node table); false while
    // a node is missing.
    bool GetArcShape(Geom::EllipseArc& arc);

    // Walks the arc clockwise from one drawing point to another in chords of
    // one degree, drawing them when draw is set. With a target length (not
    // −1) it stops at the step whose chord sum comes nearest to it.
    die::coord WalkArc(DrawContext& dc, const die::coord& from, const die::coord& to, double target, bool draw);
    // The pieces of the arc between its bridges.
    std::vector<DrawSegment> BuildDrawSegments(DrawContext& dc);

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
    double GetMinX(double current, bool init) override;
    double GetMinY(double current, bool init) override;
    double GetMaxX(double current, bool init) override;
    double GetMaxY(double current, bool init) override;
    double GetFullLength() override;
    double ProjectPoint(double x, double y, double* px, double* py, double from, double to) override;
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Ellipse; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int node, bool onlyIfUnselected) const override;
    bool ExtendTowards(double x, double y, double length) override;
    bool ExtendBy(double atStart, double atEnd) override;
    void IntersectWith(CElement& other) override;
    double RelativePosition(double x, double y) override;

private:
    enum Slot { StartSlot, EndSlot, CentreSlot, MajorSlot, MinorSlot };
    using NodeSet = std::array<CNodePoint*, 5>;

    // Takes the preview nodes or the node table's as the current ones;
    // false when one is missing.
    bool TakeCurrentNodes();
    // The node table's nodes of the five indices (any may be null).
    NodeSet TableNodes() const;
    bool IsWhole() const;
    // The shape of the current nodes; false while a node is missing.
    bool CurrentShape(Shape& shape);
    // The shape of five nodes (start, end, centre, major, minor); false while
    // one is missing.
    static bool ShapeOf(const NodeSet& nodes, Shape& shape);
    // The polar angles of the current start and end nodes.
    double StartAngle() const;
    double EndAngle() const;
    // The length swept clockwise from one angle by sweep (≥ 0).
    static double SweptLength(const Shape& shape, double from, double sweep);
    // The length of the whole ellipse walked from the angle.
    static double WholeLength(const Shape& shape, double from);
    double Extent(double current, bool init, int axis, bool largest);
    // Moves the five nodes (centre, major, minor, start, end) by the offset
    // the function gives for each.
    template <typename Offset>
    void MoveNodes(NodeRemap& remap, Offset offset);

    std::array<CNodePoint*, 5> previewNodes{};
    std::array<CNodePoint*, 5> currentNodes{};
    int centreNode = -1;
    int majorNode = -1;
    int minorNode = -1;
    int startNode = -1;
    int endNode = -1;
};
