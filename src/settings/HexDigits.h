#pragma once
// The upper-case hexadecimal digits; a digit's value is its position here.
#include <QStringView>

inline constexpr QStringView kHexDigits = u"0123456789ABCDEF";

inline constexpr QStringView HexDigits()
{
    return kHexDigits;
}
