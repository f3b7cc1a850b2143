#pragma once
// The upper-case hexadecimal digits; a digit's value is its position here.
#include <QString>

inline const QString& HexDigits()
{
    static const QString digits = QStringLiteral("0123456789ABCDEF");
    return digits;
}
