#include "section/ElementNodeFields.h"

#include "element/Arc.h"
#include "element/Cuir.h"
#include "element/Ellipse.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/NodeSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"

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
    } else if (auto* ellipse = dynamic_cast<CEllipse*>(&element)) {
        set(ellipse->GetStartNode(), [&](int n) { ellipse->SetStartNode(n); });
        set(ellipse->GetEndNode(), [&](int n) { ellipse->SetEndNode(n); });
        set(ellipse->GetCentreNode(), [&](int n) { ellipse->SetCentreNode(n); });
        set(ellipse->GetMajorNode(), [&](int n) { ellipse->SetMajorNode(n); });
        set(ellipse->GetMinorNode(), [&](int n) { ellipse->SetMinorNode(n); });
    } else if (auto* text = dynamic_cast<CText*>(&element)) {
        int h = text->GetHeightNode(), b = text->GetBaseNode(), e = text->GetEndNode();
        for (int* field : {&h, &b, &e})
            set(*field, [&](int n) { *field = n; });
        if (changed)
            text->SetNodes(h, b, e);
    } else if (auto* measure = dynamic_cast<CMeasure*>(&element)) {
        int p1 = measure->GetP1(), p2 = measure->GetP2(), c = measure->GetCentre(), l = measure->GetLinePoint();
        for (int* field : {&p1, &p2, &c, &l})
            set(*field, [&](int n) { *field = n; });
        if (changed)
            measure->SetNodes(p1, p2, c, l);
    } else if (auto* spline = dynamic_cast<CSpline*>(&element)) {
        changed = spline->ReplaceNodeIndex(from, to);
    }
    return changed;
}

} // namespace ElementNodeFields
