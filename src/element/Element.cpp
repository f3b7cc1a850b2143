#include "element/Element.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/ElementNodes.h"
#include "element/OutlineBuilder.h"
#include "options/Options.h"
#include "support/Log.h"

#include <algorithm>
#include <array>

namespace {
// The line types whose pens mark bridges in previews.
constexpr int kMovingBridgeLineType = 1005;
constexpr int kCrosshairLineType = 1002;
} // namespace

CElement::CElement(NodeTable* nodes, COptions* opts, int contextWord)
    : nodeTable(nodes), options(opts), context(contextWord)
{
    display::NoteChange();
}

DisplayList& LazyDisplayList::Make() const
{
    list_ = std::make_unique<DisplayList>();
    return *list_;
}

// A removed element is gone from the views too.
CElement::~CElement()
{
    display::NoteChange();
}

void CElement::SetGeometryDirty()
{
    geometryChanged = true;
    displayDirty = true;
}

void CElement::SetSelection(int how)
{
    switch (how) {
    case 0: selected = 0; break;
    case 1: selected = 1; break;
    case 2: selected = selected ? 0 : 1; break;
    default: break;
    }
}

bool CElement::HasSameAttributes(const CElement& other) const
{
    return LineType == other.LineType && ptg == other.ptg && notInstanced == other.notInstanced;
}

void CElement::RegenerateDisplayList(int mode)
{
    displayList->Regenerate(mode);
}

BoundingBox CElement::GetBoundingBox()
{
    BoundingBox box;
    box.Extend(GetMinX(0.0, true), GetMinY(0.0, true));
    box.Extend(GetMaxX(0.0, true), GetMaxY(0.0, true));
    return box;
}

void CElement::CopyMainValues(const CElement& source)
{
    Log::TheLog().Write("CElement::CopyMainValues", Log::Section);
    LineType = source.LineType;
    bridges = source.bridges;
    ptg = source.ptg;
    iAutoBridges = source.iAutoBridges;
    autoCount = source.autoCount;
    lBridges = source.lBridges;
    selected = source.selected;
    notInstanced = source.notInstanced;
    bridgesStale = source.bridgesStale;
    geometryChanged = source.geometryChanged;
    displayDirty = true;
}

void CElement::SetAutoBridges(int count, double width)
{
    lBridges = width;
    autoCount = count;
    iAutoBridges = BridgeMode::ByCount;
    RefreshBridges();
}

void CElement::SetLineType(int lineType)
{
    LineType = lineType;
    displayDirty = true;
}

void CElement::SetPtg(double value)
{
    ptg = value;
    displayDirty = true;
}

void CElement::SetBridges(const std::vector<Bridge>& list)
{
    bridges.Clear();
    for (const Bridge& b : list)
        if (!bridges.Append(b))
            break;
    bridges.Normalize();
    displayDirty = true;
}

void CElement::CollectLineTypes(std::set<int>& types) const
{
    for (const DisplayFigure& figure : displayList->Figures())
        types.insert(figure.lineType);
}

double CElement::RelativePosition(double, double)
{
    return 2147483647.0;
}

void CElement::BeginContour()
{
    displayList->Begin(LineType, 0, 0, ptg);
}

void CElement::FinishContour()
{
    displayList->End();
    if (geometryChanged) {
        bridgesStale = true;
        RefreshBridges();
    }
    for (const Bridge& b : bridges)
        displayList->AddBridge(b.position, static_cast<float>(b.width));
    displayDirty = false;
}

void CElement::SelectBridgePen(DrawContext& dc, bool highlighted) const
{
    if (options && dc.device)
        options->SelectLineTypePen(*dc.device, highlighted ? kMovingBridgeLineType : kCrosshairLineType);
}

bool CElement::DrawsGaps(const DrawContext& dc) const
{
    return dc.bridgesFlag && (iAutoBridges != BridgeMode::ByCount || (autoCount != 0 && lBridges != 0.0));
}

void CElement::AddSegmentToOutline(OutlineBuilder* builder, double x1, double y1, double x2, double y2, int flags,
                                   int lineTypeFilter, const CInstance* instance)
{
    if (!builder || (!selected && !builder->TakesAll()) || (lineTypeFilter != -1 && lineTypeFilter != LineType))
        return;
    const int index = builder->AddSegment(x1, y1, x2, y2, this, flags, LineType == 1, instance);
    if (index != -1)
        builder->GetSegment(index).mark = 0;
}

die::coord CElement::GetNodePoint(int index) const
{
    CNodePoint* node = ElementNodes::NodeOf(nodeTable, index);
    return node ? ElementNodes::Position(*node) : die::coord{};
}

bool CElement::EndsInRect(CNodePoint* start, CNodePoint* end, double x1, double y1, double x2, double y2, int mode)
{
    const std::array<CNodePoint*, 2> ends{start, end};
    return NodesInRect(ends, x1, y1, x2, y2, mode);
}

bool CElement::NodesInRect(std::span<CNodePoint* const> nodes, double x1, double y1, double x2, double y2, int mode)
{
    const auto inside = [&](CNodePoint* node) { return node && ElementNodes::IsInRect(*node, x1, y1, x2, y2); };
    switch (mode) {
    case 1: return std::any_of(nodes.begin(), nodes.end(), inside);
    case 2: return std::all_of(nodes.begin(), nodes.end(), inside);
    case 3:
        return GetMinX(x2, false) != x2 && GetMaxX(x1, false) != x1 && GetMinY(y2, false) != y2
            && GetMaxY(y1, false) != y1;
    default: return false;
    }
}
