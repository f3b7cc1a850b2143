#pragma once
// One recorded change of a drawing (an undo item) and the titled step that
// groups the changes of one command.
//
// An item holds the objects themselves: a removed node or element stays
// alive inside the item and goes back into its slot when the step is undone.
// Ownership is in the types: the old side of every item belongs to the item;
// the new side of a node or element item is the object in the drawing (not
// owned), and both backups of a variable item belong to the item.
#include "element/NodeUndo.h"

#include <QString>

#include <memory>
#include <vector>

class CElement;
class CNodePoint;
class Section;

// A variable as it was or as it is, for variable items.
struct VarBackup {
    QString name;
    QString formula;
    QString description;
    int category = 0;
    bool deletable = true;
};

struct UndoItem {
    // The kind numbers; 3 (a text) is reserved and never recorded.
    enum Kind : int { Node = 1, Element = 2, Text = 3, Variable = 4 };
    using Operation = NodeUndoRecorder::Operation;
    static constexpr Operation Removed = NodeUndoRecorder::Removed;
    static constexpr Operation Added = NodeUndoRecorder::Added;
    static constexpr Operation Replaced = NodeUndoRecorder::Replaced;

    // old: the node taken out or replaced (null when added); now: the node
    // in slot index afterwards (null when removed).
    static UndoItem ForNode(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation operation);
    // The same for an element slot of a section.
    static UndoItem ForElement(std::unique_ptr<CElement> old, CElement* now, int index, Operation operation,
                               Section* section);
    // A variable removed (old), added (now) or changed (both).
    static UndoItem ForVariable(std::unique_ptr<VarBackup> old, std::unique_ptr<VarBackup> now, Operation operation);

    // Removed and added swap; replaced stays.
    static Operation Inverse(Operation operation);

    UndoItem();
    UndoItem(UndoItem&&) noexcept;
    UndoItem& operator=(UndoItem&&) noexcept;
    ~UndoItem();

    int kind = -1;
    Operation operation = Added;
    int index = -1;
    Section* section = nullptr; // element items: the section whose table holds the slot

    std::unique_ptr<CNodePoint> oldNode;
    std::unique_ptr<CElement> oldElement;
    std::unique_ptr<VarBackup> oldVariable;
    CNodePoint* newNode = nullptr;   // in the node table
    CElement* newElement = nullptr;  // in the section's table
    std::unique_ptr<VarBackup> newVariable;
};

struct UndoStep {
    int title = 0;              // language text id
    Section* section = nullptr; // the section the command edited; may be null
    std::vector<UndoItem> items;

    // Whether undoing or redoing the step would touch the section's table.
    bool RefersTo(const Section* s) const;
};
