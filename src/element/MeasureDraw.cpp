// The dimension drawn straight onto a draw context (previews), with the
// dimension parameters of the options and the element's own formats; the
// value shown is rounded up to thousandths.
#include "element/Measure.h"

#include "display/DrawContext.h"
#include "element/AnnotationGeometry.h"
#include "element/MeasureFormat.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "options/Options.h"

#include <cmath>
#include <utility>

using Annotation::UnitAt;

namespace {
constexpr double kArrowLength = 10.0;
constexpr double kTextOffset = 5.0;
constexpr double kInsideTolerance = 0.01;

// The dimension parameters in use: arrowhead half-angle, extension gap at
// the measured point, extension beyond the line, continuation outside.
struct Params {
    double spread;
    double gap;
    double overshoot;
    double continuation;
};

Params ParamsOf(const COptions* options)
{
    const std::array<double, 5> p = options ? options->GetMeasureParams() : COptions::DefaultMeasureParams();
    return {p[0], p[2], p[3], p[4]};
}

double Direction(const die::coord& v)
{
    return Angle().FromVector(v).Radians();
}

double Wrapped(double a)
{
    while (a > Geom::kTwoPi)
        a -= Geom::kTwoPi;
    return a;
}

// Whether direction a lies in the closed half-turn counter-clockwise from b.
bool InHalfTurnFrom(double a, double b)
{
    return Angle::Normalize(a - b) <= Geom::kPi;
}

void CircleArc(DrawContext& dc, const die::coord& c, double r, const die::coord& from, const die::coord& to)
{
    dc.Arc(c - die::coord{r, r}, c + die::coord{r, r}, from, to);
}
} // namespace

void CMeasure::Draw(DrawContext& dc)
{
    if (!dc.device || !TakeCurrentNodes())
        return;
    const Params params = ParamsOf(options ? options : COptions::Current());
    const std::array<die::coord, 4> at = CurrentPositions();
    const die::coord& a1 = at[P1];
    const die::coord& a2 = at[P2];
    const die::coord& l = at[L];
    const die::coord& c = at[C];

    // The ends, the value and the text direction, unplaced.
    DimensionLine line = GetDimensionLine(kind, a1, a2, l, c);
    double value = 0.0;
    double textDirection = 0.0;
    const double angle1 = Direction(a1 - c);
    const double angle2 = Direction(a2 - c);
    switch (kind) {
    case DimensionKind::Horizontal:
        value = std::fabs(a2.x - a1.x);
        textDirection = a1.x < a2.x ? 0.0 : Geom::kPi;
        break;
    case DimensionKind::Vertical:
        value = std::fabs(a2.y - a1.y);
        textDirection = a1.y < a2.y ? Geom::kHalfPi : Geom::kThreeHalfPi;
        break;
    case DimensionKind::Aligned:
        value = die::distance(a2, a1);
        textDirection = Direction(a2 - a1);
        break;
    case DimensionKind::Angular:
        value = Geom::RadToDeg(angle2 - angle1);
        if (value < 0.0)
            value += 360.0;
        break;
    case DimensionKind::Radial:
        value = die::distance(a2, a1);
        textDirection = Direction(l - a1);
        break;
    default: return;
    }
    const bool angular = kind == DimensionKind::Angular;
    const bool outside = angular
        ? Angle::Normalize(Direction(l - c) - angle2) <= Angle::Normalize(angle1 - angle2)
        : die::distance(line.q1, l) + die::distance(line.q2, l) - kInsideTolerance > die::distance(line.q2, line.q1);

    const die::coord q1 = dc.placement.Transform(line.q1);
    const die::coord q2 = dc.placement.Transform(line.q2);
    const die::coord placedL = dc.placement.Transform(l);
    const die::coord placedC = dc.placement.Transform(c);
    const double turn = Annotation::PlacementTurn(dc);
    const double r = line.radius;

    // The dimension line or arc.
    if (!angular && !outside) {
        dc.Line(q1, q2);
    } else if (!angular) {
        const double d1 = die::distance(q1, placedL);
        const double d2 = die::distance(q2, placedL);
        const double length1 = d2 > d1 ? d1 : params.continuation;
        const double length2 = d2 > d1 ? params.continuation : d2;
        dc.Line(q1, q1 + (q1 - q2).Normalized() * length1);
        dc.Line(q2, q2 + (q2 - q1).Normalized() * length2);
    } else if (!outside) {
        CircleArc(dc, placedC, r, q1, q2);
    } else if (r > 0.0) {
        const double beta = params.continuation / r;
        const double w1 = Direction(q1 - placedC);
        const double w2 = Direction(q2 - placedC);
        CircleArc(dc, placedC, r, placedC + UnitAt(Angle::Normalize(w1 + beta)) * r, q1);
        CircleArc(dc, placedC, r, q2, placedC + UnitAt(Angle::Normalize(w2 - beta)) * r);
    }

    // The text, upright.
    double e = textDirection;
    if (!dc.placement.identity)
        e = Wrapped(e + turn);
    if (textDirection >= Geom::kHalfPi && textDirection <= Geom::kThreeHalfPi)
        e = Wrapped(e + Geom::kPi);
    const QString text = angular
        ? MeasureFormat::Apply(angleFormat, MeasureFormat::Shown(value), MeasureFormat::DefaultAngle())
        : MeasureFormat::Apply(distanceFormat, MeasureFormat::Shown(value), MeasureFormat::DefaultDistance());
    const die::coord anchor = placedL + die::coord{-std::sin(e), std::cos(e)} * kTextOffset;
    const die::coord start = anchor - UnitAt(e) * (static_cast<double>(text.size()) * 0.5 * charWidth);
    dc.DrawStrokeText(start.x, start.y, charWidth, charHeight, Geom::RadToDeg(e), text);

    // The extension lines of distances.
    if (kind == DimensionKind::Horizontal || kind == DimensionKind::Vertical || kind == DimensionKind::Aligned) {
        const die::coord b1 = dc.placement.Transform(a1);
        const die::coord b2 = dc.placement.Transform(a2);
        const double side1 = InHalfTurnFrom(Direction(q1 - b1), Direction(b2 - b1)) ? Geom::kHalfPi : -Geom::kHalfPi;
        const double side2 = InHalfTurnFrom(Direction(q2 - b2), Direction(b1 - b2)) ? -Geom::kHalfPi : Geom::kHalfPi;
        const die::coord dir1 = UnitAt(Angle::Normalize(textDirection + side1) + turn);
        const die::coord dir2 = UnitAt(Angle::Normalize(textDirection + side2) + turn);
        dc.Line(b1 + dir1 * params.gap, q1 + dir1 * params.overshoot);
        dc.Line(b2 + dir2 * params.gap, q2 + dir2 * params.overshoot);
    }

    // The arrowheads.
    double toward1 = 0.0;
    double toward2 = 0.0;
    if (angular) {
        toward1 = Direction(q1 - placedC) - Geom::kHalfPi;
        while (toward1 < 0.0)
            toward1 += Geom::kTwoPi;
        toward2 = Wrapped(Direction(q2 - placedC) + Geom::kHalfPi);
    } else {
        toward1 = Direction(q2 - q1);
        toward2 = Direction(q1 - q2);
    }
    if (outside) {
        toward1 += Geom::kPi;
        toward2 += Geom::kPi;
    }
    for (const auto& [tip, toward] : {std::pair{q1, toward1}, std::pair{q2, toward2}}) {
        for (double side : {params.spread, -params.spread})
            dc.Line(tip, tip + UnitAt(Angle::Normalize(toward + side)) * kArrowLength);
    }
}
