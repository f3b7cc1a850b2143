// Where a node lies: plain and rotated positions, distances and angles,
// placement under an instance, and making a node absolute.
#include "element/NodePoint.h"

#include "element/Micrometres.h"
#include "element/NodeEvaluation.h"
#include "element/NodeTable.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/Instance.h"
#include "support/Log.h"

#include <cmath>
#include <cstdlib>
#include <cstdint>

double CNodePoint::GetPlainX() const
{
    Log::CLog& log = Log::TheLog();
    log.Write("CNodePoint::GetPlainX( )", Log::Node);
    switch (kind) {
    case NodeKind::Absolute: log.Write("CNodePoint::GetPlainX( ) : 0", Log::Node); break;
    case NodeKind::Offset: log.Write("CNodePoint::GetPlainX( ) : 1", Log::Node); break;
    case NodeKind::Polar: log.Write("CNodePoint::GetPlainX( ) : 2", Log::Node); break;
    case NodeKind::TwoDistances: log.Write("CNodePoint::GetPlainX( ) : 3", Log::Node); break;
    default: log.Write("CNodePoint::GetPlainX( ) : 4", Log::Node); break;
    }
    return NodeEvaluation::Plain(*this).x;
}

double CNodePoint::GetPlainY() const
{
    return NodeEvaluation::Plain(*this).y;
}

die::coord CNodePoint::CurrentPosition(bool noCacheUpdate)
{
    const bool caching = table == nullptr || table->IsCaching();
    if (caching && cacheValid)
        return die::coord(cachedX, cachedY);
    const die::coord p = NodeEvaluation::Rotated(*this);
    if (caching && !noCacheUpdate) {
        cachedX = p.x;
        cachedY = p.y;
        cacheValid = true;
        NotifyDependants();
    }
    return p;
}

double CNodePoint::GetX(bool noCacheUpdate)
{
    return CurrentPosition(noCacheUpdate).x;
}

double CNodePoint::GetY(bool noCacheUpdate)
{
    return CurrentPosition(noCacheUpdate).y;
}

int32_t CNodePoint::GetXUm()
{
    return nodeunits::SaturatedMicrometres(GetX());
}

int32_t CNodePoint::GetYUm()
{
    return nodeunits::SaturatedMicrometres(GetY());
}

double CNodePoint::DeltaX(CNodePoint& other)
{
    return GetX() - other.GetX();
}

double CNodePoint::DeltaY(CNodePoint& other)
{
    return GetY() - other.GetY();
}

double CNodePoint::DistanceTo(CNodePoint& other)
{
    const uint64_t dx = static_cast<uint64_t>(std::llabs(int64_t{GetXUm()} - other.GetXUm()));
    const uint64_t dy = static_cast<uint64_t>(std::llabs(int64_t{GetYUm()} - other.GetYUm()));
    // Each square is below 2^64; their sum is taken in floating point.
    return std::sqrt(static_cast<double>(dx * dx) + static_cast<double>(dy * dy)) / 1000.0;
}

double CNodePoint::DistanceToXY(double px, double py)
{
    return std::hypot(px - GetX(), py - GetY());
}

double CNodePoint::AngleFrom(CNodePoint& other)
{
    return Geom::VectorAngle(GetY() - other.GetY(), GetX() - other.GetX());
}

double CNodePoint::AngleFromPointUm(int32_t xUm, int32_t yUm)
{
    CNodePoint point(evaluator, table);
    point.x = xUm;
    point.y = yUm;
    return AngleFrom(point);
}

double CNodePoint::AngleBetween(CNodePoint& a, CNodePoint& b, bool wrap)
{
    double r = AngleFrom(a) - AngleFrom(b);
    if (wrap && r < 0.0)
        r += Geom::kTwoPi;
    return r;
}

bool CNodePoint::IsAt(double px, double py)
{
    return std::fabs(px - GetX()) <= 0.002 && std::fabs(py - GetY()) <= 0.002;
}

bool CNodePoint::IsInRect(double left, double top, double right, double bottom)
{
    const CInstance* placement = table ? table->GetCurrentPlacement() : nullptr;
    const double px = GetXInInstance(placement);
    const double py = GetYInInstance(placement);
    return left <= px && px <= right && bottom <= py && py <= top;
}

double CNodePoint::GetXInInstance(const CInstance* placement)
{
    if (!placement)
        return GetX(); // the extents of every element ask for this
    return placement->Transform(die::coord(GetX(), GetY())).x;
}

double CNodePoint::GetYInInstance(const CInstance* placement)
{
    if (!placement)
        return GetY();
    return placement->Transform(die::coord(GetX(), GetY())).y;
}

bool CNodePoint::IsRotated() const
{
    for (const QString* f : {&rotationCenterXFormula, &rotationCenterYFormula, &rotationAngleFormula}) {
        if (!f->isEmpty() && NodeEvaluation::Formula(evaluator, *f) != 0.0)
            return true;
    }
    return false;
}

bool CNodePoint::SetPlain(double px, double py, bool keepRotation)
{
    die::coord p(px, py);
    if (!keepRotation)
        p = NodeEvaluation::Unrotated(*this, p);
    const auto ux = nodeunits::ToMicrometres(p.x);
    const auto uy = nodeunits::ToMicrometres(p.y);
    if (!ux || !uy)
        return false;
    kind = NodeKind::Absolute;
    x = *ux;
    y = *uy;
    dxFormula.clear();
    dyFormula.clear();
    distanceFormula.clear();
    angleFormula.clear();
    cacheValid = false;
    PositionDropped();
    NotifyDependants();
    return true;
}

void CNodePoint::Convert(int mode)
{
    const int32_t oldX = x;
    const int32_t oldY = y;
    const int32_t oldKind = kind;
    switch (mode) {
    case ToPlain:
        // A position the micrometres cannot hold stays parametric.
        (void)SetPlain(GetPlainX(), GetPlainY(), true);
        break;
    case DropRotation:
        rotationCenterXFormula.clear();
        rotationCenterYFormula.clear();
        rotationAngleFormula.clear();
        Changed();
        break;
    case ToRotated: {
        const double rx = GetX();
        const double ry = GetY();
        rotationCenterXFormula.clear();
        rotationCenterYFormula.clear();
        rotationAngleFormula.clear();
        Changed();
        // As above: a position out of range leaves the node where it is.
        (void)SetPlain(rx, ry, true);
        break;
    }
    default:
        return;
    }
    if (x != oldX || y != oldY || kind != oldKind)
        ++useCount;
}
