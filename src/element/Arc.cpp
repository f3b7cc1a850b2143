#include "element/Arc.h"

#include "element/ElementRecords.h"
#include "element/ElementNodes.h"
#include "element/NodeTransforms.h"
#include "element/OldTextRecord.h"
#include "geometry/Geom.h"
#include "platform/BinaryStream.h"
#include "support/Log.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

using ElementNodes::Position;

namespace {
const QString kArcGroup = QStringLiteral("Arc");
constexpr double kTwoPi = 2 * Geom::kPi;
// A sweep this small counts as the full circle when bridges are laid out.
constexpr double kFullCircleSweep = 1e-6;

double Wrapped(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}
} // namespace

CArc::CArc(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord) {}

CArc::CArc(const CArc& source) : CElement(source.nodeTable, source.options, source.context)
{
    CopyMainValues(source);
    SetCenterNode(source.centerNode);
    SetStartNode(source.startNode);
    SetEndNode(source.endNode);
    Recalculate();
    section = source.section;
}

// Nodes keep no record of their elements, so an element leaves them alone
// when it goes: it may outlive the node table inside an undo step.
CArc::~CArc() = default;

void CArc::SetStartNode(int index)
{
    ElementNodes::Detach(nodeTable, startNode, this);
    ElementNodes::Attach(nodeTable, index, this);
    startNode = index;
    SetGeometryDirty();
}

void CArc::SetEndNode(int index)
{
    ElementNodes::Detach(nodeTable, endNode, this);
    ElementNodes::Attach(nodeTable, index, this);
    endNode = index;
    SetGeometryDirty();
}

void CArc::SetCenterNode(int index)
{
    ElementNodes::Detach(nodeTable, centerNode, this);
    ElementNodes::Attach(nodeTable, index, this);
    centerNode = index;
    SetGeometryDirty();
}

void CArc::SetPreviewNodes(CNodePoint* start, CNodePoint* end, CNodePoint* centre)
{
    preview = 1;
    previewStart = start;
    previewEnd = end;
    previewCenter = centre;
    SetGeometryDirty();
    Recalculate();
}

bool CArc::TakeCurrentNodes()
{
    if (preview) {
        currentStart = previewStart;
        currentEnd = previewEnd;
        currentCenter = previewCenter;
    } else {
        currentStart = ElementNodes::NodeOf(nodeTable, startNode);
        currentEnd = ElementNodes::NodeOf(nodeTable, endNode);
        currentCenter = ElementNodes::NodeOf(nodeTable, centerNode);
    }
    return currentStart && currentEnd && currentCenter;
}

bool CArc::IsFullCircle() const
{
    return preview ? previewStart == previewEnd : startNode == endNode;
}

void CArc::Recalculate()
{
    if (!TakeCurrentNodes())
        return;
    const double r = ElementNodes::Distance(*currentStart, *currentCenter);
    const double a = ElementNodes::Direction(*currentCenter, *currentStart);
    const double b = ElementNodes::Direction(*currentCenter, *currentEnd);
    if (r != radius || a != startAngle || b != endAngle)
        SetGeometryDirty();
    radius = r;
    startAngle = a;
    endAngle = b;
}

bool CArc::GetCircle(Circle& circle)
{
    Recalculate();
    if (!currentStart || !currentEnd || !currentCenter)
        return false;
    circle = Circle{Position(*currentCenter), Position(*currentStart), Position(*currentEnd), radius};
    return true;
}

double CArc::GetSweepAngle()
{
    Recalculate();
    if (IsFullCircle())
        return kTwoPi;
    return Wrapped(startAngle - endAngle);
}

double CArc::GetFullLength()
{
    Recalculate();
    if (IsFullCircle())
        return kTwoPi * radius;
    return radius * Wrapped(startAngle - endAngle);
}

die::coord CArc::PointAlong(const die::coord& centre, double distance) const
{
    const double a = radius > 0.0 ? startAngle - distance / radius : startAngle;
    return centre + die::coord{std::cos(a), std::sin(a)} * radius;
}

void CArc::CountAutoBridges(int n, double width, bool replace)
{
    Log::TheLog().Write("CArc::CountAutoBridges( long )", Log::Section);
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    CNodePoint* c = ElementNodes::NodeOf(nodeTable, centerNode);
    if (!s || !e || !c)
        return;
    if (!replace)
        n += bridges.Count();
    bridges.Clear();
    const double r = ElementNodes::Distance(*c, *s);
    double sweep = ElementNodes::Direction(*c, *s) - ElementNodes::Direction(*c, *e);
    if (sweep < 0.0)
        sweep += kTwoPi;
    if (std::fabs(sweep) < kFullCircleSweep)
        sweep = kTwoPi;
    LayOutEvenBridges(n, width, std::fabs(sweep) * r, true);
}

void CArc::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Arc);
    WriteElementRecord(out, ArcRecord{startNode, endNode, centerNode});
    SaveBase(out);
}

bool CArc::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<ArcRecord>(in, fileVersion);
    if (!r)
        return false;
    for (int32_t index : {r->start, r->end, r->centre}) {
        if (ElementNodes::StoredNode(nodeTable, index, nodeBase) < 0) {
            in.fail(QStringLiteral("arc on a missing node"));
            return false;
        }
    }
    if (!LoadBase(in, fileVersion))
        return false;
    SetStartNode(r->start + nodeBase);
    SetEndNode(r->end + nodeBase);
    SetCenterNode(r->centre + nodeBase);
    Recalculate();
    return true;
}

void CArc::SetFromText(const QString& text)
{
    using OldTextRecord::Field;
    const std::vector<double> f = OldTextRecord::Fields(text);
    int start = ElementNodes::AddPoint(nodeTable, {Field(f, 2), Field(f, 3)});
    int end = ElementNodes::AddPoint(nodeTable, {Field(f, 4), Field(f, 5)});
    const int centre = ElementNodes::AddPoint(nodeTable, {Field(f, 12), Field(f, 13)});
    if (start < 0 || end < 0 || centre < 0)
        return; // a position no node can hold
    if (Field(f, 14) > 0.0)
        std::swap(start, end);
    SetStartNode(start);
    SetEndNode(end);
    SetCenterNode(centre);
    SetLineType(static_cast<int>(Field(f, 6)));
    SetPtg(Field(f, 7));
    SetAutoBridges(static_cast<int>(Field(f, 8)), Field(f, 9));
    Recalculate();
}

void CArc::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* arc = dynamic_cast<const CArc*>(&source);
    if (withNodes && arc) {
        SetCenterNode(arc->centerNode);
        SetEndNode(arc->endNode);
        SetStartNode(arc->startNode);
        radius = arc->radius;
        startAngle = arc->startAngle;
        endAngle = arc->endAngle;
    }
    AssignMainValues(source);
    Recalculate();
}

void CArc::AddRefNodes()
{
    ElementNodes::AddRef(nodeTable, startNode);
    ElementNodes::AddRef(nodeTable, endNode);
    ElementNodes::AddRef(nodeTable, centerNode);
}

template <typename Offset>
void CArc::MoveNodes(NodeRemap& remap, Offset offset)
{
    for (int* node : {&startNode, &endNode, &centerNode}) {
        CNodePoint* n = ElementNodes::NodeOf(nodeTable, *node);
        if (!n)
            continue;
        const die::coord d = offset(Position(*n));
        const int moved = ElementNodes::MoveNode(nodeTable, *node, remap, d.x, d.y);
        if (node == &startNode)
            SetStartNode(moved);
        else if (node == &endNode)
            SetEndNode(moved);
        else
            SetCenterNode(moved);
    }
}

void CArc::Move(NodeRemap& remap, double dx, double dy)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CArc::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
    Recalculate();
}

void CArc::Scale(NodeRemap& remap, double cx, double cy, double fx, double)
{
    if (!selected)
        return;
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fx); });
    ScaleBridges(fx);
}

void CArc::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    const double length = GetFullLength();
    MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
    const int start = startNode;
    SetStartNode(endNode);
    SetEndNode(start);
    for (Bridge& b : bridges)
        b.position = length - b.position - b.width;
    bridges.Reverse();
    Recalculate();
}

void CArc::ValidateNodes()
{
    Recalculate();
    Log::TheLog().Write("CArc::ValidateNodes( )", Log::Element);
    if (!currentEnd || !currentCenter)
        return;
    const die::coord target =
        Position(*currentCenter) + die::coord{std::cos(endAngle), std::sin(endAngle)} * radius;
    if (!ElementNodes::IsAt(*currentEnd, target) && ElementNodes::MakeAbsoluteAt(*currentEnd, target))
        SetGeometryDirty();
    ElementNodes::ClearCache(*currentEnd);
}

void CArc::ReattachNodes()
{
    ElementNodes::Attach(nodeTable, startNode, this);
    ElementNodes::Attach(nodeTable, endNode, this);
    ElementNodes::Attach(nodeTable, centerNode, this);
    displayDirty = true;
}

double CArc::Extent(double current, bool init, int axis, bool largest)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    CNodePoint* c = ElementNodes::NodeOf(nodeTable, centerNode);
    if (!s || !e || !c)
        return current;
    const die::coord ps = ElementNodes::ExtentPosition(*this, *s);
    const die::coord pe = ElementNodes::ExtentPosition(*this, *e);
    const die::coord pc = ElementNodes::ExtentPosition(*this, *c);
    const auto along = [axis](const die::coord& p) { return axis == 0 ? p.x : p.y; };
    const double first = init ? along(ps) : current;
    double result = largest ? std::max({first, along(ps), along(pe)}) : std::min({first, along(ps), along(pe)});
    const double r = die::distance(pc, ps);
    die::coord extreme = pc;
    (axis == 0 ? extreme.x : extreme.y) += largest ? r : -r;
    const bool beyond = largest ? along(extreme) > result : along(extreme) < result;
    if (beyond && Geom::IsOnArcSweep(pc.x, pc.y, ps.x, ps.y, pe.x, pe.y, extreme.x, extreme.y, 0.01))
        result = along(extreme);
    return result;
}

double CArc::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CArc::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CArc::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CArc::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

double CArc::ProjectPoint(double x, double y, double* px, double* py, double from, double to)
{
    const double length = GetFullLength();
    if (!currentCenter || radius <= 0.0)
        return 0.0;
    const die::coord c = Position(*currentCenter);
    double h = Geom::VectorAngle(y - c.y, x - c.x);
    const double stretch = std::min(to, length) - from;
    if (stretch < kTwoPi * radius) {
        const double a = Wrapped(startAngle - from / radius);
        const double b = Wrapped(startAngle - std::min(to, length) / radius);
        // The allowed directions run clockwise from a to b.
        if (Wrapped(a - h) > Wrapped(a - b)) {
            // Outside the stretch: the nearer of its two ends.
            const die::coord p{x, y};
            const die::coord pa = c + die::coord{std::cos(a), std::sin(a)} * radius;
            const die::coord pb = c + die::coord{std::cos(b), std::sin(b)} * radius;
            h = die::distance(p, pb) < die::distance(p, pa) ? b : a;
        }
    }
    const die::coord point = c + die::coord{std::cos(h), std::sin(h)} * radius;
    if (px)
        *px = point.x;
    if (py)
        *py = point.y;
    return radius * Wrapped(startAngle - h);
}

bool CArc::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    return EndsInRect(ElementNodes::NodeOf(nodeTable, startNode), ElementNodes::NodeOf(nodeTable, endNode), x1, y1,
                      x2, y2, mode);
}

bool CArc::UsesNode(int node, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return node == startNode || node == endNode || node == centerNode;
}

bool CArc::ExtendTowards(double x, double y, double length)
{
    const double d = ProjectPoint(x, y, nullptr, nullptr, 0.0, 2147483647.0);
    if (d < GetFullLength() / 2)
        return ExtendBy(length, 0.0);
    return ExtendBy(0.0, length);
}

bool CArc::ExtendBy(double atStart, double atEnd)
{
    const double full = GetFullLength();
    if (!currentStart || !currentEnd || !currentCenter)
        return false;
    const die::coord c = Position(*currentCenter);
    const double l = radius;
    if (l <= 0.0)
        return false; // a point has no arc to extend
    if (kTwoPi * l <= full + atStart + atEnd) {
        if (preview) {
            if (!ElementNodes::MakeAbsoluteAt(*currentEnd, Position(*currentStart)))
                return false;
            SetGeometryDirty();
        } else {
            SetEndNode(startNode);
        }
    } else {
        const double a = Wrapped(startAngle + atStart / l);
        const double b = Wrapped(endAngle - atEnd / l);
        const die::coord newStart = c + die::coord{std::cos(a), std::sin(a)} * l;
        const die::coord newEnd = a == b ? newStart : c + die::coord{std::cos(b), std::sin(b)} * l;
        if (preview) {
            if (!ElementNodes::MakeAbsoluteAt(*currentStart, newStart)
                || !ElementNodes::MakeAbsoluteAt(*currentEnd, newEnd))
                return false;
            SetGeometryDirty();
        } else {
            const int start = ElementNodes::AddPoint(nodeTable, newStart);
            const int end = ElementNodes::AddPoint(nodeTable, newEnd);
            if (start < 0 || end < 0)
                return false; // a position no node can hold
            SetStartNode(start);
            SetEndNode(end);
        }
    }
    Recalculate();
    RefreshBridges();
    return true;
}

QString CArc::GetScriptText()
{
    FillParameters();
    return BuildScriptText(QStringLiteral("AddArc"), parameters);
}

void CArc::IntersectWith(CElement& other)
{
    CElement::IntersectWith(other);
    if (intersectionsCopied) {
        intersectionsCopied = false;
        return;
    }
    intersections.clear();
    auto* arc = dynamic_cast<CArc*>(&other);
    Circle mine;
    Circle theirs;
    if (arc && GetCircle(mine) && arc->GetCircle(theirs))
        Geom::IntersectCircles(mine.centre, mine.start, mine.end, mine.radius, theirs.centre, theirs.start,
                               theirs.end, theirs.radius, intersections);
}

double CArc::RelativePosition(double x, double y)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    CNodePoint* c = ElementNodes::NodeOf(nodeTable, centerNode);
    if (!s || !e || !c)
        return 0.0;
    const double a = ElementNodes::Direction(*c, *s);
    const double b = ElementNodes::Direction(*c, *e);
    const die::coord pc = Position(*c);
    const double q = Geom::VectorAngle(y - pc.y, x - pc.x);
    return b != a ? (q - a) / (b - a) : 0.0;
}

void CArc::FillParameters()
{
    parameters.clear();
    const auto add = [&](const char* name, int index) {
        CNodePoint* n = ElementNodes::NodeOf(nodeTable, index);
        const die::coord p = n ? Position(*n) : die::coord{};
        PropertyValue v;
        v.SetPoint(kArcGroup, QString::fromLatin1(name), {p.x, p.y});
        parameters.push_back(v);
    };
    add("StartPt", startNode);
    add("EndPt", endNode);
    add("CenterPt", centerNode);
    AppendCommonParameters();
}
