#pragma once
// Orders texts without regard to letter case (ordinal after case folding), so
// that 'Port' and 'port' are one key of a map.
#include <QString>

namespace support {

struct NoCaseLess {
    bool operator()(const QString& a, const QString& b) const
    {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }
};

} // namespace support
