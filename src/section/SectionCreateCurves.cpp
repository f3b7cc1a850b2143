// Creation of ellipses and splines from coordinates, and the continuation of
// a spline by one more point (the spline command and explosions).
#include "section/Section.h"

#include "element/Ellipse.h"
#include "element/NodeTable.h"
#include "element/Spline.h"
#include "section/UndoItem.h"
#include "support/Log.h"

#include <cmath>
#include <numbers>

ElementIterator Section::AddEllipse4(double cx, double cy, double sx, double sy, double ex, double ey, double mx,
                                     double my, double nx, double ny, bool merge, int lineType)
{
    Log::TheLog().Trace(Log::Section);
    if (!CanBeNodes({{cx, cy}, {sx, sy}, {ex, ey}, {mx, my}, {nx, ny}}))
        return end();
    const int centre = nodes_->AddPoint(cx, cy, merge);
    const int start = nodes_->AddPoint(sx, sy, merge);
    const int finish = nodes_->AddPoint(ex, ey, merge);
    const int major = nodes_->AddPoint(mx, my, merge);
    const int minor = nodes_->AddPoint(nx, ny, merge);
    if (centre < 0 || start < 0 || finish < 0 || major < 0 || minor < 0 || major == centre || minor == centre
        || start == centre || finish == centre)
        return end();
    auto ellipse = std::make_unique<CEllipse>(nodes_, options_, context_);
    ellipse->SetCentreNode(centre);
    ellipse->SetStartNode(start);
    ellipse->SetEndNode(finish);
    ellipse->SetMajorNode(major);
    ellipse->SetMinorNode(minor);
    ellipse->Recalculate();
    return Place(std::move(ellipse), lineType, NewBridges::ByRule);
}

ElementIterator Section::AddEllipse3(double cx, double cy, double r1, double r2, double rotation, bool merge,
                                     int lineType)
{
    Log::TheLog().Trace(Log::Section);
    if (r1 == 0.0 || r2 == 0.0)
        return end();
    const double theta = rotation * std::numbers::pi / 180.0;
    const double phi = theta + std::numbers::pi / 2.0;
    const double mx = cx + r1 * std::cos(theta);
    const double my = cy + r1 * std::sin(theta);
    // Start and end on the major-axis end: the whole ellipse.
    return AddEllipse4(cx, cy, mx, my, mx, my, mx, my, cx + r2 * std::cos(phi), cy + r2 * std::sin(phi), merge,
                       lineType);
}

ElementIterator Section::AddSpline1(double x0, double y0, double x1, double y1, double x2, double y2, bool merge,
                                    int lineType)
{
    Log::TheLog().Trace(Log::Section);
    const die::coord p0(x0, y0);
    const die::coord p1(x1, y1);
    const die::coord p2(x2, y2);
    if (p0 == p1 || p1 == p2 || p0 == p2 || !CanBeNodes({p0, p1, p2}))
        return end();
    const int n0 = nodes_->AddPoint(x0, y0, merge);
    const int n1 = nodes_->AddPoint(x1, y1, merge);
    const int n2 = nodes_->AddPoint(x2, y2, merge);
    if (n0 < 0 || n1 < 0 || n2 < 0 || n0 == n1 || n1 == n2 || n0 == n2)
        return end();
    auto spline = std::make_unique<CSpline>(nodes_, options_, context_);
    for (int node : {n0, n1, n2})
        spline->AddNode(node);
    return Place(std::move(spline), lineType, NewBridges::ByRule);
}

ElementIterator Section::AddSplineThrough(const std::vector<die::coord>& points, bool merge, int lineType)
{
    Log::TheLog().Trace(Log::Section);
    for (const die::coord& p : points) {
        if (!CanBeNodes({p}))
            return end();
    }
    auto spline = std::make_unique<CSpline>(nodes_, options_, context_);
    int last = -1, count = 0;
    for (const die::coord& p : points) {
        const int node = nodes_->AddPoint(p.x, p.y, merge);
        if (node < 0)
            return end();
        if (node == last)
            continue;
        spline->AddNode(node);
        last = node;
        ++count;
    }
    if (count < 2)
        return end();
    return Place(std::move(spline), lineType, NewBridges::ByRule);
}

bool Section::ContinueSpline(double x, double y, const ElementIterator& spline, int lineType)
{
    Log::TheLog().Trace(Log::Section);
    const int slot = spline.GetIndex();
    const auto* old = dynamic_cast<const CSpline*>(slot < 0 ? nullptr : GetElement(slot));
    if (old == nullptr || !CanBeNodes({{x, y}}))
        return false;
    const int node = nodes_->AddPoint(x, y, true);
    if (node < 0 || (!old->GetNodes().empty() && old->GetNodes().back() == node))
        return false;
    auto copy = std::make_unique<CSpline>(*old);
    copy->AddNode(node);
    Dress(*copy, lineType, NewBridges::ByRule);
    CElement* now = copy.get();
    Record(ExchangeSlot(slot, std::move(copy)), now, slot, UndoItem::Replaced);
    return true;
}
