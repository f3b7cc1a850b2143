#pragma once
// The document's undo and redo: every change of the drawing is recorded in
// the open step (a titled list of items, UndoItem.h), and a step is undone
// and redone as a whole. There is one manager per document; every section of
// the document and its node table record into it.
//
// - Open starts a step (closing the one before); Close ends it. A closed step
//   that received nothing is dropped, so a command that changed nothing
//   leaves no trace. Opening a step discards everything that could be redone.
// - At most MaxSteps steps are kept on each stack; opening one more drops
//   the oldest with the objects it holds.
// - Undo and Redo first close an open step, then apply the top step backwards
//   and push its inverse onto the other stack: the very objects go back into
//   the slots they came from. Afterwards the elements of every section that
//   shares the manager re-attach to their nodes.
// - An item added while no step is open is not kept: it is destroyed with
//   the objects it owns, and the change stays without undo.
//
// Editing code opens its step through an UndoTransaction
// (UndoTransaction.h): committed it stays, and a step that received changes
// tells the commit listener (the document marks itself modified);
// abandoned it is rolled back and leaves the stacks as they were before it
// opened.
//
// The sections register themselves (Section's constructor and destructor);
// when a section goes, the steps that would touch its table go with it (and
// every step that could only be applied after them).
#include "element/NodeUndo.h"
#include "section/UndoItem.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class FormulaTable;
class NodeTable;
class Section;

class CUndoManager : public NodeUndoRecorder {
public:
    static constexpr int MaxSteps = 25;

    // Node items act on the node table, whose recorder the manager becomes
    // (the table must outlive the manager); variable items act on the
    // formula table. Either may be null.
    explicit CUndoManager(NodeTable* nodes = nullptr, FormulaTable* variables = nullptr);
    ~CUndoManager() override;
    CUndoManager(const CUndoManager&) = delete;
    CUndoManager& operator=(const CUndoManager&) = delete;

    // --- steps -----------------------------------------------------------------
    // title: a language text id; section: the section being edited (null for
    // document-wide steps).
    void Open(int title, Section* section = nullptr);
    void Close();
    // Closes the open step and, when it received changes, tells the commit
    // listener; true when it did.
    bool Commit();
    // Undoes the open step's changes and drops it: what Open discarded (the
    // redo stack, the oldest step) comes back. Nothing without an open step.
    void RollBack();
    // Counts every Open: a transaction knows its step by the number.
    int GetOpenSerial() const { return openSerial_; }
    // Called by Commit for a step that changed the drawing.
    void SetCommitListener(std::function<void()> listener) { commitListener_ = std::move(listener); }
    // Closes the open step and opens a new one with the same title and
    // section, for a command that restarts for its next element; with no
    // step open, opens one with the last title and section.
    void ReOpen();
    bool HasOpenStep() const override { return open_; }
    const UndoStep* GetOpenStep() const { return open_ ? &undo_.back() : nullptr; }
    int GetUndoCount() const { return static_cast<int>(undo_.size()); }
    int GetRedoCount() const { return static_cast<int>(redo_.size()); }
    // The step that Undo or Redo would apply next; null when there is none.
    const UndoStep* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const UndoStep* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }

    // --- recording ---------------------------------------------------------------
    // Appends the item to the open step; with none open the item is destroyed
    // here with what it owns.
    void Add(UndoItem item);
    void AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op) override;
    void AddElementItem(std::unique_ptr<CElement> old, CElement* now, int index, Operation op, Section* section);
    void AddVariableItem(std::unique_ptr<VarBackup> old, std::unique_ptr<VarBackup> now, Operation op);
    static std::unique_ptr<VarBackup> CreateVarBackup(const QString& name, const QString& formula,
                                                      const QString& description, int category, bool deletable);

    // --- applying ------------------------------------------------------------------
    void Undo();
    void Redo();
    // Drops every step of both stacks and the open step.
    void Reset();

    // --- the sections that share the manager -----------------------------------------
    void RegisterSection(Section* section);
    void UnregisterSection(Section* section);

private:
    // Applies the step from its last item to its first and returns the
    // inverse step (items in that order, old and new exchanged): the objects
    // that the execution displaced are its old objects.
    UndoStep Execute(UndoStep& step);
    UndoItem ExecuteNode(UndoItem& item);
    UndoItem ExecuteElement(UndoItem& item, Section* stepSection);
    UndoItem ExecuteVariable(UndoItem& item);
    // A variable item whose two sides carry different names is a rename.
    void RenameVariable(const QString& from, const QString& to);
    // Every node forgets its dependants and every element of every section
    // re-attaches to its nodes.
    void Reattach();
    // Takes the top step of one stack, applies it and pushes its inverse
    // onto the other.
    void Apply(std::deque<UndoStep>& from, std::deque<UndoStep>& to);
    // Destroys what Open set aside for a rollback.
    void DropStash();
    // Drops the steps that refer to the section and those below them.
    static void DropStepsOf(std::deque<UndoStep>& stack, const Section* section);

    NodeTable* nodes_;
    FormulaTable* variables_;
    std::deque<UndoStep> undo_;
    std::deque<UndoStep> redo_;
    bool open_ = false;
    int openSerial_ = 0;
    // What Open discarded, kept until the step closes so that a rollback
    // can put it back.
    std::deque<UndoStep> stashedRedo_;
    std::optional<UndoStep> stashedOldest_;
    std::function<void()> commitListener_;
    int lastTitle_ = 0;
    Section* lastSection_ = nullptr;
    std::vector<Section*> sections_;
};
