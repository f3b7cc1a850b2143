#include "element/Spline.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/ElementRecords.h"
#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTransforms.h"
#include "geometry/Geom.h"
#include "geometry/SplineTangents.h"
#include "platform/BinaryStream.h"
#include "platform/Device.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>
#include <cstdint>

using ElementNodes::Position;

CSpline::CSpline(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord) {}

CSpline::CSpline(const CSpline& source) : CElement(source.nodeTable, source.options, source.context)
{
    CopyMainValues(source);
    samplesPerSegment = source.samplesPerSegment;
    nodeList = source.nodeList;
    Recalculate();
    section = source.section;
}

// Nodes keep no record of their elements (see CArc).
CSpline::~CSpline() = default;

void CSpline::AddNode(int index)
{
    nodeList.push_back(index);
    SetGeometryDirty();
    Recalculate();
}

void CSpline::InsertNode(int index, int position)
{
    if (position < 0)
        nodeList.push_front(index);
    else
        nodeList.insert(nodeList.begin() + std::min<std::ptrdiff_t>(position + 1, GetNodeCount()), index);
    SetGeometryDirty();
    Recalculate();
}

bool CSpline::ReplaceNodeIndex(int from, int to)
{
    const auto found = std::ranges::count(nodeList, from);
    if (found == 0)
        return false;
    std::ranges::replace(nodeList, from, to);
    SetGeometryDirty();
    Recalculate();
    return true;
}

void CSpline::SetSamplesPerSegment(int s)
{
    samplesPerSegment = std::clamp(s, 1, MostSamplesPerSegment);
}

void CSpline::ClearDirtyFlags()
{
    geometryChanged = false;
    bridgesStale = false;
}

std::vector<die::coord> CSpline::NodePositions() const
{
    std::vector<die::coord> points;
    points.reserve(nodeList.size());
    for (int index : nodeList)
        if (CNodePoint* node = ElementNodes::NodeOf(nodeTable, index))
            points.push_back(Position(*node));
    return points;
}

// Fewer than three nodes (or a node gone from the table) give no curve and
// no samples.
void CSpline::Recalculate()
{
    const std::vector<die::coord> points = NodePositions();
    const int n = static_cast<int>(points.size());
    std::vector<die::coord> fresh;
    if (n >= 3 && n == GetNodeCount()) {
        tangents = SolveSplineTangents(points, kSplineElementRules);
        xSpans.clear();
        ySpans.clear();
        for (int i = 0; i + 1 < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            xSpans.push_back(CurveFitter::HermiteToPower(points[k].x, points[k + 1].x, tangents[k].x,
                                                         tangents[k + 1].x));
            ySpans.push_back(CurveFitter::HermiteToPower(points[k].y, points[k + 1].y, tangents[k].y,
                                                         tangents[k + 1].y));
        }
        const int s = samplesPerSegment;
        fresh.resize(static_cast<std::size_t>((n - 1) * s + 1));
        for (int i = 0; i + 1 < n; ++i) {
            for (int j = 0; j <= s; ++j) {
                const double t = static_cast<double>(j) / s;
                // The first sample of the next span (its node) is the one kept.
                if (j == s && i + 2 < n)
                    continue;
                fresh[static_cast<std::size_t>(i * s + j)] = {xSpans[static_cast<std::size_t>(i)].At(t),
                                                              ySpans[static_cast<std::size_t>(i)].At(t)};
            }
        }
    } else {
        tangents.clear();
        xSpans.clear();
        ySpans.clear();
    }
    if (fresh != samples)
        SetGeometryDirty();
    samples = std::move(fresh);
}

double CSpline::DistanceToChord(double x, double y, int i, int j) const
{
    const die::coord p{x, y};
    const die::coord a = samples[static_cast<std::size_t>(i)];
    const die::coord b = samples[static_cast<std::size_t>(j)];
    const die::coord d = b - a;
    const double length = d.Length();
    if (length == 0.0)
        return die::distance(p, a);
    const double u = die::dot(p - a, d) / length;
    if (u < 0.0)
        return die::distance(p, a);
    if (u > length)
        return die::distance(p, b);
    return die::distance(p, a + d * (u / length));
}

int CSpline::FindNearestHalfSpan(double x, double y) const
{
    const int n = GetNodeCount();
    const int s = samplesPerSegment;
    const int h = s / 2;
    double best = 6e6;
    int candidate = 0;
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = 0; j < 2; ++j) {
            const double d = DistanceToChord(x, y, i * s + j * h, i * s + (j + 1) * h);
            if (d < best) {
                best = d;
                candidate = i + j;
            }
        }
    }
    return std::min(candidate, n - 2);
}

int CSpline::FindNearestSampleSegment(double x, double y) const
{
    if (samples.size() < 2)
        return -1;
    const int s = samplesPerSegment;
    const int c = FindNearestHalfSpan(x, y) * s;
    double best = 1e11;
    int found = c;
    const auto tryChords = [&](int first) {
        for (int j = 0; j < s; ++j) {
            const double d = DistanceToChord(x, y, first + j, first + j + 1);
            if (d < best) {
                best = d;
                found = first + j;
            }
        }
    };
    tryChords(c);
    if (c > 0)
        tryChords(c - s);
    return found;
}

int CSpline::InsertNodeAtLength(double length)
{
    const int chords = static_cast<int>(samples.size()) - 1;
    if (chords < 1)
        return -1;
    int k = 0;
    double before = 0.0;
    double sum = 0.0;
    for (int i = 0; i < chords && length > sum; ++i) {
        k = i;
        before = sum;
        sum += die::distance(samples[static_cast<std::size_t>(i)], samples[static_cast<std::size_t>(i) + 1]);
    }
    const die::coord a = samples[static_cast<std::size_t>(k)];
    die::coord d = samples[static_cast<std::size_t>(k) + 1] - a;
    if (d.Length() > 0.0)
        d = d.Normalized();
    const int node = ElementNodes::AddPoint(nodeTable, a + d * (length - before));
    if (node < 0)
        return -1;
    InsertNode(node, k / samplesPerSegment);
    return node;
}

void CSpline::CountAutoBridges(int n, double width, bool)
{
    bridges.Clear();
    displayDirty = true;
    const double length = GetFullLength();
    if (n == 0 || length == 0.0)
        return;
    LayOutEvenBridges(n, width, length, true);
}

void CSpline::Draw(DrawContext& dc)
{
    if (!dc.device)
        return;
    Recalculate();
    for (std::size_t k = 0; k + 1 < samples.size(); ++k) {
        dc.device->moveTo(dc.ToDevice(samples[k]));
        const platform::DevicePoint q = dc.ToDevice(samples[k + 1]);
        dc.SelectLineTo(q.x, q.y);
    }
}

double CSpline::DrawFitted(DrawContext& dc, const DeviceRect&)
{
    dc.scale = 1.0;
    return 1.0;
}

void CSpline::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Spline);
    WriteElementRecord(out, SplineRecord{std::vector<int32_t>(nodeList.begin(), nodeList.end()), samplesPerSegment});
    SaveBase(out);
}

bool CSpline::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    SplineRecord start;
    start.samplesPerSegment = samplesPerSegment;
    const auto r = ReadElementRecord(in, fileVersion, std::move(start));
    if (!r)
        return false;
    std::deque<int> loaded;
    for (int32_t index : r->nodes) {
        if (ElementNodes::StoredNode(nodeTable, index, nodeBase) < 0) {
            in.fail(QStringLiteral("spline on a missing node"));
            return false;
        }
        loaded.push_back(index + nodeBase);
    }
    const int32_t count = static_cast<int32_t>(r->nodes.size());
    const int32_t s = r->samplesPerSegment;
    const int64_t curvePoints = int64_t(std::max(count - 1, 0)) * std::clamp(s, 1, MostSamplesPerSegment);
    if (curvePoints > kMaxSamples) {
        in.fail(QStringLiteral("spline too large: %1 curve points").arg(curvePoints));
        return false;
    }
    if (!LoadBase(in, fileVersion))
        return false;
    nodeList = std::move(loaded);
    SetSamplesPerSegment(s);
    SetGeometryDirty();
    Recalculate();
    return true;
}

void CSpline::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* spline = dynamic_cast<const CSpline*>(&source);
    if (withNodes && spline) {
        nodeList = spline->nodeList;
        SetGeometryDirty();
    }
    AssignMainValues(source);
    Recalculate();
}

void CSpline::AddRefNodes()
{
    for (int index : nodeList)
        ElementNodes::AddRef(nodeTable, index);
}

template <typename Offset>
void CSpline::MoveNodes(NodeRemap& remap, Offset offset)
{
    for (int& index : nodeList) {
        CNodePoint* node = ElementNodes::NodeOf(nodeTable, index);
        if (!node)
            continue;
        const die::coord d = offset(Position(*node));
        index = ElementNodes::MoveNode(nodeTable, index, remap, d.x, d.y);
    }
    SetGeometryDirty();
    Recalculate();
}

void CSpline::Move(NodeRemap& remap, double dx, double dy)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CSpline::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void CSpline::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
}

// The node order and the bridges stay as they are.
void CSpline::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
}

void CSpline::BuildCurveFigure()
{
    displayList->Begin(LineType, 0, DefaultSamplesPerSegment, ptg);
    displayList->SetResolution(static_cast<int16_t>(samplesPerSegment));
    displayList->BeginCurve(-1);
    for (const die::coord& p : NodePositions())
        displayList->AddPoint(p);
    displayList->End();
}

const DisplayFigure* CSpline::CurrentCurveFigure()
{
    const auto find = [this]() -> const DisplayFigure* {
        for (const DisplayFigure& f : displayList->Figures())
            if (f.kind == FigureKind::Curve)
                return &f;
        return nullptr;
    };
    const DisplayFigure* figure = find();
    if (!figure || figure->resolution != samplesPerSegment || figure->points != NodePositions()) {
        // The list is refilled without its bridges: the next rebuild adds them.
        BuildCurveFigure();
        displayDirty = true;
        figure = find();
    }
    return figure;
}

void CSpline::RebuildContour()
{
    if (!displayDirty)
        return;
    BuildCurveFigure();
    FinishContour();
}

// The length of the curve the display list fits through the nodes, the
// curve itself rather than its samples; straight pieces below three nodes.
double CSpline::GetFullLength()
{
    const DisplayFigure* figure = CurrentCurveFigure();
    if (!figure)
        return 0.0;
    if (figure->points.size() >= 3) {
        if (figure->points != lengthPoints) {
            lengthPoints = figure->points;
            curveLength = CurveFitter(lengthPoints, figure->resolution).Length();
        }
        return curveLength;
    }
    double sum = 0.0;
    for (const PathNode& node : figure->path)
        sum += node.length;
    return sum;
}

double CSpline::Extent(double current, bool init, int axis, bool largest)
{
    const DisplayFigure* figure = CurrentCurveFigure();
    if (!figure || figure->box.IsEmpty())
        return init ? 0.0 : current;
    const die::coord corner = largest ? figure->box.GetMax() : figure->box.GetMin();
    const double own = axis == 0 ? corner.x : corner.y;
    if (init)
        return own;
    return largest ? std::max(current, own) : std::min(current, own);
}

double CSpline::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CSpline::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CSpline::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CSpline::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

double CSpline::OnCtrlWheel(int delta, int, int)
{
    const int steps = static_cast<int16_t>(delta) / 120;
    SetSamplesPerSegment(samplesPerSegment + steps);
    Recalculate();
    return 0.0;
}

// Modes 1 and 2 look at the nodes (the samples k·s), strictly inside the
// rectangle of the corners (x1, y1) and (x2, y2), x1 ≤ x2 and y1 ≤ y2.
bool CSpline::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    const std::vector<die::coord> points = NodePositions();
    const auto inside = [&](const die::coord& p) { return x1 < p.x && p.x < x2 && y1 < p.y && p.y < y2; };
    switch (mode) {
    case 1: return std::any_of(points.begin(), points.end(), inside);
    case 2: return std::all_of(points.begin(), points.end(), inside);
    case 3: return NodesInRect({}, x1, y1, x2, y2, 3);
    default: return false;
    }
}

bool CSpline::UsesNode(int node, bool) const
{
    return std::find(nodeList.begin(), nodeList.end(), node) != nodeList.end();
}

void CSpline::IntersectWith(CElement& other)
{
    CElement::IntersectWith(other);
    if (intersectionsCopied) {
        intersectionsCopied = false;
        return;
    }
    intersections.clear();
    if (auto* line = dynamic_cast<CLine*>(&other)) {
        CNodePoint* s = ElementNodes::NodeOf(line->GetNodeTable(), line->GetStartNode());
        CNodePoint* e = ElementNodes::NodeOf(line->GetNodeTable(), line->GetEndNode());
        if (s && e)
            Geom::IntersectPolylineLine(samples, Position(*s), Position(*e), intersections);
    } else if (auto* arc = dynamic_cast<CArc*>(&other)) {
        CArc::Circle circle;
        if (arc->GetCircle(circle))
            Geom::IntersectPolylineArc(samples, circle.centre, circle.start, circle.end, circle.radius,
                                       intersections);
    } else if (auto* ellipse = dynamic_cast<CEllipse*>(&other)) {
        Geom::EllipseArc shape;
        if (ellipse->GetArcShape(shape))
            Geom::IntersectPolylineEllipseArc(samples, shape, intersections);
    } else if (auto* spline = dynamic_cast<CSpline*>(&other)) {
        Geom::IntersectPolylines(samples, spline->samples, intersections);
    }
}
