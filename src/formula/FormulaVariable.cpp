#include "formula/FormulaVariable.h"

#include "formula/FormulaError.h"
#include "formula/FormulaParser.h"
#include "formula/FunctionTable.h"

FormulaVariable::FormulaVariable(const QString& name, const FunctionTable* functions)
    : memo_(&ownMemo_), parseError_(FormulaError::Empty), name_(name), functions_(functions)
{
}

bool FormulaVariable::SetFormula(const QString& text)
{
    formula_ = text;
    static const FunctionTable kNoFunctions;
    ParsedFormula parsed = ParseFormula(text, functions_ ? *functions_ : kNoFunctions);
    error = parsed.error;
    parseError_ = parsed.error;
    isConstant_ = parsed.isConstant;
    constValue_ = parsed.constValue;
    program_ = std::move(parsed.program);
    memo_->generation = 0;
    return parsed.Parsed();
}
