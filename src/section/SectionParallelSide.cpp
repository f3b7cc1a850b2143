// The sign of a parallel's offset: the side of the element on which the
// user clicked.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Spline.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "support/Log.h"

#include <algorithm>
#include <cmath>

namespace {

// A run or rise of exactly 0 counts as this in the line's slope.
constexpr double kZeroDelta = 0.00001;

double LineSide(const die::coord& s, const die::coord& e, const die::coord& q, double result, int mode)
{
    const double dx = e.x - s.x;
    const double dy = e.y - s.y;
    const double m = (dy == 0.0 ? kZeroDelta : dy) / (dx == 0.0 ? kZeroDelta : dx);
    const double c = e.y - m * e.x;
    const double yOnLine = c + m * q.x;
    switch (mode) {
    case 1: {
        if (q.y < yOnLine)
            result = -result;
        const double direction = Geom::VectorAngle(dy, dx);
        if (direction > Geom::kHalfPi && direction < Geom::kThreeHalfPi)
            result = -result;
        return result;
    }
    case 2:
        return q.x < (q.y - c) / m ? -result : result;
    case 3:
        return q.y < yOnLine ? -result : result;
    default:
        return result;
    }
}

} // namespace

double Section::GetParDist(CElement* element, double x, double y, double distance, int mode)
{
    Log::TheLog().Write("Section::GetParDist( CElement* ... )", Log::Section);
    double result = std::fabs(distance);
    const die::coord q(x, y);
    if (const auto* line = dynamic_cast<const CLine*>(element))
        return LineSide(Point(line->GetStartNode()), Point(line->GetEndNode()), q, result, mode);
    if (const auto* arc = dynamic_cast<const CArc*>(element)) {
        const die::coord centre = Point(arc->GetCenterNode());
        const double radius = die::distance(Point(arc->GetStartNode()), centre);
        if (die::distance(q, centre) < radius)
            result = -result;
        if (radius + result <= 0.0)
            result = -result;
        return result;
    }
    if (auto* spline = dynamic_cast<CSpline*>(element)) {
        spline->Recalculate();
        const int k = spline->FindNearestSampleSegment(x, y);
        const auto& samples = spline->GetSamples();
        if (k < 0 || k + 1 >= static_cast<int>(samples.size()))
            return result;
        const die::coord d = samples[static_cast<std::size_t>(k) + 1] - samples[static_cast<std::size_t>(k)];
        const die::coord w = samples[static_cast<std::size_t>(k)] - q;
        return d.x * w.y - d.y * w.x > 0.0 ? -result : result;
    }
    if (auto* ellipse = dynamic_cast<CEllipse*>(element)) {
        die::coord f1;
        die::coord f2;
        const double major = ellipse->GetFoci(f1.x, f1.y, f2.x, f2.y);
        if (die::distance(q, f1) + die::distance(q, f2) < major)
            result = -result;
        const die::coord centre = Point(ellipse->GetCentreNode());
        const double nearest = std::min(die::distance(centre, Point(ellipse->GetMajorNode())),
                                        die::distance(centre, Point(ellipse->GetMinorNode())));
        if (nearest + result <= 0.0)
            result = -result;
        return result;
    }
    return result;
}
