#pragma once
// Node positions are stored as whole micrometres in int32: millimetres times
// 1000, truncated towards zero. A value that is not finite, or whose
// micrometres do not fit an int32, has no stored form: the conversions that
// store return nothing for it and the caller refuses the change.
#include <cstdint>
#include <optional>

namespace nodeunits {

// Micrometres (already scaled) truncated towards zero, when they fit an int32.
std::optional<int32_t> TruncateMicrometres(double micrometres);

// Millimetres to stored micrometres, when they fit.
inline std::optional<int32_t> ToMicrometres(double millimetres)
{
    return TruncateMicrometres(millimetres * 1000.0);
}

// The sum of a stored coordinate and a change, when it fits.
std::optional<int32_t> AddMicrometres(int32_t stored, int64_t change);

// For queries that must answer with a number: millimetres times 1000
// truncated, held at the int32 limits; not a number gives 0.
int32_t SaturatedMicrometres(double millimetres);

} // namespace nodeunits
