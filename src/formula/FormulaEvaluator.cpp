#include "formula/FormulaEvaluator.h"

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace {

// From this depth of references on, the dependencies of a variable are
// evaluated bottom-up before it; beyond the limit (only circular references
// and what depends on them get there) evaluation fails as out of memory.
constexpr int kWalkDepth = 64;
constexpr int kMaxReferenceDepth = 1000;
// Value stack slots kept on the machine stack; deeper formulas allocate.
constexpr int kInlineStack = 16;
// The memo a name that is no variable resolves to: never current.
const FormulaMemo kNoVariable;

} // namespace

FormulaEvaluator::FormulaEvaluator(FormulaTable& table)
    : table_(table), generation_(table.generation_), namesGeneration_(table.namesGeneration_),
      provisional_(table.provisionalMemos_)
{
}

// Runs v and keeps its outcome. Outcomes do not depend on the chain they
// are met on: a variable that meets the chain lies on a cycle, and from the
// top it meets the cycle again at the latest at the same point. Only a chain
// too deep to follow is a matter of where the evaluation started, and a
// circular reference met by EvaluateDependencies, which evaluates variables
// beside the chain rather than on it (see Reference).
double FormulaEvaluator::EvaluateCold(FormulaVariable& v)
{
    int error = 0;
    double value = 0.0;
    if (v.parseError_ != 0) {
        error = v.parseError_;
    } else if (v.isConstant_) {
        value = v.constValue_;
    } else if (v.program_.maxDepth <= kInlineStack) {
        double stack[kInlineStack];
        value = Run(v.program_, stack, error);
    } else {
        std::unique_ptr<double[]> stack(new (std::nothrow) double[v.program_.maxDepth]);
        if (stack)
            value = Run(v.program_, stack.get(), error);
        else
            error = FormulaError::OutOfMemory;
    }
    v.error = error;
    if (error == 0) [[likely]] {
        *v.memo_ = {generation_, value, 0};
        return value;
    }
    KeepFailure(v, error);
    return 0.0;
}

void FormulaEvaluator::KeepFailure(FormulaVariable& v, int error)
{
    if (error == FormulaError::OutOfMemory && (depth_ != 0 || walking_))
        return;
    *v.memo_ = {generation_, 0.0, error};
    if (error == FormulaError::Circular && walking_)
        provisional_.push_back(v.memo_);
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

// Evaluates, deepest first, every variable that v reaches through its
// references and that has no outcome for this generation, so that v's own run
// finds them ready. Variables on the chain are left alone.
void FormulaEvaluator::EvaluateDependencies(FormulaVariable& v)
{
    struct Frame {
        FormulaVariable* var;
        size_t next;
    };
    walking_ = true;
    const uint64_t mark = ++table_.walkCounter_;
    v.walkMark_ = mark;
    std::vector<Frame> stack{{&v, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        const std::vector<FormulaReference>& refs = top.var->program_.references;
        if (top.next < refs.size()) {
            FormulaVariable* w = Resolve(refs[top.next++]);
            if (w != nullptr && w->walkMark_ != mark && w->memo_->generation != generation_
                && !w->onChain_) {
                w->walkMark_ = mark;
                stack.push_back({w, 0});
            }
            continue;
        }
        FormulaVariable* done = top.var;
        stack.pop_back();
        if (done != &v && done->memo_->generation != generation_)
            EvaluateCold(*done);
    }
    walking_ = false;
}

inline FormulaEvaluator::Outcome FormulaEvaluator::Fetch(const FormulaInstruction& in,
                                                         const FormulaProgram& p)
{
    if (in.namesGeneration == static_cast<uint32_t>(namesGeneration_)
        && in.memo->generation == generation_)
        return {in.memo->value, in.memo->error};
    const FormulaReference& ref = p.references[in.arg];
    FormulaVariable* w = Resolve(ref);
    in.memo = ref.memo;
    in.namesGeneration = static_cast<uint32_t>(namesGeneration_);
    if (w != nullptr && w->memo_->generation == generation_)
        return {w->memo_->value, w->memo_->error};
    return Reference(w, ref.name);
}

// The value of a referenced variable w that has no outcome for this
// generation; returns its error (the caller takes it on).
FormulaEvaluator::Outcome FormulaEvaluator::Reference(FormulaVariable* w, const QString& name)
{
    if (w == nullptr) {
        table_.missingNames_.insert(name); // a name that is no variable counts as 0
        return {0.0, 0};
    }
    if (w->onChain_)
        return {0.0, FormulaError::Circular};
    if (depth_ >= kMaxReferenceDepth)
        return {0.0, FormulaError::OutOfMemory};
    if (depth_ < kWalkDepth || walking_)
        return RunOnChain(*w);
    return ReferenceAtDepth(*w);
}

// A long chain: what w needs is evaluated bottom-up first. Kept out of
// Reference, which runs for every reference and must stay small.
FormulaEvaluator::Outcome FormulaEvaluator::ReferenceAtDepth(FormulaVariable& w)
{
    const size_t provisional = provisional_.size();
    EvaluateDependencies(w);
    const Outcome outcome = w.memo_->generation == generation_ ? Outcome{w.memo_->value, w.memo_->error}
                                                               : RunOnChain(w);
    // A circular reference the walk met holds while the chain it met stays
    // as it is: the walk also follows names the evaluation may never reach
    // (a branch not taken, a name after an error), so once w is done those
    // variables are evaluated again when asked for.
    for (size_t i = provisional; i < provisional_.size(); ++i)
        provisional_[i]->generation = 0;
    provisional_.resize(provisional);
    return outcome;
}

// Runs w with it marked as on the chain of references being followed.
FormulaEvaluator::Outcome FormulaEvaluator::RunOnChain(FormulaVariable& w)
{
    w.onChain_ = true;
    ++depth_;
    const double value = EvaluateCold(w);
    --depth_;
    w.onChain_ = false;
    return {value, w.error};
}

// Running a program is threaded: each handler ends in its own jump to the
// next instruction's handler, so the processor learns the likely successor
// of each operation.
#define FORMULA_NEXT()                                                      \
    do {                                                                    \
        ++in;                                                               \
        goto* kHandlers[static_cast<unsigned>(in->handler)];                \
    } while (0)

// An arithmetic result replaces the top of the stack; one that is not a
// finite number stops the evaluation.
#define FORMULA_RESULT(VALUE)                                               \
    do {                                                                    \
        const double result_ = (VALUE);                                     \
        if (!std::isfinite(result_)) {                                      \
            error = FormulaError::NotFinite;                                \
            return 0.0;                                                     \
        }                                                                   \
        top = result_;                                                      \
        FORMULA_NEXT();                                                     \
    } while (0)

// The right operand of a binary operation from a variable.
#define FORMULA_FETCH(INTO)                                                 \
    do {                                                                    \
        const Outcome o_ = Fetch(*in, p);                                   \
        if (o_.error != 0) {                                                \
            error = o_.error;                                               \
            return 0.0;                                                     \
        }                                                                   \
        INTO = o_.value;                                                    \
    } while (0)

// The three forms of a binary operation: x is the left operand, y the right
// one from the stack, the instruction or a variable.
#define FORMULA_BINARY(OP, COMPUTE)                                         \
    h_##OP##Stack : {                                                       \
        const double y = top;                                               \
        const double x = st[--k];                                           \
        COMPUTE;                                                            \
    }                                                                       \
    h_##OP##Number : {                                                      \
        const double x = top;                                               \
        const double y = in->number;                                        \
        COMPUTE;                                                            \
    }                                                                       \
    h_##OP##Variable : {                                                    \
        double y;                                                           \
        FORMULA_FETCH(y);                                                   \
        const double x = top;                                               \
        COMPUTE;                                                            \
    }

#define FORMULA_FUNCTION(NAME)                                              \
    h_##NAME : {                                                            \
        double r_;                                                          \
        FORMULA_RESULT(ApplyFunction(FunctionId::NAME, top, r_) ? r_ : NAN); \
    }

#define FORMULA_BRANCH(NAME, HOLDS)                                         \
    h_Branch##NAME : {                                                      \
        const double right = top;                                           \
        const double left = st[k - 1];                                      \
        k -= 2;                                                             \
        top = st[k];                                                        \
        if (!(HOLDS))                                                       \
            in = code + in->target - 1;                                     \
        FORMULA_NEXT();                                                     \
    }

// Runs a program on a stack of p.maxDepth values.
double FormulaEvaluator::Run(const FormulaProgram& p, double* st, int& error)
{
    static const void* const kHandlers[] = {
#define FORMULA_HANDLER_LABEL(name) &&h_##name,
        FORMULA_HANDLERS(FORMULA_HANDLER_LABEL)
#undef FORMULA_HANDLER_LABEL
    };

    // The top of the stack lives in `top`; the k - 1 values below it in
    // st[1..k-1] (st[0] takes what a push onto the empty stack moves down).
    const FormulaInstruction* const code = p.code.data();
    const FormulaInstruction* in = code;
    int k = 0;
    double top = 0.0;
    goto* kHandlers[static_cast<unsigned>(in->handler)];

h_Number:
    st[k++] = top;
    top = in->number;
    FORMULA_NEXT();
h_Variable: {
    double value;
    FORMULA_FETCH(value);
    st[k++] = top;
    top = value;
    FORMULA_NEXT();
}
h_Negate:
    top = -top;
    FORMULA_NEXT();
    FORMULA_BINARY(Add, FORMULA_RESULT(x + y))
    FORMULA_BINARY(Subtract, FORMULA_RESULT(x - y))
    FORMULA_BINARY(Multiply, FORMULA_RESULT(x * y))
    FORMULA_BINARY(Divide, if (y == 0.0) {
        error = FormulaError::DivisionByZero;
        return 0.0;
    } FORMULA_RESULT(x / y))
    FORMULA_BINARY(Power, double r_; FORMULA_RESULT(ApplyPower(x, y, r_) ? r_ : NAN))
    FORMULA_FUNCTION(Sin)
    FORMULA_FUNCTION(Cos)
    FORMULA_FUNCTION(Tg)
    FORMULA_FUNCTION(Ctg)
    FORMULA_FUNCTION(Round)
    FORMULA_FUNCTION(Trunc)
    FORMULA_FUNCTION(Abs)
    FORMULA_FUNCTION(Rad)
    FORMULA_FUNCTION(Asin)
    FORMULA_FUNCTION(Acos)
    FORMULA_FUNCTION(Atg)
    FORMULA_FUNCTION(Actg)
    FORMULA_FUNCTION(Deg)
    FORMULA_BRANCH(Less, left < right)
    FORMULA_BRANCH(LessEqual, left <= right)
    FORMULA_BRANCH(Equal, left == right)
    FORMULA_BRANCH(Greater, left > right)
    FORMULA_BRANCH(GreaterEqual, left >= right)
    FORMULA_BRANCH(NotEqual, left != right)
h_Jump:
    in = code + in->target - 1;
    FORMULA_NEXT();
h_Collapse:
    k -= in->arg - 1;
    FORMULA_NEXT();
h_Return:
    error = 0;
    return top;
h_Malformed:
    error = FormulaError::Malformed;
    return 0.0;
}

#undef FORMULA_NEXT
#undef FORMULA_RESULT
#undef FORMULA_FETCH
#undef FORMULA_BINARY
#undef FORMULA_FUNCTION
#undef FORMULA_BRANCH
