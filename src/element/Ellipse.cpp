#include "element/Ellipse.h"

#include "element/ElementRecords.h"
#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/Line.h"
#include "element/NodeTransforms.h"
#include "element/OldTextRecord.h"
#include "geometry/Geom.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

using ElementNodes::Position;

namespace {
constexpr double kTwoPi = Geom::kTwoPi;

double Wrapped(double a)
{
    return Angle::Normalize(a);
}
} // namespace

die::coord CEllipse::Shape::At(double theta) const
{
    double x = centre.x;
    double y = centre.y;
    (void)PointAtPolarAngle(phi, a, b, centre, theta, x, y); // a degenerate ellipse stays at its centre
    return {x, y};
}

CEllipse::CEllipse(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord) {}

CEllipse::CEllipse(const CEllipse& source) : CElement(source.nodeTable, source.options, source.context)
{
    CopyMainValues(source);
    centreNode = source.centreNode;
    majorNode = source.majorNode;
    minorNode = source.minorNode;
    startNode = source.startNode;
    endNode = source.endNode;
    section = source.section;
}

// Nodes keep no record of their elements (see CArc).
CEllipse::~CEllipse() = default;

void CEllipse::SetCentreNode(int index)
{
    centreNode = index;
    SetGeometryDirty();
}

void CEllipse::SetMajorNode(int index)
{
    majorNode = index;
    SetGeometryDirty();
}

void CEllipse::SetMinorNode(int index)
{
    minorNode = index;
    SetGeometryDirty();
}

void CEllipse::SetStartNode(int index)
{
    startNode = index;
    SetGeometryDirty();
}

void CEllipse::SetEndNode(int index)
{
    endNode = index;
    SetGeometryDirty();
}

void CEllipse::SetPreviewNodes(CNodePoint* start, CNodePoint* end, CNodePoint* centre, CNodePoint* major,
                               CNodePoint* minor)
{
    preview = 1;
    previewNodes = {start, end, centre, major, minor};
    SetGeometryDirty();
    Recalculate();
}

CEllipse::NodeSet CEllipse::TableNodes() const
{
    return {ElementNodes::NodeOf(nodeTable, startNode), ElementNodes::NodeOf(nodeTable, endNode),
            ElementNodes::NodeOf(nodeTable, centreNode), ElementNodes::NodeOf(nodeTable, majorNode),
            ElementNodes::NodeOf(nodeTable, minorNode)};
}

bool CEllipse::TakeCurrentNodes()
{
    currentNodes = preview ? previewNodes : TableNodes();
    return std::all_of(currentNodes.begin(), currentNodes.end(), [](CNodePoint* n) { return n != nullptr; });
}

void CEllipse::Recalculate()
{
    (void)TakeCurrentNodes(); // a missing node leaves the cache short; every user checks
}

bool CEllipse::IsWhole() const
{
    return preview ? previewNodes[StartSlot] == previewNodes[EndSlot] : startNode == endNode;
}

bool CEllipse::ShapeOf(const NodeSet& nodes, Shape& shape)
{
    if (std::any_of(nodes.begin(), nodes.end(), [](CNodePoint* n) { return n == nullptr; }))
        return false;
    const die::coord c = Position(*nodes[CentreSlot]);
    const die::coord m = Position(*nodes[MajorSlot]);
    shape.centre = c;
    shape.a = die::distance(c, m);
    shape.b = die::distance(c, Position(*nodes[MinorSlot]));
    shape.phi = Angle().FromVector(m - c).Radians();
    return true;
}

bool CEllipse::CurrentShape(Shape& shape)
{
    return TakeCurrentNodes() && ShapeOf(currentNodes, shape);
}

bool CEllipse::GetGeometry(double& phi, double& a, double& b, die::coord& centre)
{
    Shape s;
    if (!CurrentShape(s))
        return false;
    phi = s.phi;
    a = s.a;
    b = s.b;
    centre = s.centre;
    return true;
}

double CEllipse::StartAngle() const
{
    return ElementNodes::Direction(*currentNodes[CentreSlot], *currentNodes[StartSlot]);
}

double CEllipse::EndAngle() const
{
    return ElementNodes::Direction(*currentNodes[CentreSlot], *currentNodes[EndSlot]);
}

double CEllipse::GetSweepAngle()
{
    if (!TakeCurrentNodes())
        return 0.0;
    if (IsWhole())
        return kTwoPi;
    return Wrapped(StartAngle() - EndAngle());
}

bool CEllipse::PointAtPolarAngle(double phi, double a, double b, const die::coord& centre, double theta, double& x,
                                 double& y)
{
    // The larger distance is the major semi-axis, across the major-axis
    // node's direction when that node is the nearer one.
    const double major = std::max(a, b);
    const double minor = std::min(a, b);
    const double direction = a < b ? phi + Geom::kHalfPi : phi;
    return Geom::EllipsePointInDirection(centre.x, centre.y, major, minor, direction, Wrapped(theta), x, y);
}

bool CEllipse::PointAtAngle(double theta, double& x, double& y)
{
    Shape s;
    return CurrentShape(s) && PointAtPolarAngle(s.phi, s.a, s.b, s.centre, theta, x, y);
}

// The length of the curve itself, integrated: the same whichever end a
// stretch is measured from.
double CEllipse::SweptLength(const Shape& shape, double from, double sweep)
{
    const double major = std::max(shape.a, shape.b);
    const double minor = std::min(shape.a, shape.b);
    const double direction = shape.a < shape.b ? shape.phi + Geom::kHalfPi : shape.phi;
    return Geom::EllipsePolarArcLength(major, minor, from - sweep - direction, from - direction);
}

double CEllipse::WholeLength(const Shape& shape, double from)
{
    return SweptLength(shape, from, kTwoPi);
}

double CEllipse::ArcLength(double from, double to)
{
    Shape s;
    if (!CurrentShape(s))
        return 0.0;
    const double sweep = Wrapped(from - to);
    return SweptLength(s, from, sweep == 0.0 ? kTwoPi : sweep);
}

double CEllipse::AngleAtLength(double from, double length)
{
    Shape s;
    if (length == 0.0 || !std::isfinite(length) || !CurrentShape(s))
        return Wrapped(from);
    const double direction = length < 0.0 ? 1.0 : -1.0; // a negative length walks counter-clockwise
    const double whole = WholeLength(s, from);
    double rest = std::fabs(length);
    if (whole > 0.0 && rest >= whole)
        rest = std::fmod(rest, whole);
    if (rest == 0.0)
        return Wrapped(from);
    // The sweep whose length is what is left, by halving: the length grows
    // with the sweep.
    double low = 0.0;
    double high = kTwoPi;
    for (int k = 0; k < 60 && high - low > 1e-15; ++k) {
        const double mid = (low + high) / 2;
        const double swept = direction < 0.0 ? SweptLength(s, from, mid) : SweptLength(s, from + mid, mid);
        if (swept < rest)
            low = mid;
        else
            high = mid;
    }
    return Wrapped(from + direction * high);
}

double CEllipse::GetFullLength()
{
    Shape s;
    if (!CurrentShape(s))
        return 0.0;
    const double from = StartAngle();
    if (IsWhole())
        return WholeLength(s, from);
    return ArcLength(from, EndAngle());
}

double CEllipse::GetFoci(double& x1, double& y1, double& x2, double& y2)
{
    const NodeSet n = TableNodes();
    if (!n[CentreSlot] || !n[MajorSlot] || !n[MinorSlot])
        return 0.0;
    const double a = ElementNodes::Distance(*n[CentreSlot], *n[MajorSlot]);
    const double b = ElementNodes::Distance(*n[CentreSlot], *n[MinorSlot]);
    double phi = ElementNodes::Direction(*n[CentreSlot], *n[MajorSlot]);
    if (b > a)
        phi += Geom::kHalfPi; // the minor-axis node lies on the longer axis
    const double major = std::max(a, b);
    const double e = std::sqrt(major * major - std::min(a, b) * std::min(a, b));
    const die::coord c = Position(*n[CentreSlot]);
    const die::coord d{e * std::cos(phi), e * std::sin(phi)};
    x1 = c.x + d.x;
    y1 = c.y + d.y;
    x2 = c.x - d.x;
    y2 = c.y - d.y;
    return 2 * major;
}

bool CEllipse::GetApproxArc(int n, int i, double& cx, double& cy, double& x1, double& y1, double& x2, double& y2)
{
    Shape s;
    if (n < 1 || !CurrentShape(s))
        return false;
    i = std::clamp(i, 1, n);
    const double step = GetSweepAngle() / n;
    const double from = Wrapped(StartAngle() - (i - 1) * step);
    const double to = Wrapped(StartAngle() - i * step);
    const die::coord p1 = s.At(from);
    const die::coord p2 = s.At(to);
    const die::coord mid = s.At(from - step / 2);
    x1 = p1.x;
    y1 = p1.y;
    x2 = p2.x;
    y2 = p2.y;
    return Geom::CircumCentre(p1.x, p1.y, mid.x, mid.y, p2.x, p2.y, cx, cy);
}

bool CEllipse::GetArcShape(Geom::EllipseArc& arc)
{
    const NodeSet n = TableNodes();
    if (std::any_of(n.begin(), n.end(), [](CNodePoint* p) { return p == nullptr; }))
        return false;
    arc.centre = Position(*n[CentreSlot]);
    arc.start = Position(*n[StartSlot]);
    arc.end = Position(*n[EndSlot]);
    arc.semiX = die::distance(arc.centre, Position(*n[MajorSlot]));
    arc.semiY = die::distance(arc.centre, Position(*n[MinorSlot]));
    arc.rotation = Angle().FromVector(Position(*n[MajorSlot]) - arc.centre).Radians();
    return true;
}

void CEllipse::CountAutoBridges(int n, double width, bool replace)
{
    const NodeSet nodes = TableNodes();
    if (std::any_of(nodes.begin(), nodes.end(), [](CNodePoint* p) { return p == nullptr; }))
        return;
    if (!replace)
        n += bridges.Count();
    // A bridge that would start before the ellipse (more bridge than length)
    // is not laid.
    LayOutEvenBridges(n, width, GetFullLength(), true);
}

void CEllipse::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Ellipse);
    WriteElementRecord(out, EllipseRecord{centreNode, majorNode, minorNode, startNode, endNode});
    SaveBase(out);
}

bool CEllipse::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<EllipseRecord>(in, fileVersion);
    if (!r)
        return false;
    for (int32_t index : {r->centre, r->major, r->minor, r->start, r->end}) {
        if (ElementNodes::StoredNode(nodeTable, index, nodeBase) < 0) {
            in.fail(QStringLiteral("ellipse on a missing node"));
            return false;
        }
    }
    if (!LoadBase(in, fileVersion))
        return false;
    SetCentreNode(r->centre + nodeBase);
    SetMajorNode(r->major + nodeBase);
    SetMinorNode(r->minor + nodeBase);
    SetStartNode(r->start + nodeBase);
    SetEndNode(r->end + nodeBase);
    Recalculate();
    return true;
}

// Fields (counted from 1): 3 and 4 the centre, 5 and 6 the semi-axes, 7 the
// rotation in degrees, 8 the line type, 9 the ptg, 10 and 11 the bridge count
// and width; 1 and 2 are not read. The result is a whole ellipse.
void CEllipse::SetFromText(const QString& text)
{
    using OldTextRecord::Field;
    const std::vector<double> f = OldTextRecord::Fields(text);
    const die::coord c{Field(f, 2), Field(f, 3)};
    const double rotation = Field(f, 6);
    double across = rotation + 90.0;
    if (across >= 360.0)
        across -= 360.0;
    const auto onAxis = [&](double radius, double degrees) {
        const double r = Geom::DegToRad(degrees);
        return c + die::coord{std::cos(r), std::sin(r)} * radius;
    };
    const int centre = ElementNodes::AddPoint(nodeTable, c);
    const int major = ElementNodes::AddPoint(nodeTable, onAxis(Field(f, 4), rotation));
    const int minor = ElementNodes::AddPoint(nodeTable, onAxis(Field(f, 5), across));
    if (centre < 0 || major < 0 || minor < 0)
        return; // a position no node can hold
    SetCentreNode(centre);
    SetMajorNode(major);
    SetMinorNode(minor);
    SetStartNode(major);
    SetEndNode(major);
    SetLineType(static_cast<int>(Field(f, 7)));
    SetPtg(Field(f, 8));
    SetAutoBridges(static_cast<int>(Field(f, 9)), Field(f, 10));
}

void CEllipse::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* ellipse = dynamic_cast<const CEllipse*>(&source);
    if (withNodes && ellipse) {
        SetCentreNode(ellipse->centreNode);
        SetMajorNode(ellipse->majorNode);
        SetMinorNode(ellipse->minorNode);
        SetStartNode(ellipse->startNode);
        SetEndNode(ellipse->endNode);
    }
    AssignMainValues(source);
}

void CEllipse::AddRefNodes()
{
    for (int index : {startNode, endNode, centreNode, majorNode, minorNode})
        ElementNodes::AddRef(nodeTable, index);
}

template <typename Offset>
void CEllipse::MoveNodes(NodeRemap& remap, Offset offset)
{
    for (int* node : {&centreNode, &majorNode, &minorNode, &startNode, &endNode}) {
        CNodePoint* n = ElementNodes::NodeOf(nodeTable, *node);
        if (!n)
            continue;
        const die::coord d = offset(Position(*n));
        *node = ElementNodes::MoveNode(nodeTable, *node, remap, d.x, d.y);
    }
    SetGeometryDirty();
}

void CEllipse::Move(NodeRemap& remap, double dx, double dy)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CEllipse::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void CEllipse::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
}

void CEllipse::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    const double length = GetFullLength();
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
    std::swap(startNode, endNode);
    for (Bridge& b : bridges)
        b.position = length - b.position - b.width;
    bridges.Reverse();
    Recalculate();
}

void CEllipse::ValidateNodes()
{
    Shape s;
    if (!CurrentShape(s))
        return;
    const auto place = [&](CNodePoint& node, const die::coord& target) {
        if (!ElementNodes::IsAt(node, target) && ElementNodes::MakeAbsoluteAt(node, target))
            SetGeometryDirty();
        ElementNodes::ClearCache(node);
    };
    if (currentNodes[MajorSlot] != currentNodes[MinorSlot]) {
        const double b = ElementNodes::Distance(*currentNodes[CentreSlot], *currentNodes[MinorSlot]);
        const double across = Wrapped(s.phi + Geom::kHalfPi);
        place(*currentNodes[MinorSlot], s.centre + die::coord{std::cos(across), std::sin(across)} * b);
        if (!CurrentShape(s))
            return;
    }
    place(*currentNodes[StartSlot], s.At(StartAngle()));
    place(*currentNodes[EndSlot], s.At(EndAngle()));
}

double CEllipse::Extent(double current, bool init, int axis, bool largest)
{
    const NodeSet n = TableNodes();
    if (std::any_of(n.begin(), n.end(), [](CNodePoint* p) { return p == nullptr; }))
        return current;
    const auto along = [axis](const die::coord& p) { return axis == 0 ? p.x : p.y; };
    const auto pick = [largest](double u, double v) { return largest ? std::max(u, v) : std::min(u, v); };
    const double c = along(ElementNodes::ExtentPosition(*this, *n[CentreSlot]));
    double result = init ? c : current;
    for (CNodePoint* node : n)
        result = pick(result, along(ElementNodes::ExtentPosition(*this, *node)));
    const double r = std::max(ElementNodes::Distance(*n[CentreSlot], *n[MajorSlot]),
                              ElementNodes::Distance(*n[CentreSlot], *n[MinorSlot]));
    return pick(result, largest ? c + r : c - r);
}

double CEllipse::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CEllipse::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CEllipse::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CEllipse::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

double CEllipse::ProjectPoint(double x, double y, double* px, double* py, double from, double to)
{
    Shape s;
    if (!CurrentShape(s))
        return 0.0;
    const double full = GetFullLength();
    const double thetaS = StartAngle();
    double theta = Geom::VectorAngle(y - s.centre.y, x - s.centre.x);
    const double upper = std::min(full, to);
    // Only a stretch over the whole of a whole ellipse takes every direction.
    if (!IsWhole() || upper - from < full) {
        const double t = AngleAtLength(thetaS, from);
        const double w = AngleAtLength(thetaS, upper);
        // The allowed directions run clockwise from t to w.
        if (Wrapped(t - theta) > Wrapped(t - w)) {
            // Outside the stretch: the nearer of its two ends.
            const die::coord p{x, y};
            theta = die::distance(p, s.At(w)) < die::distance(p, s.At(t)) ? w : t;
        }
    }
    const die::coord point = s.At(theta);
    if (px)
        *px = point.x;
    if (py)
        *py = point.y;
    return SweptLength(s, thetaS, Wrapped(thetaS - theta));
}

bool CEllipse::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    const NodeSet n = TableNodes();
    return NodesInRect(n, x1, y1, x2, y2, mode);
}

bool CEllipse::UsesNode(int node, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return node == startNode || node == endNode || node == centreNode || node == majorNode || node == minorNode;
}

bool CEllipse::ExtendTowards(double x, double y, double length)
{
    const double d = ProjectPoint(x, y, nullptr, nullptr, 0.0, 2147483647.0);
    if (d < GetFullLength() / 2)
        return ExtendBy(length, 0.0);
    return ExtendBy(0.0, length);
}

bool CEllipse::ExtendBy(double atStart, double atEnd)
{
    Shape s;
    if (!CurrentShape(s))
        return false;
    const double full = GetFullLength();
    const double thetaS = StartAngle();
    const double thetaE = EndAngle();
    CNodePoint* start = currentNodes[StartSlot];
    CNodePoint* end = currentNodes[EndSlot];
    // Measured as every other length of the ellipse: the whole turn.
    if (WholeLength(s, thetaS) <= full + atStart + atEnd) {
        if (preview) {
            if (!ElementNodes::MakeAbsoluteAt(*end, Position(*start)))
                return false;
            SetGeometryDirty();
        } else {
            SetEndNode(startNode);
        }
    } else {
        const double a = AngleAtLength(thetaS, -atStart);
        const double b = AngleAtLength(thetaE, atEnd);
        const die::coord newStart = s.At(a);
        const die::coord newEnd = a == b ? newStart : s.At(b);
        if (preview) {
            if (!ElementNodes::MakeAbsoluteAt(*start, newStart) || !ElementNodes::MakeAbsoluteAt(*end, newEnd))
                return false;
            SetGeometryDirty();
        } else {
            const int first = ElementNodes::AddPoint(nodeTable, newStart);
            const int last = ElementNodes::AddPoint(nodeTable, newEnd);
            if (first < 0 || last < 0)
                return false; // a position no node can hold
            SetStartNode(first);
            SetEndNode(last);
        }
    }
    Recalculate();
    RefreshBridges();
    return true;
}

void CEllipse::IntersectWith(CElement& other)
{
    CElement::IntersectWith(other);
    if (intersectionsCopied) {
        intersectionsCopied = false;
        return;
    }
    intersections.clear();
    Geom::EllipseArc mine;
    if (!GetArcShape(mine))
        return;
    if (auto* line = dynamic_cast<CLine*>(&other)) {
        CNodePoint* s = ElementNodes::NodeOf(line->GetNodeTable(), line->GetStartNode());
        CNodePoint* e = ElementNodes::NodeOf(line->GetNodeTable(), line->GetEndNode());
        if (s && e)
            Geom::IntersectLineEllipseArc(mine, Position(*s), Position(*e), intersections);
    } else if (auto* arc = dynamic_cast<CArc*>(&other)) {
        CArc::Circle circle;
        if (arc->GetCircle(circle))
            Geom::IntersectEllipseArcCircleArc(mine, circle.centre, circle.start, circle.end, circle.radius,
                                               intersections);
    } else if (auto* ellipse = dynamic_cast<CEllipse*>(&other)) {
        Geom::EllipseArc theirs;
        if (ellipse->GetArcShape(theirs))
            Geom::IntersectEllipseArcs(mine, theirs, intersections);
    }
}

double CEllipse::RelativePosition(double x, double y)
{
    const NodeSet n = TableNodes();
    if (!n[StartSlot] || !n[EndSlot] || !n[CentreSlot])
        return 0.0;
    const double a = ElementNodes::Direction(*n[CentreSlot], *n[StartSlot]);
    const double b = ElementNodes::Direction(*n[CentreSlot], *n[EndSlot]);
    const die::coord c = Position(*n[CentreSlot]);
    const double q = Geom::VectorAngle(y - c.y, x - c.x);
    return b != a ? (q - a) / (b - a) : 0.0;
}
