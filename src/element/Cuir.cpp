#include "element/Cuir.h"

#include "geometry/Geom.h"
#include "element/ElementRecords.h"
#include "element/CuirRadius.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

namespace {
const QString kCuirGroup = QStringLiteral("Cuir");
} // namespace

CCuir::CCuir(NodeTable* nodes, COptions* opts, int contextWord) : CNodeSymbol(nodes, opts, contextWord) {}

CCuir::CCuir(const CCuir& source)
    : CNodeSymbol(source), radius(source.radius), angle(source.angle), wingLength(source.wingLength)
{
}

CCuir::~CCuir() = default;

void CCuir::SetRadius(double value)
{
    radius = value;
    SetGeometryDirty();
}

void CCuir::SetAngle(double radians)
{
    angle = radians;
    SetGeometryDirty();
}

void CCuir::SetWingLength(double value)
{
    wingLength = value;
    SetGeometryDirty();
}

void CCuir::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Cuir);
    WriteElementRecord(out, CuirRecord{node, angle, wingLength, radius});
    SaveBase(out);
}

bool CCuir::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<CuirRecord>(in, fileVersion);
    if (!r)
        return false;
    const int centre = CheckNode(in, r->node, nodeBase, "cuir");
    if (!in.ok() || !CheckFinite(in, {r->angle, r->wingLength, r->radius}, "cuir") || !LoadBase(in, fileVersion))
        return false;
    SetNode(centre);
    angle = r->angle;
    wingLength = r->wingLength;
    radius = r->radius;
    return true;
}

void CCuir::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* cuir = dynamic_cast<const CCuir*>(&source);
    if (withNodes && cuir) {
        SetNode(cuir->node);
        angle = cuir->angle;
        wingLength = cuir->wingLength;
        radius = cuir->radius;
    }
    AssignMainValues(source);
}

void CCuir::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    // The wings turn with the node, whatever the radius.
    if (selected)
        TurnNodeAndDirection(remap, cx, cy, degrees, angle);
}

void CCuir::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (selected)
        ReflectNodeAndDirection(remap, x1, y1, x2, y2, angle);
}

double CCuir::GetFullLength()
{
    return 2.0 * (Geom::kPi * radius + wingLength);
}

double CCuir::OnCtrlWheel(int delta, int, int)
{
    angle = WheelTurned(angle, delta);
    SetGeometryDirty();
    return 0.0;
}

double CCuir::OnShiftWheel(int delta, int, int)
{
    radius = StepCuirRadius(radius, WheelDelta(delta) > 0);
    SetGeometryDirty();
    return radius;
}

QString CCuir::GetScriptText()
{
    FillParameters();
    return BuildScriptText(QStringLiteral("AddCuir"), parameters);
}

void CCuir::FillParameters()
{
    parameters.clear();
    const die::coord c = NodePosition().value_or(die::coord{});
    PropertyValue centre;
    centre.SetPoint(kCuirGroup, QStringLiteral("CenterPt"), {c.x, c.y});
    PropertyValue r;
    r.SetDouble(kCuirGroup, QStringLiteral("Radius"), radius);
    PropertyValue w;
    w.SetDouble(kCuirGroup, QStringLiteral("WingLength"), wingLength);
    parameters.push_back(centre);
    parameters.push_back(r);
    parameters.push_back(w);
    AppendCommonParameters();
}
