#include "element/Line.h"

#include "element/ElementRecords.h"
#include "element/Arc.h"
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
const QString kLineGroup = QStringLiteral("Line");
// A change of direction beyond this (radians) reverses the line.
constexpr double kReverseTolerance = 0.001;
} // namespace

CLine::CLine(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord) {}

CLine::CLine(const CLine& source) : CElement(source.nodeTable, source.options, source.context)
{
    Log::TheLog().Write("CLine::CLine( CLine&)", Log::Section);
    CopyMainValues(source);
    SetStartNode(source.startNode);
    SetEndNode(source.endNode);
    section = source.section;
}

// Nodes keep no record of their elements, so an element leaves them alone
// when it goes: it may outlive the node table inside an undo step.
CLine::~CLine() = default;

void CLine::SetStartNode(int index)
{
    ElementNodes::Detach(nodeTable, startNode, this);
    ElementNodes::Attach(nodeTable, index, this);
    startNode = index;
    SetGeometryDirty();
}

void CLine::SetEndNode(int index)
{
    ElementNodes::Detach(nodeTable, endNode, this);
    ElementNodes::Attach(nodeTable, index, this);
    endNode = index;
    SetGeometryDirty();
}

void CLine::SetPreviewNodes(CNodePoint* start, CNodePoint* end)
{
    preview = 1;
    previewStart = start;
    previewEnd = end;
    SetGeometryDirty();
}

bool CLine::TakeCurrentNodes()
{
    if (preview) {
        currentStart = previewStart;
        currentEnd = previewEnd;
    } else {
        currentStart = ElementNodes::NodeOf(nodeTable, startNode);
        currentEnd = ElementNodes::NodeOf(nodeTable, endNode);
    }
    return currentStart && currentEnd;
}

double CLine::GetDirection() const
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return 0.0;
    const die::coord d = Position(*e) - Position(*s);
    return Geom::VectorAngle(d.y, d.x);
}

void CLine::CountAutoBridges(int n, double width, bool replace)
{
    Log::TheLog().Write("CLine::CountAutoBridges( long )", Log::Element);
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return;
    if (!replace)
        n += bridges.Count();
    bridges.Clear();
    displayDirty = true;
    const double length = die::distance(Position(*s), Position(*e));
    if (width > length)
        return;
    LayOutEvenBridges(n, width, length, false);
}

double CLine::GetFullLength()
{
    Log::TheLog().Write("CElement::GetFullLength( )", Log::Element);
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return 0.0;
    return die::distance(Position(*s), Position(*e));
}

void CLine::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Line);
    WriteElementRecord(out, LineRecord{startNode, endNode});
    SaveBase(out);
}

bool CLine::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<LineRecord>(in, fileVersion);
    if (!r)
        return false;
    if (ElementNodes::StoredNode(nodeTable, r->start, nodeBase) < 0
        || ElementNodes::StoredNode(nodeTable, r->end, nodeBase) < 0) {
        in.fail(QStringLiteral("line on a missing node"));
        return false;
    }
    if (!LoadBase(in, fileVersion))
        return false;
    SetStartNode(r->start + nodeBase);
    SetEndNode(r->end + nodeBase);
    return true;
}

void CLine::SetFromText(const QString& text)
{
    using OldTextRecord::Field;
    const std::vector<double> f = OldTextRecord::Fields(text);
    const int start = ElementNodes::AddPoint(nodeTable, {Field(f, 2), Field(f, 3)});
    const int end = ElementNodes::AddPoint(nodeTable, {Field(f, 4), Field(f, 5)});
    if (start < 0 || end < 0)
        return; // a position no node can hold
    SetStartNode(start);
    SetEndNode(end);
    SetLineType(static_cast<int>(Field(f, 6)));
    SetPtg(Field(f, 7));
    SetAutoBridges(static_cast<int>(Field(f, 8)), Field(f, 9));
}

void CLine::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* line = dynamic_cast<const CLine*>(&source);
    if (withNodes && line) {
        startNode = line->startNode;
        endNode = line->endNode;
        SetGeometryDirty();
    }
    AssignMainValues(source);
    Recalculate();
}

void CLine::Recalculate()
{
    // The line caches no geometry; its nodes may have moved.
    SetGeometryDirty();
}

void CLine::AddRefNodes()
{
    ElementNodes::AddRef(nodeTable, startNode);
    ElementNodes::AddRef(nodeTable, endNode);
}

template <typename Offset>
void CLine::MoveEnds(NodeRemap& remap, Offset offset)
{
    for (int* end : {&startNode, &endNode}) {
        CNodePoint* node = ElementNodes::NodeOf(nodeTable, *end);
        if (!node)
            continue;
        const die::coord d = offset(Position(*node));
        const int moved = ElementNodes::MoveNode(nodeTable, *end, remap, d.x, d.y);
        if (end == &startNode)
            SetStartNode(moved);
        else
            SetEndNode(moved);
    }
}

void CLine::Move(NodeRemap& remap, double dx, double dy)
{
    if (!selected)
        return;
    MoveEnds(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CLine::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    MoveEnds(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void CLine::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (!selected)
        return;
    const double oldLength = GetFullLength();
    MoveEnds(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
    if (fx == fy)
        ScaleBridges(fx);
    else if (oldLength > 0.0)
        ScaleBridges(GetFullLength() / oldLength);
}

void CLine::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    MoveEnds(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
}

void CLine::ReattachNodes()
{
    ElementNodes::Attach(nodeTable, startNode, this);
    ElementNodes::Attach(nodeTable, endNode, this);
    displayDirty = true;
}

double CLine::Extent(double current, bool init, int axis, bool largest)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return current;
    const die::coord ps = ElementNodes::ExtentPosition(*this, *s);
    const die::coord pe = ElementNodes::ExtentPosition(*this, *e);
    const double a = axis == 0 ? ps.x : ps.y;
    const double b = axis == 0 ? pe.x : pe.y;
    const double start = init ? a : current;
    return largest ? std::max({start, a, b}) : std::min({start, a, b});
}

double CLine::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CLine::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CLine::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CLine::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

double CLine::ProjectPoint(double x, double y, double* px, double* py, double from, double to)
{
    if (!TakeCurrentNodes())
        return 0.0;
    const die::coord s = Position(*currentStart);
    const die::coord e = Position(*currentEnd);
    const double length = die::distance(s, e);
    die::coord p = s;
    if (length > 0.0) {
        (void)Geom::FootOfPerpendicular(s.x, s.y, e.x, e.y, x, y, p.x, p.y); // always true
        const die::coord u = (e - s) / length;
        const die::coord a = s + u * from;
        const die::coord b = s + u * to;
        p.x = std::clamp(p.x, std::min(a.x, b.x), std::max(a.x, b.x));
        p.y = std::clamp(p.y, std::min(a.y, b.y), std::max(a.y, b.y));
    }
    if (px)
        *px = p.x;
    if (py)
        *py = p.y;
    return die::distance(s, p);
}

bool CLine::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    return EndsInRect(ElementNodes::NodeOf(nodeTable, startNode), ElementNodes::NodeOf(nodeTable, endNode), x1, y1,
                      x2, y2, mode);
}

bool CLine::UsesNode(int node, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return node == startNode || node == endNode;
}

bool CLine::ExtendTowards(double x, double y, double length)
{
    if (!TakeCurrentNodes())
        return false;
    const die::coord p{x, y};
    if (die::distance(p, Position(*currentStart)) <= die::distance(p, Position(*currentEnd)))
        return ExtendBy(length, 0.0);
    return ExtendBy(0.0, length);
}

bool CLine::ExtendBy(double atStart, double atEnd)
{
    if (!TakeCurrentNodes())
        return false;
    const die::coord s = Position(*currentStart);
    const die::coord e = Position(*currentEnd);
    const double c = Geom::VectorAngle(e.y - s.y, e.x - s.x);
    const die::coord u{std::cos(c), std::sin(c)};
    const die::coord newStart = s - u * atStart;
    const die::coord newEnd = e + u * atEnd;
    const die::coord d = newEnd - newStart;
    if (!Geom::PointsDiffer(newStart, newEnd)
        || Geom::AngleBetween(Geom::VectorAngle(d.y, d.x), c) > kReverseTolerance) {
        RefreshBridges();
        return false;
    }
    if (preview) {
        if (!ElementNodes::MakeAbsoluteAt(*currentStart, newStart)
            || !ElementNodes::MakeAbsoluteAt(*currentEnd, newEnd)) {
            RefreshBridges();
            return false;
        }
        SetGeometryDirty();
    } else {
        const int start = ElementNodes::AddPoint(nodeTable, newStart);
        const int end = ElementNodes::AddPoint(nodeTable, newEnd);
        // Both ends merged into one node leave no line; a point beyond the
        // node range gives no node at all.
        if (start < 0 || end < 0 || start == end) {
            RefreshBridges();
            return false;
        }
        SetStartNode(start);
        SetEndNode(end);
    }
    RefreshBridges();
    return true;
}

QString CLine::GetScriptText()
{
    FillParameters();
    return BuildScriptText(QStringLiteral("AddLine"), parameters);
}

void CLine::IntersectWith(CElement& other)
{
    CElement::IntersectWith(other);
    if (intersectionsCopied) {
        intersectionsCopied = false;
        return;
    }
    intersections.clear();
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    if (!s || !e)
        return;
    if (auto* line = dynamic_cast<CLine*>(&other)) {
        CNodePoint* os = ElementNodes::NodeOf(line->nodeTable, line->startNode);
        CNodePoint* oe = ElementNodes::NodeOf(line->nodeTable, line->endNode);
        if (os && oe)
            Geom::IntersectLines(Position(*s), Position(*e), Position(*os), Position(*oe), intersections);
    } else if (auto* arc = dynamic_cast<CArc*>(&other)) {
        CArc::Circle circle;
        if (arc->GetCircle(circle))
            Geom::IntersectLineArc(Position(*s), Position(*e), circle.centre, circle.start, circle.end,
                                   circle.radius, intersections);
    }
}

double CLine::RelativePosition(double x, double y)
{
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    const double length = GetFullLength();
    if (!s || length <= 0.0)
        return 0.0;
    return die::distance(Position(*s), {x, y}) / length;
}

void CLine::FillParameters()
{
    parameters.clear();
    CNodePoint* s = ElementNodes::NodeOf(nodeTable, startNode);
    CNodePoint* e = ElementNodes::NodeOf(nodeTable, endNode);
    const die::coord ps = s ? Position(*s) : die::coord{};
    const die::coord pe = e ? Position(*e) : die::coord{};
    PropertyValue start;
    start.SetPoint(kLineGroup, QStringLiteral("StartPt"), {ps.x, ps.y});
    PropertyValue end;
    end.SetPoint(kLineGroup, QStringLiteral("EndPt"), {pe.x, pe.y});
    parameters.push_back(start);
    parameters.push_back(end);
    AppendCommonParameters();
}
