#include "formula/FormulaEvaluator.h"

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"

#include <cmath>

namespace {

// The memo a name that is no variable resolves to: never current.
const FormulaMemo kNoVariable;

// Whether a value on a run's stack (see FormulaEvaluator::Run) is not a
// finite number.
bool HoldsNonFinite(const double* st, int k, double top)
{
    if (k > 0 && !std::isfinite(top))
        return true;
    for (int i = 1; i < k; ++i) {
        if (!std::isfinite(st[i]))
            return true;
    }
    return false;
}

inline bool SidesFinite(double left, double right)
{
    return std::isfinite(left) && std::isfinite(right);
}

} // namespace

FormulaEvaluator::FormulaEvaluator(FormulaTable& table)
    : table_(table), generation_(table.generation_), namesGeneration_(table.namesGeneration_)
{
}

double FormulaEvaluator::EvaluateStale(FormulaTable& table, FormulaVariable& v)
{
    return FormulaEvaluator(table).EvaluateCold(v);
}

inline void FormulaEvaluator::Keep(FormulaVariable& v, double value, int error)
{
    // Field by field: the next variable reads them one by one, each from
    // the store that wrote it.
    FormulaMemo& memo = *v.memo_;
    memo.generation = generation_;
    memo.value = error != 0 ? 0.0 : value;
    memo.error = error;
    v.error = error;
}

inline bool FormulaEvaluator::Settle(FormulaVariable& v)
{
    if (v.parseError_ != 0)
        Keep(v, 0.0, v.parseError_);
    else if (v.isConstant_)
        Keep(v, v.constValue_, 0);
    else
        return false;
    return true;
}

// Runs v and, first, every variable it needs that has no current value, each
// in a frame of its own. Most often every value v needs is current, and v's
// run ends without a frame list.
inline double FormulaEvaluator::EvaluateCold(FormulaVariable& v)
{
    Q_ASSERT(table_.frames_.empty());
    if (!Settle(v)) {
        const size_t end = static_cast<size_t>(v.program_.maxDepth) + 1;
        if (end > kReservedValues && table_.values_.size() < end) [[unlikely]]
            table_.values_.resize(end);
        Bind(v.program_);
        FormulaFrame first{&v, 0, 0, 0.0, 0};
        v.onChain_ = true;
        const Ran ran = Run(first, v.program_, table_.values_.data(), 0, 0, 0.0);
        if (ran.returned) {
            v.onChain_ = false;
            Keep(v, ran.value, 0);
            return ran.value;
        }
        if (need_ == nullptr) {
            v.onChain_ = false;
            Keep(v, 0.0, error_);
            return 0.0;
        }
        table_.frames_.push_back(first);
        Push(*need_);
        RunFrames();
    }
    v.error = v.memo_->error;
    return v.error != 0 ? 0.0 : v.memo_->value;
}

// Runs the frames from the top down; each frame that stopped for another
// variable goes on when that one is done.
void FormulaEvaluator::RunFrames()
{
    while (!table_.frames_.empty()) {
        FormulaFrame& f = table_.frames_.back();
        const Ran ran = Run(f, f.var->program_, table_.values_.data() + f.base, f.pc, f.k, f.top);
        if (!ran.returned && need_ != nullptr) {
            Push(*need_);
            continue;
        }
        FormulaVariable& done = *f.var;
        table_.frames_.pop_back();
        done.onChain_ = false;
        Keep(done, ran.value, ran.returned ? 0 : error_);
    }
}

// A frame's values follow those of the frame below it.
inline void FormulaEvaluator::Push(FormulaVariable& v)
{
    size_t base = 0;
    if (!table_.frames_.empty())
        base = table_.frames_.back().base + static_cast<size_t>(table_.frames_.back().var->program_.maxDepth) + 1;
    const size_t end = base + static_cast<size_t>(v.program_.maxDepth) + 1;
    if (table_.values_.size() < end)
        table_.values_.resize(end);
    Bind(v.program_);
    v.onChain_ = true;
    table_.frames_.push_back({&v, 0, 0, 0.0, base});
}

void FormulaEvaluator::BindNames(const FormulaProgram& p) const
{
    for (const FormulaReference& ref : p.references)
        ref.target = table_.FindFirst(ref.name);
    for (const FormulaInstruction& in : p.code) {
        if (in.NamesVariable()) {
            const FormulaVariable* w = p.references[in.arg].target;
            in.memo = w ? w->memo_ : &kNoVariable;
        }
    }
    p.namesGeneration = namesGeneration_;
}

FormulaEvaluator::Fetched FormulaEvaluator::FetchCold(const FormulaInstruction& in,
                                                      const FormulaProgram& p)
{
    FormulaVariable* w = p.references[in.arg].target;
    if (w == nullptr)
        return {0.0, true}; // a name that is no variable counts as 0
    if (w->memo_->generation != generation_ && !Settle(*w)) {
        error_ = w->onChain_ ? FormulaError::Circular : 0;
        need_ = w->onChain_ ? nullptr : w;
        return {0.0, false};
    }
    if (w->memo_->error != 0) {
        error_ = w->memo_->error;
        need_ = nullptr;
        return {0.0, false};
    }
    return {w->memo_->value, true};
}

// A run stopped at a fetch: to wait for need_, or for the fetched variable's
// error; an overflow met before comes first.
FormulaEvaluator::Ran FormulaEvaluator::Stopped(const double* st, int k, double top)
{
    if (HoldsNonFinite(st, k, top)) {
        error_ = FormulaError::NotFinite;
        need_ = nullptr;
    }
    return {0.0, false};
}

FormulaEvaluator::Ran FormulaEvaluator::Failed(int error, const double* st, int k, double top)
{
    error_ = HoldsNonFinite(st, k, top) ? FormulaError::NotFinite : error;
    need_ = nullptr;
    return {0.0, false};
}

// Runs the frame's program from where it stands. The top of the stack lives
// in `top`, the k - 1 values below it in st[1..k-1] (st[0] takes what a push
// onto the empty stack moves down). Built into each of its two callers: most
// variables are one short run, and the call would cost as much as the run.
//
// Values that are not finite numbers are errors, but not every operation
// checks its result. Numbers and variable values enter finite, and adding,
// subtracting, multiplying, negating and dividing by a number or a variable
// (never 0) keep a value that is not finite not finite (infinity minus
// infinity is NaN). So such a value is checked for where it could vanish: as
// a divisor, in a power or function, a comparison, a collapse, and as the
// program's value. A run that stops for any other reason looks at its stack
// first, so the error met first is still the one reported.
[[gnu::always_inline]] inline FormulaEvaluator::Ran FormulaEvaluator::Run(FormulaFrame& f, const FormulaProgram& p,
                                                          double* const st, int pc, int k,
                                                          double top)
{
    const FormulaInstruction* const code = p.code.data();
    const FormulaInstruction* in = code + pc;
    Fetched y{}; // a right operand fetched from a variable

    // A fetch stopped the run: it ends with the error met, or stops at this
    // instruction to run it again once need_ has its value. (The stopping
    // helpers take the stack by value, so that it stays in registers.)
    auto stop = [&f, code, st, this](const FormulaInstruction* at, int depth, double value) {
        f.pc = static_cast<int>(at - code);
        f.k = depth;
        f.top = value;
        return Stopped(st, depth, value);
    };
    auto push = [&](double value) {
        st[k++] = top;
        top = value;
    };
    // Pops both sides of a comparison; a false one goes to the else-branch.
    auto branch = [&](bool holds) {
        k -= 2;
        top = st[k];
        if (!holds)
            in = code + in->target - 1;
    };

    for (;; ++in) {
        switch (in->handler) {
        case FormulaHandler::Number:
            push(in->number);
            continue;
        case FormulaHandler::Variable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            push(y.value);
            continue;
        case FormulaHandler::Negate:
            top = -top;
            continue;

        // A VariableXNumber pushes the variable's value and goes on with the
        // number operation in the next instruction.
        case FormulaHandler::AddStack: top = st[--k] + top; continue;
        case FormulaHandler::VariableAddNumber:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            push(y.value);
            ++in;
            [[fallthrough]];
        case FormulaHandler::AddNumber: top += in->number; continue;
        case FormulaHandler::AddVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            top += y.value;
            continue;

        case FormulaHandler::SubtractStack: top = st[--k] - top; continue;
        case FormulaHandler::VariableSubtractNumber:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            push(y.value);
            ++in;
            [[fallthrough]];
        case FormulaHandler::SubtractNumber: top -= in->number; continue;
        case FormulaHandler::SubtractVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            top -= y.value;
            continue;

        case FormulaHandler::MultiplyStack: top = st[--k] * top; continue;
        case FormulaHandler::VariableMultiplyNumber:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            push(y.value);
            ++in;
            [[fallthrough]];
        case FormulaHandler::MultiplyNumber: top *= in->number; continue;
        case FormulaHandler::MultiplyVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            top *= y.value;
            continue;

        case FormulaHandler::DivideStack:
            if (top == 0.0)
                return Failed(FormulaError::DivisionByZero, st, k, top);
            if (!std::isfinite(top)) // x / infinity would be 0
                return Failed(FormulaError::NotFinite, st, k, top);
            top = st[--k] / top;
            continue;
        case FormulaHandler::VariableDivideNumber:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            push(y.value);
            ++in;
            [[fallthrough]];
        case FormulaHandler::DivideNumber: // never by 0 (DivideByZero)
            top /= in->number;
            continue;
        case FormulaHandler::DivideByZero:
            return Failed(FormulaError::DivisionByZero, st, k, top);
        case FormulaHandler::DivideVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            if (y.value == 0.0)
                return Failed(FormulaError::DivisionByZero, st, k, top);
            top /= y.value;
            continue;

        case FormulaHandler::PowerStack: {
            const double x = st[--k];
            if (!std::isfinite(x) || !std::isfinite(top) || !ApplyPower(x, top, top))
                return Failed(FormulaError::NotFinite, st, k, top);
            continue;
        }
        case FormulaHandler::PowerNumber:
            if (!std::isfinite(top) || !ApplyPower(top, in->number, top))
                return Failed(FormulaError::NotFinite, st, k, top);
            continue;
        case FormulaHandler::PowerVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop(in, k, top);
            if (!std::isfinite(top) || !ApplyPower(top, y.value, top))
                return Failed(FormulaError::NotFinite, st, k, top);
            continue;

        case FormulaHandler::Function:
            if (!std::isfinite(top) || !ApplyFunction(in->arg, top, top))
                return Failed(FormulaError::NotFinite, st, k, top);
            continue;

        // A side that is not finite would choose a branch.
        case FormulaHandler::BranchLess:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] < top);
            continue;
        case FormulaHandler::BranchLessEqual:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] <= top);
            continue;
        case FormulaHandler::BranchEqual:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] == top);
            continue;
        case FormulaHandler::BranchGreater:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] > top);
            continue;
        case FormulaHandler::BranchGreaterEqual:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] >= top);
            continue;
        case FormulaHandler::BranchNotEqual:
            if (!SidesFinite(st[k - 1], top))
                return Failed(FormulaError::NotFinite, st, k, top);
            branch(st[k - 1] != top);
            continue;
        case FormulaHandler::Jump:
            in = code + in->target - 1;
            continue;
        case FormulaHandler::Collapse: // keep the top of the last arg values
            if (HoldsNonFinite(st, k, top))
                return Failed(FormulaError::NotFinite, st, k, top);
            k -= in->arg - 1;
            continue;
        case FormulaHandler::Return:
            if (!std::isfinite(top)) [[unlikely]]
                return Failed(FormulaError::NotFinite, st, k, top);
            return {top, true};
        case FormulaHandler::Malformed:
            return Failed(FormulaError::Malformed, st, k, top);
        default:
            Q_UNREACHABLE();
        }
    }
}
