#include "settings/ConfigValue.h"

#include "platform/CFormat.h"
#include "settings/HexDigits.h"

#include <cmath>

namespace {

// The text with its hexadecimal letters upper-cased and nothing else changed:
// full Unicode rules would change its length ("ß" becomes "SS", "ﬀ" "FF").
QString UpperHexLetters(QString text)
{
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'f')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return text;
}

} // namespace

QString ConfigValue::FormatDouble(double value)
{
    const QString text = platform::cformat("%#f", value);
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u'0')
        --n;
    if (n > 0 && text[n - 1] == u'.')
        --n;
    return text.left(n);
}

bool ConfigValue::IsColourText(const QString& text)
{
    if (text.size() != 7 || text[0] != u'#')
        return false;
    for (qsizetype i = 1; i < 7; ++i) {
        if (!HexDigits().contains(text[i]))
            return false;
    }
    return true;
}

std::uint32_t ConfigValue::ParseColour(const QString& text)
{
    const QString upper = UpperHexLetters(text);
    if (upper.size() != 7 || upper[0] != u'#')
        return 0;
    std::uint32_t digits[6];
    for (int i = 0; i < 6; ++i) {
        const qsizetype pos = HexDigits().indexOf(upper[i + 1]);
        digits[i] = pos < 0 ? 0u : static_cast<std::uint32_t>(pos);
    }
    const std::uint32_t red = 16 * digits[0] + digits[1];
    const std::uint32_t green = 16 * digits[2] + digits[3];
    const std::uint32_t blue = 16 * digits[4] + digits[5];
    return red + 256 * green + 65536 * blue;
}

bool ConfigValue::EqualsApprox(const QString& a, const QString& b, int type)
{
    switch (type) {
    case ConfigInt:
        return platform::wtoi(a) == platform::wtoi(b);
    case ConfigDouble:
        return std::fabs(platform::wtof(a) - platform::wtof(b)) < 0.0001;
    case ConfigColour: {
        const QString upper = UpperHexLetters(a);
        return upper == UpperHexLetters(b) && IsColourText(upper);
    }
    default:
        return a == b;
    }
}

bool ConfigValue::Equals(const ConfigValue& value, const QString& text)
{
    switch (value.type) {
    case ConfigInt:
        return platform::wtoi(value.text) == platform::wtoi(text);
    case ConfigDouble:
        return platform::wtof(value.text) == platform::wtof(text);
    case ConfigColour:
        return ParseColour(value.text) == ParseColour(text);
    default:
        return value.text == text;
    }
}
