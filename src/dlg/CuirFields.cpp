#include "dlg/CuirFields.h"

#include "element/Cuir.h"
#include "element/CuirRadius.h"
#include "element/NodeTable.h"
#include "geometry/Angle.h"
#include "geometry/GeomConstants.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <memory>

namespace dlg {

CuirRadiusChoice CuirRadiusEntries(double radius)
{
    CuirRadiusChoice choice;
    choice.chosen = -1;
    double step = -1.0;
    for (int i = 0; i < 3; ++i) {
        step = StepCuirRadius(step, true);
        if (choice.chosen < 0 && radius < step && radius > 0.0) {
            choice.chosen = static_cast<int>(choice.entries.size());
            choice.entries.push_back({platform::cformat("%.2f", radius), radius});
        }
        if (radius == step)
            choice.chosen = static_cast<int>(choice.entries.size());
        choice.entries.push_back({platform::cformat("%.2f", step), step});
    }
    if (choice.chosen < 0 && radius > step) {
        choice.chosen = static_cast<int>(choice.entries.size());
        choice.entries.push_back({platform::cformat("%.2f", radius), radius});
    }
    if (choice.chosen < 0)
        choice.chosen = 0; // no radius worth keeping (0, negative, not a number)
    return choice;
}

CuirFields CuirFields::From(const CCuir& cuir, NodeTable& nodes)
{
    CuirFields f;
    if (CNodePoint* centre = nodes.GetNode(cuir.GetNode())) {
        f.centreX = PageNumber(centre->GetX());
        f.centreY = PageNumber(centre->GetY());
    }
    f.angle = PageNumber(cuir.GetAngle(), Geom::RadToDeg(1.0));
    f.wing = PageNumber(cuir.GetWingLength());
    f.radius = cuir.GetRadius();
    f.openedRadius = f.radius;
    return f;
}

double CuirFields::Radians() const
{
    return Angle::Normalize(angle.Value());
}

void CuirFields::ApplyTo(CCuir& copy) const
{
    copy.SetRadius(radius);
    copy.SetAngle(Radians());
    copy.SetWingLength(wing.Value());
}

std::vector<double> CuirFields::Geometry() const
{
    return {centreX.Value(), centreY.Value(), radius, Radians(), wing.Value()};
}

bool CuirFields::Apply(Section& section, int slot) const
{
    const auto* cuir = dynamic_cast<const CCuir*>(section.GetElement(slot));
    if (!cuir)
        return false;
    const bool moved = centreX.Changed() || centreY.Changed();
    if (!moved && !angle.Changed() && !wing.Changed() && radius == openedRadius)
        return false;
    const int centre = NodeFor(*section.GetNodeTable(), cuir->GetNode(), centreX, centreY);
    if (centre < 0)
        return false;
    auto copy = std::make_unique<CCuir>(*cuir);
    copy->SetNode(centre);
    if (angle.Changed())
        copy->SetAngle(Radians());
    if (wing.Changed())
        copy->SetWingLength(wing.Value());
    copy->SetRadius(radius);
    CElement* now = section.ReplaceElement(slot, std::move(copy));
    now->RefreshBridges();
    now->Recalculate();
    return true;
}

} // namespace dlg
