#include "element/Holder.h"

#include "display/DisplayList.h"
#include "element/ElementRecords.h"
#include "element/ElementNodes.h"
#include "geometry/GeomConstants.h"
#include "platform/BinaryStream.h"

#include <cmath>

namespace {
// The gap of each straight side: from 10 to 12 mm along it.
constexpr double kGapStart = 10.0;
constexpr double kGapEnd = 12.0;
// A turn this close to 90° swaps the orientation.
constexpr double kQuarterTurnTolerance = 1.0;
} // namespace

CHolder::CHolder(NodeTable* nodes, COptions* opts, int contextWord) : CNodeSymbol(nodes, opts, contextWord) {}

CHolder::CHolder(const CHolder& source)
    : CNodeSymbol(source), width(source.width), vertical(source.vertical), length(source.length)
{
}

CHolder::~CHolder() = default;

void CHolder::SetVertical(bool on)
{
    vertical = on ? 1 : 0;
    SetGeometryDirty();
}

void CHolder::SetSize(double newLength, double newWidth)
{
    width = newWidth;
    length = newLength > newWidth + kMinExcess ? newLength : newWidth + kDefaultExcess;
    SetGeometryDirty();
}

void CHolder::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Holder);
    WriteElementRecord(out, HolderRecord{node, vertical, length, width});
    SaveBase(out);
}

bool CHolder::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<HolderRecord>(in, fileVersion);
    if (!r)
        return false;
    const int at = CheckNode(in, r->node, nodeBase, "holder");
    if (!in.ok() || !CheckFinite(in, {r->length, r->width}, "holder") || !LoadBase(in, fileVersion))
        return false;
    SetNode(at);
    SetVertical(r->vertical != 0);
    SetSize(r->length, r->width);
    return true;
}

void CHolder::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* holder = dynamic_cast<const CHolder*>(&source);
    if (withNodes && holder) {
        SetNode(holder->node);
        vertical = holder->vertical;
        length = holder->length;
        width = holder->width;
    }
    AssignMainValues(source);
}

void CHolder::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    if (!selected)
        return;
    if (std::fabs(degrees - 90.0) < kQuarterTurnTolerance)
        SetVertical(vertical == 0);
    TurnNode(remap, cx, cy, degrees);
}

void CHolder::RebuildContour()
{
    if (!displayDirty)
        return;
    const auto at = NodePosition();
    if (!at)
        return;
    const die::coord c = *at;
    const double e = (length - width) / 2.0;
    const die::coord along = vertical ? die::coord{0.0, e} : die::coord{e, 0.0};
    const die::coord q = c - along;
    const die::coord r = c + along;
    const die::coord n = vertical ? die::coord{-1.0, 0.0} : die::coord{0.0, 1.0};
    const die::coord u = q == r ? die::coord{} : (r - q) / (r - q).Length();
    const die::coord side = n * (width / 2.0);
    BeginContour();
    displayList->AddLine(q + side, q + side + u * kGapStart);
    displayList->AddLine(q + side + u * kGapEnd, r + side);
    displayList->AddLine(r - side, r - side - u * kGapStart);
    displayList->AddLine(r - side - u * kGapEnd, q - side);
    displayList->AddArc(q, q - side, q + side);
    displayList->AddArc(r, r + side, r - side);
    FinishContour();
}

double CHolder::SlotExtent(double current, bool init, int axis, bool largest)
{
    const double alongLength = (axis == 0) == (vertical == 0) ? length : width;
    return NodeExtent(current, init, axis, largest, alongLength / 2.0);
}

double CHolder::GetFullLength()
{
    return 2.0 * (length - width) + Geom::kPi * width;
}

double CHolder::OnCtrlWheel(int, int, int)
{
    SetVertical(vertical == 0);
    return 0.0;
}

double CHolder::OnShiftWheel(int delta, int, int)
{
    const double before = length;
    const double next = WheelDelta(delta) > 0 ? length + kLengthStep : length - kLengthStep;
    if (next > width + kMinExcess) {
        length = next;
        SetGeometryDirty();
    }
    return before;
}
