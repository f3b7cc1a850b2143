#pragma once
// A drawing of one node table, its undo manager and a section, without
// options: new elements take the line type the test gives.
#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

namespace sectiontest {

class Drawing : public ::testing::Test {
protected:
    CLine* Line(double x1, double y1, double x2, double y2, bool merge = true)
    {
        return dynamic_cast<CLine*>(section.AddLine3(x1, y1, x2, y2, merge, 1).Get());
    }
    CArc* Arc(double cx, double cy, double sx, double sy, double ex, double ey)
    {
        return dynamic_cast<CArc*>(section.AddArc3(cx, cy, sx, sy, ex, ey, true, 1).Get());
    }
    die::coord At(int node) const { return section.Point(node); }
    // The elements in slot order.
    std::vector<CElement*> Elements() const
    {
        std::vector<CElement*> list;
        for (CElement* e : section)
            list.push_back(e);
        return list;
    }

    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};
};

} // namespace sectiontest
