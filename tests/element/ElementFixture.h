#pragma once
// Elements on a node table of their own: lines and arcs made from points.
#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"

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
