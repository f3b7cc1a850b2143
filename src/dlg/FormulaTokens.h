#pragma once
// What the formula field knows without a widget: the tokens it colours,
// the parentheses check, where a selection snaps to the "<INSERT>"
// placeholders of an inserted template, and the entries and texts of its
// Insert Function and Insert Variable menus.
#include <QString>

#include <vector>

class FormulaTable;

namespace dlg::formulatokens {

// Token kinds, as the field colours them.
enum Kind : int {
    kFunction = 1,    // a function name or "then"/"else": bold
    kNumber = 2,      // not italic
    kVariable = 3,    // olive
    kPlaceholder = 4, // "<INSERT>": teal
    kOperator = 5,    // "+ - * / ^" and "**": grey
    kParenthesis = 6, // green when they balance, red otherwise
    kComparison = 7,  // "< <= = > >= !=": blue
};

struct Token {
    int kind = 0;
    int start = 0; // character positions, end excluded
    int end = 0;
    bool operator==(const Token&) const = default;
};

inline constexpr int kPlaceholderLength = 8;
QString Placeholder(); // "<INSERT>"

// The tokens of the text from its start. Without a table, names (functions,
// keywords, variables) are not recognised; everything else is.
std::vector<Token> Scan(const QString& text, const FormulaTable* table);

// 0 when the parentheses balance (and for an empty text), -1 when a ")"
// comes before its "(", 1 when a "(" is not closed.
int CheckParentheses(const QString& text);

// A selection after the caret or a boundary moved: a caret strictly inside
// a placeholder selects it whole; a range boundary inside one moves to its
// end when it moved right since the previous selection, else to its start.
struct Selection {
    int start = 0;
    int end = 0;
    bool caretAtStart = false; // the end that moved last
    bool operator==(const Selection&) const = default;
};
Selection Snap(const QString& text, const Selection& previous, int start, int end);

// The Insert Function menu: the built-in functions in their groups (a
// separator between groups), then "sqr" and "sqrt". A function the table
// does not know is left out; without a table the menu is empty.
struct FunctionItem {
    bool separator = false;
    QString label;       // the function's name as the table spells it
    QString insertText;  // what the entry puts in place of the selection
};
std::vector<FunctionItem> FunctionEntries(const FormulaTable* table);
// The text a function entry inserts.
QString FunctionTemplate(const QString& name);

// The Insert Variable menu: every variable sorted by name (code units,
// case-sensitive), labelled "name<TAB>(value = formula)" with the formula
// cut to 13 characters and " ..." when longer than 16. With more than
// kMaxFlatVariables variables the entries are grouped in submenus by their
// first character.
struct VariableItem {
    QString name;
    QString label;
};
struct VariableGroup {
    QString title; // empty for the one flat group
    std::vector<VariableItem> entries;
};
inline constexpr int kMaxFlatVariables = 30;
std::vector<VariableGroup> VariableEntries(FormulaTable* table);
QString VariableLabel(const QString& name, double value, const QString& formula);

} // namespace dlg::formulatokens
