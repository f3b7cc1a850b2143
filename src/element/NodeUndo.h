#pragma once
// What the node table tells the document's undo manager: each node it adds,
// removes or replaces while an undo step is open. The undo manager implements
// this; without one, or with no open step, nothing is recorded and a removed
// or replaced node is released by the table.
#include <memory>

class CNodePoint;

class NodeUndoRecorder {
public:
    // The operation numbers of undo items.
    enum Operation : int { Removed = 1, Added = 2, Replaced = 3 };
    // The kind number of node items.
    static constexpr int NodeItemKind = 1;

    virtual ~NodeUndoRecorder() = default;

    // True while a step is open; only then are items recorded.
    virtual bool HasOpenStep() const = 0;
    // Appends a node item to the open step: old is the removed or replaced
    // node (the step owns it from now on; null for an added node), now the
    // node that sits in slot index afterwards (owned by the table; null for a
    // removed node).
    virtual void AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op) = 0;
};
