#include "dlg/AutoLayoutFields.h"

#include "platform/CFormat.h"

#include <QtGlobal>
#include "section/LayoutGrid.h"
#include "section/LayoutStore.h"
#include "section/Section.h"

#include <algorithm>
#include <vector>

namespace dlg {

namespace {

std::vector<CInstance> Placements(const Section& section)
{
    std::vector<CInstance> placements;
    for (int i = 0; i < section.GetInstanceCount(); ++i)
        placements.push_back(section.GetInstance(i));
    return placements;
}

bool SamePlacements(const std::vector<CInstance>& a, const std::vector<CInstance>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const CInstance& p, const CInstance& q) {
        return p.identity == q.identity && p.dx == q.dx && p.dy == q.dy && p.angle == q.angle &&
               p.centreX == q.centreX && p.centreY == q.centreY;
    });
}

} // namespace

double& FieldValue(AutoLayoutParams& params, AutoField field)
{
    // The X group's vertical shifts are the Y record's, the Y group's
    // horizontal shifts the X record's.
    switch (field) {
    case AutoField::XAngle: return params.x.angle;
    case AutoField::XGap1: return params.x.gap1;
    case AutoField::XGap2: return params.x.gap2;
    case AutoField::XVerticalShift1: return params.y.shift1;
    case AutoField::XVerticalShift2: return params.y.shift2;
    case AutoField::YAngle: return params.y.angle;
    case AutoField::YGap1: return params.y.gap1;
    case AutoField::YGap2: return params.y.gap2;
    case AutoField::YHorizontalShift1: return params.x.shift1;
    case AutoField::YHorizontalShift2: return params.x.shift2;
    case AutoField::Count: break;
    }
    Q_ASSERT(false);
    return params.x.angle;
}

double FieldValue(const AutoLayoutParams& params, AutoField field)
{
    return FieldValue(const_cast<AutoLayoutParams&>(params), field); // only read
}

bool IsFieldEnabled(AutoField field, bool xAlternate, bool yAlternate)
{
    switch (field) {
    case AutoField::XAngle:
    case AutoField::XGap2:
    case AutoField::XVerticalShift2: return xAlternate;
    case AutoField::YAngle:
    case AutoField::YGap2:
    case AutoField::YHorizontalShift2: return yAlternate;
    default: return true;
    }
}

int RepeatValue(int typed)
{
    return std::clamp(typed, 1, kMaxAutoCount);
}

bool IsPickCode(int code)
{
    return code >= kPickXFirst && code <= kPickYSecond;
}

PickRow PickRowOf(int pickCode)
{
    switch (pickCode) {
    case kPickXSecond: return {AutoField::XGap2, AutoField::XVerticalShift2, true};
    case kPickYFirst: return {AutoField::YGap1, AutoField::YHorizontalShift1, false};
    case kPickYSecond: return {AutoField::YGap2, AutoField::YHorizontalShift2, false};
    default: return {AutoField::XGap1, AutoField::XVerticalShift1, true};
    }
}

bool IsPickEnabled(int pickCode, bool xAlternate, bool yAlternate)
{
    return IsFieldEnabled(PickRowOf(pickCode).distance, xAlternate, yAlternate);
}

void AddPickedDistance(AutoLayoutParams& params, int pickCode, double dx, double dy)
{
    if (!IsPickCode(pickCode))
        return;
    const PickRow row = PickRowOf(pickCode);
    FieldValue(params, row.distance) += row.xRow ? dx : dy;
    FieldValue(params, row.shift) += row.xRow ? dy : dx;
}

QString SavedLayoutName(int counter)
{
    return platform::cformat(" Layout%d", counter);
}

AutoLayoutParams ParamsOfResult(const SavedLayout& layout, const LayoutFit& fit)
{
    AutoLayoutParams params{layout.rows, layout.columns};
    params.x.count = RepeatValue(fit.lastX + 1);
    params.y.count = RepeatValue(fit.lastY + 1);
    return params;
}

AutoLayoutParams LayerParams(const Section& section)
{
    return {section.GetRows(), section.GetColumns()};
}

bool ApplyLayout(Section& section, const AutoLayoutParams& params)
{
    const std::vector<CInstance> before = Placements(section);
    if (section.AddAutoInstances(params.x, params.y))
        (void)section.SetCenterOfInstances(); // false only without instances, and the layout keeps one
    return !SamePlacements(before, Placements(section));
}

} // namespace dlg
