#pragma once
// Evaluation of variables and formulas over a variable table.
//
// A variable's value is its program run on a value stack; a name in it is
// looked up in the table (the first variable of that name; none counts as 0)
// and that variable is evaluated first. The variables under evaluation form
// the chain; meeting one of them again is a circular reference (error 8).
// The first error ends the whole evaluation with the value 0 and its code,
// and every variable on the chain takes that code.
//
// The chain is a list of frames, not the machine stack: a program that needs
// a variable with no current value stops, that variable's frame is pushed,
// and the program goes on at the same instruction once the value is there.
// So chains of any length are followed without deep recursion, and each
// variable runs once until the table marks its value stale (the table marks
// a changed variable and every variable that uses it).
//
// An outcome does not depend on the chain it was met on: a variable that
// meets the chain lies on a cycle, and meets it from anywhere. So every
// outcome, failures included, is kept until the table marks it stale.
#include <cstdint>
#include <vector>

#include "formula/FormulaVariable.h"

class FormulaTable;

class FormulaEvaluator {
public:
    // The value of v, whose kept outcome is not current and which is not on
    // the chain itself; v.error receives the outcome (0 or a FormulaError
    // code). The value is 0 on error.
    static double EvaluateStale(FormulaTable& table, FormulaVariable& v);
    // The values the table holds from the start: most formulas run within
    // them without a size check.
    static constexpr size_t kReservedValues = 64;

private:
    explicit FormulaEvaluator(FormulaTable& table);
    double EvaluateCold(FormulaVariable& v);
    void RunFrames();
    // Keeps the outcome of a variable that needs no run (a formula that did
    // not parse, a constant); false for one that must run.
    bool Settle(FormulaVariable& v);
    void Keep(FormulaVariable& v, double value, int error);
    void Push(FormulaVariable& v);
    // How a run ended: with the program's value, or stopped. A stopped run
    // failed (error_ holds the code, need_ is null), or must wait for need_
    // to be evaluated first; its frame then holds where it stopped.
    struct Ran {
        double value;
        bool returned;
    };
    // Runs the frame's program p on its stack st from where the frame stands
    // (given as values, so that a fresh run starts without reading them
    // back).
    Ran Run(FormulaFrame& f, const FormulaProgram& p, double* st, int pc, int k, double top);
    // How a run that stopped at a fetch ends (the stack a run keeps, as Run
    // describes), and one that failed with an error: a value on the stack
    // that is not finite makes either end with that error.
    [[gnu::cold]] [[gnu::noinline]] Ran Stopped(const double* st, int k, double top);
    [[gnu::cold]] [[gnu::noinline]] Ran Failed(int error, const double* st, int k, double top);
    // The value of the variable an instruction names; not ok when the run
    // must stop: the variable needs a run of its own first (need_), or its
    // outcome is an error (error_). Returned in registers, not through
    // memory, since every variable operand passes here.
    struct Fetched {
        double value;
        bool ok;
    };
    Fetched Fetch(const FormulaInstruction& in, const FormulaProgram& p)
    {
        if (in.memo->generation == generation_ && in.memo->error == 0) [[likely]]
            return {in.memo->value, true};
        return FetchCold(in, p);
    }
    Fetched FetchCold(const FormulaInstruction& in, const FormulaProgram& p);
    // Looks up the names of p again when the table's names changed since.
    void Bind(const FormulaProgram& p) const
    {
        if (p.namesGeneration != namesGeneration_) [[unlikely]]
            BindNames(p);
    }
    void BindNames(const FormulaProgram& p) const;

    // The frames and values live in the table, so that evaluations allocate
    // nothing once they have run.
    FormulaTable& table_;
    const uint64_t generation_; // the table's, fixed during an evaluation
    const uint64_t namesGeneration_;
    int error_ = 0;
    FormulaVariable* need_ = nullptr;
};
