// The dimension's display list: dimension line or arc, arrowheads, extension
// lines and the value's text, all with the list's own line type.
#include "element/Measure.h"

#include "display/DisplayList.h"
#include "element/AnnotationGeometry.h"
#include "element/MeasureFormat.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"

#include <cmath>

using Annotation::Turned;

namespace {
constexpr double kArrowLength = 10.0;
constexpr double kArrowSpread = 30.0 / 57.29577951308232;
constexpr double kTextOffset = 5.0;
constexpr double kExtensionGap = 10.0;
constexpr double kContinuation = 25.0;
constexpr double kDegenerate = 1e-6;
constexpr double kDegreesPerRadian = 57.29577951308232;

double Direction(const die::coord& v)
{
    return Angle().FromVector(v).Radians();
}

bool IsZero(const die::coord& v)
{
    return std::fabs(v.x) < kDegenerate && std::fabs(v.y) < kDegenerate;
}
} // namespace

void CMeasure::RebuildContour()
{
    if (!displayDirty)
        return;
    BeginContour();
    if (TakeCurrentNodes()) {
        const std::array<die::coord, 4> at = CurrentPositions();
        switch (kind) {
        case DimensionKind::Horizontal: AddLinearFigures(at, 1); break;
        case DimensionKind::Vertical: AddLinearFigures(at, 2); break;
        case DimensionKind::Aligned: AddLinearFigures(at, 0); break;
        case DimensionKind::Angular: AddAngularFigures(at); break;
        case DimensionKind::Radial: AddRadialFigures(at, die::distance(at[P2], at[P1])); break;
        default: break;
        }
    }
    FinishContour();
}

void CMeasure::AddValueText(const die::coord& l, const die::coord& d, const QString& value)
{
    const die::coord t = Annotation::ReadingDirection(d);
    const double n = static_cast<double>(value.size());
    const die::coord origin = l + die::coord{-t.y, t.x} * kTextOffset - t * (n * 0.5 * charWidth);
    displayList->AddText(origin, t, {static_cast<double>(charWidth), static_cast<double>(charHeight)}, value, -1);
}

void CMeasure::AddLinearFigures(const std::array<die::coord, 4>& at, int orientation)
{
    const die::coord& l = at[L];
    const die::coord& a1 = at[P1];
    const die::coord& a2 = at[P2];
    die::coord u, t, offsetA, offsetB, wa, wb;
    double value = 0.0;
    double position = 0.0; // 0 to 1 between the extension lines
    if (orientation == 0) {
        if (IsZero(a1 - a2))
            return;
        const die::coord d = a2 - a1;
        u = d.Normalized();
        position = Geom::IntersectParam(-d.y, d.x, a1.x - l.x, a1.y - l.y, d.x, d.y);
        offsetA = offsetB = (a1 - l) + d * position;
        wa = wb = offsetA.Normalized();
        value = d.Length();
        t = Annotation::ReadingDirection(u);
    } else {
        const int axis = orientation == 1 ? 0 : 1;
        const auto along = [axis](const die::coord& p) { return axis == 0 ? p.x : p.y; };
        const double sign = along(a2) < along(a1) ? -1.0 : 1.0;
        u = axis == 0 ? die::coord{sign, 0.0} : die::coord{0.0, sign};
        t = axis == 0 ? die::coord{1.0, 0.0} : die::coord{0.0, -1.0};
        offsetA = axis == 0 ? die::coord{0.0, a1.y - l.y} : die::coord{a1.x - l.x, 0.0};
        offsetB = axis == 0 ? die::coord{0.0, a2.y - l.y} : die::coord{a2.x - l.x, 0.0};
        wa = offsetA.Normalized();
        wb = offsetB.Normalized();
        value = std::fabs(along(a1) - along(a2));
        int s = 0;
        if ((along(l) - along(a1)) * sign < 0.0)
            s = -1;
        else if ((along(l) - along(a2)) * sign > 0.0)
            s = 1;
        position = s + 0.5;
    }
    const die::coord e1 = a1 - offsetA;
    const die::coord e2 = a2 - offsetB;
    double arrow = -kArrowLength;
    if (position >= 0.0 && position <= 1.0) {
        displayList->AddLine(e1, e2, -1);
    } else {
        arrow = kArrowLength;
        if (position < 0.0) {
            displayList->AddLine(e1, l, -1);
            displayList->AddLine(e2, e2 + u * kContinuation, -1);
        } else {
            displayList->AddLine(e2, l, -1);
            displayList->AddLine(e1, e1 - u * kContinuation, -1);
        }
    }
    const QString text = MeasureFormat::Apply(distanceFormat, value, MeasureFormat::DefaultDistance());
    const die::coord plus = Turned(u, kArrowSpread);
    const die::coord minus = Turned(u, -kArrowSpread);
    displayList->AddLine(e1, e1 - plus * arrow, -1);
    displayList->AddLine(e1, e1 - minus * arrow, -1);
    displayList->AddLine(e2, e2 + plus * arrow, -1);
    displayList->AddLine(e2, e2 + minus * arrow, -1);
    displayList->AddLine(a1 - wa * kExtensionGap, e1 - wa * kExtensionGap, -1);
    displayList->AddLine(a2 - wb * kExtensionGap, e2 - wb * kExtensionGap, -1);
    AddValueText(l, t, text);
}

void CMeasure::AddRadialFigures(const std::array<die::coord, 4>& at, double radius)
{
    const die::coord& l = at[L];
    const die::coord& from = at[P1];
    const die::coord d = l - from;
    const double f = d.Length();
    const die::coord u = f > 0.0 ? d / f : d;
    die::coord end, plus, minus, t;
    if (IsZero(d)) {
        end = from + die::coord{radius, 0.0};
        plus = Annotation::UnitAt(kArrowSpread);
        minus = Annotation::UnitAt(-kArrowSpread);
        t = {1.0, 0.0};
    } else {
        end = from + u * radius;
        plus = Turned(u, kArrowSpread);
        minus = Turned(u, -kArrowSpread);
        t = u;
    }
    double arrow = -kArrowLength;
    if (radius >= f) {
        displayList->AddLine(from, end, -1);
    } else {
        displayList->AddLine(from, from - u * kContinuation, -1);
        displayList->AddLine(end, l, -1);
        arrow = kArrowLength;
    }
    displayList->AddLine(from, from - plus * arrow, -1);
    displayList->AddLine(from, from - minus * arrow, -1);
    displayList->AddLine(end, end + plus * arrow, -1);
    displayList->AddLine(end, end + minus * arrow, -1);
    AddValueText(l, t, MeasureFormat::Apply(distanceFormat, radius, MeasureFormat::DefaultDistance()));
}

void CMeasure::AddAngularFigures(const std::array<die::coord, 4>& at)
{
    const die::coord& c = at[C];
    const die::coord u1 = (at[P1] - c).Normalized();
    const die::coord u2 = (at[P2] - c).Normalized();
    const double r = die::distance(at[L], c);
    const double a1 = Direction(at[P1] - c);
    const double a2 = Direction(at[P2] - c);
    const double aL = Direction(at[L] - c);
    const double sigma = Angle::Normalize(a1 - a2);
    const double lambda = Angle::Normalize(aL - a2);
    double arrow = -kArrowLength;
    if (sigma >= lambda && sigma > 0.0) {
        if (r > 0.0)
            displayList->AddArc(c, c + u1 * r, c + u2 * r, -1);
    } else {
        arrow = kArrowLength;
        if (r > 0.0) {
            const double beta = kContinuation / r;
            const die::coord v = Turned(u1, beta);
            if (Geom::PointsDiffer(v, u1))
                displayList->AddArc(c, c + v * r, c + u1 * r, -1);
            const die::coord w = Turned(u2, -beta);
            if (Geom::PointsDiffer(w, u2))
                displayList->AddArc(c, c + u2 * r, c + w * r, -1);
        }
    }
    if (IsZero(u1) || u2 == die::coord{})
        return;
    const die::coord end1 = c + u1 * r;
    const die::coord end2 = c + u2 * r;
    const die::coord t1{-u1.y, u1.x};
    const die::coord t2{-u2.y, u2.x};
    displayList->AddLine(end1, end1 + Turned(t1, kArrowSpread) * arrow, -1);
    displayList->AddLine(end1, end1 + Turned(t1, -kArrowSpread) * arrow, -1);
    displayList->AddLine(end2, end2 - Turned(t2, kArrowSpread) * arrow, -1);
    displayList->AddLine(end2, end2 - Turned(t2, -kArrowSpread) * arrow, -1);
    const QString text = MeasureFormat::Apply(MeasureFormat::DefaultAngle(), sigma * kDegreesPerRadian,
                                              MeasureFormat::DefaultAngle());
    AddValueText(at[L], {std::sin(aL), -std::cos(aL)}, text);
}
