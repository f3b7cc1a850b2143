#pragma once
// A parsed formula in the form evaluation walks: a flat postfix program over a
// value stack whose depth is known when the program is built. A conditional
// becomes its two comparison sides, a compare-and-branch, and its two
// branches; only the chosen branch runs. Every operand count is checked when
// the program is built: where a malformed formula would take a value from an
// empty stack, the program holds a Malformed instruction instead, so running
// a program needs no stack checks.
#include <QString>

#include <cstdint>
#include <vector>

class FormulaVariable;

enum class FormulaOp : uint8_t {
    Number,    // push `number`
    Variable,  // push the value of references[arg]
    Negate,    // top := -top
    // The binary operations take their left operand from the stack and their
    // right one as `detail` says (FormulaOperand).
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,     // left ** right
    Function,  // top := function arg (a FunctionId; detail 15 for one evaluation does not know) of top
    Branch,    // pop right, pop left; unless `left detail right` holds, go to target
    Jump,      // go to target
    Collapse,  // keep the top of the last arg values, drop the others
    Malformed, // stop: the formula lacks an operand or a part
    Return,    // stop: the top of the stack is the value (the last instruction)
};

// Where a binary operation finds its right operand: on the stack, in the
// instruction's `number`, or as the value of references[arg].
enum class FormulaOperand : uint8_t { Stack, Number, Variable };

// The comparison of a Branch instruction.
enum class FormulaComparison : uint8_t { Less, LessEqual, Equal, Greater, GreaterEqual, NotEqual };

// What evaluation does for an instruction: the operation with its operand
// kind or comparison, as one value to switch on.
enum class FormulaHandler : uint8_t {
    Number, Variable, Negate,
    AddStack, AddNumber, AddVariable,
    SubtractStack, SubtractNumber, SubtractVariable,
    MultiplyStack, MultiplyNumber, MultiplyVariable,
    DivideStack, DivideNumber, DivideVariable,
    PowerStack, PowerNumber, PowerVariable,
    Function,
    BranchLess, BranchLessEqual, BranchEqual, BranchGreater, BranchGreaterEqual, BranchNotEqual,
    Jump, Collapse, Malformed, Return,
    // A variable pushed for the number operation that follows it: both run
    // at one dispatch (the following instruction stays as it is, for a jump
    // that lands on it).
    VariableAddNumber, VariableSubtractNumber, VariableMultiplyNumber, VariableDivideNumber,
    DivideByZero, // a division by the number 0 (DivideNumber never has it)
};

// The handler of an operation with its detail; Malformed for a detail that
// the operation does not have (a function evaluation does not know).
FormulaHandler HandlerOf(FormulaOp op, unsigned detail);

struct FormulaMemo;

struct FormulaInstruction {
    // The operation in the low four bits, its operand kind or comparison
    // above them.
    uint8_t key = static_cast<uint8_t>(FormulaOp::Malformed);
    FormulaHandler handler = FormulaHandler::Malformed;
    uint16_t arg = 0; // reference index, function id or value count
    // A variable operand keeps the memo of the variable its name stood for
    // when the program's names were last resolved (FormulaProgram::
    // namesGeneration), so that evaluation need not look at the reference.
    union {
        double number = 0.0;          // Number, and a number operand
        int32_t target;               // Branch and Jump
        mutable const FormulaMemo* memo; // Variable, and a variable operand
    };

    FormulaOp Op() const { return static_cast<FormulaOp>(key & 15); }
    uint8_t Detail() const { return key >> 4; }
    // Whether the instruction takes the value of references[arg].
    bool NamesVariable() const
    {
        const FormulaOp op = Op();
        return op == FormulaOp::Variable
            || (op >= FormulaOp::Add && op <= FormulaOp::Power
                && Detail() == static_cast<uint8_t>(FormulaOperand::Variable));
    }
    void Set(FormulaOp op, uint8_t detail = 0)
    {
        key = static_cast<uint8_t>(static_cast<unsigned>(op) | detail << 4);
        handler = HandlerOf(op, detail);
    }
};

// Gives each variable instruction followed by an addition, subtraction,
// multiplication or division with a number the handler that runs both.
void FuseVariableOperands(std::vector<FormulaInstruction>& code);

struct FormulaUser;
using FormulaUsers = std::vector<FormulaUser>;

// The outcome of a variable's last evaluation and the table generation it
// belongs to (0: none), with the users of the variable's name (a table's
// variable; null otherwise). The table keeps these together, apart from the
// variables, so that evaluation and the stale marking read them from a few
// cache lines.
struct FormulaMemo {
    uint64_t generation = 0;
    double value = 0.0;
    int error = 0;
    FormulaUsers* users = nullptr;
};

// A variable name of the formula with the table's answer for it, kept until
// the table's names change.
struct FormulaReference {
    QString name;
    mutable FormulaVariable* target = nullptr; // as of the program's namesGeneration
    uint32_t userSlot = 0; // where the table lists this formula among the name's users
};

// The variables and formula texts whose formulas name one name, each with
// the index of that name among its references.
struct FormulaUser {
    FormulaVariable* variable;
    FormulaMemo* memo; // the variable's, for the stale marking
    uint32_t reference;
};

// Where the run of a variable's program stands while the variable it needs
// is evaluated first: the instruction, the number of values on the stack,
// the top value, and where its stack starts in the evaluator's value array.
struct FormulaFrame {
    FormulaVariable* var = nullptr;
    int pc = 0;
    int k = 0;
    double top = 0.0;
    size_t base = 0;
};

// What a run reads comes first: a variable keeps it on its first cache line.
struct FormulaProgram {
    std::vector<FormulaInstruction> code;
    // The table's names generation the variable operands were resolved in
    // (0: not yet); a run resolves them again first when the names changed.
    mutable uint64_t namesGeneration = 0;
    int maxDepth = 0; // the most values on the stack at any point
    std::vector<FormulaReference> references;
};
