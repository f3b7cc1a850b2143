#pragma once
// White-space trimming as the C run-time's wide white-space test sees it:
// blank, tab, line feed, vertical tab, form feed and carriage return only.
// Settings files are read with this test so that a non-breaking space or any
// other character of the code page stays part of a key or value.
#include <QString>
#include <QStringView>

namespace support {

inline bool IsCrtSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}

inline QStringView TrimLeft(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsCrtSpace(text[i]))
        ++i;
    return text.mid(i);
}

inline QStringView TrimRight(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && IsCrtSpace(text[n - 1]))
        --n;
    return text.first(n);
}

inline QStringView Trim(QStringView text)
{
    return TrimRight(TrimLeft(text));
}

} // namespace support
