#pragma once
// One variable of a variable table: its name, its formula text as set, the
// formula in parsed form, and the flags the table keeps. Parsing happens once
// per change of the formula; evaluation (FormulaEvaluator) walks the parsed
// program and resolves names through the table each time.
//
// The language: numbers (digits and "."), names (anything else up to the next
// operator character, case-sensitive), "+ - * /", "**" (power), "^"
// (negation), parentheses, the degree-based functions of FunctionTable, and
// "if <left><comparison><right> then <expression> else <expression>" with the
// comparisons < <= = > >= !=. "//" starts a comment running to the end of the
// line, and every white-space character is removed before anything else.
#include <QString>
#include <QStringView>

#include <cstdint>

#include "formula/FormulaProgram.h"

class FunctionTable;

class alignas(64) FormulaVariable {
    // What evaluation reads, on the first cache line: where the outcome of
    // the last evaluation is (a slot of the table's, or ownMemo_ for a
    // formula text and a variable in no table), whether the variable is on
    // the chain of variables under evaluation, and the parsed formula.
    FormulaMemo* memo_;
    int parseError_;

public:
    int error = 0; // the last parse or evaluation error

private:
    bool isConstant_ = false;
    bool onChain_ = false;
    FormulaProgram program_;
    double constValue_ = 0.0;
    FormulaMemo ownMemo_;

public:
    // A variable with the formula " " (not parsed), category 1, deletable,
    // not used, not valid, empty description.
    FormulaVariable(const QString& name, const FunctionTable* functions);
    FormulaVariable(const FormulaVariable&) = delete;
    FormulaVariable& operator=(const FormulaVariable&) = delete;

    // Keeps the text as the formula and parses it. False with `error` 5
    // (empty), 6 (")" unmatched), 7 ("(" not closed) or 9 (a condition side
    // or then-branch with an operator, a function or a conditional outside
    // parentheses); true otherwise, also
    // when the formula is too long to parse (then `error` is 1).
    bool SetFormula(const QString& text);

    QString GetName() const { return name_; }
    QString GetFormula() const { return formula_; }
    const QString& Name() const { return name_; }
    const QString& Formula() const { return formula_; }

    bool IsConstant() const { return isConstant_; }
    double ConstValue() const { return constValue_; }
    // The error of the last parse (0, 1, 5, 6, 7 or 9).
    int ParseError() const { return parseError_; }
    const FormulaProgram& Program() const { return program_; }

    // Token texts (exact comparisons).
    static bool IsOperatorToken(QStringView text);       // / - * + ^
    static bool IsParenthesisToken(QStringView text);    // ( )
    static bool IsComparisonOperator(QStringView text);  // < > = <= >= !=
    static int KeywordCode(QStringView text);            // "then" 1, "else" 2, else 0
    // The position of "then" in the text, else of "else", else of "if", -1
    // when none (the leftmost keyword is not sought).
    static int FindKeyword(QStringView text);
    // After comment and blank removal: an optional leading "-" followed only
    // by digits and "." (the empty text and "-" qualify).
    static bool IsPlainNumber(const QString& text);
    // The same test on a text that holds no comments or blanks.
    static bool IsNumberText(QStringView text);
    // Not a plain number, operator, parenthesis or keyword.
    static bool IsVariableName(QStringView text);
    // Each "//" up to the next line feed becomes one blank; then every
    // white-space character is deleted.
    static QString RemoveCommentsAndBlanks(const QString& text);
    // The id of the registered function of exactly that name, 0 when none.
    int FunctionId(QStringView text) const;

    // For the formula edit control: reading from the start and skipping white
    // space, the characters read (blanks included) when the non-blank ones
    // first form "then", "else" or a function name; 0 when they never do.
    int LeadingKeywordLength(QStringView text) const;
    static bool IsParenthesis(QChar c);    // ( )
    static bool IsOperatorChar(QChar c);   // * + - / ^
    static bool IsNumberChar(QChar c);     // a digit or "."
    static bool IsComparisonChar(QChar c); // < = >
    static bool IsNameStartChar(QChar c);  // white space, A-Z, a-z, _

    // Kept by the table.
    bool used = false;     // node formulas refer to the variable
    bool visited = false;  // scratch mark of the circular-reference search
    bool valid = false;    // the formula parsed when the table last took a new one
    int category = 1;
    bool deletable = true;
    QString description;

private:
    friend class FormulaEvaluator;
    friend class FormulaTable;

    // A variable of a table changes only through the table, which keeps
    // the values that depend on it current: FormulaTable::SetFormula,
    // SetFormulaAt and RenameVariable.
    bool Reparse(const QString& text) { return SetFormula(text); }
    void SetName(const QString& name) { name_ = name; }

    QString name_;
    QString formula_ = QStringLiteral(" ");
    const FunctionTable* functions_;
};
