#include "formula/FormulaProgram.h"

#include "formula/FunctionTable.h"

FormulaHandler HandlerOf(FormulaOp op, unsigned detail)
{
    auto offset = [](FormulaHandler first, unsigned by) {
        return static_cast<FormulaHandler>(static_cast<unsigned>(first) + by);
    };
    switch (op) {
    case FormulaOp::Number: return FormulaHandler::Number;
    case FormulaOp::Variable: return FormulaHandler::Variable;
    case FormulaOp::Negate: return FormulaHandler::Negate;
    case FormulaOp::Add:
    case FormulaOp::Subtract:
    case FormulaOp::Multiply:
    case FormulaOp::Divide:
    case FormulaOp::Power:
        if (detail > static_cast<unsigned>(FormulaOperand::Variable))
            break;
        return offset(FormulaHandler::AddStack,
                      3 * (static_cast<unsigned>(op) - static_cast<unsigned>(FormulaOp::Add))
                          + detail);
    case FormulaOp::Function:
        if (FunctionId::Sin + static_cast<int>(detail) > FunctionId::Deg)
            break;
        return FormulaHandler::Function;
    case FormulaOp::Branch:
        if (detail > static_cast<unsigned>(FormulaComparison::NotEqual))
            break;
        return offset(FormulaHandler::BranchLess, detail);
    case FormulaOp::Jump: return FormulaHandler::Jump;
    case FormulaOp::Collapse: return FormulaHandler::Collapse;
    case FormulaOp::Return: return FormulaHandler::Return;
    case FormulaOp::Malformed: break;
    }
    return FormulaHandler::Malformed;
}

void FuseVariableOperands(std::vector<FormulaInstruction>& code)
{
    for (size_t i = 0; i + 1 < code.size(); ++i) {
        FormulaInstruction& in = code[i];
        if (in.Op() != FormulaOp::Variable)
            continue;
        switch (code[i + 1].handler) {
        case FormulaHandler::AddNumber: in.handler = FormulaHandler::VariableAddNumber; break;
        case FormulaHandler::SubtractNumber: in.handler = FormulaHandler::VariableSubtractNumber; break;
        case FormulaHandler::MultiplyNumber: in.handler = FormulaHandler::VariableMultiplyNumber; break;
        case FormulaHandler::DivideNumber: in.handler = FormulaHandler::VariableDivideNumber; break;
        default: break;
        }
    }
}
