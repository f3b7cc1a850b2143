#pragma once
// One undo step as a scope: opened with its title (and the section it
// edits), kept by commit(), rolled back when it goes out of scope
// uncommitted: its changes are undone, the step dropped and the stacks left
// as they were before it opened (the redo stack too), so an edit that gives
// up half-way leaves nothing behind.
//
// Editing operations take `UndoTransaction* tx = nullptr`: with none passed
// in they open their own step (Join), with one passed in they record into
// it and the caller decides. A commit of a step that changed the drawing
// tells the undo manager's commit listener, through which the document
// marks itself modified.
//
//     UndoTransaction tx(doc.Undo(), kTextTitle, section);
//     if (!section->DoFillet(a, b, x1, y1, x2, y2, r, false, &tx))
//         return false;          // rolled back here
//     section->DoInterSection(c, d, ..., &tx);
//     tx.commit();               // one step for both
class CUndoManager;
class Section;

class UndoTransaction {
public:
    // Holds nothing: commit and rollback do nothing.
    UndoTransaction() = default;
    // Opens a step on the manager (closing one left open). A null manager
    // holds nothing: the changes stay without undo.
    UndoTransaction(CUndoManager* undo, int title, Section* section = nullptr);
    UndoTransaction(CUndoManager& undo, int title, Section* section = nullptr) : UndoTransaction(&undo, title, section)
    {
    }
    // The transaction an operation works in: outer when one is passed in
    // and open (a pass-through whose commit and scope end leave the step to
    // outer's owner), otherwise a step of its own.
    static UndoTransaction Join(UndoTransaction* outer, CUndoManager* undo, int title, Section* section = nullptr);

    ~UndoTransaction();
    UndoTransaction(UndoTransaction&& other) noexcept;
    UndoTransaction& operator=(UndoTransaction&& other) noexcept;
    UndoTransaction(const UndoTransaction&) = delete;
    UndoTransaction& operator=(const UndoTransaction&) = delete;

    // Closes the step, keeping what it recorded; true when the step changed
    // the drawing (the commit listener has run). A pass-through commits
    // nothing and returns false.
    bool commit();
    // Undoes what the step recorded and drops it. A pass-through rolls back
    // nothing.
    void rollback();

    // Whether this transaction's own step is still the manager's open step.
    bool IsOpen() const;
    bool IsPassThrough() const { return passThrough_; }
    // Whether changes made now are recorded into a step (own or outer).
    bool IsRecording() const;
    CUndoManager* Manager() const { return undo_; }

private:
    CUndoManager* undo_ = nullptr;
    int serial_ = 0;
    bool passThrough_ = false;
};
