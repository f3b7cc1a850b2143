#include "display/FigurePaths.h"

#include "geometry/Angle.h"
#include "geometry/CurveFitter.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>

namespace FigurePaths {

void BuildTextPath(DisplayFigure& figure); // FigureTextPath.cpp

namespace {

double DirectionOf(const die::coord& v)
{
    return Angle().FromVector(v).Radians();
}

void AppendNode(std::vector<PathNode>& path, const die::coord& p, bool startsStroke)
{
    double length = 0.0;
    if (!startsStroke && !path.empty())
        length = std::hypot(p.x - path.back().x, p.y - path.back().y);
    path.push_back({p.x, p.y, length});
}

void BuildLinePath(DisplayFigure& f)
{
    if (f.points.size() < 2)
        return;
    AppendNode(f.path, f.points[0], true);
    AppendNode(f.path, f.points[1], false);
}

// Three points or more are fitted; fewer cannot be, and are joined by
// straight segments.
void BuildCurvePath(DisplayFigure& f)
{
    if (f.points.size() < 3) {
        for (std::size_t i = 0; i < f.points.size(); ++i)
            AppendNode(f.path, f.points[i], i == 0);
        return;
    }
    CurveFitter fitter(f.points, f.resolution);
    fitter.Flatten(f.path, DisplayList::MaxPathNodes);
    fitter.ReleaseArrays();
}

void BuildArcPath(DisplayFigure& f)
{
    if (f.points.size() < 3)
        return;
    const ArcGeometry arc = ArcOf(f);
    f.path.push_back({arc.centre.x, arc.centre.y, 0.0});
    f.path.push_back({arc.radius, 0.0, 0.0});
    f.path.push_back({arc.start.x, arc.start.y, 0.0});
    f.path.push_back({arc.end.x, arc.end.y, arc.Length()});
}

// The parametric angle of the point whose polar angle in the ellipse's own
// frame is theta, for semi-axes a ≥ b along the frame's x.
double ParametricAngle(double theta, double e2)
{
    const double c = std::cos(theta);
    // On the major axis of an ellipse so flat that e² rounds to 1 the ratio
    // would be 0/0; the parametric angle there is the polar one.
    const double d = 1.0 - e2 * c * c;
    const double ratio = d > 0.0 ? (1.0 - e2) / d : 1.0;
    double t = std::acos(std::clamp(c * std::sqrt(ratio), -1.0, 1.0));
    if (theta > Geom::kPi)
        t = Geom::kTwoPi - t;
    return t;
}

void BuildEllipsePath(DisplayFigure& f)
{
    if (f.points.size() < 5)
        return;
    const die::coord centre = f.points[0];
    const die::coord axis = f.points[1];
    const double r1 = std::fabs(f.points[2].x);
    const double r2 = std::fabs(f.points[2].y);
    // Into the ellipse's own frame: turned back by the axis direction.
    const die::coord backTurn(axis.x, -axis.y);
    double ts = DirectionOf(f.points[3].ComplexProduct(backTurn));
    double te = DirectionOf(f.points[4].ComplexProduct(backTurn));

    if (r1 > 0.0 && r2 > 0.0) {
        const double a = std::max(r1, r2);
        const double b = std::min(r1, r2);
        const double e2 = 1.0 - (b * b) / (a * a);
        const bool swapped = r1 < r2;
        if (swapped) {
            ts = Angle::Normalize(ts + Geom::kHalfPi);
            te = Angle::Normalize(te + Geom::kHalfPi);
        }
        ts = ParametricAngle(ts, e2);
        te = ParametricAngle(te, e2);
        if (swapped) {
            ts = Angle::Normalize(ts - Geom::kHalfPi);
            te = Angle::Normalize(te - Geom::kHalfPi);
        }
    } else {
        ts = te = 0.0;
    }

    const double sweep = te == ts ? Geom::kTwoPi : Angle::Normalize(ts - te);
    const auto pointAt = [&](double t) {
        const double c = r1 * std::cos(t);
        const double s = r2 * std::sin(t);
        return die::coord(centre.x + c * axis.x - s * axis.y, centre.y + c * axis.y + s * axis.x);
    };

    AppendNode(f.path, pointAt(ts), true);
    const int resolution = std::min(f.resolution, DisplayList::MaxPathNodes);
    if (resolution > 0) {
        const double step = sweep / (sweep * 57.29577951308232 * resolution / 360.0);
        for (int k = 1;; ++k) {
            const double t = te + sweep - k * step;
            if (!(t > te))
                break;
            AppendNode(f.path, pointAt(t), false);
        }
    }
    AppendNode(f.path, pointAt(te), false);
}

} // namespace

die::coord ArcGeometry::PointAt(double d) const
{
    const double angle = Angle::Normalize(startAngle - d / radius);
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

ArcGeometry ArcOf(const DisplayFigure& f)
{
    ArcGeometry arc;
    if (f.points.size() < 3)
        return arc;
    arc.centre = f.points[0];
    arc.start = f.points[1];
    arc.end = f.points[2];
    arc.radius = die::distance(arc.centre, arc.start);
    arc.startAngle = DirectionOf(arc.start - arc.centre);
    arc.fullCircle = !Geom::PointsDiffer(arc.start, arc.end);
    arc.sweep = arc.fullCircle ? Geom::kTwoPi : Angle::Normalize(arc.startAngle - DirectionOf(arc.end - arc.centre));
    return arc;
}

std::vector<PathNode> ArcPolyline(const DisplayFigure& f)
{
    std::vector<PathNode> path;
    if (f.points.size() < 3)
        return path;
    const ArcGeometry arc = ArcOf(f);
    const double step = Geom::kTwoPi / 180.0;
    AppendNode(path, arc.start, true);
    for (int k = 1; k * step < arc.sweep; ++k) {
        const double angle = arc.startAngle - k * step;
        AppendNode(path, {arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)},
                   false);
    }
    AppendNode(path, arc.end, false);
    return path;
}

void BuildPath(DisplayFigure& figure)
{
    figure.path.clear();
    switch (figure.kind) {
    case FigureKind::Line:
        BuildLinePath(figure);
        break;
    case FigureKind::Curve:
        BuildCurvePath(figure);
        break;
    case FigureKind::Arc:
        BuildArcPath(figure);
        break;
    case FigureKind::Ellipse:
        BuildEllipsePath(figure);
        break;
    case FigureKind::Text:
        BuildTextPath(figure);
        break;
    default:
        break;
    }
}

void BuildBox(DisplayFigure& figure)
{
    figure.box = BoundingBox();
    if (figure.kind != FigureKind::Arc) {
        for (const PathNode& node : figure.path)
            figure.box.Extend(node.x, node.y);
        return;
    }
    if (figure.points.size() < 3)
        return;
    const ArcGeometry arc = ArcOf(figure);
    figure.box.Extend(arc.start);
    figure.box.Extend(arc.end);
    const die::coord chord = arc.end - arc.start;
    const die::coord axisPoints[4] = {{arc.centre.x + arc.radius, arc.centre.y},
                                      {arc.centre.x, arc.centre.y + arc.radius},
                                      {arc.centre.x - arc.radius, arc.centre.y},
                                      {arc.centre.x, arc.centre.y - arc.radius}};
    for (const die::coord& p : axisPoints)
        if (arc.fullCircle || die::cross(chord, p - arc.start) > 0.0)
            figure.box.Extend(p);
}

} // namespace FigurePaths
