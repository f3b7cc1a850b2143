#pragma once
// White-space trimming as the C run-time's wide white-space test sees it:
// blank, tab, line feed, vertical tab, form feed and carriage return only.
// Settings files are read with this test so that a non-breaking space or any
// other character of the code page stays part of a key or value.
#include "platform/CFormat.h"

#include <QString>
#include <QStringView>

namespace support {

inline QStringView TrimLeft(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && platform::isCSpace(text[i]))
        ++i;
    return text.mid(i);
}

inline QStringView TrimRight(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && platform::isCSpace(text[n - 1]))
        --n;
    return text.first(n);
}

inline QStringView Trim(QStringView text)
{
    return TrimRight(TrimLeft(text));
}

} // namespace support
