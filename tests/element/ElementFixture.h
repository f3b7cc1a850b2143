#pragma once
// Elements on a node table of their own: lines, arcs, ellipses and splines
// made from points.
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "element/Spline.h"
#include "geometry/GeomConstants.h"

#include <cmath>

#include <gtest/gtest.h>

#include <memory>

namespace elementtest {

class Elements : public ::testing::Test {
protected:
    int Node(double x, double y)
    {
        const int i = nodes.AddPoint(x, y, true);
        EXPECT_GE(i, 0);
        return i;
    }

    std::unique_ptr<CLine> MakeLine(double x1, double y1, double x2, double y2)
    {
        auto line = std::make_unique<CLine>(&nodes, nullptr, 0);
        line->SetStartNode(Node(x1, y1));
        line->SetEndNode(Node(x2, y2));
        return line;
    }

    // An arc about (cx, cy) from the start to the end; a full circle when they
    // are the same point.
    std::unique_ptr<CArc> MakeArc(double cx, double cy, double sx, double sy, double ex, double ey)
    {
        auto arc = std::make_unique<CArc>(&nodes, nullptr, 0);
        arc->SetCenterNode(Node(cx, cy));
        const int start = Node(sx, sy);
        arc->SetStartNode(start);
        arc->SetEndNode(sx == ex && sy == ey ? start : Node(ex, ey));
        arc->Recalculate();
        return arc;
    }

    // An ellipse about (cx, cy) with the semi-axis a along phi degrees and b
    // across it, from the polar angle startDeg clockwise to endDeg (the whole
    // ellipse when they are equal), start and end on the curve.
    std::unique_ptr<CEllipse> MakeEllipse(double cx, double cy, double a, double b, double phiDeg, double startDeg,
                                          double endDeg)
    {
        auto e = std::make_unique<CEllipse>(&nodes, nullptr, 0);
        const double phi = Geom::DegToRad(phiDeg);
        const die::coord c{cx, cy};
        e->SetCentreNode(Node(cx, cy));
        e->SetMajorNode(Node(cx + a * std::cos(phi), cy + a * std::sin(phi)));
        e->SetMinorNode(Node(cx - b * std::sin(phi), cy + b * std::cos(phi)));
        const auto onCurve = [&](double deg) {
            double x = 0;
            double y = 0;
            EXPECT_TRUE(CEllipse::PointAtPolarAngle(phi, a, b, c, Geom::DegToRad(deg), x, y));
            return Node(x, y);
        };
        const int start = onCurve(startDeg);
        e->SetStartNode(start);
        e->SetEndNode(startDeg == endDeg ? start : onCurve(endDeg));
        e->Recalculate();
        return e;
    }

    std::unique_ptr<CSpline> MakeSpline(const std::vector<die::coord>& points)
    {
        auto s = std::make_unique<CSpline>(&nodes, nullptr, 0);
        for (const die::coord& p : points)
            s->AddNode(Node(p.x, p.y));
        return s;
    }

    die::coord At(int node) { return {nodes.GetNode(node)->GetX(), nodes.GetNode(node)->GetY()}; }

    NodeTable nodes;
};

// Bridge positions and widths as pairs, for comparing with a table.
inline std::vector<std::pair<double, double>> BridgesOf(const CElement& e)
{
    std::vector<std::pair<double, double>> list;
    for (const Bridge& b : e.GetBridges())
        list.emplace_back(b.position, b.width);
    return list;
}

} // namespace elementtest
