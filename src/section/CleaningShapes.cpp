#include "section/CleaningShapes.h"

#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/Line.h"

namespace cleaning {

bool ReadLine(NodeTable* nodes, const CLine& line, const CInstance* placement, LineShape& out)
{
    CNodePoint* s = ElementNodes::NodeOf(nodes, line.GetStartNode());
    CNodePoint* e = ElementNodes::NodeOf(nodes, line.GetEndNode());
    if (!s || !e)
        return false;
    out.s = ElementNodes::PositionIn(*s, placement);
    out.e = ElementNodes::PositionIn(*e, placement);
    return true;
}

bool ReadArc(NodeTable* nodes, CArc& arc, ArcShape& out)
{
    CNodePoint* c = ElementNodes::NodeOf(nodes, arc.GetCenterNode());
    if (!c || !ElementNodes::NodeOf(nodes, arc.GetStartNode()) || !ElementNodes::NodeOf(nodes, arc.GetEndNode()))
        return false;
    arc.Recalculate();
    out.centre = ElementNodes::Position(*c);
    out.radius = arc.GetRadius();
    out.startAngle = arc.GetStartAngle();
    out.endAngle = arc.GetEndAngle();
    return true;
}

BoundingBox ReachOf(const LineShape& line, double reach)
{
    BoundingBox box;
    box.Extend(line.s.x - reach, line.s.y - reach);
    box.Extend(line.s.x + reach, line.s.y + reach);
    box.Extend(line.e.x - reach, line.e.y - reach);
    box.Extend(line.e.x + reach, line.e.y + reach);
    return box;
}

BoundingBox ReachOf(const ArcShape& arc, double reach)
{
    const double r = arc.radius + reach;
    BoundingBox box;
    box.Extend(arc.centre.x - r, arc.centre.y - r);
    box.Extend(arc.centre.x + r, arc.centre.y + r);
    return box;
}

} // namespace cleaning
