#include "element/NodePoint.h"

#include "element/Micrometres.h"
#include "element/NodeTable.h"

CNodePoint::CNodePoint() = default;

CNodePoint::CNodePoint(FormulaTable* f, NodeTable* t) : evaluator(f), table(t) {}

CNodePoint::CNodePoint(const CNodePoint& other)
    : x(other.x), y(other.y), cachedX(other.cachedX), cachedY(other.cachedY), useCount(other.useCount),
      cacheValid(other.cacheValid), inUse(other.inUse), visited(other.visited), highlighted(other.highlighted),
      separateSecondDistance(other.separateSecondDistance), name(other.name), evaluator(other.evaluator),
      table(other.table), dxFormula(other.dxFormula), dyFormula(other.dyFormula),
      distanceFormula(other.distanceFormula), angleFormula(other.angleFormula),
      rotationCenterXFormula(other.rotationCenterXFormula), rotationCenterYFormula(other.rotationCenterYFormula),
      rotationAngleFormula(other.rotationAngleFormula), reference1(other.reference1), reference2(other.reference2),
      kind(other.kind)
{
}

CNodePoint::CNodePoint(const CNodePoint* source)
{
    if (source)
        Assign(*source);
}

CNodePoint::~CNodePoint() = default;

CNodePoint* CNodePoint::Create(FormulaTable* f, NodeTable* t)
{
    return new CNodePoint(f, t);
}

void CNodePoint::Init()
{
    NodeTable* const old = table;
    x = y = 0;
    cachedX = cachedY = 0.0;
    useCount = 0;
    cacheValid = false;
    inUse = true;
    visited = highlighted = separateSecondDistance = false;
    name.clear();
    evaluator = nullptr;
    table = nullptr;
    dxFormula.clear();
    dyFormula.clear();
    distanceFormula.clear();
    angleFormula.clear();
    rotationCenterXFormula.clear();
    rotationCenterYFormula.clear();
    rotationAngleFormula.clear();
    reference1 = reference2 = -1;
    kind = NodeKind::Absolute;
    if (old)
        old->UsageChanged();
}

void CNodePoint::Assign(const CNodePoint& other)
{
    if (&other == this)
        return;
    AssignFields(other);
    UsageDropped();
    NotifyDependants();
}

void CNodePoint::AssignFields(const CNodePoint& other)
{
    x = other.x;
    y = other.y;
    cachedX = other.cachedX;
    cachedY = other.cachedY;
    cacheValid = other.cacheValid;
    inUse = other.inUse;
    kind = other.kind;
    reference1 = other.reference1;
    reference2 = other.reference2;
    name = other.name;
    dxFormula = other.dxFormula;
    dyFormula = other.dyFormula;
    distanceFormula = other.distanceFormula;
    angleFormula = other.angleFormula;
    rotationCenterXFormula = other.rotationCenterXFormula;
    rotationCenterYFormula = other.rotationCenterYFormula;
    rotationAngleFormula = other.rotationAngleFormula;
    separateSecondDistance = other.separateSecondDistance;
    evaluator = other.evaluator;
    table = other.table;
}

void CNodePoint::Changed()
{
    if (table)
        table->NodeChanged();
}

void CNodePoint::PositionDropped()
{
    if (table)
        table->PositionsChanged();
}

void CNodePoint::UsageDropped()
{
    if (table)
        table->UsageChanged();
}

// --- kinds ------------------------------------------------------------------

namespace {
int IndexIn(const NodeTable* table, const CNodePoint* node)
{
    return table ? table->IndexOf(node) : -1;
}
} // namespace

void CNodePoint::MakeOffset(const CNodePoint* node, const QString& dx, const QString& dy)
{
    reference1 = IndexIn(table, node);
    dxFormula = dx;
    dyFormula = dy;
    distanceFormula.clear();
    angleFormula.clear();
    kind = NodeKind::Offset;
    Changed();
    NotifyDependants();
}

void CNodePoint::MakePolar(const CNodePoint* node, const QString& distance, const QString& angle)
{
    reference1 = IndexIn(table, node);
    distanceFormula = distance;
    angleFormula = angle;
    dxFormula.clear();
    dyFormula.clear();
    kind = NodeKind::Polar;
    Changed();
    NotifyDependants();
}

void CNodePoint::MakeEquidistant(const CNodePoint* node1, const CNodePoint* node2, const QString& distance)
{
    reference1 = IndexIn(table, node1);
    reference2 = IndexIn(table, node2);
    distanceFormula = distance;
    separateSecondDistance = false;
    dxFormula.clear();
    dyFormula.clear();
    angleFormula.clear();
    kind = NodeKind::TwoDistances;
    Changed();
    NotifyDependants();
}

void CNodePoint::MakeAtTwoDistances(const CNodePoint* node1, const CNodePoint* node2, const QString& distance1,
                                    const QString& distance2)
{
    reference1 = IndexIn(table, node1);
    reference2 = IndexIn(table, node2);
    distanceFormula = distance1;
    angleFormula = distance2;
    separateSecondDistance = true;
    dxFormula.clear();
    dyFormula.clear();
    kind = NodeKind::TwoDistances;
    Changed();
    NotifyDependants();
}

// --- fields -------------------------------------------------------------------

void CNodePoint::SetDxFormula(const QString& f) { dxFormula = f; Changed(); }
void CNodePoint::SetDyFormula(const QString& f) { dyFormula = f; Changed(); }
void CNodePoint::SetDistanceFormula(const QString& f) { distanceFormula = f; Changed(); }
void CNodePoint::SetAngleFormula(const QString& f) { angleFormula = f; Changed(); }
void CNodePoint::SetRotationCenterXFormula(const QString& f) { rotationCenterXFormula = f; Changed(); }
void CNodePoint::SetRotationCenterYFormula(const QString& f) { rotationCenterYFormula = f; Changed(); }
void CNodePoint::SetRotationAngleFormula(const QString& f) { rotationAngleFormula = f; Changed(); }

void CNodePoint::SetRotationFormulas(const QString& centerX, const QString& centerY, const QString& angle)
{
    rotationCenterXFormula = centerX;
    rotationCenterYFormula = centerY;
    rotationAngleFormula = angle;
    Changed();
    NotifyDependants();
}

void CNodePoint::SetReference1(int index) { reference1 = index; Changed(); }
void CNodePoint::SetReference2(int index) { reference2 = index; Changed(); }
void CNodePoint::SetEvaluator(FormulaTable* f) { evaluator = f; Changed(); }
void CNodePoint::SetSeparateSecondDistance(bool on) { separateSecondDistance = on; Changed(); }
void CNodePoint::SetInUse(bool use) { inUse = use; UsageDropped(); }

void CNodePoint::SetTable(NodeTable* t)
{
    UsageDropped();
    table = t;
    UsageDropped();
}

void CNodePoint::SetCacheValid(bool valid)
{
    cacheValid = valid;
    PositionDropped();
}

void CNodePoint::SetXUm(int32_t um)
{
    x = um;
    Changed();
    NotifyDependants();
}

void CNodePoint::SetYUm(int32_t um)
{
    y = um;
    Changed();
    NotifyDependants();
}

bool CNodePoint::MoveXUm(int64_t um)
{
    const auto v = nodeunits::AddMicrometres(x, um);
    if (!v)
        return false;
    SetXUm(*v);
    return true;
}

bool CNodePoint::MoveYUm(int64_t um)
{
    const auto v = nodeunits::AddMicrometres(y, um);
    if (!v)
        return false;
    SetYUm(*v);
    return true;
}

// --- record -------------------------------------------------------------------

NodeRecord CNodePoint::ToRecord() const
{
    NodeRecord r;
    r.name = name;
    r.dxFormula = dxFormula;
    r.dyFormula = dyFormula;
    r.distanceFormula = distanceFormula;
    r.angleFormula = angleFormula;
    r.reference1 = reference1;
    r.reference2 = reference2;
    r.kind = kind;
    r.inUse = inUse;
    r.x = x;
    r.y = y;
    r.rotationCenterXFormula = rotationCenterXFormula;
    r.rotationCenterYFormula = rotationCenterYFormula;
    r.rotationAngleFormula = rotationAngleFormula;
    r.separateSecondDistance = separateSecondDistance;
    return r;
}

void CNodePoint::FromRecord(const NodeRecord& r)
{
    name = r.name;
    dxFormula = r.dxFormula;
    dyFormula = r.dyFormula;
    distanceFormula = r.distanceFormula;
    angleFormula = r.angleFormula;
    reference1 = r.reference1;
    reference2 = r.reference2;
    kind = r.kind;
    inUse = r.inUse;
    x = r.x;
    y = r.y;
    rotationCenterXFormula = r.rotationCenterXFormula;
    rotationCenterYFormula = r.rotationCenterYFormula;
    rotationAngleFormula = r.rotationAngleFormula;
    separateSecondDistance = r.separateSecondDistance;
    cacheValid = false;
    UsageDropped();
    NotifyDependants();
}

void CNodePoint::Save(platform::BinaryWriter& out) const
{
    WriteNodeRecord(out, ToRecord());
}
