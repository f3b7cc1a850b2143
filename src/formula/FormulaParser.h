#pragma once
// Parsing of one formula text into a FormulaProgram: comment and blank
// removal, tokens, signs, priorities, parentheses, the expression tree and its
// postfix order.
#include <QString>

#include "formula/FormulaProgram.h"

class FunctionTable;

struct ParsedFormula {
    // FormulaError: 5, 6, 7 and 9 (a conditional that breaks the
    // parenthesis rule) mean the text did not parse; 1 that it was too long
    // to parse. Other malformed operands are no parse error: the program then
    // reports them when it runs.
    int error = 0;
    bool isConstant = false;
    double constValue = 0.0;
    FormulaProgram program;

    bool Parsed() const;
};

ParsedFormula ParseFormula(const QString& text, const FunctionTable& functions);
