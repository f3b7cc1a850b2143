// The texts of the line-type files: kinds, pen styles and colours.
#include "linetype/LinetypeTable.h"

#include "platform/CFormat.h"
#include "settings/ConfigValue.h"

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
    case 2:
        return platform::cformat("#%02X%02X%02X", platform::redOf(value), platform::greenOf(value),
                                 platform::blueOf(value));
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
    case 2:
        return static_cast<int>(ConfigValue::ParseColour(text));
    default:
        return 0;
    }
}
