#include "element/Text.h"

#include "element/ElementRecords.h"
#include "element/AnnotationGeometry.h"
#include "element/ElementNodes.h"
#include "element/FontRecord.h"
#include "element/NodeTransforms.h"
#include "element/OldTextRecord.h"
#include "geometry/Angle.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

using ElementNodes::Position;

namespace {
// Old layout: the fields before the text.
constexpr std::size_t kOldNumericFields = 11;
} // namespace

CText::CText(NodeTable* nodes, COptions* opts, int contextWord) : CElement(nodes, opts, contextWord) {}

CText::CText(const CText& source) : CElement(source.nodeTable, source.options, source.context)
{
    CopyMainValues(source);
    SetNodes(source.heightNode, source.baseNode, source.endNode);
    text = source.text;
    fontKind = source.fontKind;
    font = source.font;
    colour = source.colour;
    mirrored = source.mirrored;
    section = source.section;
}

CText::~CText() = default;

void CText::SetNodes(int height, int base, int end)
{
    int* targets[3] = {&heightNode, &baseNode, &endNode};
    const int indices[3] = {height, base, end};
    for (int i = 0; i < 3; ++i) {
        ElementNodes::Detach(nodeTable, *targets[i], this);
        ElementNodes::Attach(nodeTable, indices[i], this);
        *targets[i] = indices[i];
    }
    SetGeometryDirty();
}

void CText::SetText(const QString& value)
{
    text = value;
    MarkDisplayDirty();
}

void CText::SetFont(const platform::LogFont& record)
{
    font = record;
    font.setFace(record.face());
}

void CText::SetMirrored(int value)
{
    mirrored = value;
    MarkDisplayDirty();
}

void CText::SetPreviewNodes(CNodePoint* height, CNodePoint* base, CNodePoint* end)
{
    preview = 1;
    preview_[0] = height;
    preview_[1] = base;
    preview_[2] = end;
    SetGeometryDirty();
}

bool CText::TakeCurrentNodes()
{
    if (preview) {
        std::copy(std::begin(preview_), std::end(preview_), std::begin(current_));
    } else {
        current_[0] = ElementNodes::NodeOf(nodeTable, heightNode);
        current_[1] = ElementNodes::NodeOf(nodeTable, baseNode);
        current_[2] = ElementNodes::NodeOf(nodeTable, endNode);
    }
    return current_[0] && current_[1] && current_[2];
}

void CText::CountAutoBridges(int, double, bool)
{
    bridges.Clear();
    autoCount = 0;
    iAutoBridges = BridgeMode::ByCount;
}

void CText::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Text);
    WriteElementRecord(out, TextRecord{heightNode, baseNode, endNode, text, fontKind, mirrored, font});
    SaveBase(out);
}

bool CText::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<TextRecord>(in, fileVersion);
    if (!r)
        return false;
    for (int32_t index : {r->heightNode, r->baseNode, r->endNode}) {
        if (ElementNodes::StoredNode(nodeTable, index, nodeBase) < 0) {
            in.fail(QStringLiteral("text on a missing node"));
            return false;
        }
    }
    if (!LoadBase(in, fileVersion))
        return false;
    SetNodes(r->heightNode + nodeBase, r->baseNode + nodeBase, r->endNode + nodeBase);
    text = r->text;
    fontKind = r->fontKind;
    font = r->font;
    mirrored = r->mirrored;
    return true;
}

void CText::SetFromText(const QString& line)
{
    using OldTextRecord::Field;
    const std::vector<QStringView> pieces = OldTextRecord::Pieces(line);
    std::vector<double> f;
    QString words;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i < kOldNumericFields)
            f.push_back(platform::wtof(pieces[i]));
        else
            words = pieces[i].toString();
    }
    const int base = ElementNodes::AddPoint(nodeTable, {Field(f, 8), Field(f, 9)});
    CNodePoint* baseNodePtr = ElementNodes::NodeOf(nodeTable, base);
    if (!baseNodePtr)
        return; // a position no node can hold
    const die::coord origin = Position(*baseNodePtr);
    const double a = Field(f, 10);
    double b = a + 90.0;
    if (b > 360.0)
        b -= 360.0;
    const double run = Field(f, 3) * static_cast<double>(words.size());
    const int end = ElementNodes::AddPoint(nodeTable, origin + Annotation::UnitAt(Geom::DegToRad(a)) * run);
    const int height = ElementNodes::AddPoint(nodeTable, origin + Annotation::UnitAt(Geom::DegToRad(b)) * Field(f, 2));
    if (end < 0 || height < 0)
        return;
    SetNodes(height, base, end);
    text = words;
    SetLineType(static_cast<int>(Field(f, 7)));
    SetPtg(1.0);
    fontKind = TextFontKind::StrokeFont;
    bridges.Clear();
    autoCount = 0;
    iAutoBridges = BridgeMode::ByHand;
}

void CText::CopyFrom(const CElement& source, bool withNodes)
{
    if (const auto* other = dynamic_cast<const CText*>(&source)) {
        text = other->text;
        if (withNodes)
            SetNodes(other->heightNode, other->baseNode, other->endNode);
    }
    AssignMainValues(source);
}

void CText::Recalculate()
{
    // Nothing is cached; the nodes may have moved.
    MarkDisplayDirty();
}

void CText::AddRefNodes()
{
    for (int index : {heightNode, baseNode, endNode})
        ElementNodes::AddRef(nodeTable, index);
}

template <typename Offset>
void CText::MoveNodes(NodeRemap& remap, Offset offset)
{
    for (int* index : {&heightNode, &baseNode, &endNode}) {
        CNodePoint* node = ElementNodes::NodeOf(nodeTable, *index);
        if (!node)
            continue;
        const die::coord d = offset(Position(*node));
        *index = ElementNodes::MoveNode(nodeTable, *index, remap, d.x, d.y);
    }
    SetGeometryDirty();
}

void CText::Move(NodeRemap& remap, double dx, double dy)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord&) { return die::coord{dx, dy}; });
}

void CText::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::RotateOffset(p, cx, cy, degrees); });
}

void CText::Scale(NodeRemap& remap, double cx, double cy, double fx, double fy)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::ScaleOffset(p, cx, cy, fx, fy); });
}

void CText::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (selected)
        MoveNodes(remap, [&](const die::coord& p) { return NodeTransforms::MirrorOffset(p, x1, y1, x2, y2); });
}

void CText::ValidateNodes()
{
    Recalculate();
    if (!TakeCurrentNodes())
        return;
    CNodePoint* height = current_[0];
    CNodePoint* base = current_[1];
    CNodePoint* end = current_[2];
    if (height == base || height == end || base == end)
        return;
    const double a = Angle::Normalize(ElementNodes::Direction(*base, *end) + Geom::kPi / 2);
    const double h = ElementNodes::Distance(*base, *height);
    if (ElementNodes::MakeAbsoluteAt(*height, Position(*base) + Annotation::UnitAt(a) * h))
        SetGeometryDirty();
}

double CText::Extent(double current, bool init, int axis, bool largest)
{
    if (!TakeCurrentNodes())
        return current;
    const die::coord first = ElementNodes::ExtentPosition(*this, *current_[0]);
    const double start = init ? (axis == 0 ? first.x : first.y) : current;
    return Annotation::NodesExtent(*this, current_, start, axis, largest);
}

double CText::GetMinX(double current, bool init) { return Extent(current, init, 0, false); }
double CText::GetMinY(double current, bool init) { return Extent(current, init, 1, false); }
double CText::GetMaxX(double current, bool init) { return Extent(current, init, 0, true); }
double CText::GetMaxY(double current, bool init) { return Extent(current, init, 1, true); }

bool CText::IsInRect(double x1, double y1, double x2, double y2, int mode)
{
    if (!TakeCurrentNodes())
        return false;
    return Annotation::NodesInRect(*this, current_, x1, y1, x2, y2, mode);
}

bool CText::UsesNode(int node, bool onlyIfUnselected) const
{
    if (onlyIfUnselected && selected)
        return false;
    return node == heightNode || node == baseNode || node == endNode;
}
