#include "element/Cuir.h"

#include "element/ElementNodes.h"
#include "geometry/Angle.h"
#include "geometry/Geom.h"
#include "element/CuirRadius.h"
#include "platform/BinaryStream.h"

#include <QStringLiteral>

namespace {
const QString kCuirGroup = QStringLiteral("Cuir");
// One wheel notch, and the turn it gives.
constexpr int kNotch = 120;
constexpr double kNotchTurn = Geom::kPi / 6.0;
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

void CCuir::SetPreviewNode(CNodePoint* previewPoint)
{
    previewNode = previewPoint;
    preview = previewPoint ? 1 : 0;
    SetGeometryDirty();
}

CNodePoint* CCuir::CurrentNode() const
{
    return preview ? previewNode : ElementNodes::NodeOf(nodeTable, node);
}

void CCuir::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Cuir);
    out.writeInt32(node);
    out.writeDouble(angle);
    out.writeDouble(wingLength);
    out.writeDouble(radius);
    SaveBase(out);
}

bool CCuir::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const int32_t centre = in.readInt32();
    const double a = in.readDouble();
    const double w = in.readDouble();
    const double r = in.readDouble();
    if (!in.ok() || !CheckNode(in, centre + nodeBase, "cuir") || !CheckFinite(in, {a, w, r}, "cuir")
        || !LoadBase(in, fileVersion))
        return false;
    SetNode(centre + nodeBase);
    angle = a;
    wingLength = w;
    radius = r;
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
    if (!selected)
        return;
    TurnNode(remap, cx, cy, degrees);
    // The wings turn with the node, whatever the radius.
    angle = Angle::Normalize(angle + Geom::DegToRad(degrees));
    SetGeometryDirty();
}

void CCuir::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (!selected)
        return;
    ReflectNode(remap, x1, y1, x2, y2);
    // A direction a reflected across a line of direction t becomes 2t − a;
    // two equal x give the vertical line, as for the node.
    const double line = x1 == x2 ? Geom::kHalfPi : Geom::VectorAngle(y2 - y1, x2 - x1);
    angle = Angle::Normalize(2.0 * line - angle);
    SetGeometryDirty();
}

double CCuir::GetFullLength()
{
    return 2.0 * (Geom::kPi * radius + wingLength);
}

double CCuir::OnCtrlWheel(int delta, int, int)
{
    const int notches = WheelDelta(delta) / kNotch;
    angle = Angle::Normalize(angle + notches * kNotchTurn);
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
