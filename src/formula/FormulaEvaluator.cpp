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

// Only circular references and references to variables that depend on one
// recurse; a chain of them deeper than this fails as out of memory.
constexpr int kMaxReferenceDepth = 1000;
// Value stack slots kept on the machine stack; deeper formulas allocate.
constexpr int kInlineStack = 16;

bool Holds(uint8_t comparison, double left, double right)
{
    switch (static_cast<FormulaComparison>(comparison)) {
    case FormulaComparison::Less: return left < right;
    case FormulaComparison::LessEqual: return left <= right;
    case FormulaComparison::Equal: return left == right;
    case FormulaComparison::Greater: return left > right;
    case FormulaComparison::GreaterEqual: return left >= right;
    case FormulaComparison::NotEqual: return left != right;
    }
    return false;
}

// Outcomes that depend on the chain of variables they were met on.
bool DependsOnChain(int error)
{
    return error == FormulaError::Circular || error == FormulaError::OutOfMemory;
}

} // namespace

bool FormulaEvaluator::IsCurrent(const FormulaVariable& v) const
{
    return v.memoGeneration_ == table_.generation_;
}

double FormulaEvaluator::Evaluate(FormulaVariable& v)
{
    if (IsCurrent(v)) {
        v.error = v.memoError_;
        return v.memoError_ != 0 ? 0.0 : v.memoValue_;
    }
    EvaluateDependencies(v);
    return EvaluateCold(v);
}

// Evaluates, deepest first, every variable that v reaches through its
// references and that has no outcome for this generation, so that v's own run
// finds them ready. Variables on the chain are left alone.
void FormulaEvaluator::EvaluateDependencies(FormulaVariable& v)
{
    auto isCold = [this](const FormulaVariable* w) {
        return w != nullptr && !IsCurrent(*w) && !w->onChain_;
    };
    bool anyCold = false;
    for (const FormulaReference& ref : v.program_.references)
        anyCold = anyCold || isCold(Resolve(ref));
    if (!anyCold)
        return;

    struct Frame {
        FormulaVariable* var;
        size_t next;
    };
    const uint64_t mark = ++table_.walkCounter_;
    v.walkMark_ = mark;
    std::vector<Frame> stack{{&v, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        const std::vector<FormulaReference>& refs = top.var->program_.references;
        if (top.next < refs.size()) {
            FormulaVariable* w = Resolve(refs[top.next++]);
            if (isCold(w) && w->walkMark_ != mark) {
                w->walkMark_ = mark;
                stack.push_back({w, 0});
            }
            continue;
        }
        FormulaVariable* done = top.var;
        stack.pop_back();
        if (done != &v && !IsCurrent(*done))
            EvaluateCold(*done);
    }
}

double FormulaEvaluator::EvaluateCold(FormulaVariable& v)
{
    int error = 0;
    const double value = Run(v, error);
    v.error = error;
    if (!DependsOnChain(error)) {
        v.memoGeneration_ = table_.generation_;
        v.memoValue_ = value;
        v.memoError_ = error;
    }
    return error != 0 ? 0.0 : value;
}

FormulaVariable* FormulaEvaluator::Resolve(const FormulaReference& ref) const
{
    if (ref.namesGeneration != table_.namesGeneration_) {
        ref.target = table_.FindFirst(ref.name);
        ref.namesGeneration = table_.namesGeneration_;
    }
    return ref.target;
}

int FormulaEvaluator::Reference(const FormulaReference& ref, double& value)
{
    FormulaVariable* w = Resolve(ref);
    if (w == nullptr) {
        value = 0.0; // a name that is no variable counts as 0
        table_.missingNames_.insert(ref.name);
        return 0;
    }
    if (IsCurrent(*w)) {
        value = w->memoValue_;
        return w->memoError_;
    }
    if (w->onChain_)
        return FormulaError::Circular;
    if (depth_ >= kMaxReferenceDepth)
        return FormulaError::OutOfMemory;
    w->onChain_ = true;
    ++depth_;
    value = EvaluateCold(*w);
    --depth_;
    w->onChain_ = false;
    return w->error;
}

double FormulaEvaluator::Run(const FormulaVariable& v, int& error)
{
    if (v.parseError_ != 0) {
        error = v.parseError_;
        return 0.0;
    }
    if (v.isConstant_) {
        error = 0;
        return v.constValue_;
    }
    const FormulaProgram& p = v.program_;
    double inlineStack[kInlineStack];
    std::unique_ptr<double[]> heapStack;
    double* st = inlineStack;
    if (p.maxDepth > kInlineStack) {
        heapStack.reset(new (std::nothrow) double[p.maxDepth]);
        if (!heapStack) {
            error = FormulaError::OutOfMemory;
            return 0.0;
        }
        st = heapStack.get();
    }

    auto fail = [&error](int code) {
        error = code;
        return 0.0;
    };
    const FormulaInstruction* code = p.code.data();
    const int n = static_cast<int>(p.code.size());
    int sp = 0;
    for (int pc = 0; pc < n; ++pc) {
        const FormulaInstruction& in = code[pc];
        switch (in.op) {
        case FormulaOp::Number:
            st[sp++] = in.number;
            break;
        case FormulaOp::Variable: {
            double value = 0.0;
            if (const int e = Reference(p.references[in.arg], value); e != 0)
                return fail(e);
            st[sp++] = value;
            break;
        }
        case FormulaOp::Negate:
            st[sp - 1] = -st[sp - 1];
            break;
        case FormulaOp::Add:
        case FormulaOp::Subtract:
        case FormulaOp::Multiply:
        case FormulaOp::Divide: {
            --sp;
            const double x = st[sp - 1];
            const double y = st[sp];
            double r;
            if (in.op == FormulaOp::Add) {
                r = x + y;
            } else if (in.op == FormulaOp::Subtract) {
                r = x - y;
            } else if (in.op == FormulaOp::Multiply) {
                r = x * y;
            } else {
                if (y == 0.0)
                    return fail(FormulaError::DivisionByZero);
                r = x / y;
            }
            if (!std::isfinite(r))
                return fail(FormulaError::NotFinite);
            st[sp - 1] = r;
            break;
        }
        case FormulaOp::Power:
            --sp;
            if (!ApplyPower(st[sp - 1], st[sp], st[sp - 1]))
                return fail(FormulaError::NotFinite);
            break;
        case FormulaOp::Function:
            if (!ApplyFunction(in.arg, st[sp - 1], st[sp - 1]))
                return fail(FormulaError::NotFinite);
            break;
        case FormulaOp::Branch:
            sp -= 2;
            if (!Holds(in.detail, st[sp], st[sp + 1]))
                pc = in.arg - 1;
            break;
        case FormulaOp::Jump:
            pc = in.arg - 1;
            break;
        case FormulaOp::Collapse:
            st[sp - in.arg] = st[sp - 1];
            sp -= in.arg - 1;
            break;
        case FormulaOp::Malformed:
            return fail(FormulaError::Malformed);
        }
    }
    error = 0;
    return st[0];
}
