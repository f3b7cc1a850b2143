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
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,     // left ** right
    Function,  // top := function arg (FunctionId) of top
    Branch,    // pop right, pop left; unless `left detail right` holds, go to arg
    Jump,      // go to arg
    Collapse,  // keep the top of the last arg values, drop the others
    Malformed, // stop: the formula lacks an operand or a part
};

// The comparison of a Branch instruction.
enum class FormulaComparison : uint8_t { Less, LessEqual, Equal, Greater, GreaterEqual, NotEqual };

struct FormulaInstruction {
    FormulaOp op = FormulaOp::Malformed;
    uint8_t detail = 0;
    int32_t arg = 0;
    double number = 0.0;
};

// A variable name of the formula with the table's answer for it, kept until
// the table's names change.
struct FormulaReference {
    QString name;
    mutable FormulaVariable* target = nullptr;
    mutable uint64_t namesGeneration = 0; // 0: not resolved yet
};

struct FormulaProgram {
    std::vector<FormulaInstruction> code;
    std::vector<FormulaReference> references;
    int maxDepth = 0; // the most values on the stack at any point

    void Clear()
    {
        code.clear();
        references.clear();
        maxDepth = 0;
    }
};
