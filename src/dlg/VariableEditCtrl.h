#pragma once
// The formula field: a text field over the drawing's variables that colours
// the formula as it is typed (functions and keywords bold, variables,
// numbers, operators, comparisons and parentheses each in their own way, the
// parentheses green when they balance and red when they do not), selects an
// "<INSERT>" placeholder whole when the caret enters it, and offers function
// templates and variable names on its context menu. The tokens come from
// formulatokens (FormulaTokens.h); this is only the widget around them.
#include "dlg/FormulaTokens.h"

#include <QPlainTextEdit>
#include <QString>

class FormulaTable;
class QMenu;

namespace dlg {

class FormulaHighlighter;

class CVariableEditCtrl : public QPlainTextEdit {
    Q_OBJECT
public:
    // Language texts of the context menu.
    static constexpr int kTextCut = 2150;
    static constexpr int kTextCopy = 2151;
    static constexpr int kTextPaste = 2152;
    static constexpr int kTextSelectAll = 2153;
    static constexpr int kTextInsertFunction = 2154;
    static constexpr int kTextInsertVariable = 2155;

    explicit CVariableEditCtrl(FormulaTable* table = nullptr, QWidget* parent = nullptr);
    ~CVariableEditCtrl() override;

    void SetFormulaTable(FormulaTable* table);
    FormulaTable* GetFormulaTable() const { return table_; }
    // The formula as typed, and setting it (coloured at once).
    QString Text() const { return toPlainText(); }
    void SetText(const QString& text);

    // The tokens of the last scan and its parentheses state (CheckParentheses).
    const std::vector<formulatokens::Token>& Tokens() const { return tokens_; }
    int ParenthesesState() const { return parentheses_; }

    // The context menu as built for the current table (the caller owns it);
    // its actions insert into this field.
    QMenu* BuildContextMenu(QWidget* parent);
    // Replaces the selection with the text (undoable).
    void InsertText(const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Rescan();
    void SnapSelection();

    FormulaTable* table_ = nullptr;
    FormulaHighlighter* highlighter_ = nullptr;
    std::vector<formulatokens::Token> tokens_;
    int parentheses_ = 1;
    formulatokens::Selection previous_{};
    bool busy_ = false;
};

} // namespace dlg
