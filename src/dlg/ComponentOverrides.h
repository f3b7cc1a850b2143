#pragma once
// What the component dialog edits: one component of an extended standard
// (name, drawing file, X, Y and rotation texts) and the variables of its
// drawing that the extended standard gives other expressions. The drawing's
// variable table is read once per chosen file; Modify, Reset and Restore
// work on the rows, and nothing reaches the component before Commit.
#include "formula/FormulaTable.h"
#include "formula/SpecStandardComponent.h"

#include <QString>

#include <memory>
#include <vector>

namespace dlg {

// One offered variable of the component's drawing.
struct VariableOverrideRow {
    QString name;
    QString ownFormula;      // as the drawing has it
    QString overrideFormula; // the extended standard's expression
    bool overridden = false;

    bool operator==(const VariableOverrideRow&) const = default;
};

// A formula as the list shows it: runs of white space made one blank, none
// at either end.
QString CompactWhiteSpace(const QString& formula);

class ComponentOverrides {
public:
    static constexpr int kTextOverridden = 435;
    static constexpr int kTextRestore = 672;
    static constexpr int kTextTooManyOverrides = 3000;

    // `standardFile` is the extended standard's absolute path, against which
    // the component's file text is relative.
    ComponentOverrides(const SpecStandardComponent& component, const QString& standardFile);

    QString name, file, x, y, rotation; // the dialog's five texts

    // The drawing's absolute path; empty for an empty file text.
    QString DrawingPath() const;
    // The drawing's variable table; null when the drawing could not be read.
    FormulaTable* Table() const { return table_.get(); }

    // Rebuilds the rows from the drawing (read again with `reread`, or when
    // nothing was read yet) and applies the stored overrides; a stored
    // override of a variable the drawing lacks is dropped. A drawing that
    // cannot be read gives no rows and leaves the stored overrides alone.
    void LoadVariables(bool reread);
    // Another drawing picked: the file text becomes the path relative to the
    // extended standard, and the variables are read from it.
    void ChooseDrawing(const QString& absolutePath);

    const std::vector<VariableOverrideRow>& Rows() const { return rows_; }
    // Row n's list texts: the shown formula (the override when overridden)
    // compacted, and the mark (text 435 or empty).
    QString ShownFormula(int n) const;
    QString Mark(int n) const;

    // The formula the variable dialog starts from for row n.
    QString FormulaToEdit(int n) const;
    // False, with a message and nothing changed, when row n is not yet
    // overridden and kMaxPairs rows already are.
    bool Override(int n, const QString& formula);
    void Reset(int n);
    // Asks (672) and, on Yes, goes back to the stored overrides. Nothing
    // happens when the rows already show them. True when the rows changed.
    bool Restore();

    // The component as the dialog leaves it: the five texts and the
    // overridden rows' (name, formula) pairs in row order. With no readable
    // drawing the stored overrides stay as they were.
    SpecStandardComponent Result() const;

private:
    bool ReadDrawing();
    std::vector<VariableOverrideRow> StoredRows() const;

    SpecStandardComponent component_;
    QString standardFile_;
    std::unique_ptr<FormulaTable> table_;
    bool read_ = false; // the drawing of the current file text was read (or tried)
    std::vector<VariableOverrideRow> rows_;
};

} // namespace dlg
