#pragma once
// A drawing's node table as the document wires it: a variable table with the
// default variables, the origin node at (0, 0) in slot 0, and an undo manager
// that keeps what it is given while a step is open.
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "element/NodeUndo.h"
#include "formula/FormulaTable.h"

#include <memory>
#include <vector>

namespace nodetest {

class RecordingUndo : public NodeUndoRecorder {
public:
    struct Item {
        std::unique_ptr<CNodePoint> old;
        CNodePoint* now;
        int index;
        Operation op;
    };
    bool open = false;
    std::vector<Item> items;

    bool HasOpenStep() const override { return open; }
    void AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op) override
    {
        items.push_back({std::move(old), now, index, op});
    }
};

struct Drawing {
    FormulaTable variables;
    int origin = 0;
    int version = kNodeFileVersion;
    RecordingUndo undo;
    NodeTable nodes;

    Drawing()
    {
        (void)variables.AddDefaultVariables();
        nodes.SetEvaluator(&variables);
        nodes.SetOriginIndex(&origin);
        nodes.SetFileVersion(&version);
        nodes.SetUndoManager(&undo);
        origin = nodes.AddPoint(0, 0, false);
    }

    CNodePoint& Node(int i) { return *nodes.GetNode(i); }

    int Absolute(double x, double y) { return nodes.AddPoint(x, y, false); }

    // A parametric node made by the given call on a fresh node, added to the
    // table without merging.
    template <class F>
    int Parametric(F make)
    {
        CNodePoint n(&variables, &nodes);
        make(n);
        return nodes.AddNode(n, false);
    }

    void SetVariable(const QString& name, const QString& formula)
    {
        if (!variables.SetFormula(name, formula, QString()))
            (void)variables.AddVariable(name, formula, QString(), 2, true);
        nodes.SetCacheValid(false);
    }
};

} // namespace nodetest
