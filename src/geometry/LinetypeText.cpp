// The texts of the line-type files: kinds, pen styles and colours.
#include "geometry/LinetypeTable.h"

#include "platform/CFormat.h"
#include "support/HexDigits.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const char*>, 6> kKindTexts = {{
    {LinetypeKind::Standard, "standard"},
    {LinetypeKind::Internal, "internal"},
    {LinetypeKind::Display, "display"},
    {LinetypeKind::Wave, "wave"},
    {LinetypeKind::Tear, "tear"},
    {LinetypeKind::Mixed, "mixed"},
}};

constexpr std::array<const char*, 4> kStyleTexts = {"solid", "dash", "dot", "dashdot"};

} // namespace

QString LinetypeTable::ToText(int value, int kind)
{
    switch (kind) {
    case 0:
        for (const auto& [bit, text] : kKindTexts)
            if (bit == value)
                return QString::fromLatin1(text);
        return QString();
    case 1:
        return value >= 0 && value < static_cast<int>(kStyleTexts.size()) ? QString::fromLatin1(kStyleTexts[value])
                                                                          : QString();
    case 2: {
        const QString& hex = HexDigits();
        const auto digits = [&hex](int byte) { return QString(hex[(byte >> 4) & 0xF]) + hex[byte & 0xF]; };
        return QStringLiteral("#") + digits(platform::redOf(value)) + digits(platform::greenOf(value))
               + digits(platform::blueOf(value));
    }
    default:
        return QString();
    }
}

int LinetypeTable::FromText(const QString& text, int kind)
{
    switch (kind) {
    case 0: {
        const QString lower = text.toLower();
        for (const auto& [bit, name] : kKindTexts)
            if (lower == QLatin1String(name))
                return bit;
        return 0;
    }
    case 1: {
        const QString lower = text.toLower();
        for (int i = 0; i < static_cast<int>(kStyleTexts.size()); ++i)
            if (lower == QLatin1String(kStyleTexts[i]))
                return i;
        return 0;
    }
    case 2: {
        const QString upper = text.toUpper();
        if (upper.size() != 7 || upper[0] != QLatin1Char('#'))
            return 0;
        const auto digit = [&upper](int i) { return static_cast<int>(std::max<qsizetype>(0, HexDigits().indexOf(upper[i]))); };
        return static_cast<int>(platform::rgb(digit(1) * 16 + digit(2), digit(3) * 16 + digit(4), digit(5) * 16 + digit(6)));
    }
    default:
        return 0;
    }
}
