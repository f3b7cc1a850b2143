#include "dlg/DimensionPageFields.h"

#include "element/Measure.h"
#include "element/MeasureFormat.h"
#include "element/NodeTable.h"
#include "geometry/Angle.h"
#include "geometry/GeomConstants.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <cmath>
#include <memory>

namespace dlg {

std::vector<DimensionKindItem> DimensionKindItems(int kind)
{
    switch (kind) {
    case DimensionKind::Angular:
        return {{193, DimensionKind::Angular}};
    case DimensionKind::Radial:
        return {{192, DimensionKind::Radial}};
    default:
        return {{190, DimensionKind::Horizontal}, {191, DimensionKind::Vertical}, {189, DimensionKind::Aligned}};
    }
}

double DimensionPageValue(int kind, const die::coord& p1, const die::coord& p2, const die::coord& c)
{
    double v = 0.0;
    switch (kind) {
    case DimensionKind::Horizontal:
        v = std::abs(p2.x - p1.x);
        break;
    case DimensionKind::Vertical:
        v = std::abs(p2.y - p1.y);
        break;
    case DimensionKind::Angular: {
        const double a1 = std::atan2(p1.y - c.y, p1.x - c.x);
        const double a2 = std::atan2(p2.y - c.y, p2.x - c.x);
        v = Angle::NormalizeDegrees(Geom::RadToDeg(a2 - a1));
        break;
    }
    default:
        v = std::hypot(p2.x - p1.x, p2.y - p1.y);
        break;
    }
    return MeasureFormat::Shown(v);
}

namespace {

DimensionPagePoint PointOf(NodeTable& nodes, int index)
{
    DimensionPagePoint p;
    if (CNodePoint* node = index >= 0 ? nodes.GetNode(index) : nullptr) {
        p.node = index;
        p.x = PageNumber(node->GetX());
        p.y = PageNumber(node->GetY());
    }
    return p;
}

} // namespace

DimensionPageFields DimensionPageFields::From(const CMeasure& dimension, NodeTable& nodes)
{
    DimensionPageFields f;
    f.kind = dimension.GetKind();
    f.openedKind = f.kind;
    f.first = PointOf(nodes, dimension.GetP1());
    f.second = PointOf(nodes, dimension.GetP2());
    if (f.kind == DimensionKind::Angular)
        f.centre = PointOf(nodes, dimension.GetCentre());
    f.position = PointOf(nodes, dimension.GetLinePoint());
    f.instances = dimension.GetInstances();
    auto& d = const_cast<CMeasure&>(dimension);
    f.charWidth = d.CharWidthRef();
    f.charHeight = d.CharHeightRef();
    f.avoidInstances = dimension.GetNotInstanced() ? 1 : 0;
    f.PointsEdited();
    return f;
}

bool DimensionPageFields::CentreEnabled() const
{
    return kind == DimensionKind::Angular;
}

void DimensionPageFields::PointsEdited()
{
    value = platform::cformat("%.3f", DimensionPageValue(kind, first.At(), second.At(), centre.At()));
}

bool DimensionPageFields::StorePick(int code, const PickedPoint& point)
{
    DimensionPagePoint* target = nullptr;
    int instance = -1;
    switch (code) {
    case propend::kPickDimensionFirst:
        target = &first;
        instance = 0;
        break;
    case propend::kPickDimensionSecond:
        target = &second;
        instance = 1;
        break;
    case propend::kPickDimensionThird:
        target = &centre;
        instance = 2;
        break;
    case propend::kPickDimensionPosition:
        target = &position;
        break;
    default:
        return false;
    }
    target->x.Set(point.x);
    target->y.Set(point.y);
    if (instance >= 0) {
        // A pick away from any node keeps no node: OK finds or adds one there.
        target->node = point.node;
        instances[static_cast<size_t>(instance)] = point.extra;
        PointsEdited();
    } else {
        target->node = -1;
    }
    return true;
}

bool DimensionPageFields::Apply(Section& section, int slot) const
{
    const auto* dimension = dynamic_cast<const CMeasure*>(section.GetElement(slot));
    if (!dimension)
        return false;
    NodeTable& nodes = *section.GetNodeTable();
    const int p1 = NodeFor(nodes, first.node, first.x, first.y);
    const int p2 = NodeFor(nodes, second.node, second.x, second.y);
    const int c = CentreEnabled() ? NodeFor(nodes, centre.node, centre.x, centre.y) : -1;
    const int l = NodeFor(nodes, position.node, position.x, position.y);
    if (p1 < 0 || p2 < 0 || l < 0 || (CentreEnabled() && c < 0))
        return false;
    auto& d = const_cast<CMeasure&>(*dimension);
    const bool same = p1 == d.GetP1() && p2 == d.GetP2() && c == d.GetCentre() && l == d.GetLinePoint() &&
                      kind == d.GetKind() && instances == d.GetInstances() && charWidth == d.CharWidthRef() &&
                      charHeight == d.CharHeightRef() && (avoidInstances != 0) == (d.GetNotInstanced() != 0);
    if (same)
        return false;
    auto copy = std::make_unique<CMeasure>(*dimension);
    copy->SetNodes(p1, p2, c, l);
    copy->SetKind(kind);
    copy->SetInstances(instances);
    copy->CharWidthRef() = charWidth;
    copy->CharHeightRef() = charHeight;
    copy->SetNotInstanced(avoidInstances);
    CElement* now = section.ReplaceElement(slot, std::move(copy));
    now->RefreshBridges();
    now->Recalculate();
    return true;
}

} // namespace dlg
