#include "section/Section.h"

#include "element/Arc.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "element/Line.h"

void Section::GetCrossNodes(CElement* e)
{
    if (!e)
        return;
    e->ClearCrossPoints();
    for (CElement* x : *this) {
        e->IntersectWith(*x);
        e->StoreCrossPoints(*x);
    }
    int start = -1;
    int end = -1;
    if (e->GetTypeId() == ElementTypeId::Line) {
        const auto* line = static_cast<const CLine*>(e);
        start = line->GetStartNode();
        end = line->GetEndNode();
    } else if (e->GetTypeId() == ElementTypeId::Arc) {
        const auto* arc = static_cast<const CArc*>(e);
        start = arc->GetStartNode();
        end = arc->GetEndNode();
    } else {
        return;
    }
    const die::coord s = e->GetNodePoint(start);
    e->AddCrossPoint(s.x, s.y, e);
    if (end != start) {
        const die::coord p = e->GetNodePoint(end);
        e->AddCrossPoint(p.x, p.y, e);
    }
}
