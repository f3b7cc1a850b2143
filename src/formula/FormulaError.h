#pragma once
// The error codes of formula parsing and evaluation, and of the operations of
// the variable table. The table reuses some of them with a meaning of its own
// (2, 3 and 4); the variable dialogs show the code in their messages.

namespace FormulaError {

inline constexpr int None = 0;
// Out of memory for a token, a tree node or the value stack; also a formula
// too long to parse or a chain of variable references too deep to follow.
inline constexpr int OutOfMemory = 1;
// Evaluation: division by zero.
inline constexpr int DivisionByZero = 2;
// Table: the variable is protected and deletion was not forced.
inline constexpr int Protected = 2;
// Table: no variable of that name.
inline constexpr int NoSuchVariable = 3;
// Table: a variable of that name exists, or a typed name contains "if",
// "then" or "else", which formulas can never refer to.
inline constexpr int NameExists = 4;
// Parse: the formula is empty after comment and blank removal.
inline constexpr int Empty = 5;
// Parse: ")" without a matching "(".
inline constexpr int UnmatchedClose = 6;
// Parse: "(" not closed.
inline constexpr int UnclosedOpen = 7;
// Evaluation: a variable's value needs its own value.
inline constexpr int Circular = 8;
// Evaluation: an operator lacks an operand, or a conditional lacks its
// comparison, "then", "else" or one of its parts. Parse: a condition side or
// then-branch holds an operator, a function or a conditional outside
// parentheses ('if A*2>B then 1 else 2'); such a formula does not parse.
inline constexpr int Malformed = 9;
// Evaluation: a result that is not a finite number (a pole such as ctg(0) or
// tg(90), asin(2), a negative base to a fractional power, an overflow), or a
// round or trunc beyond the 32-bit integer range.
inline constexpr int NotFinite = 10;

} // namespace FormulaError
