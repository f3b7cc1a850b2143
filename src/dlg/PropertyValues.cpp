#include "dlg/PropertyValues.h"

#include "dlg/WorkingCopy.h"
#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "geometry/Geom.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dlg {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

die::coord NodeAt(const CElement& e, int index)
{
    CNodePoint* node = ElementNodes::NodeOf(e.GetNodeTable(), index);
    return node ? ElementNodes::Position(*node) : die::coord{};
}

double Wrapped(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

} // namespace

double RoundUpThousandth(double v)
{
    if (!std::isfinite(v))
        return v;
    return std::ceil(v * 1000.0) / 1000.0;
}

double Direction(double dx, double dy)
{
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    return Wrapped(std::atan2(dy, dx));
}

void PagePoint::Fill(const die::coord& exact)
{
    exact_ = exact;
    shown_ = {RoundUpThousandth(exact.x), RoundUpThousandth(exact.y)};
    x = shown_.x;
    y = shown_.y;
}

die::coord PagePoint::Applied() const
{
    return {x == shown_.x ? exact_.x : x, y == shown_.y ? exact_.y : y};
}

void Extension::Spin(int clicks)
{
    value = std::clamp(value + clicks * kStep, -kLimit, kLimit);
}

void LinePageValues::Fill(CLine& line)
{
    start.Fill(NodeAt(line, line.GetStartNode()));
    end.Fill(NodeAt(line, line.GetEndNode()));
    atStart.value = atEnd.value = 0.0;
}

double LinePageValues::Length() const
{
    return RoundUpThousandth(std::hypot(end.x - start.x, end.y - start.y) + atStart.value + atEnd.value);
}

double LinePageValues::AngleDegrees() const
{
    const double degrees = Direction(end.x - start.x, end.y - start.y) * 180.0 / std::numbers::pi;
    return std::trunc(degrees * 100.0) / 100.0;
}

void ArcPageValues::Fill(CArc& arc)
{
    start.Fill(NodeAt(arc, arc.GetStartNode()));
    end.Fill(NodeAt(arc, arc.GetEndNode()));
    centre.Fill(NodeAt(arc, arc.GetCenterNode()));
    atStart.value = atEnd.value = 0.0;
    const die::coord s = NodeAt(arc, arc.GetStartNode());
    const die::coord c = NodeAt(arc, arc.GetCenterNode());
    radius = RoundUpThousandth(std::hypot(s.x - c.x, s.y - c.y));
}

void ArcPageValues::UpdateRadius()
{
    radius = RoundUpThousandth(std::hypot(start.x - centre.x, start.y - centre.y));
}

double ArcPageValues::Length() const
{
    const double r = std::hypot(start.x - centre.x, start.y - centre.y);
    const double circle = kTwoPi * r;
    double arc = circle;
    if (end.x != start.x || end.y != start.y) {
        const double a1 = Direction(start.x - centre.x, start.y - centre.y);
        const double a2 = Direction(end.x - centre.x, end.y - centre.y);
        arc = Wrapped(a1 - a2) * r;
    }
    return RoundUpThousandth(std::min(arc + atStart.value + atEnd.value, circle));
}

void EllipsePageValues::Fill(CEllipse& ellipse)
{
    start.Fill(NodeAt(ellipse, ellipse.GetStartNode()));
    end.Fill(NodeAt(ellipse, ellipse.GetEndNode()));
    const die::coord c = NodeAt(ellipse, ellipse.GetCentreNode());
    const die::coord m = NodeAt(ellipse, ellipse.GetMajorNode());
    const die::coord n = NodeAt(ellipse, ellipse.GetMinorNode());
    centre.Fill(c);
    exactR1_ = std::hypot(m.x - c.x, m.y - c.y);
    exactR2_ = std::hypot(n.x - c.x, n.y - c.y);
    exactAngle_ = Direction(m.x - c.x, m.y - c.y) * 180.0 / std::numbers::pi;
    radius1 = shownR1_ = RoundUpThousandth(exactR1_);
    radius2 = shownR2_ = RoundUpThousandth(exactR2_);
    angle = shownAngle_ = RoundUpThousandth(exactAngle_);
    atStart.value = atEnd.value = 0.0;
    arcs = kDefaultArcs;
}

die::coord EllipsePageValues::MajorPoint() const
{
    const double a = Wrapped(angle * std::numbers::pi / 180.0);
    return {centre.x + radius1 * std::cos(a), centre.y + radius1 * std::sin(a)};
}

die::coord EllipsePageValues::MinorPoint() const
{
    const double b = Wrapped(angle * std::numbers::pi / 180.0 + std::numbers::pi / 2.0);
    return {centre.x + radius2 * std::cos(b), centre.y + radius2 * std::sin(b)};
}

bool EllipsePageValues::ShapeChanged() const
{
    return radius1 != shownR1_ || radius2 != shownR2_ || angle != shownAngle_;
}

void PlaceLine(WorkingCopy& copy, const LinePageValues& v)
{
    (void)copy.Place(0, v.start.Point());
    (void)copy.Place(1, v.end.Point());
}

void PlaceArc(WorkingCopy& copy, const ArcPageValues& v)
{
    (void)copy.Place(0, v.start.Point());
    (void)copy.Place(1, v.end.Point());
    (void)copy.Place(2, v.centre.Point());
}

void PlaceEllipse(WorkingCopy& copy, const EllipsePageValues& v)
{
    (void)copy.Place(0, v.start.Point());
    (void)copy.Place(1, v.end.Point());
    (void)copy.Place(2, v.centre.Point());
    (void)copy.Place(3, v.MajorPoint());
    (void)copy.Place(4, v.MinorPoint());
}

double EllipseLength(const WorkingCopy& copy, const EllipsePageValues& v)
{
    auto* ellipse = dynamic_cast<CEllipse*>(copy.Element());
    if (!ellipse)
        return 0.0;
    const double a1 = Direction(v.start.x - v.centre.x, v.start.y - v.centre.y);
    const double a2 = Direction(v.end.x - v.centre.x, v.end.y - v.centre.y);
    const bool whole = v.start.x == v.end.x && v.start.y == v.end.y;
    const double arc = whole ? ellipse->ArcLength(0.0, 0.0) : ellipse->ArcLength(a1, a2);
    return RoundUpThousandth(arc + v.atStart.value + v.atEnd.value);
}

} // namespace dlg
