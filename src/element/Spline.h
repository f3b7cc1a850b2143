#pragma once
// CSpline: the smooth rule through an ordered list of nodes. Between two
// neighbouring nodes the curve is a cubic span in Hermite form whose tangents
// come from the windowed solver (geometry/SplineTangents.h, windows of 20
// nodes). The spline keeps two views of its curve:
// - its own sampled points, s per span (s = samples per segment, 1 to 1000,
//   10 at first): (n − 1)·s + 1 points, the node itself at every k·s. They
//   serve hit tests, crossings, the nearest chord, insertion and the preview.
// - the curve figure of its display list, fitted and flattened by the curve
//   fitter, which the view paints and from which the spline takes its
//   extents; its length is that fitted curve's own, integrated.
// A spline of fewer than three nodes (only while a section builds it) has no
// samples; its display list joins the nodes it has by straight pieces.
//
// File record: int32 type id 7, int32 node count n, n × int32 node index,
// int32 samples per segment (from format version 12 on), then the common
// element record.
#include "element/Element.h"
#include "geometry/CurveFitter.h"

#include <deque>

struct DisplayFigure;

class CSpline : public CElement {
public:
    static constexpr int DefaultSamplesPerSegment = 10;
    static constexpr int MostSamplesPerSegment = 1000;
    // A file's spline holds at most this many node references, and its
    // curve at most kMaxSamples points (nodes - 1 times the samples per
    // segment): beyond either the record is refused, never allocated.
    static constexpr int32_t kMaxNodes = 1 << 20;
    static constexpr int64_t kMaxSamples = 1 << 22;

    CSpline(NodeTable* nodes, COptions* options, int context);
    CSpline(const CSpline& source);
    ~CSpline() override;

    // Appends a node; the curve follows.
    void AddNode(int index);
    // Inserts the node after list position `position` (at the front for a
    // negative one, at the back beyond the list); the curve follows.
    void InsertNode(int index, int position);
    // A node at that length along the sampled chords (from the first chord
    // for a length of 0 or less, along the last one beyond the end), merged
    // with a node already there, inserted into the span it falls in. Returns
    // its index; -1 without chords or when the point can be no node.
    int InsertNodeAtLength(double length);
    // Every entry of the node list that is node from becomes node to; true
    // when one did (the curve follows).
    bool ReplaceNodeIndex(int from, int to);
    // Stores s, held to 1 … 1000; the curve is not recomputed.
    void SetSamplesPerSegment(int s);
    int GetSamplesPerSegment() const { return samplesPerSegment; }
    // Clears the geometry-changed and bridges-stale flags (after a section
    // rebuilds an edited spline).
    void ClearDirtyFlags();
    // The index k of the sampled chord (points k and k + 1) nearest to the
    // point; -1 without chords.
    int FindNearestSampleSegment(double x, double y) const;

    const std::deque<int>& GetNodes() const { return nodeList; }
    int GetNodeCount() const { return static_cast<int>(nodeList.size()); }
    const std::vector<die::coord>& GetSamples() const { return samples; }
    const std::vector<die::coord>& GetTangents() const { return tangents; }

    // Reads the element record after its type id (the merge base added to
    // the node indices; the samples per segment only from format version 12
    // on) and the common record. False on a damaged record.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void CountAutoBridges(int n, double width, bool replace) override;
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
    double GetFullLength() override;
    double ProjectPoint(double, double, double*, double*, double, double) override { return 2147483647.0; }
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int delta, int x, int y) override;
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Spline; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int node, bool onlyIfUnselected) const override;
    bool ExtendTowards(double, double, double) override { return false; }
    bool ExtendBy(double, double) override { return false; }
    void IntersectWith(CElement& other) override;

private:
    // The positions of the listed nodes that exist.
    std::vector<die::coord> NodePositions() const;
    // The distance of (x, y) from the chord between sampled points i and j.
    double DistanceToChord(double x, double y, int i, int j) const;
    // The span whose half-span chords come nearest, at most n − 2.
    int FindNearestHalfSpan(double x, double y) const;
    // Fills the display list with the curve through the nodes.
    void BuildCurveFigure();
    // The display list's curve figure, rebuilt first when it does not pass
    // through the nodes at the present resolution; null without one.
    const DisplayFigure* CurrentCurveFigure();
    // Extent along one axis (0 x, 1 y) from the curve figure's box.
    double Extent(double current, bool init, int axis, bool largest);
    // Moves every node by the offset the function gives for it.
    template <typename Offset>
    void MoveNodes(NodeRemap& remap, Offset offset);

    std::deque<int> nodeList;
    std::vector<die::coord> tangents;
    std::vector<die::coord> samples;
    int samplesPerSegment = DefaultSamplesPerSegment;
    std::vector<CubicCoefficients> xSpans;
    std::vector<CubicCoefficients> ySpans;
    // The fitted curve's length and the nodes it was measured for.
    std::vector<die::coord> lengthPoints;
    double curveLength = 0.0;
};
