// Selection by the criteria of the element selection wizard.
#include "element/Element.h"

namespace {

template <typename T>
bool Compare(T value, T wanted, int comparison)
{
    switch (comparison) {
    case SelectCriterion::Less: return value < wanted;
    case SelectCriterion::Greater: return value > wanted;
    case SelectCriterion::Equal: return value == wanted;
    default: return false;
    }
}

} // namespace

void CElement::SelectByCriteria(const SelectCriterion* criteria, int count, bool byAnd, bool replace)
{
    bool result = byAnd;
    for (int i = 0; i < count; ++i) {
        const SelectCriterion& c = criteria[i];
        bool value = false;
        switch (c.property) {
        case SelectCriterion::Type: value = c.intValue == GetTypeId() || c.intValue == ElementTypeId::Any; break;
        case SelectCriterion::Selection: value = c.flagValue == selected; break;
        case SelectCriterion::LineType: value = c.intValue == LineType; break;
        case SelectCriterion::BridgeCount: value = Compare(bridges.Count(), c.intValue, c.comparison); break;
        case SelectCriterion::BridgeMode: value = c.intValue == iAutoBridges; break;
        case SelectCriterion::Ptg: value = Compare(ptg, c.realValue, c.comparison); break;
        default: value = false; break;
        }
        if (c.relation == SelectCriterion::Negated)
            value = !value;
        else if (c.relation == SelectCriterion::Neutral)
            value = byAnd;
        result = byAnd ? result && value : result || value;
    }
    if (replace)
        selected = result ? 1 : 0;
    else if (result)
        selected = 1;
}
