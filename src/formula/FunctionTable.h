#pragma once
// The built-in functions of the formula language: names, ids and what they
// compute. Every variable table registers the same 15 entries; the formula
// edit control reads the entries to colour function names.
#include <QString>
#include <QStringView>

#include <array>

// Function ids as parse trees and compiled formulas carry them.
namespace FunctionId {
inline constexpr int Sin = 21;
inline constexpr int Cos = 22;
inline constexpr int Tg = 23;
inline constexpr int Ctg = 24;
inline constexpr int Power = 25; // "**", between its operands
inline constexpr int Round = 26;
inline constexpr int Trunc = 27;
inline constexpr int Abs = 28;
inline constexpr int Rad = 29;
inline constexpr int Asin = 30;
inline constexpr int Acos = 31;
inline constexpr int Atg = 32;
inline constexpr int Actg = 33;
inline constexpr int Deg = 34;
inline constexpr int If = 40; // the conditional, never evaluated as a function
} // namespace FunctionId

struct FunctionEntry {
    QString name;
    int id = 0;
    int length = 0; // the name's length plus one
};

class FunctionTable {
public:
    static constexpr int kCapacity = 30;

    // Appends an entry; a length of -1 stores the name's length plus one.
    // Registrations beyond the capacity are ignored.
    void Add(const QString& name, int id, int length = -1);
    // Registers the 15 functions of the language in their order.
    void AddBuiltIns();

    int Count() const { return count_; }
    const FunctionEntry& Entry(int i) const { return entries_[i]; }
    // The id of the function of exactly that name, 0 when none.
    int IdOf(QStringView name) const;
    // The longest registered name (for prefix scans).
    int LongestName() const { return longestName_; }

private:
    std::array<FunctionEntry, kCapacity> entries_;
    int count_ = 0;
    int longestName_ = 0;
};

// The value of function id (21 to 34 but 25) at x. False when the result is
// not a finite number, at a pole of tg or ctg, or, for round and trunc,
// outside the 32-bit integer range.
bool ApplyFunction(int id, double x, double& result);
// left ** right with the C library's pow; false when not finite.
bool ApplyPower(double left, double right, double& result);
