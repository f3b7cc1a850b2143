#pragma once
// What the variables dialog does to a drawing, without the widgets: the
// rows of its list, and Add, Modify, Delete and Rename of variables, each
// recorded in the one undo step that a showing of the dialog holds (text
// 183), with the messages the user sees going through platform::ask.
// Finish ends the showing however the dialog was closed: the elements
// follow the variables and the step is kept (the drawing is then modified
// when anything changed), or dropped when nothing did.
#include "section/UndoTransaction.h"

#include <QString>

#include <vector>

class CMorvekDoc;
class FormulaTable;

namespace dlg {

class VariableEdits {
public:
    // Language texts.
    static constexpr int kTextUndoTitle = 183;
    static constexpr int kTextUsed = 163;
    static constexpr int kTextNotUsed = 164;
    static constexpr int kTextValid = 411;
    static constexpr int kTextInvalid = 412;
    static constexpr int kTextProtected = 375;       // cannot be deleted or renamed
    static constexpr int kTextNotEvaluated = 377;    // %1: the error code
    static constexpr int kTextRefused = 378;         // %1: the error code
    static constexpr int kTextDeleteUsed = 2160;     // %1: the name
    // Categories.
    static constexpr int kCategoryConstant = 1; // PI and E: never modified
    static constexpr int kCategoryUser = 1000;

    struct Row {
        QString name;
        QString value;    // "%f"
        QString validity; // text 411 or 412
    };

    // How an edit ended.
    enum class Outcome {
        Changed,   // done and recorded
        Unchanged, // nothing to do (Modify on PI or E, the same name, No to a question)
        Refused,   // message shown, nothing changed; the caller may ask again (378)
        Protected, // message 375, nothing changed
    };

    // Opens the showing's undo step.
    explicit VariableEdits(CMorvekDoc& doc, int undoTitle = kTextUndoTitle);

    // The list: every variable (or only the used ones) sorted by name in
    // UTF-16 code units. With checkUsed the used marks are computed first
    // (usedOnly implies it).
    std::vector<Row> Rows(bool usedOnly, bool checkUsed);
    // The definition pane of a variable: its formula, and with checkUsed a
    // second line saying whether the drawing uses it.
    QString Definition(const QString& name, bool checkUsed);
    // Whether Modify changes this variable (not PI or E).
    bool IsModifiable(const QString& name) const;
    QString Formula(const QString& name) const;
    QString Description(const QString& name) const;
    FormulaTable* Table() const;

    // A new user variable (category 1000, deletable). 378 refuses a name that
    // exists or a name formulas could not use; 377 tells that the formula
    // does not evaluate (the variable stays, recorded).
    Outcome Add(const QString& name, const QString& formula, const QString& description);
    // A new formula and description. A formula that does not parse, or makes
    // the variable refer to itself, is put back and 378 shown; one that does
    // not evaluate stays, recorded, with 377.
    Outcome Modify(const QString& name, const QString& formula, const QString& description);
    // Protected variables: 375. A variable that formulas use is deleted only
    // after Yes to text 2160; its users then evaluate it as 0.
    Outcome Delete(const QString& name);
    // Protected variables: 375. An empty name or the name of another variable
    // is refused with 378; node and variable formulas follow the new name.
    Outcome Rename(const QString& oldName, const QString& newName);

    // Whether any edit changed the drawing in this showing.
    bool Changed() const { return changed_; }
    // The elements follow the variables, the bridges are recomputed and the
    // step is kept (or dropped when empty).
    void Finish();

private:
    void ShowError(int textId, int error) const;

    CMorvekDoc& doc_;
    UndoTransaction tx_;
    bool changed_ = false;
    bool finished_ = false;
};

} // namespace dlg
