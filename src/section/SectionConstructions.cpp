// Constructions that the shape and geometry commands finish with: the angle
// bisector of two lines, the regular polygon and the rectangle by its centre.
#include "section/Section.h"

#include "element/Element.h"
#include "element/Line.h"
#include "geometry/Angle.h"
#include "geometry/EditLines.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/GeomLinesCircles.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kTextRectangle = 59;
} // namespace

void Section::AddAngleBisector(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                               double length)
{
    Log::TheLog().Write("Section::AddAngleBisector( CElement* ... )", Log::Section);
    const auto* line1 = dynamic_cast<const CLine*>(first);
    const auto* line2 = dynamic_cast<const CLine*>(second);
    if (!(length > 0.0) || line1 == nullptr || line2 == nullptr || first == second)
        return;
    const die::coord s1 = Point(line1->GetStartNode());
    const die::coord e1 = Point(line1->GetEndNode());
    const die::coord s2 = Point(line2->GetStartNode());
    const die::coord e2 = Point(line2->GetEndNode());
    die::coord p;
    if (Geom::SolveLineLine(s1.x, s1.y, e1.x, e1.y, s2.x, s2.y, e2.x, e2.y, p.x, p.y) == 0)
        return; // the lines never meet
    const die::coord kept1 = Geom::FilletKeepsStart(p, s1, e1, {x1, y1}) ? s1 : e1;
    const die::coord kept2 = Geom::FilletKeepsStart(p, s2, e2, {x2, y2}) ? s2 : e2;
    const double thetaA = Geom::VectorAngle(kept1.y - p.y, kept1.x - p.x);
    const double thetaB = Geom::VectorAngle(kept2.y - p.y, kept2.x - p.x);
    double delta = thetaB >= thetaA ? thetaB - thetaA : thetaB + Geom::kTwoPi - thetaA;
    const bool reversed = delta > Geom::kPi;
    if (reversed)
        delta = Geom::kTwoPi - delta;
    double bisector = (reversed ? thetaA : thetaB) - delta / 2.0;
    if (bisector < 0.0)
        bisector += Geom::kTwoPi;
    (void)AddLine3(p.x, p.y, p.x + length * std::cos(bisector), p.y + length * std::sin(bisector), true,
                   CurrentLineType()); // refuses a point no node can hold
}

void Section::AddPolygon(double cx, double cy, int edges, double side, double rotation, bool select)
{
    Log::TheLog().Write("Section::AddPolygon( double ... )", Log::Section);
    if (edges < 3 || !(side > 0.0) || !std::isfinite(rotation))
        return;
    const double alpha = Geom::kPi / edges;
    const double radius = side / std::sin(alpha) * 0.5;
    const double step = Geom::kTwoPi / edges;
    double from = Angle::Normalize(Geom::DegToRad(rotation) + (Geom::kThreeHalfPi - alpha));
    for (int i = 0; i < edges; ++i) {
        const double to = Angle::Normalize(from + step);
        const ElementIterator line =
            AddLine3(cx + radius * std::cos(from), cy + radius * std::sin(from), cx + radius * std::cos(to),
                     cy + radius * std::sin(to), true, CurrentLineType());
        if (select && line.NotEqual(end()))
            line.Get()->SetSelection(1);
        from = to;
    }
}

void Section::AddRectByCenter(const die::coord& centre, double width, double height, double radius, double angle,
                              UndoTransaction* tx)
{
    Log::TheLog().Write("Section::AddRectByCenter( const die::coord& ... )", Log::Section);
    width = std::max(width, 0.0);
    height = std::max(height, 0.0);
    if (!(width > 0.0) || !(height > 0.0) || !std::isfinite(angle))
        return;
    const double r = radius < 0.0 ? 0.0 : std::min(radius, std::min(width, height) / 2.0);
    const double left = -width / 2.0;
    const double right = width / 2.0;
    const double bottom = -height / 2.0;
    const double top = height / 2.0;
    // Offsets from the centre turned by the angle (degrees, counterclockwise).
    const double c = std::cos(Geom::DegToRad(angle));
    const double s = std::sin(Geom::DegToRad(angle));
    const auto at = [&](double x, double y) { return die::coord(centre.x + x * c - y * s, centre.y + x * s + y * c); };
    const auto line = [&](double x1, double y1, double x2, double y2, int lineType) {
        const die::coord a = at(x1, y1);
        const die::coord b = at(x2, y2);
        // A side that the corners use up entirely is refused as a point.
        (void)AddLine3(a.x, a.y, b.x, b.y, true, lineType);
    };
    const auto arc = [&](double cx, double cy, double sx, double sy, double ex, double ey, int lineType) {
        const die::coord m = at(cx, cy);
        const die::coord a = at(sx, sy);
        const die::coord b = at(ex, ey);
        (void)AddArc3(m.x, m.y, a.x, a.y, b.x, b.y, true, lineType);
    };
    UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextRectangle, this);
    const int lineType = CurrentLineType();
    line(left, bottom + r, left, top - r, lineType);
    line(left + r, top, right - r, top, lineType);
    line(right, top - r, right, bottom + r, lineType);
    line(right - r, bottom, left + r, bottom, lineType);
    if (r > 0.0) {
        const int arcType = CurrentArcLineType();
        arc(left + r, bottom + r, left + r, bottom, left, bottom + r, arcType);
        arc(left + r, top - r, left, top - r, left + r, top, arcType);
        arc(right - r, top - r, right - r, top, right, top - r, arcType);
        arc(right - r, bottom + r, right, bottom + r, right - r, bottom, arcType);
    }
    step.commit();
}
