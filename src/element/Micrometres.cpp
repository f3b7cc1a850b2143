#include "element/Micrometres.h"

#include <cmath>
#include <limits>

namespace nodeunits {

std::optional<int32_t> TruncateMicrometres(double micrometres)
{
    if (!std::isfinite(micrometres))
        return std::nullopt;
    const double t = std::trunc(micrometres);
    if (t < static_cast<double>(std::numeric_limits<int32_t>::min())
        || t > static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(t);
}

std::optional<int32_t> AddMicrometres(int32_t stored, int64_t change)
{
    constexpr int64_t kLimit = int64_t{1} << 40;
    if (change > kLimit || change < -kLimit)
        return std::nullopt;
    const int64_t sum = static_cast<int64_t>(stored) + change;
    if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(sum);
}

int32_t SaturatedMicrometres(double millimetres)
{
    const double um = millimetres * 1000.0;
    if (std::isnan(um))
        return 0;
    if (um <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (um >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(um);
}

} // namespace nodeunits
