#pragma once
// What the layers dialog (View > Layer) does to the drawing, without a
// widget: the rows it shows (name, visible, active, locked), the clicks on
// those cells, the in-place rename, and New, Delete, Merge and Duplicate.
//
// Every change goes straight into the drawing and marks it modified
// (CMorvekDoc::MarkChangedWithoutUndo: layer operations are not undoable).
// A change of the layer table's structure (a layer added, deleted, merged or
// duplicated) also drops the undo history, whose steps would otherwise
// point at layers that moved; renaming, showing, hiding, locking and
// activating layers keep it. Operations on several layers take the layers
// first and look each one up again when they reach it, so a deletion never
// leaves a later step working on the layer that moved into its place.
#include <QString>

#include <vector>

class CMorvekDoc;
class Section;

namespace dlg {

class LayerTable {
public:
    // Language texts: the caption, the buttons, the column headers and cell
    // texts, a new and a merged layer's name, and the messages.
    static constexpr int kTextCaption = 632;
    static constexpr int kTextOk = 583;
    static constexpr int kTextNew = 584;
    static constexpr int kTextDelete = 585;
    static constexpr int kTextMerge = 586;
    static constexpr int kTextDuplicate = 587;
    static constexpr int kTextColumnName = 511;
    static constexpr int kTextColumnVisible = 510;
    static constexpr int kTextActive = 505; // header and cell of the current layer
    static constexpr int kTextColumnLocked = 580;
    static constexpr int kTextShown = 506;
    static constexpr int kTextHidden = 509;
    static constexpr int kTextLockedCell = 581;
    static constexpr int kTextNewLayerName = 508;
    static constexpr int kTextMergedLayerName = 507;
    static constexpr int kTextCannotDeleteCurrent = 345;
    static constexpr int kTextAskDelete = 346;
    static constexpr int kTextAskMerge = 347;
    static constexpr int kTextAskDuplicate = 348;
    static constexpr int kTextDuplicateOne = 349;
    static constexpr int kTextMergeNothing = 2200;

    // The columns.
    static constexpr int kColumnName = 0;
    static constexpr int kColumnVisible = 1;
    static constexpr int kColumnActive = 2;
    static constexpr int kColumnLocked = 3;
    static constexpr int kColumnWidths[4] = {100, 100, 80, 80};

    struct Row {
        QString name;
        QString visible;
        QString active;
        QString locked;
    };

    explicit LayerTable(CMorvekDoc& doc) : doc_(doc) {}

    // Row i is layer i of the drawing.
    int RowCount() const;
    Row RowAt(int row) const;
    // The cells of layer row with the given texts for a shown and a hidden
    // layer, the current layer and a locked one (the Copy to Layer dialog
    // words its cells otherwise); all empty for no such layer.
    static Row RowOf(const CMorvekDoc& doc, int row, int shown, int hidden, int current, int locked);

    // A click on a cell: the visible cell shows or hides the layer (the
    // current one is never hidden), the active cell makes the layer current
    // and visible, the locked cell toggles the lock; the name cell and a row
    // outside the table do nothing. True when the drawing changed.
    bool Click(int row, int column);
    // The in-place rename's end: the typed name becomes the layer's name.
    // True when it changed.
    bool Rename(int row, const QString& name);

    // Whether New, Merge and Duplicate may add a layer (the drawing holds
    // fewer than CMorvekDoc::kMaxSections).
    bool CanAdd() const;
    // New: a layer named text 508 with the layer count, after the last,
    // made current. False at the limit.
    bool New();
    // Delete: asks once for each selected layer (text 346; OK deletes it,
    // Cancel keeps it); the current layer is never deleted (text 345).
    // Returns the number of layers deleted.
    int Delete(const std::vector<int>& rows);
    // Merge: with no row selected text 2200 and nothing else; after the
    // question (text 347) a new current layer named text 507 with the layer
    // count receives a copy of every selected layer's elements per
    // placement, and the selected layers go. False when nothing changed.
    bool Merge(const std::vector<int>& rows);
    // Duplicate: exactly one selected row (else text 349); after the
    // question (text 348) the layer's copy is appended and made current.
    bool Duplicate(const std::vector<int>& rows);

    // Whether anything, and whether the table's structure, changed since
    // the dialog opened.
    bool Changed() const { return changed_; }
    bool StructureChanged() const { return structureChanged_; }

private:
    std::vector<Section*> SectionsOf(const std::vector<int>& rows) const;
    int IndexOf(const Section* section) const;
    void MarkChanged();
    void MarkStructureChanged();

    CMorvekDoc& doc_;
    bool changed_ = false;
    bool structureChanged_ = false;
};

} // namespace dlg
