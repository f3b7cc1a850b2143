#include "formula/FunctionTable.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.141592653589793;

// Truncation toward zero to a 32-bit integer, refused outside its range.
bool TruncateToInt32(double v, double& result)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    result = static_cast<double>(static_cast<int32_t>(v));
    return true;
}

// tg has its poles at odd multiples of 90 degrees, ctg at multiples of 180.
// The double nearest to 90·π/180 is not the pole itself, so the degrees are
// tested exactly.
bool AtTangentPole(double degrees)
{
    return std::fmod(std::fabs(degrees), 180.0) == 90.0;
}

bool AtCotangentPole(double degrees)
{
    return std::fmod(degrees, 180.0) == 0.0;
}

} // namespace

void FunctionTable::Add(const QString& name, int id, int length)
{
    if (count_ >= kCapacity)
        return;
    FunctionEntry& e = entries_[count_++];
    e.name = name;
    e.id = id;
    e.length = length == -1 ? static_cast<int>(name.size()) + 1 : length;
    if (name.size() > longestName_)
        longestName_ = static_cast<int>(name.size());
}

void FunctionTable::AddBuiltIns()
{
    Add(QStringLiteral("sin"), FunctionId::Sin);
    Add(QStringLiteral("cos"), FunctionId::Cos);
    Add(QStringLiteral("tg"), FunctionId::Tg);
    Add(QStringLiteral("ctg"), FunctionId::Ctg);
    Add(QStringLiteral("**"), FunctionId::Power);
    Add(QStringLiteral("round"), FunctionId::Round);
    Add(QStringLiteral("trunc"), FunctionId::Trunc);
    Add(QStringLiteral("abs"), FunctionId::Abs);
    Add(QStringLiteral("rad"), FunctionId::Rad);
    Add(QStringLiteral("asin"), FunctionId::Asin);
    Add(QStringLiteral("acos"), FunctionId::Acos);
    Add(QStringLiteral("atg"), FunctionId::Atg);
    Add(QStringLiteral("actg"), FunctionId::Actg);
    Add(QStringLiteral("deg"), FunctionId::Deg);
    Add(QStringLiteral("if"), FunctionId::If);
}

int FunctionTable::IdOf(QStringView name) const
{
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].name == name)
            return entries_[i].id;
    }
    return 0;
}

bool ApplyFunction(int id, double x, double& result)
{
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

bool ApplyPower(double left, double right, double& result)
{
    const double r = std::pow(left, right);
    if (!std::isfinite(r))
        return false;
    result = r;
    return true;
}
