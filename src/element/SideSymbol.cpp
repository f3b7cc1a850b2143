#include "element/SideSymbol.h"

#include "element/ElementRecords.h"
#include "display/DisplayList.h"
#include "platform/BinaryStream.h"

CSideSymbol::CSideSymbol(NodeTable* nodes, COptions* opts, int contextWord) : CNodeSymbol(nodes, opts, contextWord) {}

CSideSymbol::CSideSymbol(const CSideSymbol& source) : CNodeSymbol(source), side(source.side) {}

CSideSymbol::~CSideSymbol() = default;

void CSideSymbol::SetSide(bool flipped)
{
    side = flipped ? 1 : 0;
    SetGeometryDirty();
}

void CSideSymbol::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(GetTypeId());
    WriteElementRecord(out, SideSymbolRecord{node, side});
    SaveBase(out);
}

bool CSideSymbol::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<SideSymbolRecord>(in, fileVersion);
    if (!r)
        return false;
    const char* what = GetTypeId() == ElementTypeId::SeperationRule ? "separating rule" : "stripper board";
    const int at = CheckNode(in, r->node, nodeBase, what);
    if (!in.ok() || !LoadBase(in, fileVersion))
        return false;
    SetNode(at);
    SetSide(r->side != 0);
    return true;
}

void CSideSymbol::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* symbol = dynamic_cast<const CSideSymbol*>(&source);
    if (withNodes && symbol && symbol->GetTypeId() == GetTypeId()) {
        SetNode(symbol->node);
        side = symbol->side;
    }
    AssignMainValues(source);
}

double CSideSymbol::OnShiftWheel(int, int, int)
{
    SetSide(side == 0);
    return side ? 1.0 : 0.0;
}

std::optional<die::coord> CSideSymbol::BeginFigure()
{
    if (!displayDirty)
        return std::nullopt;
    const auto at = NodePosition();
    if (!at)
        return std::nullopt;
    BeginContour();
    return at;
}

void CSideSymbol::AddCircle(const die::coord& centre, double r)
{
    const die::coord top = centre + die::coord{0.0, r};
    displayList->AddArc(centre, top, top);
}

CSeperationRule::CSeperationRule(NodeTable* nodes, COptions* opts, int contextWord)
    : CSideSymbol(nodes, opts, contextWord)
{
}

CSeperationRule::CSeperationRule(const CSeperationRule& source) : CSideSymbol(source) {}

CSeperationRule::~CSeperationRule() = default;

CStripperWood::CStripperWood(NodeTable* nodes, COptions* opts, int contextWord)
    : CSideSymbol(nodes, opts, contextWord)
{
}

CStripperWood::CStripperWood(const CStripperWood& source) : CSideSymbol(source) {}

CStripperWood::~CStripperWood() = default;
