#pragma once
// Numbers read in place from narrow text (ASCII, UTF-8 or a code page: only
// ASCII takes part in a number), as readLeadingDouble reads them from wide
// text (platform/CFormat.h): a reader of a large file parses its bytes
// without widening them first.
#include <QByteArrayView>

#include <cstdint>

namespace platform {

// readLeadingDouble for any number: the full conversion.
[[nodiscard]] qsizetype readLeadingDoubleInFull(QByteArrayView text, double& value);

// The leading number as wtof reads it, into value; returns its length
// including the white space it skips, 0 (and value 0.0) when there is none.
// The common plain decimal ("-123.456": at most 19 digits, a mantissa up to
// 2^53, at most 22 decimals, no exponent) is read here in one pass: the
// quotient of two exact doubles is rounded once, as the full conversion
// rounds. Anything else takes the full conversion.
[[nodiscard]] inline qsizetype readLeadingDouble(QByteArrayView text, double& value)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end && (*p == ' ' || (*p >= 0x09 && *p <= 0x0D)))
        ++p;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    // At most 19 digits (leading zeros included) cannot overflow; the
    // counts come from the places, not from counters in the loops.
    std::uint64_t mantissa = 0;
    const char* const integer = p;
    for (; p != end && static_cast<unsigned char>(*p - '0') <= 9; ++p)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    qsizetype digits = p - integer, decimals = 0;
    if (p != end && *p == '.') {
        const char* const fraction = p + 1;
        const char* q = fraction;
        for (; q != end && static_cast<unsigned char>(*q - '0') <= 9; ++q)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*q - '0');
        decimals = q - fraction;
        digits += decimals;
        if (digits > 0)
            p = q;
    }
    if (digits > 0 && digits <= 19 && (p == end || (*p != 'e' && *p != 'E')) && mantissa <= (std::uint64_t{1} << 53)
        && decimals <= 22) [[likely]] {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        value = static_cast<double>(mantissa);
        if (decimals != 0)
            value /= kPowers[decimals];
        if (negative)
            value = -value;
        return p - begin;
    }
    return readLeadingDoubleInFull(text, value);
}

} // namespace platform
