#include "dlg/BobstAsmFields.h"

#include "element/NodeTable.h"
#include "section/Section.h"

#include <memory>

namespace dlg {

BobstAsmFields BobstAsmFields::ForOne(const CBobstAsm& assembly, NodeTable& nodes)
{
    BobstAsmFields f;
    if (CNodePoint* centre = nodes.GetNode(assembly.GetNode())) {
        f.centreX = PageNumber(centre->GetX());
        f.centreY = PageNumber(centre->GetY());
    }
    f.record = assembly.GetParams();
    f.kind = f.record.kind;
    f.ShowRecord();
    f.rotation.Set(f.record.rotation);
    return f;
}

BobstAsmFields BobstAsmFields::ForSeveral()
{
    BobstAsmFields f;
    f.several = true;
    f.record = BobstAsmParams{};
    f.record.rotation = 0.0;
    f.record.Validate();
    f.record.SetPreset1();
    f.kind = f.record.kind;
    f.ShowRecord();
    f.rotation.Set(f.record.rotation);
    return f;
}

void BobstAsmFields::ChooseKind(int radioKind)
{
    kind = radioKind;
    if (radioKind != kBobstType1 && radioKind != kBobstType2)
        return;
    UpdateRecord();
    if (radioKind == kBobstType1)
        record.SetPreset1();
    else
        record.SetDefaults();
    ShowRecord();
}

void BobstAsmFields::UpdateRecord()
{
    record = FromFields(record.kind);
}

std::vector<double> BobstAsmFields::Geometry() const
{
    const BobstAsmParams p = FromFields(kind);
    return {centreX.Value(), centreY.Value(), static_cast<double>(p.kind), p.openingAngle,
            p.innerRadius,   p.outerRadius,   p.rotation};
}

BobstAsmParams BobstAsmFields::ForMember(const BobstAsmParams& current) const
{
    const BobstAsmParams p = FromFields(record.kind);
    BobstAsmParams result = current;
    if (changeShape) {
        result.kind = p.kind;
        result.openingAngle = p.openingAngle;
        result.innerRadius = p.innerRadius;
        result.outerRadius = p.outerRadius;
    }
    if (changeRotation)
        result.rotation = p.rotation;
    result.Validate();
    return result;
}

bool BobstAsmFields::Apply(Section& section, int slot) const
{
    const auto* assembly = dynamic_cast<const CBobstAsm*>(section.GetElement(slot));
    if (!assembly)
        return false;
    const int centre = NodeFor(*section.GetNodeTable(), assembly->GetNode(), centreX, centreY);
    const BobstAsmParams p = FromFields(kind);
    if (centre < 0 || (centre == assembly->GetNode() && p == assembly->GetParams()))
        return false;
    auto copy = std::make_unique<CBobstAsm>(*assembly);
    copy->SetNode(centre);
    copy->SetParams(p);
    CElement* now = section.ReplaceElement(slot, std::move(copy));
    now->Recalculate();
    return true;
}

BobstAsmParams BobstAsmFields::FromFields(int recordKind) const
{
    BobstAsmParams p;
    p.kind = recordKind;
    // The angle as typed, not first turned into [0, 2π): the record's range
    // is 0..π, so −10° is held to 0 for the preview and the drawing alike.
    p.openingAngle = angle.Value();
    p.innerRadius = inner.Value();
    p.outerRadius = outer.Value();
    p.rotation = rotation.Value();
    p.Validate();
    return p;
}

void BobstAsmFields::ShowRecord()
{
    angle.Set(record.openingAngle);
    inner.Set(record.innerRadius);
    outer.Set(record.outerRadius);
}

} // namespace dlg
