#include "section/ElementNodeFields.h"

#include "element/Arc.h"
#include "element/Cuir.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/NodeSymbol.h"

namespace ElementNodeFields {

std::vector<int> CentreNodes(const CElement& element)
{
    if (const auto* arc = dynamic_cast<const CArc*>(&element))
        return {arc->GetStartNode(), arc->GetEndNode(), arc->GetCenterNode()};
    if (const auto* line = dynamic_cast<const CLine*>(&element))
        return {line->GetStartNode(), line->GetEndNode()};
    if (const auto* cuir = dynamic_cast<const CCuir*>(&element))
        return {cuir->GetNode()};
    return {};
}

bool Replace(CElement& element, int from, int to)
{
    bool changed = false;
    const auto set = [&](int current, auto&& setter) {
        if (current == from) {
            setter(to);
            changed = true;
        }
    };
    if (auto* arc = dynamic_cast<CArc*>(&element)) {
        set(arc->GetStartNode(), [&](int n) { arc->SetStartNode(n); });
        set(arc->GetEndNode(), [&](int n) { arc->SetEndNode(n); });
        set(arc->GetCenterNode(), [&](int n) { arc->SetCenterNode(n); });
    } else if (auto* line = dynamic_cast<CLine*>(&element)) {
        set(line->GetStartNode(), [&](int n) { line->SetStartNode(n); });
        set(line->GetEndNode(), [&](int n) { line->SetEndNode(n); });
    } else if (auto* symbol = dynamic_cast<CNodeSymbol*>(&element)) {
        set(symbol->GetNode(), [&](int n) { symbol->SetNode(n); });
    }
    return changed;
}

} // namespace ElementNodeFields
