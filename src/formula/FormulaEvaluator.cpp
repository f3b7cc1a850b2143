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

} // namespace

FormulaEvaluator::FormulaEvaluator(FormulaTable& table)
    : table_(table), generation_(table.generation_), namesGeneration_(table.namesGeneration_)
{
}

// Runs v and keeps its outcome. Outcomes do not depend on the chain they
// are met on: a variable that meets the chain lies on a cycle, and from the
// top it meets the cycle again at the latest at the same point. Only a chain
// too deep to follow is a matter of where the evaluation started.
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
    if (error != FormulaError::OutOfMemory || (depth_ == 0 && !walking_))
        *v.memo_ = {generation_, value, error};
    return error != 0 ? 0.0 : value;
}

FormulaVariable* FormulaEvaluator::Resolve(const FormulaReference& ref) const
{
    if (ref.namesGeneration != namesGeneration_) {
        ref.target = table_.FindFirst(ref.name);
        ref.memo = ref.target ? ref.target->memo_ : nullptr;
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
    if (in.namesGeneration == static_cast<uint32_t>(namesGeneration_) && in.memo != nullptr
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
    if (depth_ >= kWalkDepth && !walking_) {
        EvaluateDependencies(*w);
        if (w->memo_->generation == generation_)
            return {w->memo_->value, w->memo_->error};
    }
    w->onChain_ = true;
    ++depth_;
    const double value = EvaluateCold(*w);
    --depth_;
    w->onChain_ = false;
    return {value, w->error};
}

// The case label of an instruction: its operation with its operand kind or
// comparison, so that one jump reaches the code for both.
constexpr unsigned Key(FormulaOp op, int detail = 0)
{
    return static_cast<unsigned>(op) | detail << 4;
}
constexpr unsigned Key(FormulaOp op, FormulaOperand operand)
{
    return Key(op, static_cast<int>(operand));
}
constexpr unsigned Key(FormulaOp op, FormulaComparison comparison)
{
    return Key(op, static_cast<int>(comparison));
}

// The three forms of a binary operation: x is the left operand, y the right
// one taken from the stack, the instruction or a variable; COMPUTE sets r.
#define FORMULA_BINARY(OP, COMPUTE)                                        \
    case Key(FormulaOp::OP, FormulaOperand::Stack):                        \
        y = top;                                                           \
        x = st[--k];                                                       \
        COMPUTE;                                                           \
        break;                                                             \
    case Key(FormulaOp::OP, FormulaOperand::Number):                       \
        x = top;                                                           \
        y = in->number;                                                    \
        COMPUTE;                                                           \
        break;                                                             \
    case Key(FormulaOp::OP, FormulaOperand::Variable): {                   \
        const Outcome o = Fetch(*in, p);                                   \
        if (o.error != 0) {                                                \
            error = o.error;                                               \
            return 0.0;                                                    \
        }                                                                  \
        y = o.value;                                                       \
        x = top;                                                           \
    }                                                                      \
        COMPUTE;                                                           \
        break;

#define FORMULA_BRANCH(COMPARISON, HOLDS)                                  \
    case Key(FormulaOp::Branch, FormulaComparison::COMPARISON): {          \
        const double right = top;                                          \
        const double left = st[k - 1];                                     \
        k -= 2;                                                            \
        top = st[k];                                                       \
        if (!(HOLDS))                                                      \
            in = code + in->target - 1;                                    \
        continue;                                                          \
    }

// A function, whose id the key carries as its distance from the first.
#define FORMULA_FUNCTION(NAME)                                             \
    case Key(FormulaOp::Function, FunctionId::NAME - FunctionId::Sin):     \
        if (!ApplyFunction(FunctionId::NAME, top, r))                      \
            r = NAN;                                                       \
        break;

// Runs a program on a stack of p.maxDepth values.
double FormulaEvaluator::Run(const FormulaProgram& p, double* st, int& error)
{
    // The top of the stack lives in `top`; the k - 1 values below it in
    // st[1..k-1] (st[0] takes what a push onto the empty stack moves down).
    const FormulaInstruction* const code = p.code.data();
    const FormulaInstruction* const end = code + p.code.size();
    int k = 0;
    double top = 0.0;
    for (const FormulaInstruction* in = code; in != end; ++in) {
        double r, x, y;
        switch (in->key) {
        case Key(FormulaOp::Number):
            st[k++] = top;
            top = in->number;
            continue;
        case Key(FormulaOp::Variable): {
            const Outcome o = Fetch(*in, p);
            if (o.error != 0) {
                error = o.error;
                return 0.0;
            }
            st[k++] = top;
            top = o.value;
            continue;
        }
        case Key(FormulaOp::Negate):
            top = -top;
            continue;
        FORMULA_BINARY(Add, r = x + y)
        FORMULA_BINARY(Subtract, r = x - y)
        FORMULA_BINARY(Multiply, r = x * y)
        FORMULA_BINARY(Divide, if (y == 0.0) {
            error = FormulaError::DivisionByZero;
            return 0.0;
        } r = x / y)
        FORMULA_BINARY(Power, if (!ApplyPower(x, y, r)) r = NAN)
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
        case Key(FormulaOp::Jump):
            in = code + in->target - 1;
            continue;
        case Key(FormulaOp::Collapse):
            k -= in->arg - 1;
            continue;
        default:
            error = FormulaError::Malformed;
            return 0.0;
        }
        // An arithmetic result replaces the top of the stack.
        if (!std::isfinite(r)) {
            error = FormulaError::NotFinite;
            return 0.0;
        }
        top = r;
    }
    error = 0;
    return top;
}

#undef FORMULA_FUNCTION
#undef FORMULA_BINARY
#undef FORMULA_BRANCH
