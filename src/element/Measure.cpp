#include "element/Measure.h"

#include "element/ElementRecords.h"
#include "element/AnnotationGeometry.h"
#include "element/ElementNodes.h"
#include "element/MeasureFormat.h"
#include "element/NodeTransforms.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

using ElementNodes::Position;

namespace {

double Direction(const die::coord& v)
{
    return Geom::VectorAngle(v.y, v.x);
}
} // namespace

CMeasure::CMeasure(NodeTable* nodes, COptions* opts, int contextWord)
    : CElement(nodes, opts, contextWord), angleFormat(MeasureFormats::Current().angle),
      distanceFormat(MeasureFormats::Current().distance)
{
    notInstanced = 1;
}

CMeasure::CMeasure(const CMeasure& source)
    : CElement(source.nodeTable, source.options, source.context), angleFormat(source.angleFormat),
      distanceFormat(source.distanceFormat)
{
    CopyMainValues(source);
    section = source.section;
    SetNodes(source.p1, source.p2, source.centre, source.linePoint);
    kind = source.kind;
    instances = source.instances;
    charWidth = source.charWidth;
    charHeight = source.charHeight;
}

CMeasure::~CMeasure() = default;

void CMeasure::SetKind(int value)
{
    kind = value;
    MarkDisplayDirty();
}

void CMeasure::SetNodes(int first, int second, int centreNode, int line)
{
    int* targets[4] = {&p1, &p2, &centre, &linePoint};
    const int indices[4] = {first, second, centreNode, line};
    for (int i = 0; i < 4; ++i) {
        ElementNodes::Detach(nodeTable, *targets[i], this);
        ElementNodes::Attach(nodeTable, indices[i], this);
        *targets[i] = indices[i];
    }
    SetGeometryDirty();
}

void CMeasure::SetPreviewNodes(CNodePoint* first, CNodePoint* second, CNodePoint* centreNode, CNodePoint* line)
{
    preview = 1;
    preview_ = {line, first, second, centreNode};
    SetGeometryDirty();
}

bool CMeasure::TakeCurrentNodes()
{
    if (preview) {
        current_ = preview_;
    } else {
        current_ = {ElementNodes::NodeOf(nodeTable, linePoint), ElementNodes::NodeOf(nodeTable, p1),
                    ElementNodes::NodeOf(nodeTable, p2),
                    centre == -1 ? nullptr : ElementNodes::NodeOf(nodeTable, centre)};
    }
    if (!current_[L] || !current_[P1] || !current_[P2])
        return false;
    return kind != DimensionKind::Angular || current_[C];
}

std::array<die::coord, 4> CMeasure::CurrentPositions() const
{
    std::array<die::coord, 4> at{};
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (current_[i])
            at[i] = Position(*current_[i]);
    }
    return at;
}

CMeasure::DimensionLine CMeasure::GetDimensionLine(int kind, const die::coord& p1, const die::coord& p2,
                                                   const die::coord& l, const die::coord& c)
{
    DimensionLine line;
    switch (kind) {
    case DimensionKind::Horizontal:
        line.q1 = {p1.x, l.y};
        line.q2 = {p2.x, l.y};
        break;
    case DimensionKind::Vertical:
        line.q1 = {l.x, p1.y};
        line.q2 = {l.x, p2.y};
        break;
    case DimensionKind::Aligned: {
        double alpha = Direction(p2 - p1) - Direction(l - p1);
        if (alpha < 0.0)
            alpha += Geom::kTwoPi;
        const double e = -die::distance(l, p1) * std::sin(alpha);
        double m = Direction(p2 - p1) + Geom::kHalfPi;
        if (m > Geom::kTwoPi)
            m -= Geom::kTwoPi;
        const die::coord offset = Annotation::UnitAt(m) * e;
        line.q1 = p1 + offset;
        line.q2 = p2 + offset;
        break;
    }
    case DimensionKind::Angular:
        line.radius = die::distance(l, c);
        line.q1 = c + Annotation::UnitAt(Direction(p2 - c)) * line.radius;
        line.q2 = c + Annotation::UnitAt(Direction(p1 - c)) * line.radius;
        break;
    case DimensionKind::Radial:
        line.q1 = p1;
        line.q2 = p1 + Annotation::UnitAt(Direction(l - p1)) * die::distance(p2, p1);
        break;
    default: break;
    }
    return line;
}

void CMeasure::CountAutoBridges(int, double, bool)
{
    bridges.Clear();
    autoCount = 0;
}

void CMeasure::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Measure);
    MeasureRecord r;
    r.kind = kind;
    r.first = p1;
    r.second = p2;
    r.centre = centre;
    r.line = linePoint;
    std::copy(instances.begin(), instances.end(), r.instances.begin());
    r.charWidth = charWidth;
    r.charHeight = charHeight;
    WriteElementRecord(out, r);
    SaveBase(out);
}

bool CMeasure::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<MeasureRecord>(in, fileVersion);
    if (!r)
        return false;
    const bool hasCentre = r->centre != -1;
    const auto present = [&](int32_t index) { return ElementNodes::StoredNode(nodeTable, index, nodeBase) >= 0; };
    if (!present(r->first) || !present(r->second) || !present(r->line) || (hasCentre && !present(r->centre))) {
        in.fail(QStringLiteral("dimension on a missing node"));
        return false;
    }
    if (!LoadBase(in, fileVersion))
        return false;
    kind = r->kind;
    SetNodes(r->first + nodeBase, r->second + nodeBase, hasCentre ? r->centre + nodeBase : -1, r->line + nodeBase);
    std::copy(r->instances.begin(), r->instances.end(), instances.begin());
    charWidth = r->charWidth;
    charHeight = r->charHeight;
    return true;
}

void CMeasure::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* other = dynamic_cast<const CMeasure*>(&source);
    if (withNodes && other) {
        SetNodes(other->p1, other->p2, other->centre, other->linePoint);
        kind = other->kind;
        instances = other->instances;
    }
    AssignMainValues(source);
}

void CMeasure::Recalculate()
{
    // Nothing is cached; the nodes may have moved.
    MarkDisplayDirty();
}

void CMeasure::AddRefNodes()
{
    for (int index : {p1, p2, centre, linePoint})
        ElementNodes::AddRef(nodeTable, index);
}

template <typename Offset>
void CMeasure::MoveNodes(NodeRemap& remap, Offset offset)
{
    for (int* index : {&p1, &p2, &centre, &linePoint}) {
        CNodePoint* node = ElementNodes::NodeOf(nodeTable, *index);
        if (*index == -1 || !node)
            continue;
        const die::coord d = offset(Position(*node));
        *index = ElementNodes::MoveNode(nodeTable, *index, remap, d.x, d.y);
    }
    SetGeometryDirty();
}

void CMeasure::Move(NodeRemap& remap, double dx, double dy)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CMeasure::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void CMeasure::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
}

void CMeasure::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
}

double CMeasure::Extent(double current, bool init, int axis, bool largest)
{
    if (!TakeCurrentNodes())
        return current;
    const die::coord first = ElementNodes::ExtentPosition(*this, *current_[L]);
    double value = init ? (axis == 0 ? first.x : first.y) : current;
    value = Annotation::NodesExtent(*this, current_, value, axis, largest);
    const std::array<die::coord, 4> at = CurrentPositions();
    const DimensionLine line = GetDimensionLine(kind, at[P1], at[P2], at[L], at[C]);
    const auto take = [&](const die::coord& p) {
        const double v = axis == 0 ? p.x : p.y;
        value = largest ? std::max(value, v) : std::min(value, v);
    };
    take(line.q1);
    take(line.q2);
    if (kind == DimensionKind::Angular) {
        // The circle's extreme point in this direction, when the arc runs
        // through it.
        die::coord extreme = at[C];
        (axis == 0 ? extreme.x : extreme.y) += largest ? line.radius : -line.radius;
        const double v = axis == 0 ? extreme.x : extreme.y;
        if ((largest ? v > value : v < value)
            && Geom::IsOnArcSweep(at[C].x, at[C].y, line.q1.x, line.q1.y, line.q2.x, line.q2.y, extreme.x,
                                  extreme.y, 0.0))
            value = v;
    }
    return value;
}

double CMeasure::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CMeasure::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CMeasure::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CMeasure::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

bool CMeasure::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    if (!TakeCurrentNodes())
        return false;
    return Annotation::NodesInRect(*this, current_, x1, y1, x2, y2, mode);
}

bool CMeasure::UsesNode(int node, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return node == linePoint || node == p1 || node == p2 || (node != -1 && node == centre);
}

double CMeasure::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    return Annotation::DrawFitted(*this, dc, rect);
}
