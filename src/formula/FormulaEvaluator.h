#pragma once
// Evaluation of variables and formulas over a variable table.
//
// A variable's value is its program run on a value stack; a name in it is
// looked up in the table (the first variable of that name; none counts as 0)
// and that variable is evaluated in turn. The chain of variables under
// evaluation catches circular references (error 8). The first error ends the
// whole evaluation with the value 0 and its code, and every variable on the
// way takes that code.
//
// Each variable keeps the outcome of its last evaluation together with the
// table's generation, which every change of a formula, a name or the list
// moves on; within one generation a variable is run once. Outcomes that
// depend on the chain they were met on (a circular reference, a chain too
// deep to follow) are not kept. Before a variable is run its cold
// dependencies are evaluated bottom-up without recursion, so long chains of
// references never run deep on the stack.
#include <cstdint>

class FormulaTable;
class FormulaVariable;
struct FormulaReference;

class FormulaEvaluator {
public:
    explicit FormulaEvaluator(FormulaTable& table) : table_(table) {}

    // The value of v, which is not on the chain itself; v.error receives the
    // outcome (0 or a FormulaError code). The value is 0 on error.
    double Evaluate(FormulaVariable& v);

private:
    void EvaluateDependencies(FormulaVariable& v);
    double EvaluateCold(FormulaVariable& v);
    double Run(const FormulaVariable& v, int& error);
    FormulaVariable* Resolve(const FormulaReference& ref) const;
    int Reference(const FormulaReference& ref, double& value);
    bool IsCurrent(const FormulaVariable& v) const;

    FormulaTable& table_;
    int depth_ = 0;
};
