// The die board: its values and records, the board settings, the file
// record and the boxes every drawing of the board starts from.
#include "element/ElementRecords.h"
#include "element/Wood.h"

#include "element/BoardLayout.h"
#include "element/MorvekIni.h"
#include "element/NodeTable.h"
#include "geometry/Instance.h"
#include "options/Options.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

namespace {
// The box of every element but die boards, asked as the elements answer
// (the first with init), under the node table's current placement.
void ExtendOver(const BoardLayout& layout, WoodBox& box, bool& first)
{
    layout.ForEachElement([&](CElement& e) {
        if (e.IsDieBoard())
            return;
        box.minX = e.GetMinX(box.minX, first);
        box.maxY = e.GetMaxY(box.maxY, first);
        box.maxX = e.GetMaxX(box.maxX, first);
        box.minY = e.GetMinY(box.minY, first);
        first = false;
    });
}
} // namespace

CWood::CWood(NodeTable* nodes, COptions* opts, int contextWord, BoardLayout* layout)
    : CElement(nodes, opts, contextWord), layout_(layout)
{
    notInstanced = 1;
    selected = 0;
    if (options)
        options->GetClSize(values_.notchWidth, values_.notchDepth);
    ReadBoardSettings();
}

CWood::CWood(const CWood& source)
    : CElement(source.nodeTable, source.options, source.context), values_(source.values_),
      records_(source.records_), layout_(source.layout_), slotRadius_(source.slotRadius_),
      slotDepth_(source.slotDepth_)
{
    CopyMainValues(source);
    section = source.section;
    notInstanced = 1;
}

CWood::~CWood() = default;

int CWood::AddRecord(const WoodRecord& record)
{
    records_.push_back(record);
    return static_cast<int>(records_.size()) - 1;
}

void CWood::AddDefaultRecords()
{
    static constexpr WoodRecord kDefaults[] = {{1, 2, 0, 40}, {1, 2, 100, 40}, {1, 5, 0, 70}, {1, 4, 0, 40},
                                               {1, 4, 100, 40}, {3, 2, 0, 40}, {3, 2, 100, 40}, {3, 5, 0, 70},
                                               {3, 4, 0, 40}, {3, 4, 100, 40}};
    for (const WoodRecord& r : kDefaults)
        (void)AddRecord(r);
}

void CWood::ReadBoardSettings()
{
    ProfileStore store;
    LoadMorvekIni(store, options);
    slotRadius_ = 0.0;
    slotDepth_ = 0.0;
    if (!store.SelectSection(QStringLiteral("bobstwood")))
        return;
    QString text;
    if (store.Lookup(QStringLiteral("radius"), text))
        slotRadius_ = platform::wtof(text);
    if (store.Lookup(QStringLiteral("height"), text))
        slotDepth_ = platform::wtof(text);
}

void CWood::SetSlotSettings(double radius, double depth)
{
    slotRadius_ = radius;
    slotDepth_ = depth;
    MarkDisplayDirty();
}

void CWood::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* other = dynamic_cast<const CWood*>(&source);
    if (withNodes && other) {
        values_.leftMargin = other->values_.leftMargin;
        values_.topMargin = other->values_.topMargin;
        values_.rightMargin = other->values_.rightMargin;
        values_.bottomMargin = other->values_.bottomMargin;
        values_.fillet = other->values_.fillet;
        values_.centreLineEdge = other->values_.centreLineEdge;
    }
    AssignMainValues(source);
}

WoodBox CWood::GetElementsBorders() const
{
    WoodBox box;
    if (!layout_)
        return box;
    bool first = true;
    const CInstance* previous = nodeTable ? nodeTable->GetCurrentPlacement() : nullptr;
    if (nodeTable)
        nodeTable->SetCurrentPlacement(nullptr);
    ExtendOver(*layout_, box, first);
    if (nodeTable && !first) {
        // Under a placement that keeps the axes the layout's box goes where
        // its corners go; under any other each element is asked again.
        BoundingBox base;
        base.Extend(box.minX, box.minY);
        base.Extend(box.maxX, box.maxY);
        for (int i = 0; i < layout_->InstanceCount(); ++i) {
            const CInstance& instance = layout_->Instance(i);
            if (instance.KeepsAxes()) {
                const BoundingBox placed = instance.PlaceBox(base);
                box = {std::min(box.minX, placed.minX), std::max(box.maxY, placed.maxY),
                       std::max(box.maxX, placed.maxX), std::min(box.minY, placed.minY)};
                continue;
            }
            nodeTable->SetCurrentPlacement(&instance);
            ExtendOver(*layout_, box, first);
        }
    }
    if (nodeTable)
        nodeTable->SetCurrentPlacement(previous);
    return box;
}

WoodBox CWood::LayoutBox() const
{
    return values_.absolute ? values_.absoluteBox : GetElementsBorders();
}

WoodBox CWood::BoardBox(const WoodBox& layout) const
{
    return {layout.minX - values_.leftMargin, layout.maxY + values_.topMargin, layout.maxX + values_.rightMargin,
            layout.minY - values_.bottomMargin};
}

bool CWood::IsFinite(const WoodBox& box)
{
    return std::isfinite(box.minX) && std::isfinite(box.maxY) && std::isfinite(box.maxX) && std::isfinite(box.minY);
}

int CWood::FrontEdge() const
{
    const int edge = values_.centreLineEdge;
    return edge >= CentreLineEdge::Left && edge <= CentreLineEdge::Bottom ? edge : CentreLineEdge::Bottom;
}

double CWood::UsableFillet(const WoodBox& board) const
{
    const double half = std::min(std::abs(board.maxX - board.minX), std::abs(board.maxY - board.minY)) / 2.0;
    if (!(values_.fillet > 0.0))
        return 0.0;
    return std::min(values_.fillet, half);
}

double CWood::GetProbeLength() const
{
    if (!nodeTable)
        return 0.0;
    const double width = nodeTable->GetMaxX() - nodeTable->GetMinX();
    const double height = nodeTable->GetMaxY() - nodeTable->GetMinY();
    return 2.0 * std::max(width, height);
}

void CWood::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Wood);
    WriteElementRecord(out, WoodFileRecord{values_, records_});
    SaveBase(out);
}

bool CWood::Load(platform::BinaryReader& in, int fileVersion, int)
{
    // Fields the file does not reach keep what a new board has: the
    // creation's values over the constructor's.
    WoodFileRecord start;
    start.values = values_;
    auto r = ReadElementRecord(in, fileVersion, std::move(start));
    if (!r || !LoadBase(in, fileVersion))
        return false;
    values_ = r->values;
    records_.clear();
    if (r->records)
        records_ = std::move(*r->records);
    else
        AddDefaultRecords();
    MarkDisplayDirty();
    return true;
}
