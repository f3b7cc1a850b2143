#include "element/BobstAsm.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/ElementRecords.h"
#include "element/ElementNodes.h"
#include "element/FittedPreview.h"
#include "geometry/Angle.h"
#include "platform/BinaryStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kMaxKind = 3;

} // namespace

void BobstAsmParams::Validate()
{
    if (kind < 0 || kind > kMaxKind)
        kind = 0;
    // Written so that a value that is not a number fails each test.
    if (!(openingAngle >= 0.0))
        openingAngle = 0.0;
    openingAngle = std::min(openingAngle, kPi);
    if (!(innerRadius >= 0.0))
        innerRadius = 0.0;
    innerRadius = std::min(innerRadius, kMaxRadius);
    if (!(outerRadius >= innerRadius))
        outerRadius = innerRadius;
    outerRadius = std::min(outerRadius, kMaxRadius);
    rotation = Angle::Normalize(rotation);
}

void BobstAsmParams::SetDefaults()
{
    kind = 2;
    openingAngle = 0.0;
    innerRadius = 12.0;
    outerRadius = 12.0;
    Validate();
}

void BobstAsmParams::SetPreset1()
{
    kind = 1;
    openingAngle = 95.0 * kPi / 180.0;
    innerRadius = 12.0;
    outerRadius = 19.0;
    Validate();
}

CBobstAsm::CBobstAsm(NodeTable* nodes, COptions* opts, int contextWord) : CNodeSymbol(nodes, opts, contextWord)
{
    params.Validate();
}

// The preview node is the dialog's own: a copy draws about the table's.
CBobstAsm::CBobstAsm(const CBobstAsm& source) : CNodeSymbol(source), params(source.params) {}

CBobstAsm::~CBobstAsm() = default;

void CBobstAsm::SetParams(const BobstAsmParams& p)
{
    params = p;
    SetGeometryDirty();
}

void CBobstAsm::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::BobstAsm);
    WriteElementRecord(out, BobstAsmRecord{node, params.kind, params.openingAngle, params.innerRadius,
                                           params.outerRadius, params.rotation});
    SaveBase(out);
}

bool CBobstAsm::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<BobstAsmRecord>(in, fileVersion);
    if (!r)
        return false;
    const int at = CheckNode(in, r->node, nodeBase, "Bobst assembly hole");
    BobstAsmParams read;
    read.kind = r->kind;
    read.openingAngle = r->openingAngle;
    read.innerRadius = r->innerRadius;
    read.outerRadius = r->outerRadius;
    read.rotation = r->rotation;
    if (!in.ok() || !LoadBase(in, fileVersion))
        return false;
    read.Validate();
    SetNode(at);
    SetParams(read);
    return true;
}

void CBobstAsm::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* hole = dynamic_cast<const CBobstAsm*>(&source);
    if (withNodes && hole) {
        SetNode(hole->node);
        SetParams(hole->params);
    }
    AssignMainValues(source);
}

CBobstAsm::Corners CBobstAsm::CornersAbout(const die::coord& centre, const BobstAsmParams& p)
{
    const double rho = p.rotation;
    const double a = p.openingAngle;
    const std::array<double, 4> theta{Angle::Normalize(rho + (kPi - a) / 2), Angle::Normalize(rho + (kPi + a) / 2),
                                      Angle::Normalize(rho + (kPi - a) / 2 + kPi),
                                      Angle::Normalize(rho + (kPi + a) / 2 + kPi)};
    Corners c;
    for (std::size_t i = 0; i < 4; ++i) {
        const die::coord dir{std::cos(theta[i]), std::sin(theta[i])};
        c.inner[i] = centre + dir * p.innerRadius;
        c.outer[i] = centre + dir * p.outerRadius;
    }
    return c;
}

void CBobstAsm::RebuildContour()
{
    if (!displayDirty)
        return;
    const die::coord centre = GetNodePoint(node);
    const Corners k = CornersAbout(centre, params);
    const auto& [a, b] = k;
    BeginContour();
    // The arcs run counter-clockwise from their end to their start.
    displayList->AddArc(centre, a[0], a[3]);
    displayList->AddLine(a[3], b[3]);
    displayList->AddArc(centre, b[3], b[2]);
    displayList->AddLine(b[2], a[2]);
    displayList->AddArc(centre, a[2], a[1]);
    displayList->AddLine(a[1], b[1]);
    displayList->AddArc(centre, b[1], b[0]);
    displayList->AddLine(b[0], a[0]);
    FinishContour();
}

void CBobstAsm::Draw(DrawContext& dc)
{
    if (!dc.device)
        return;
    CNodePoint* at = CurrentNode();
    if (!at)
        return;
    const die::coord centre = ElementNodes::Position(*at);
    const Corners k = CornersAbout(centre, params);
    const auto& [a, b] = k;
    const auto arc = [&](double r, const die::coord& from, const die::coord& to) {
        dc.Arc(centre - die::coord{r, r}, centre + die::coord{r, r}, from, to);
    };
    const double r1 = params.innerRadius;
    const double r2 = params.outerRadius;
    dc.Line(a[0], b[0]);
    arc(r1, a[0], a[3]);
    dc.Line(a[3], b[3]);
    arc(r2, b[3], b[2]);
    dc.Line(a[2], b[2]);
    arc(r1, a[2], a[1]);
    dc.Line(a[1], b[1]);
    arc(r2, b[1], b[0]);
}

double CBobstAsm::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    if (!previewNode)
        return dc.scale;
    const double size = 2.0 * params.outerRadius;
    FitPreview(dc, rect, ElementNodes::Position(*previewNode), size, size);
    const unsigned char wasPreview = preview;
    preview = 1;
    Draw(dc);
    preview = wasPreview;
    return dc.scale;
}

void CBobstAsm::Rotate(NodeRemap& remap, double cx, double cy, double degrees)
{
    // The lobes turn with the node about the centre.
    if (selected)
        TurnNodeAndDirection(remap, cx, cy, degrees, params.rotation);
}

void CBobstAsm::Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2)
{
    if (selected)
        ReflectNodeAndDirection(remap, x1, y1, x2, y2, params.rotation);
}

double CBobstAsm::GetFullLength()
{
    const double a = params.openingAngle;
    return 4.0 * (params.outerRadius - params.innerRadius) + 2.0 * a * params.outerRadius
        + 2.0 * (kPi - a) * params.innerRadius;
}

double CBobstAsm::OnCtrlWheel(int delta, int, int)
{
    params.rotation = WheelTurned(params.rotation, delta);
    SetGeometryDirty();
    return 0.0;
}
