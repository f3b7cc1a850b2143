#pragma once
// The built-in functions of the formula language: names, ids and what they
// compute. Every variable table registers the same 15 entries; the formula
// edit control reads the entries to colour function names.
#include <QString>
#include <QStringView>

#include <array>
#include <cmath>
#include <cstdint>

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

namespace FunctionDetail {

inline constexpr double kPi = 3.141592653589793;

// Truncation toward zero to a 32-bit integer, refused outside its range.
inline bool TruncateToInt32(double v, double& result)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    result = static_cast<double>(static_cast<int32_t>(v));
    return true;
}

// tg has its poles at odd multiples of 90 degrees, ctg at multiples of 180.
// The double nearest to 90·π/180 is not the pole itself, so the degrees are
// tested exactly.
inline bool AtTangentPole(double degrees)
{
    return std::fmod(std::fabs(degrees), 180.0) == 90.0;
}

inline bool AtCotangentPole(double degrees)
{
    return std::fmod(degrees, 180.0) == 0.0;
}

} // namespace FunctionDetail

// The value of function id (21 to 34 but 25) at x. False when the result is
// not a finite number, at a pole of tg or ctg, or, for round and trunc,
// outside the 32-bit integer range. Inline, so that evaluation computes a
// known function without a call.
inline bool ApplyFunction(int id, double x, double& result)
{
    using namespace FunctionDetail;
    double r = 0.0;
    switch (id) {
    case FunctionId::Sin: r = std::sin(x * kPi / 180.0); break;
    case FunctionId::Cos: r = std::cos(x * kPi / 180.0); break;
    case FunctionId::Tg:
        if (AtTangentPole(x))
            return false;
        r = std::tan(x * kPi / 180.0);
        break;
    case FunctionId::Ctg:
        if (AtCotangentPole(x))
            return false;
        r = 1.0 / std::tan(x * kPi / 180.0);
        break;
    case FunctionId::Round: return TruncateToInt32(x + 0.5, result);
    case FunctionId::Trunc: return TruncateToInt32(x, result);
    case FunctionId::Abs: r = std::fabs(x); break;
    case FunctionId::Rad: r = x * kPi / 180.0; break;
    case FunctionId::Asin: r = std::asin(x) * 180.0 / kPi; break;
    case FunctionId::Acos: r = std::acos(x) * 180.0 / kPi; break;
    case FunctionId::Atg: r = std::atan(x) * 180.0 / kPi; break;
    case FunctionId::Actg: r = x == 0.0 ? 0.0 : std::atan(1.0 / x) * 180.0 / kPi; break;
    case FunctionId::Deg: r = x * 180.0 / kPi; break;
    default: return false;
    }
    if (!std::isfinite(r))
        return false;
    result = r;
    return true;
}

// left ** right with the C library's pow; false when not finite. A square is
// the correctly rounded product, which pow need not be.
inline bool ApplyPower(double left, double right, double& result)
{
    const double r = right == 2.0 ? left * left : std::pow(left, right);
    if (!std::isfinite(r))
        return false;
    result = r;
    return true;
}
