#pragma once
// The document's undo steps as far as the elements and the node table fill
// them: Open starts a titled step, and while a step is open every added,
// removed or replaced node and element is recorded in it. A stored item owns
// its old object (a removed or replaced node or element). Without an open
// step nothing is recorded and an old object handed in is destroyed.
//
// Undoing and redoing steps is built on these records.
#include "element/NodeUndo.h"

#include <deque>
#include <memory>
#include <vector>

class CElement;
class CNodePoint;
class Section;

struct UndoItem {
    enum Kind : int { Node = 1, Element = 2, String = 3, Variable = 4 };

    std::unique_ptr<CNodePoint> oldNode;
    std::unique_ptr<CElement> oldElement;
    const void* now = nullptr; // the node or element in the slot afterwards (not owned)
    int index = -1;
    int kind = Node;
    int operation = NodeUndoRecorder::Added;
    Section* section = nullptr;

    UndoItem();
    UndoItem(UndoItem&&) noexcept;
    UndoItem& operator=(UndoItem&&) noexcept;
    ~UndoItem();
};

struct UndoStep {
    int title = 0; // language text id
    std::vector<UndoItem> items;
};

class CUndoManager : public NodeUndoRecorder {
public:
    static constexpr int MaxSteps = 25;

    CUndoManager();
    ~CUndoManager() override;

    // Closes the open step (dropped when it received nothing), drops the
    // oldest step when MaxSteps are stored, empties the redo steps and opens
    // a new empty step.
    void Open(int title, int tag = 0);
    void Close();
    bool HasOpenStep() const override { return open_; }
    const UndoStep* GetOpenStep() const { return open_ ? &steps_.back() : nullptr; }
    const std::deque<UndoStep>& Steps() const { return steps_; }

    void AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op) override;
    // Records an element item in the open step; without one the old element
    // is destroyed here. True when the item was stored.
    bool AddElementItem(std::unique_ptr<CElement> old, CElement* now, int index, Operation op, Section* section);

private:
    std::deque<UndoStep> steps_;
    std::deque<UndoStep> redo_;
    bool open_ = false;
};
