#include "formula/FormulaEvaluator.h"

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"

#include <cmath>

namespace {

// The memo a name that is no variable resolves to: never current.
const FormulaMemo kNoVariable;

} // namespace

FormulaEvaluator::FormulaEvaluator(FormulaTable& table)
    : table_(table), frames_(table.frames_), values_(table.values_),
      generation_(table.generation_), namesGeneration_(table.namesGeneration_)
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
    Q_ASSERT(frames_.empty());
    if (!Settle(v)) {
        const size_t end = static_cast<size_t>(v.program_.maxDepth) + 1;
        if (values_.size() < end)
            values_.resize(end);
        FormulaFrame first{&v, 0, 0, 0.0, 0};
        v.onChain_ = true;
        need_ = nullptr;
        const double value = Run(first, v.program_, values_.data(), 0, 0, 0.0);
        if (need_ == nullptr) {
            v.onChain_ = false;
            Keep(v, value, error_);
            return error_ != 0 ? 0.0 : value;
        }
        frames_.push_back(first);
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
    while (!frames_.empty()) {
        FormulaFrame& f = frames_.back();
        need_ = nullptr;
        const double value =
            Run(f, f.var->program_, values_.data() + f.base, f.pc, f.k, f.top);
        if (need_ != nullptr) {
            Push(*need_);
            continue;
        }
        FormulaVariable& done = *f.var;
        frames_.pop_back();
        done.onChain_ = false;
        Keep(done, value, error_);
    }
}

// A frame's values follow those of the frame below it.
inline void FormulaEvaluator::Push(FormulaVariable& v)
{
    size_t base = 0;
    if (!frames_.empty())
        base = frames_.back().base + static_cast<size_t>(frames_.back().var->program_.maxDepth) + 1;
    const size_t end = base + static_cast<size_t>(v.program_.maxDepth) + 1;
    if (values_.size() < end)
        values_.resize(end);
    v.onChain_ = true;
    frames_.push_back({&v, 0, 0, 0.0, base});
}

FormulaVariable* FormulaEvaluator::Resolve(const FormulaReference& ref) const
{
    if (ref.namesGeneration != namesGeneration_) {
        ref.target = table_.FindFirst(ref.name);
        ref.memo = ref.target ? ref.target->memo_ : &kNoVariable;
        ref.namesGeneration = namesGeneration_;
    }
    return ref.target;
}

FormulaEvaluator::Fetched FormulaEvaluator::FetchCold(const FormulaInstruction& in,
                                                      const FormulaProgram& p)
{
    const FormulaReference& ref = p.references[in.arg];
    FormulaVariable* w = Resolve(ref);
    in.memo = ref.memo;
    in.namesGeneration = static_cast<uint32_t>(namesGeneration_);
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

// Runs the frame's program from where it stands. The top of the stack lives
// in `top`, the k - 1 values below it in st[1..k-1] (st[0] takes what a push
// onto the empty stack moves down). An operation whose result may not be a
// finite number leaves the switch with `break` for the check after it; the
// others go on with `continue`. Built into each of its two callers: most
// variables are one short run, and the call would cost as much as the run.
[[gnu::always_inline]] inline double FormulaEvaluator::Run(FormulaFrame& f, const FormulaProgram& p,
                                                          double* const st, int pc, int k,
                                                          double top)
{
    const FormulaInstruction* const code = p.code.data();
    const FormulaInstruction* in = code + pc;
    Fetched y{}; // a right operand fetched from a variable

    // A fetch stopped the run: it ends with the error met, or stops at this
    // instruction to run it again once need_ has its value.
    auto stop = [&] {
        f.pc = static_cast<int>(in - code);
        f.k = k;
        f.top = top;
        return 0.0;
    };
    auto fail = [this](int error) {
        error_ = error;
        return 0.0;
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
            st[k++] = top;
            top = in->number;
            continue;
        case FormulaHandler::Variable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            st[k++] = top;
            top = y.value;
            continue;
        case FormulaHandler::Negate:
            top = -top;
            continue;

        case FormulaHandler::AddStack: top = st[--k] + top; break;
        case FormulaHandler::AddNumber: top += in->number; break;
        case FormulaHandler::AddVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            top += y.value;
            break;

        case FormulaHandler::SubtractStack: top = st[--k] - top; break;
        case FormulaHandler::SubtractNumber: top -= in->number; break;
        case FormulaHandler::SubtractVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            top -= y.value;
            break;

        case FormulaHandler::MultiplyStack: top = st[--k] * top; break;
        case FormulaHandler::MultiplyNumber: top *= in->number; break;
        case FormulaHandler::MultiplyVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            top *= y.value;
            break;

        case FormulaHandler::DivideStack:
            if (top == 0.0)
                return fail(FormulaError::DivisionByZero);
            top = st[--k] / top;
            break;
        case FormulaHandler::DivideNumber:
            if (in->number == 0.0)
                return fail(FormulaError::DivisionByZero);
            top /= in->number;
            break;
        case FormulaHandler::DivideVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            if (y.value == 0.0)
                return fail(FormulaError::DivisionByZero);
            top /= y.value;
            break;

        case FormulaHandler::PowerStack: {
            const double x = st[--k];
            if (!ApplyPower(x, top, top))
                return fail(FormulaError::NotFinite);
            continue;
        }
        case FormulaHandler::PowerNumber:
            if (!ApplyPower(top, in->number, top))
                return fail(FormulaError::NotFinite);
            continue;
        case FormulaHandler::PowerVariable:
            y = Fetch(*in, p);
            if (!y.ok)
                return stop();
            if (!ApplyPower(top, y.value, top))
                return fail(FormulaError::NotFinite);
            continue;

        case FormulaHandler::Function:
            if (!ApplyFunction(in->arg, top, top))
                return fail(FormulaError::NotFinite);
            continue;

        case FormulaHandler::BranchLess: branch(st[k - 1] < top); continue;
        case FormulaHandler::BranchLessEqual: branch(st[k - 1] <= top); continue;
        case FormulaHandler::BranchEqual: branch(st[k - 1] == top); continue;
        case FormulaHandler::BranchGreater: branch(st[k - 1] > top); continue;
        case FormulaHandler::BranchGreaterEqual: branch(st[k - 1] >= top); continue;
        case FormulaHandler::BranchNotEqual: branch(st[k - 1] != top); continue;
        case FormulaHandler::Jump:
            in = code + in->target - 1;
            continue;
        case FormulaHandler::Collapse: // keep the top of the last arg values
            k -= in->arg - 1;
            continue;
        case FormulaHandler::Return:
            error_ = 0;
            return top;
        case FormulaHandler::Malformed:
            return fail(FormulaError::Malformed);
        default:
            Q_UNREACHABLE();
        }
        if (!std::isfinite(top)) [[unlikely]]
            return fail(FormulaError::NotFinite);
    }
}
