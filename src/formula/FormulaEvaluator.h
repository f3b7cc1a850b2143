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
// moves on; within one generation a variable is run once (an outcome met on
// a chain too deep to follow is not kept, nor one that found a circular
// reference while evaluating ahead of a long chain). When a chain of references grows
// long, the remaining dependencies are evaluated bottom-up without
// recursion, so long chains never run deep on the machine stack.
#include <QString>

#include <cstdint>
#include <vector>

#include "formula/FormulaVariable.h"

class FormulaTable;

class FormulaEvaluator {
public:
    explicit FormulaEvaluator(FormulaTable& table);

    // The value of v, which is not on the chain itself; v.error receives the
    // outcome (0 or a FormulaError code). The value is 0 on error.
    double Evaluate(FormulaVariable& v)
    {
        const FormulaMemo& memo = *v.memo_;
        if (memo.generation != generation_)
            return EvaluateCold(v);
        v.error = memo.error;
        return memo.error != 0 ? 0.0 : memo.value;
    }

private:
    void EvaluateDependencies(FormulaVariable& v);
    double EvaluateCold(FormulaVariable& v);
    double Run(const FormulaProgram& p, double* stack, int& error);
    FormulaVariable* Resolve(const FormulaReference& ref) const;
    struct Outcome {
        double value;
        int error;
    };
    // The value of the variable an instruction refers to, or the error it met.
    Outcome Fetch(const FormulaInstruction& in, const FormulaProgram& p);
    Outcome Reference(FormulaVariable* w, const QString& name);
    [[gnu::noinline]] Outcome ReferenceAtDepth(FormulaVariable& w);
    Outcome RunOnChain(FormulaVariable& w);
    // Keeps a failed outcome, unless it depends on where the evaluation
    // started (a chain too deep to follow).
    [[gnu::noinline]] void KeepFailure(FormulaVariable& v, int error);

    FormulaTable& table_;
    const uint64_t generation_;      // the table's, fixed during an evaluation
    const uint64_t namesGeneration_;
    int depth_ = 0;                  // references being followed
    bool walking_ = false;           // inside EvaluateDependencies
    // Circular outcomes that EvaluateDependencies kept: they depend on the
    // chain of the walk, which forgets them when it ends. The table holds the
    // list, so that an evaluation that never walks costs nothing for it.
    std::vector<FormulaMemo*>& provisional_;
};
